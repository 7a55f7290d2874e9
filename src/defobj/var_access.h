// Access to an object's instance variables by name, through the runtime's
// variable lists. Lookups walk the superclass chain down from just below
// the root Object_s, whose own variables are never visible by name.
#pragma once

#include <functional>

#include "defobj/fcall_type.h"

objc_ivar* find_ivar(Class cls, const char* name);  // null when absent
void* ivar_ptr_for_name(id object, const char* name);  // null when absent
fcall_type_t object_ivar_type(id object, const char* name);  // element code of an array
// Copies the variable's full size (every element of an array) from value;
// a pointer variable is left unchanged.
void object_setVariable(id object, const char* name, const void* value);
// The product of an array variable's dimensions; 1 for a scalar.
unsigned object_getVariableElementCount(id object, const char* name);

// Every scalar or array variable, superclass variables first; scalars have
// rank 0 and no dimensions. Pointer and structure variables are skipped.
void map_objc_class_ivars(
    Class cls, const std::function<void(const char* name, fcall_type_t type, long offset, unsigned rank,
                                        const unsigned* dims)>& function);
void map_object_ivars(
    id object, const std::function<void(const char* name, fcall_type_t type, void* address, unsigned rank,
                                        const unsigned* dims)>& function);
