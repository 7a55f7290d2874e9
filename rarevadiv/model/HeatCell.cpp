#include "model/HeatCell.h"

#include "defobj/phase.h"

id HeatCell::setX(int newX) {
  x = newX;
  return this;
}

id HeatCell::setY(int newY) {
  y = newY;
  return this;
}

int HeatCell::getX() { return x; }
int HeatCell::getY() { return y; }

REGISTER_CLASS(HeatCell, BroodObject,
  ivar(&HeatCell::x, "x"),
  ivar(&HeatCell::y, "y"),
  phase(Phase::Setting),
  method<&HeatCell::setX>(msg::setX),
  method<&HeatCell::setY>(msg::setY),
  phase(Phase::Using),
  method<&HeatCell::getX>(msg::getX),
  method<&HeatCell::getY>(msg::getY))
