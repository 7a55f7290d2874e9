// The object model's record per runtime class, found through the class
// number in the class's info word. Phase classes and customization copies
// carry the number of the class they were made from, so they share its
// record.
#pragma once

#include "runtime/objc.h"

// One run of methods between two phase markers of a class table.
typedef struct methodDefs_s* methodDefs_t;
struct methodDefs_s {
  methodDefs_t next;
  id interfaceID;     // the phase symbol of the run
  Method firstEntry;  // first method after the marker
  int count;
};

typedef struct classData_s* classData_t;
struct classData_s {
  id* classID;               // the class's identity variable (id_Zone_c), or null
  id owner;                  // the module the class belongs to
  id typeImplemented;        // the type record the class implements, or nil
  Class initialPhase;        // creating class, else using class; nil until split
  methodDefs_t metaobjects;  // method runs in declaration order
};

// Indexed by class number; grows when classes are registered late.
extern classData_t* _obj_classes;
extern unsigned long _obj_nclasses;

// The class's record, made on first use.
classData_t _obj_getClassData(Class cls);
