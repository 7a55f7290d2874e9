#include "model/HeatSpace.h"

#include <algorithm>

#include "defobj/phase.h"
#include "random/random.h"
#include "runtime/cached_send.h"

id HeatSpace::addHeat_X_Y(HeatValue heat, int x, int y) {
  const int64_t sum = static_cast<int64_t>(heatAt(x, y)) + heat;
  static CachedSend put(msg::putValue_atX_Y);
  put(this, std::min<int64_t>(sum, maxHeat), x, y);
  return this;
}

// Scans the 3x3 neighbourhood row by row and keeps every cell that ties for
// the best heat in scan order (the centre takes part, so there is always
// one), then picks one of them at random. A cell that ties for the best
// heat of the whole scan is never dropped by the scan, so the candidates
// are found in a second pass once the best heat is known. They are plain
// cell numbers on the stack: the search runs for every warmling at every
// step, and nothing outside it ever sees them.
HeatValue HeatSpace::findExtremeType_X_Y(HeatExtremeType type, int* px, int* py) {
  const int w = static_cast<int>(xsize), h = static_cast<int>(ysize), cx = *px, cy = *py;
  const int columns[3] = {wrapCoordinate(cx - 1, w), cx, wrapCoordinate(cx + 1, w)};
  const int rows[3] = {wrapCoordinate(cy - 1, h), cy, wrapCoordinate(cy + 1, h)};
  HeatValue heats[neighbourhoodSize];
  for (int r = 0; r < 3; r++) {
    const intptr_t* row = lattice + offsets[rows[r]];
    for (int c = 0; c < 3; c++) heats[3 * r + c] = static_cast<HeatValue>(row[columns[c]]);
  }
  const HeatValue best = type == hot ? *std::max_element(heats, heats + neighbourhoodSize)
                                     : *std::min_element(heats, heats + neighbourhoodSize);
  // Every cell is written and only the ties are counted: the ties fall
  // where they will, and a branch on each would be mispredicted.
  int candidates[neighbourhoodSize], found = 0;
  for (int i = 0; i < neighbourhoodSize; i++) {
    candidates[found] = i;
    found += heats[i] == best;
  }
  static CachedSend draw(msg::getIntegerWithMin_withMax);
  const int chosen = candidates[draw(uniformIntRand, 0, found - 1)];
  *px = columns[chosen % 3];
  *py = rows[chosen / 3];
  return best;
}

REGISTER_CLASS(HeatSpace, Diffuse2d,
  phase(Phase::Using),
  method<&HeatSpace::addHeat_X_Y>(msg::addHeat_X_Y),
  method<&HeatSpace::findExtremeType_X_Y>(msg::findExtremeType_X_Y))
