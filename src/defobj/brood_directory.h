// The object directory: maps objects, classes and selectors to their
// counterparts in a foreign host that embeds the toolkit. No host is ever
// installed in this program, so every lookup takes its native path; the
// host path (Directory.h) answers for objects that have a host entry.
#pragma once

#include "runtime/objc.h"

// The runtime's class (or type) of that name, nil when none; with a host
// that knows a class of that name, the native class made for it.
Class brood_directory_ensure_class_named(const char* name);
// The class of an object (for a host object, the native class of its host
// class); nil for nil.
Class brood_directory_brood_class(id object);
// The superclass of a class; nil for nil or a meta-class.
Class brood_directory_superclass(Class cls);
// A copy of the object's class name (its host's, for a host object) in the
// scratch zone.
char* brood_directory_language_independent_class_name_for_objc_object(id object);

// The class's name independent of the host language, a new string in the
// scratch zone or nil: "brood/<module>/<Type>Impl" for the type the class
// implements ("<Type>CImpl" for a creating-phase class), or for its own
// name; nil for a name outside the module map, or a class made at run time
// that implements no type.
char* language_independent_class_name_for_objc_class(Class cls);
char* language_independent_class_name_for_typename(const char* typeName, BOOL usingFlag);
