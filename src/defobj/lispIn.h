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
// objects, which follow the creation protocol, come from archives, and
// only while what their creation needs is there (archive_require).
BOOL archive_creatable(Class cls);
// Reports, as a LoadError of the function, a class that archive_creatable
// refuses, before any object of it is begun.
void archive_check_creatable(Class cls, const char* function);
// Objects of the named class and its subclasses need something that a run
// may lack (the Tk layer's objects need its interpreter): archives may make
// them only while present() answers YES, and are told otherwise that the
// class needs what. Modules that need it register their classes so.
void archive_require(const char* className, BOOL (*present)(), const char* what);

// The next element of an index over an archive list, which must be of the
// kind named.
BOOL lispInBoolean(id index);
int lispInInteger(id index);
const char* lispInString(id index);
id lispInKeyword(id index);
