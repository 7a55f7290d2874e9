// Setting an instance variable by name from an archive expression node:
// a value, a string, an array, or a make-instance / make-class form.
#pragma once

#include "runtime/objc.h"

// The variable must exist and the node's kind and size must fit it; any
// misfit ends the process before the variable changes.
void object_setVariableFromExpr(id object, const char* name, id expr);
