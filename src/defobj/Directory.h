// The object directory of a foreign host: one entry per native object,
// class or selector that has a host counterpart, found through three
// search trees. It exists only once a host table is installed (initCOM).
#pragma once

#include "defobj/COM.h"
#include "defobj/CreateDrop.h"

struct avl_tree;

enum foreign_t : unsigned { foreign_java, foreign_COM };

struct Directory : CreateDrop {
  void** javaTable;        // one bucket per hash value, all empty
  avl_tree* COM_tree;      // every entry, by host pointer
  avl_tree* class_tree;    // class entries, by native class
  avl_tree* selector_tree; // selector entries, by selector name

  id createEnd();
  void describe(id stream);
};

struct DirectoryEntry : CreateDrop {
  foreign_t type;
  void* foreignObject;

  void setCOMObject(void* object);
  void setJavaObject(void* object);
  void describe(id stream);
};

struct ObjectEntry : DirectoryEntry {
  id object;  // the native object or class

  void describe(id stream);
};

struct SelectorEntry : DirectoryEntry {
  SEL selector;

  void describe(id stream);
};

extern id broodDirectory;  // nil while no host is installed
inline constexpr unsigned DirectoryJavaBuckets = 21599;

// The native paths: nil without a directory or an entry.
ObjectEntry* brood_directory_objc_find_object(id object);
ObjectEntry* brood_directory_objc_find_class(Class cls);
SelectorEntry* brood_directory_objc_find_selector(SEL sel);
int brood_directory_objc_remove(id object);  // entries stay; answers 0
void brood_directory_entry_drop(id entry);
void brood_directory_dump();

// The host path (Directory_COM.cpp): entries made in the global zone for
// host objects, classes and selectors. Without a host table every lookup
// answers nil and nothing is added.
COMobject brood_directory_objc_find_object_COM(id object);
COMselector brood_directory_objc_find_selector_COM(SEL sel);
id brood_directory_COM_find_object_objc(COMobject cObject);
Class brood_directory_COM_find_class_objc(COMclass cClass);
COMclass brood_directory_objc_find_class_COM(Class cls);
// Registers the pair; each answers its native class or host object.
Class brood_directory_COM_add_class_COM(COMclass cClass, Class cls);
COMobject brood_directory_COM_add_object_COM(COMobject cObject, id object);
id brood_directory_COM_add_object_objc(COMobject cObject, id object);
SEL brood_directory_COM_add_selector(COMselector cSel, SEL sel);
// The native class of a host class: the class its host name maps to, or
// else a new COMProxy standing for it.
Class brood_directory_COM_ensure_class_objc(COMclass cClass);
// The host object of a native object, made by the host as an instance of
// the class named by language_independent_class_name_for_objc_class.
COMobject brood_directory_objc_ensure_object_COM(id object);
// After createEnd moved an object to its next phase: a host object of the
// new class's name takes the old one's place.
COMobject brood_directory_update_phase_COM(id object);
// The native object of a host object: a new COMProxy when it has none.
id brood_directory_COM_ensure_object_objc(COMobject cObject);
// The selector of a host method, typed from the host's description.
SEL brood_directory_COM_ensure_selector(COMselector cSel);

// The native class of a language-independent class name ("...Impl" names
// of public types), or of a plain class name; nil when none.
Class objc_class_for_class_name(const char* name);
