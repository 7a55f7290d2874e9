// Probe maps: the probes that a display shows for a class, variable
// probes first, then message probes, each once under its name, in the
// order they were added. Maps share their probes: dropping a map never
// drops a probe.
#pragma once

#include <cstdarg>

#include "objectbase/BroodObject.h"

struct ProbeMap : BroodObject {
  Class probedClass;
  id probedObject;     // given instead of a class
  unsigned count;
  id probes;           // a Map from String names to probes, in insertion order
  id objectToNotify;   // nil, one object or a List of them; given to every probe added

  // Creating.
  id setProbedClass(Class cls);
  id setProbedObject(id object);
  id createEnd();  // the variables, then the methods, of the class itself

  // Using.
  unsigned getCount();
  Class getProbedClass();
  void addProbe(id probe);
  void addProbeMap(id map);
  void dropProbeForVariable(const char* name);
  void dropProbeForMessage(const char* name);
  void dropProbeMap(id map);
  id begin(id zone);
  id clone(id zone);
  id getProbeForVariable(const char* name);
  id getProbeForMessage(const char* name);
  void setObjectToNotify(id object);
  id getObjectToNotify();
  void describeForEach(id stream);
  void addObjcFields(Class cls);
  void addObjcMethods(Class cls);
  void drop();

 protected:
  // Makes the empty inner map; without a class says that the map (of the
  // kind named) was not properly initialized and answers false.
  bool prepare(const char* kind);
  // Every class from the root down to the probed class, in that order.
  void fillFromChain(Class cls, bool withMethods);

 private:
  id probeNamed(const char* name);
  void insert(id probe, const char* name);
  void insertShared(id probe, bool checkClass);
  void removeNamed(const char* name, const char* function);
};

// The variables of the class itself.
struct DefaultProbeMap : ProbeMap {
  id createEnd();
};

// The variables, then the methods, of every class of the chain.
struct CompleteProbeMap : ProbeMap {
  id createEnd();
};

// The variables of every class of the chain.
struct CompleteVarMap : ProbeMap {
  id createEnd();
};

// Filled from lists of names: variable names, the marker ":", selector
// names and a null pointer.
struct CustomProbeMap : ProbeMap {
  id createEnd();  // nil without a class
  // The probes of cls that the identifiers name, from the library's map
  // of cls; the list ends at a null pointer.
  void addIdentifiers(Class cls, const char* identifier, va_list rest);
};

// The name under which a map holds the probe: its variable, or its
// selector.
const char* probeName(id probe);
