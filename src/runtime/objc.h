// The object runtime: objects, classes, selectors and message lookup.
//
// Every object is a plain struct whose first word is its class pointer.
// Classes are objects too: a class record begins with its meta-class pointer
// and holds exactly the fields that the object model's Class_s declares;
// anything else the runtime keeps per class lives in side tables.
#pragma once

#include <cstddef>
#include <cstdint>

struct objc_class;
struct objc_selector;
struct sarray;

typedef unsigned char BOOL;
inline constexpr BOOL YES = 1;
inline constexpr BOOL NO = 0;

struct objc_object {
  objc_class* isa;
};

typedef objc_object* id;
typedef objc_class* Class;
typedef const objc_selector* SEL;
typedef id (*IMP)(id, SEL, ...);

inline constexpr std::nullptr_t nil = nullptr;
inline constexpr std::nullptr_t Nil = nullptr;

struct objc_selector {
  const char* name;
  const char* types;  // null for an untyped selector
  uint32_t uid;       // shared by every typed variant of one name
};

struct objc_ivar {
  const char* ivar_name;
  const char* ivar_type;
  long ivar_offset;
};

struct objc_ivar_list {
  int ivar_count;
  objc_ivar ivar_list[];
};

struct objc_method {
  SEL method_name;
  const char* method_types;
  IMP method_imp;
};
typedef objc_method* Method;

struct objc_method_list {
  objc_method_list* method_next;
  int method_count;
  objc_method method_list[];
};

// Info flags. The class number sits in the upper half of the info word.
inline constexpr unsigned long CLS_CLASS = 0x1;
inline constexpr unsigned long CLS_META = 0x2;
inline constexpr unsigned long CLS_RESOLVED = 0x8;
inline constexpr unsigned long CLS_RUNTIME_MADE = 0x100;
inline constexpr unsigned long CLS_CUSTOMIZING = 0x200;
inline constexpr int CLS_NUMBER_SHIFT = 32;

struct objc_class : objc_object {
  Class superclass;
  const char* name;
  long version;
  unsigned long info;
  long instanceSize;
  objc_ivar_list* ivarList;
  objc_method_list* methodList;
  sarray* dtable;
};

inline unsigned long class_get_number(Class c) {
  return c->info >> CLS_NUMBER_SHIFT;
}
inline BOOL class_is_meta(Class c) { return (c->info & CLS_META) != 0; }

// Messaging.
IMP objc_msg_lookup(id receiver, SEL sel);
IMP objc_msg_lookup_super(Class cls, SEL sel);  // searches from cls's superclass
IMP get_imp(Class cls, SEL sel);                // null when the class has none
BOOL class_responds_to(Class cls, SEL sel);

// Classes.
Class objc_get_class(const char* name);     // ends the process when absent
Class objc_lookup_class(const char* name);  // nil when absent
Class objc_next_class(void** state);        // enumerates compiled classes
extern Class (*_objc_lookup_class)(const char* name);
unsigned long objc_class_count();

// Selectors.
const char* sel_get_name(SEL sel);
const char* sel_get_type(SEL sel);
SEL sel_get_any_uid(const char* name);
SEL sel_get_any_typed_uid(const char* name);
SEL sel_get_typed_uid(const char* name, const char* types);
SEL sel_get_uid(const char* name);
SEL sel_register_name(const char* name);
SEL sel_register_typed_name(const char* name, const char* types);
BOOL sel_is_mapped(SEL sel);

// Instances and method records.
id class_create_instance(Class cls);
void object_dispose(id object);
Method class_get_instance_method(Class cls, SEL sel);
Method class_get_class_method(Class meta, SEL sel);
void* objc_malloc(size_t size);
void objc_free(void* p);

// Dispatch tables, for classes built at run time.
sarray* sarray_new();
sarray* sarray_lazy_copy(const sarray* table);
void sarray_at_put_safe(sarray* table, uint32_t uid, IMP imp);
void sarray_free(sarray* table);

// Registration of compiled classes: each module's registration function
// queues its classes; start-up then resolves superclasses and builds the
// dispatch tables. A class queued after that is resolved at once.
struct objc_class_def;
void __objc_exec_class(objc_class_def* def);
void __objc_exec_class_for_all_initial_modules();
BOOL objc_runtime_started();
