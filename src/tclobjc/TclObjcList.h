// A growable array of object references, the Tcl bridge's list of
// interpreters. Made with alloc and init or initCount:, released with free.
// The count stays below the capacity: the array doubles when it fills and
// halves when less than half of it is used.
#pragma once

#include "runtime/Object.h"
#include "tclobjc/messages.h"

// The answer of indexOf: for an object not in the list.
inline constexpr unsigned TclObjcListNotFound = ~0u;

struct TclObjcList : Object {
  id* dataPtr;
  unsigned numElements;
  unsigned maxElements;

  static id newCount(Class cls, unsigned capacity);
  id initCount(unsigned capacity);
  id init();
  unsigned capacity();
  unsigned getCount();
  id objectAt(unsigned index);
  id lastObject();
  id replaceObjectAt_with(unsigned index, id object);
  void addObject(id object);
  id insertObject_at(id object, unsigned index);
  id removeObjectAt(unsigned index);
  id removeLastObject();
  id removeObject(id object);
  id replaceObject_with(id object, id replacement);
  unsigned indexOf(id object);
  id addObjectIfAbsent(id object);
  id appendList(id list);
  id empty();
  id freeObjects();
  id free_();
  id shallowCopy();
  id deepen();
  BOOL isEqual(id other);
  id makeObjectsPerform(SEL sel);
  id makeObjectsPerform_with(SEL sel, id argument);
  id setAvailableCapacity(unsigned capacity);
  // On a typed stream: the count and capacity, then the objects. read:
  // fills a list fresh from alloc.
  id write(TypedStream* stream);
  id read(TypedStream* stream);
};
