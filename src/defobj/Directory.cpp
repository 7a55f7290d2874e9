#include "defobj/Directory.h"

#include <cstring>

#include "collections/messages.h"
#include "defobj/COM.h"
#include "defobj/Object_s.h"
#include "defobj/address.h"
#include "defobj/defobj.h"
#include "defobj/foreign_messages.h"
#include "defobj/module.h"
#include "defobj/phase.h"
#include "defobj/xprint.h"
#include "misc/avl.h"

id broodDirectory;

namespace {

const DirectoryEntry* entry(const void* item) { return static_cast<const DirectoryEntry*>(item); }

int compareForeign(const void* a, const void* b, void*) {
  return avl_compare_pointers(entry(a)->foreignObject, entry(b)->foreignObject, nullptr);
}

int compareNative(const void* a, const void* b, void*) {
  return avl_compare_pointers(static_cast<const ObjectEntry*>(a)->object, static_cast<const ObjectEntry*>(b)->object,
                              nullptr);
}

int compareSelectorNames(const void* a, const void* b, void*) {
  return std::strcmp(sel_get_name(static_cast<const SelectorEntry*>(a)->selector),
                     sel_get_name(static_cast<const SelectorEntry*>(b)->selector));
}

avl_tree* tree(avl_tree* Directory::*which) {
  return broodDirectory ? static_cast<Directory*>(broodDirectory)->*which : nullptr;
}

void catAddress(id stream, const void* address) {
  char text[AddressTextSize];
  msg::catC(stream, formatAddress(text, address));
}

}  // namespace

id Directory::createEnd() {
  const size_t bytes = DirectoryJavaBuckets * sizeof(void*);
  javaTable = static_cast<void**>(msg::alloc(getZone(), bytes));
  std::memset(javaTable, 0, bytes);
  COM_tree = avl_create(compareForeign, nullptr);
  class_tree = avl_create(compareNative, nullptr);
  selector_tree = avl_create(compareSelectorNames, nullptr);
  return CreateDrop::createEnd();
}

void Directory::describe(id) {
  avl_walk(COM_tree, [](void* item, void*) { xprint(static_cast<id>(item)); }, nullptr);
}

void DirectoryEntry::setCOMObject(void* object) {
  type = foreign_COM;
  foreignObject = object;
}

void DirectoryEntry::setJavaObject(void* object) {
  type = foreign_java;
  foreignObject = object;
}

void DirectoryEntry::describe(id stream) {
  if (type != foreign_COM) return;
  msg::catC(stream, "  COM: ");
  char* name = COM_get_class_name(foreignObject);
  msg::catC(stream, name ? name : "");
  if (name) msg::free(_obj_scratchZone, name);
  msg::catC(stream, " ");
  catAddress(stream, foreignObject);
  msg::catC(stream, "\n");
}

void ObjectEntry::describe(id stream) {
  catAddress(stream, this);
  if (!object) {
    msg::catC(stream, "nil ");
    catAddress(stream, object);
  } else if (class_is_meta(object->isa)) {
    msg::catC(stream, " class: ");
    msg::catC(stream, static_cast<Class>(object)->name);
  } else {
    msg::catC(stream, " object: ");
    msg::catC(stream, msg::getName(object));
  }
  DirectoryEntry::describe(stream);
}

void SelectorEntry::describe(id stream) {
  catAddress(stream, this);
  msg::catC(stream, " selector: ");
  msg::catC(stream, selector ? sel_get_name(selector) : "M(<nil>)");
  DirectoryEntry::describe(stream);
}

// Only the system's own objects carry an entry field; classes and objects
// of the runtime's other roots have none.
ObjectEntry* brood_directory_objc_find_object(id object) {
  if (!broodDirectory || !object || class_is_meta(object->isa)) return nullptr;
  for (Class cls = object->isa; cls; cls = cls->superclass)
    if (cls == static_cast<Class>(id_Object_s))
      return static_cast<ObjectEntry*>(static_cast<Object_s*>(object)->foreignEntry);
  return nullptr;
}

ObjectEntry* brood_directory_objc_find_class(Class cls) {
  ObjectEntry key{};
  key.object = cls;
  avl_tree* classes = tree(&Directory::class_tree);
  return classes ? static_cast<ObjectEntry*>(avl_find(classes, &key)) : nullptr;
}

SelectorEntry* brood_directory_objc_find_selector(SEL sel) {
  SelectorEntry key{};
  key.selector = sel;
  avl_tree* selectors = tree(&Directory::selector_tree);
  return selectors && sel ? static_cast<SelectorEntry*>(avl_find(selectors, &key)) : nullptr;
}

int brood_directory_objc_remove(id) { return 0; }

void brood_directory_entry_drop(id entry) { msg::drop(entry); }

void brood_directory_dump() {
  if (broodDirectory) xprint(broodDirectory);
}

REGISTER_CLASS(Directory, CreateDrop,
  // The trees are opaque records of the search tree, with no encoding.
  ivar(&Directory::javaTable, "javaTable"),
  phase(Phase::Creating),
  method<&Directory::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&Directory::describe>(msg::describe))

REGISTER_CLASS(DirectoryEntry, CreateDrop,
  ivar(&DirectoryEntry::type, "type"),
  ivar(&DirectoryEntry::foreignObject, "foreignObject"),
  phase(Phase::Setting),
  method<&DirectoryEntry::setCOMObject>(msg::setCOMObject),
  method<&DirectoryEntry::setJavaObject>(msg::setJavaObject),
  phase(Phase::Using),
  method<&DirectoryEntry::describe>(msg::describe))

REGISTER_CLASS(ObjectEntry, DirectoryEntry,
  ivar(&ObjectEntry::object, "object"),
  phase(Phase::Using),
  method<&ObjectEntry::describe>(msg::describe))

REGISTER_CLASS(SelectorEntry, DirectoryEntry,
  ivar(&SelectorEntry::selector, "selector"),
  phase(Phase::Using),
  method<&SelectorEntry::describe>(msg::describe))
