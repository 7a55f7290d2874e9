// The object directory's host path.
#include <cstring>
#include <string>

#include "defobj/Directory.h"
#include "defobj/Object_s.h"
#include "defobj/defobj.h"
#include "defobj/brood_directory.h"
#include "defobj/foreign_messages.h"
#include "defobj/raise.h"
#include "misc/avl.h"

namespace {

Directory* directory() { return COM_init_p() ? static_cast<Directory*>(broodDirectory) : nullptr; }

// Host objects are keyed in the form the host calls the same.
void* hostKey(void* foreign) {
  void* normal = COM_normalize(foreign);
  return normal ? normal : foreign;
}

DirectoryEntry* findForeign(void* foreign) {
  Directory* d = directory();
  if (!d || !foreign) return nullptr;
  DirectoryEntry key{};
  key.foreignObject = hostKey(foreign);
  return static_cast<DirectoryEntry*>(avl_find(d->COM_tree, &key));
}

template <class Entry>
Entry* newEntry(const char* className, void* foreign) {
  auto* entry = static_cast<Entry*>(msg::create(objc_get_class(className), _obj_globalZone));
  msg::setCOMObject(entry, hostKey(foreign));
  return entry;
}

ObjectEntry* addObjectEntry(COMobject cObject, id object) {
  Directory* d = directory();
  if (!d || !cObject || !object) return nullptr;
  auto* entry = newEntry<ObjectEntry>("ObjectEntry", cObject);
  entry->object = object;
  static_cast<Object_s*>(object)->foreignEntry = entry;
  avl_insert(d->COM_tree, entry);
  return entry;
}

id newProxy() { return msg::create(objc_get_class("COMProxy"), _obj_globalZone); }

// Each type's encoding followed by "0", as the host's method describes it.
void appendType(std::string& types, fcall_type_t type) {
  types += objc_types[type];
  types += '0';
}

std::string withoutOffsets(const std::string& types) {
  std::string signature;
  for (char c : types)
    if (c != '0') signature += c;
  return signature;
}

}  // namespace

COMobject brood_directory_objc_find_object_COM(id object) {
  ObjectEntry* entry = directory() ? brood_directory_objc_find_object(object) : nullptr;
  return entry && entry->type == foreign_COM ? entry->foreignObject : nullptr;
}

COMselector brood_directory_objc_find_selector_COM(SEL sel) {
  SelectorEntry* entry = directory() ? brood_directory_objc_find_selector(sel) : nullptr;
  return entry && entry->type == foreign_COM ? entry->foreignObject : nullptr;
}

id brood_directory_COM_find_object_objc(COMobject cObject) {
  auto* entry = static_cast<ObjectEntry*>(findForeign(cObject));
  return entry ? entry->object : nil;
}

Class brood_directory_COM_find_class_objc(COMclass cClass) {
  return static_cast<Class>(brood_directory_COM_find_object_objc(cClass));
}

COMclass brood_directory_objc_find_class_COM(Class cls) {
  ObjectEntry* entry = directory() ? brood_directory_objc_find_class(cls) : nullptr;
  return entry ? entry->foreignObject : nullptr;
}

Class brood_directory_COM_add_class_COM(COMclass cClass, Class cls) {
  Directory* d = directory();
  if (!d || !cClass || !cls) return Nil;
  auto* entry = newEntry<ObjectEntry>("ObjectEntry", cClass);
  entry->object = cls;
  avl_insert(d->class_tree, entry);
  avl_insert(d->COM_tree, entry);
  return cls;
}

COMobject brood_directory_COM_add_object_COM(COMobject cObject, id object) {
  return addObjectEntry(cObject, object) ? cObject : nullptr;
}

id brood_directory_COM_add_object_objc(COMobject cObject, id object) {
  return addObjectEntry(cObject, object) ? object : nil;
}

SEL brood_directory_COM_add_selector(COMselector cSel, SEL sel) {
  Directory* d = directory();
  if (!d || !cSel || !sel) return nullptr;
  auto* entry = newEntry<SelectorEntry>("SelectorEntry", cSel);
  entry->selector = sel;
  avl_insert(d->selector_tree, entry);
  avl_insert(d->COM_tree, entry);
  return sel;
}

Class brood_directory_COM_ensure_class_objc(COMclass cClass) {
  if (!directory() || !cClass) return Nil;
  if (Class known = brood_directory_COM_find_class_objc(cClass)) return known;
  char* hostName = COM_class_name(cClass);
  Class cls = Nil;
  if (hostName) {
    const char* name = std::strncmp(hostName, "brood", 5) == 0 ? hostName + 5 : hostName;
    cls = objc_class_for_class_name(name);
    msg::free(_obj_scratchZone, hostName);
  }
  return brood_directory_COM_add_class_COM(cClass, cls ? cls : reinterpret_cast<Class>(newProxy()));
}

COMobject brood_directory_objc_ensure_object_COM(id object) {
  if (!directory() || !object) return nullptr;
  if (COMobject known = brood_directory_objc_find_object_COM(object)) return known;
  char* name = language_independent_class_name_for_objc_class(object->isa);
  COMobject cObject = name ? COM_create_component(COM_find_class(name)) : nullptr;
  if (name) msg::free(_obj_scratchZone, name);
  return brood_directory_COM_add_object_COM(cObject, object);
}

COMobject brood_directory_update_phase_COM(id object) {
  Directory* d = directory();
  ObjectEntry* entry = d ? brood_directory_objc_find_object(object) : nullptr;
  if (!entry) return nullptr;
  avl_delete(d->COM_tree, entry);
  static_cast<Object_s*>(object)->foreignEntry = nil;
  return brood_directory_objc_ensure_object_COM(object);
}

id brood_directory_COM_ensure_object_objc(COMobject cObject) {
  if (!directory() || !cObject) return nil;
  if (id known = brood_directory_COM_find_object_objc(cObject)) return known;
  return brood_directory_COM_add_object_objc(cObject, newProxy());
}

SEL brood_directory_COM_ensure_selector(COMselector cSel) {
  if (!directory() || !cSel) return nullptr;
  if (auto* known = static_cast<SelectorEntry*>(findForeign(cSel))) return known->selector;
  const char* name = COM_selector_name(cSel);
  if (!name) return nullptr;
  const unsigned count = COM_selector_arg_count(cSel);
  std::string types;
  appendType(types, COM_selector_is_void_return(cSel) ? fcall_type_void : COM_selector_arg_fcall_type(cSel, count));
  appendType(types, fcall_type_object);
  appendType(types, fcall_type_selector);
  for (unsigned i = 0; i < count; i++) appendType(types, COM_selector_arg_fcall_type(cSel, i));
  const std::string signature = withoutOffsets(types);
  if (SEL existing = sel_get_any_typed_uid(name)) {
    if (signature == sel_get_type(existing)) return brood_directory_COM_add_selector(cSel, existing);
    msg::raiseEvent(WarningMessage, "Method `%s' type (%s) differs from Brood method's type (%s)\n", name,
                    types.c_str(), sel_get_type(existing));
  }
  return brood_directory_COM_add_selector(cSel, sel_register_typed_name(name, signature.c_str()));
}

Class objc_class_for_class_name(const char* name) {
  const size_t length = std::strlen(name);
  if (length < 4 || std::strcmp(name + length - 4, "Impl") != 0) return objc_lookup_class(name);
  std::string rest(name, length - 4);
  if (!rest.empty() && rest.back() == 'C') rest.pop_back();
  const size_t first = rest.find('.');
  const size_t second = first == std::string::npos ? first : rest.find('.', first + 1);
  if (second != std::string::npos) rest.erase(0, second + 1);
  Class found = objc_lookup_class(rest.c_str());
  if (!found) return Nil;
  // A type object that is still creating stands for its concrete class.
  if (!class_is_meta(found->isa) && msg::getImplementation(found) == Creating)
    return objc_lookup_class((rest + "_c").c_str());
  return found;
}
