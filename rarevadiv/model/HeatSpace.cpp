#include "model/HeatSpace.h"

#include <algorithm>

#include "defobj/phase.h"
#include "model/CachedSend.h"
#include "random/random.h"

id HeatSpace::addHeat_X_Y(HeatValue heat, int x, int y) {
  const int64_t sum = static_cast<int64_t>(heatAt(x, y)) + heat;
  static CachedSend put(msg::putValue_atX_Y);
  put(this, std::min<int64_t>(sum, maxHeat), x, y);
  return this;
}

// Scans the 3x3 neighbourhood row by row, keeping every cell that ties for
// the best heat in scan order (the centre takes part, so there is always
// one), and picks one of them at random. The candidates are plain
// coordinates on the stack: the search runs for every warmling at every
// step, and nothing outside it ever sees them.
HeatValue HeatSpace::findExtremeType_X_Y(HeatExtremeType type, int* px, int* py) {
  const int w = static_cast<int>(xsize), h = static_cast<int>(ysize), cx = *px, cy = *py;
  const int columns[3] = {wrapCoordinate(cx - 1, w), wrapCoordinate(cx, w), wrapCoordinate(cx + 1, w)};
  struct Candidate {
    int x, y;
  } candidates[9];
  static CachedSend draw(msg::getIntegerWithMin_withMax);
  HeatValue best = heatAt(cx, cy);
  int found = 0;
  for (int y = cy - 1; y <= cy + 1; y++) {
    const int wrappedY = wrapCoordinate(y, h);
    const intptr_t* row = lattice + offsets[wrappedY];
    for (int column : columns) {
      const auto here = static_cast<HeatValue>(row[column]);
      if (type == hot ? here > best : here < best) {
        found = 0;
        best = here;
      }
      if (here == best) candidates[found++] = {column, wrappedY};
    }
  }
  const Candidate& chosen = candidates[draw(uniformIntRand, 0, found - 1)];
  *px = chosen.x;
  *py = chosen.y;
  return heatAt(chosen.x, chosen.y);
}

REGISTER_CLASS(HeatSpace, Diffuse2d,
  phase(Phase::Using),
  method<&HeatSpace::addHeat_X_Y>(msg::addHeat_X_Y),
  method<&HeatSpace::findExtremeType_X_Y>(msg::findExtremeType_X_Y))
