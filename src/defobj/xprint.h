// Printing for debugging, on _obj_xdebug: each function takes any object,
// nil included, and says so when the object cannot do what is asked.
#pragma once

#include "runtime/objc.h"

void xprint(id object);     // describe:
void xprintid(id object);   // describeID:
void xfprint(id object);    // describeForEach:
void xfprintid(id object);  // describeForEachID:
void xsetname(id object, const char* name);
void xexec(id object, const char* messageName);
void xfexec(id collection, const char* messageName);

// The stream that the x-print messages write to.
id describeStream();
