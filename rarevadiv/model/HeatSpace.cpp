#include "model/HeatSpace.h"

#include <algorithm>

#include "collections/collections.h"
#include "defobj/phase.h"
#include "random/random.h"

id HeatSpace::addHeat_X_Y(HeatValue heat, int x, int y) {
  const int64_t sum = static_cast<int64_t>(heatAt(x, y)) + heat;
  msg::putValue_atX_Y(this, std::min<int64_t>(sum, maxHeat), x, y);
  return this;
}

namespace {

id newHeatCell(id zone, int x, int y) {
  static Class heatCell = objc_get_class("HeatCell");
  id cell = msg::createBegin(heatCell, zone);
  msg::setX(cell, x);
  msg::setY(cell, y);
  return msg::createEnd(cell);
}

}  // namespace

// Scans the 3x3 neighbourhood row by row, keeping every cell that ties for
// the best heat in scan order (the centre takes part, so there is always
// one), and picks one of them at random.
HeatValue HeatSpace::findExtremeType_X_Y(HeatExtremeType type, int* px, int* py) {
  const int w = static_cast<int>(xsize), h = static_cast<int>(ysize);
  id zone = msg::getZone(this);
  id candidates = msg::create(List, zone);
  HeatValue best = heatAt(*px, *py);
  for (int y = *py - 1; y <= *py + 1; y++)
    for (int x = *px - 1; x <= *px + 1; x++) {
      const HeatValue here = heatAt(wrapCoordinate(x, w), wrapCoordinate(y, h));
      const bool better = type == hot ? here > best : here < best;
      if (better) {
        msg::deleteAll(candidates);
        best = here;
      }
      if (better || here == best) msg::addLast(candidates, newHeatCell(zone, x, y));
    }
  const int last = static_cast<int>(msg::getCount(candidates)) - 1;
  id chosen = msg::atOffset(candidates, msg::getIntegerWithMin_withMax(uniformIntRand, 0, last));
  *px = wrapCoordinate(msg::getX(chosen), w);
  *py = wrapCoordinate(msg::getY(chosen), h);
  msg::deleteAll(candidates);
  msg::drop(candidates);
  return heatAt(*px, *py);
}

REGISTER_CLASS(HeatSpace, Diffuse2d,
  phase(Phase::Using),
  method<&HeatSpace::addHeat_X_Y>(msg::addHeat_X_Y),
  method<&HeatSpace::findExtremeType_X_Y>(msg::findExtremeType_X_Y))
