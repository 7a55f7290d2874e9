// A lattice with two cell arrays: reads see the current buffer, puts go to
// the pending one, and updateLattice makes the pending buffer current.
#pragma once

#include "space/Discrete2d.h"

struct DblBuffer2d : Discrete2d {
  intptr_t* wBuf1;
  intptr_t* wBuf2;
  intptr_t* newLattice;  // the pending buffer: whichever of wBuf1, wBuf2 lattice is not

  id createEnd();
  intptr_t* getNewLattice();
  id updateLattice();
  id putObject_atX_Y(id object, unsigned x, unsigned y);
  id putValue_atX_Y(intptr_t value, unsigned x, unsigned y);
  void drop();
};
