// Probes: the description of one variable or method of a class, used on
// any object of that class. A probe holds no object; every read, write or
// call names the object it acts on.
#pragma once

#include "objectbase/BroodObject.h"

struct Probe : BroodObject {
  Class probedClass;
  id probedObject;        // given instead of a class
  char* probedType;       // runtime type text, owned, in _obj_globalZone
  BOOL safety;            // check every object's class before access
  id language;            // LanguageObjc: native objects
  id stringReturnType;    // DefaultString, CharString or IntString
  id objectToNotify;      // nil, one object or a List of them

  // Creating.
  static id createBegin(Class cls, id zone);
  id setProbedClass(Class cls);
  id setProbedObject(id object);
  id createEnd();

  // Setting.
  void setSafety();
  void unsetSafety();

  // Using.
  id clone(id zone);
  Class getProbedClass();
  const char* getProbedType();
  void setObjectToNotify(id object);
  id getObjectToNotify();
  val_t guessValue(const char* text);
  void drop();

 protected:
  // Frees an owned block, when there is one, to its zone.
  static void release(id zone, const void* block);
};
