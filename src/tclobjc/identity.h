// Hashing, equality and run-time sends for the bridge tables. The runtime's root
// class has neither hash nor isEqual:, so an object that does not answer
// them is hashed by its address and equal only to itself.
#pragma once

#include "runtime/objc.h"

unsigned long tclObjc_hash(id object);
BOOL tclObjc_isEqual(id object, id other);

// Sends a selector known only at run time (makeObjectsPerform:); nil
// receivers are skipped.
void tclObjc_perform(id object, SEL sel);
void tclObjc_perform_with(id object, SEL sel, id argument);
