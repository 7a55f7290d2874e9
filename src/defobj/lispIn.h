// Objects and classes made from archive expressions, and the readers of
// the elements of an archive list.
#pragma once

#include "runtime/objc.h"

// The object of a make-instance expression (make-objc is its older
// spelling), made in the zone and filled from the expression, or the class
// of a make-class expression, made at run time and registered for lookup.
// Nil, or the value nil, gives nil.
id lispIn(id zone, id expr);

// Whether archives may make objects of the class: only the system's own
// objects, which follow the creation protocol, come from archives.
BOOL archive_creatable(Class cls);

// The next element of an index over an archive list, which must be of the
// kind named.
BOOL lispInBoolean(id index);
int lispInInteger(id index);
const char* lispInString(id index);
id lispInKeyword(id index);
