// Module records and module classes. A module declares its symbols, types
// and classes in a static ProgramModule_c record; _obj_initModule makes the
// record an object and registers everything in it. Each module also has a
// class below Module_super_ whose class message initialize, sent at
// bootstrap, fetches the module's classes into their identity variables.
#pragma once

#include "runtime/Object.h"

struct ProgramModule_c : Object {
  const char* name;
  id owner;                        // _obj_programModule once registered
  id modules;                      // submodules: none in this system
  id* types;                       // type records, null-terminated
  id** symbols;                    // symbol variables, null-terminated
  const char* const* symbolNames;  // their names with "0Warning"/"0Error"/"0Symbol" markers
  id** classes;                    // identity variables (id_Zone_c), null-terminated
  void (*implement)();             // binds classes to types with setTypeImplemented:
  void (*initialize)();            // run after implement

  const char* getName();
  id getOwner();
  id getModules();
  id* getTypes();
  id** getSymbols();
  id** getClasses();
};

// The root of the module classes.
struct Module_super_ : objc_object {
  static id self(Class cls);
  static void initialize(Class cls);
};

// A module's tables are written as X-lists of names:
//   DEFOBJ_ERRORS(MODULE_VARIABLE)        defines the symbol variables,
//   DEFOBJ_ERRORS(MODULE_SYMBOL_ADDRESS)  lists their addresses,
//   DEFOBJ_ERRORS(MODULE_SYMBOL_NAME)     lists their names;
// the class list likewise defines the id_ variables and their table, and
// MODULE_CLASS defines the module class that fetches them.
#define MODULE_VARIABLE(name) id name;
#define MODULE_SYMBOL_ADDRESS(name) &name,
#define MODULE_SYMBOL_NAME(name) #name,
#define MODULE_CLASS_VARIABLE(cls) id id_##cls;
#define MODULE_CLASS_ADDRESS(cls) &id_##cls,
#define MODULE_FETCH_CLASS(cls) id_##cls = objc_get_class(#cls);

#define MODULE_CLASS(module, CLASSES)                                              \
  struct Module__##module##_ : Module_super_ {                                     \
    static void initialize(Class) { CLASSES(MODULE_FETCH_CLASS) }                  \
  };                                                                               \
  REGISTER_CLASS(Module__##module##_, Module_super_,                               \
                 classMethod<&Module__##module##_::initialize>(msg::initialize))
