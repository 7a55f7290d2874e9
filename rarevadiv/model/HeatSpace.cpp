#include "model/HeatSpace.h"

#include <algorithm>

#include "collections/collections.h"
#include "defobj/Zone.h"
#include "defobj/phase.h"
#include "random/random.h"

id HeatSpace::addHeat_X_Y(HeatValue heat, int x, int y) {
  const int64_t sum = static_cast<int64_t>(heatAt(x, y)) + heat;
  msg::putValue_atX_Y(this, std::min<int64_t>(sum, maxHeat), x, y);
  return this;
}

// The candidates live in the component zone of the lattice's zone, outside
// its population, and go with the lattice.
void HeatSpace::makeSearchCells() {
  static Class heatCell = objc_get_class("HeatCell");
  id zone = componentZoneOf(msg::getZone(this));
  candidates = msg::create(List, zone);
  for (id& cell : searchCells) cell = msg::create(heatCell, zone);
}

void HeatSpace::drop() {
  msg::drop(candidates);
  for (id cell : searchCells) msg::drop(cell);
  Diffuse2d::drop();
}

// Scans the 3x3 neighbourhood row by row, keeping every cell that ties for
// the best heat in scan order (the centre takes part, so there is always
// one), and picks one of them at random.
HeatValue HeatSpace::findExtremeType_X_Y(HeatExtremeType type, int* px, int* py) {
  const int w = static_cast<int>(xsize), h = static_cast<int>(ysize), cx = *px, cy = *py;
  if (!candidates) makeSearchCells();
  const int columns[3] = {wrapCoordinate(cx - 1, w), wrapCoordinate(cx, w), wrapCoordinate(cx + 1, w)};
  HeatValue best = heatAt(cx, cy);
  int found = 0;
  for (int y = cy - 1; y <= cy + 1; y++) {
    const intptr_t* row = lattice + offsets[wrapCoordinate(y, h)];
    for (int x = cx - 1; x <= cx + 1; x++) {
      const auto here = static_cast<HeatValue>(row[columns[x - cx + 1]]);
      const bool better = type == hot ? here > best : here < best;
      if (better) {
        msg::removeAll(candidates);
        found = 0;
        best = here;
      }
      if (better || here == best) {
        id cell = searchCells[found++];
        msg::setX(cell, x);
        msg::setY(cell, y);
        msg::addLast(candidates, cell);
      }
    }
  }
  const int last = static_cast<int>(msg::getCount(candidates)) - 1;
  id chosen = msg::atOffset(candidates, msg::getIntegerWithMin_withMax(uniformIntRand, 0, last));
  *px = wrapCoordinate(msg::getX(chosen), w);
  *py = wrapCoordinate(msg::getY(chosen), h);
  msg::removeAll(candidates);
  return heatAt(*px, *py);
}

REGISTER_CLASS(HeatSpace, Diffuse2d,
  phase(Phase::Using),
  method<&HeatSpace::addHeat_X_Y>(msg::addHeat_X_Y),
  method<&HeatSpace::findExtremeType_X_Y>(msg::findExtremeType_X_Y),
  method<&HeatSpace::drop>(msg::drop))
