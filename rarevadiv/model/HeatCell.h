// A candidate cell of the heat lattice's neighbourhood search.
#pragma once

#include "model/messages.h"
#include "objectbase/BroodObject.h"

struct HeatCell : BroodObject {
  int x, y;

  id setX(int newX);
  id setY(int newY);
  int getX();
  int getY();
};
