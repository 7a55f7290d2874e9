#include "defobj/brood_directory.h"

#include <cstring>
#include <string>

#include "defobj/COM.h"
#include "defobj/Class_s.h"
#include "defobj/Directory.h"
#include "defobj/defobj.h"
#include "defobj/module.h"
#include "defobj/zstrdup.h"
#include "misc/debugabort.h"

Class brood_directory_ensure_class_named(const char* name) {
  if (COMclass hostClass = broodDirectory ? COM_find_class(name) : nullptr)
    return brood_directory_COM_ensure_class_objc(hostClass);
  return objc_lookup_class(name);
}

Class brood_directory_brood_class(id object) {
  ObjectEntry* entry = COM_init_p() ? brood_directory_objc_find_object(object) : nullptr;
  if (!entry) return object ? object->isa : Nil;
  if (entry->type != foreign_COM) debugabort(__FILE_NAME__, __LINE__, __func__);
  return brood_directory_COM_ensure_class_objc(COM_get_class(entry->foreignObject));
}

Class brood_directory_superclass(Class cls) {
  if (!cls || class_is_meta(cls)) return Nil;
  if (brood_directory_objc_find_class_COM(cls)) debugabort(__FILE_NAME__, __LINE__, __func__);
  return cls->superclass;
}

char* brood_directory_language_independent_class_name_for_objc_object(id object) {
  if (COMobject host = brood_directory_objc_find_object_COM(object)) return COM_get_class_name(host);
  return zstrdup(_obj_scratchZone, object->isa->name);
}

char* language_independent_class_name_for_objc_class(Class cls) {
  // An object standing for a class is named by its host.
  if (!class_is_meta(cls->isa)) {
    COMobject host = brood_directory_objc_find_object_COM(cls);
    if (!host) debugabort(__FILE_NAME__, __LINE__, __func__);
    return COM_get_class_name(host);
  }
  auto* type = static_cast<Type_c*>(_obj_getClassData(cls)->typeImplemented);
  if (cls->info & CLS_RUNTIME_MADE) {
    if (!type) return nullptr;
    // A creating class moves on to its using class (or is creating-only).
    id next = _obj_getNextPhase(cls);
    return language_independent_class_name_for_typename(type->name, !next || next == UsingOnly);
  }
  return language_independent_class_name_for_typename(type ? type->name : cls->name, YES);
}

char* language_independent_class_name_for_typename(const char* typeName, BOOL usingFlag) {
  if (std::strcmp(typeName, "Create_byboth") == 0) return zstrdup(_obj_scratchZone, "brood/CustomizedType");
  const char* module = brood_lookup_module(typeName);
  if (!module) return nullptr;
  // The few names outside every module have no module segment.
  std::string name = "brood/";
  if (*module) name += std::string(module) + "/";
  name += typeName;
  if (!usingFlag) name += "C";
  name += "Impl";
  return zstrdup(_obj_scratchZone, name.c_str());
}
