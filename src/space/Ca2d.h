// The abstract cellular automaton on a double-buffered lattice: a subclass
// supplies its initial state and its step.
#pragma once

#include "space/DblBuffer2d.h"

struct Ca2d : DblBuffer2d {
  unsigned numStates;

  id setNumStates(unsigned n);
  id createEnd();
  id initializeLattice();
  id stepRule();
};
