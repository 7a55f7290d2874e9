#include "defobj/directory.h"

#include <cstring>
#include <string>

#include "defobj/Class_s.h"
#include "defobj/defobj.h"
#include "defobj/module.h"
#include "defobj/zstrdup.h"
#include "misc/debugabort.h"

Class brood_directory_ensure_class_named(const char* name) { return objc_lookup_class(name); }

Class brood_directory_brood_class(id object) { return object ? object->isa : Nil; }

Class brood_directory_superclass(Class cls) { return cls && !class_is_meta(cls) ? cls->superclass : Nil; }

char* brood_directory_language_independent_class_name_for_objc_object(id object) {
  return zstrdup(_obj_scratchZone, object->isa->name);
}

char* language_independent_class_name_for_objc_class(Class cls) {
  // Only a host object, which this program never has, is named by its
  // host rather than by its class.
  if (!class_is_meta(cls->isa)) debugabort(__FILE_NAME__, __LINE__, __func__);
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
