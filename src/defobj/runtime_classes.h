// Classes made and extended at run time: copies of class records, added
// variables, generated names, and fresh creatable classes below CreateDrop.
#pragma once

#include "defobj/fcall_type.h"

// A copy of the class record (all of it, for a record still being built)
// with its own copy of the variable list.
Class class_copy(Class cls);
// A list with room for n more entries: a new copy for n = 0, otherwise the
// list itself grown.
objc_ivar_list* ivar_extend_list(objc_ivar_list* list, unsigned n);
// Appends a scalar (rank 0) or an array of the type, aligned for the
// element type, and grows the instance size by it.
void class_addVariable(Class cls, const char* name, fcall_type_t type, unsigned rank, const unsigned* dims);
// "Class0", "Class1", ... in the scratch zone.
char* class_generate_name();
// A new behaviour-phase record named so, below CreateDrop, not yet
// finished with createEnd.
id type_create(id zone, const char* name);
