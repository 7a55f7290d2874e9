// A lattice of object references, one object per cell: putting an object
// on an occupied cell warns (unless switched off) and replaces the occupant.
#pragma once

#include "space/Discrete2d.h"

struct Grid2d : Discrete2d {
  BOOL overwriteWarnings;

  static id createBegin(Class cls, id zone);
  id setOverwriteWarnings(BOOL flag);
  id putObject_atX_Y(id object, unsigned x, unsigned y);
};
