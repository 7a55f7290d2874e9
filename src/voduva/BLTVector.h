// A BLT vector: a named array of doubles in Tcl that graph elements draw
// from. The object's public name is also the vector's Tcl name.
#pragma once

#include "defobj/CreateDrop.h"
#include "voduva/graph_messages.h"

struct BLTVector : CreateDrop {
  char* name;  // the Tcl vector's name, in the object's zone

  id createEnd();

  id append(double value);
  id setLength(unsigned length);
  unsigned getLength();
  id delete_(int index);
  id resetData();
  // A copy in _obj_scratchZone, which the caller may free.
  const char* getName();
  void drop();
};
