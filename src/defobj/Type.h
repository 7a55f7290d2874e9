// Type records: one per public type of a module. The records are static
// data of their module until its registration makes them objects; the
// type's variable then holds the record, or, once a class implements the
// type, the class to send createBegin: to.
#pragma once

#include "defobj/Object_s.h"

struct Type_c : Object_s {
  id owner;                       // the module
  const char* name;
  id* typeID;                     // the type's variable
  id implementation;              // class, or Creating while awaiting one
  const char* const* supertypes;  // adopted types and protocols, null-terminated

  const char* getName();
  BOOL getCreatable();
  id getImplementation();
};

// Supertype lists that the registry reads: a creatable type adopts CREATABLE.
extern const char* const _obj_creatableType[];
extern const char* const _obj_plainType[];

// A module's types as an X-list of (type variable, supertype list):
// COLLECTIONS_TYPES(TYPE_VARIABLE) defines the variables, and
// TYPE_TABLE(collectionsTypes, COLLECTIONS_TYPES) the records and the
// null-terminated table of their addresses.
#define TYPE_VARIABLE(type, supers) id type;
#define TYPE_RECORD_DEFINE(type, supers) \
  Type_c type##_record{{}, nil, #type, &type, nil, supers};
#define TYPE_RECORD_ENTRY(type, supers) &type##_record,
#define TYPE_TABLE(table, LIST)          \
  namespace {                            \
  LIST(TYPE_RECORD_DEFINE)               \
  id table[] = {LIST(TYPE_RECORD_ENTRY) nil}; \
  }
