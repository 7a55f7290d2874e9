#include "model/Warmling.h"

#include <cmath>

#include "defobj/phase.h"
#include "defobj/raise.h"
#include "model/HeatSpace.h"
#include "random/random.h"
#include "runtime/cached_send.h"
#include "space/Discrete2d.h"
#include "voduva/raster_messages.h"  // header only: the model links no Tk

id Warmling::setWorld_Heat(id aWorld, id aHeat) {
  if (world || heat)
    raiseAt(InvalidArgument, "-[Warmling setWorld:Heat:]",
            "You can only set the world/heat of a warmling at creation time\n");
  world = aWorld;
  heat = static_cast<HeatSpace*>(aHeat);
  return this;
}

id Warmling::createEnd() {
  if (!world || !heat)
    raiseAt(InvalidCombination, "-[Warmling createEnd]",
            "Warmling was created without a world or heat.\n");
  worldXSize = static_cast<int>(msg::getSizeX(world));
  worldYSize = static_cast<int>(msg::getSizeY(world));
  return BroodObject::createEnd();
}

id Warmling::setIdealTemperature(int temperature) {
  idealTemperature = temperature;
  return this;
}

id Warmling::setOutputHeat(int heatOut) {
  outputHeat = heatOut;
  return this;
}

id Warmling::setRandomMoveProbability(float probability) {
  randomMoveProbability = probability;
  return this;
}

id Warmling::setBugColor(unsigned char color) {
  bugColor = color;
  return this;
}

// The world's cells are not bounds-checked, so a position from outside
// (a probe, an archive) is checked here.
id Warmling::setX_Y(int newX, int newY) {
  if (static_cast<unsigned>(newX) >= msg::getSizeX(world) ||
      static_cast<unsigned>(newY) >= msg::getSizeY(world))
    raiseAt(InvalidArgument, "-[Warmling setX:Y:]", "(%d,%d) is not a cell of the world\n", newX,
            newY);
  x = newX;
  y = newY;
  msg::putObject_atX_Y(world, this, x, y);
  return this;
}

double Warmling::getUnhappiness() { return unhappiness; }

namespace {

int drawInteger(int min, int max) { return msg::getIntegerWithMin_withMax(uniformIntRand, min, max); }

// Neighbour n (1 to 8) of a cell, row by row with the centre skipped.
struct Offset {
  int dx, dy;
};
constexpr Offset neighbours[8] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0},
                                  {1, 0},   {-1, 1}, {0, 1},  {1, 1}};
constexpr int maxRedraws = 10;

// Everything a step reads or writes lies in the 3x3 neighbourhood of its
// cell: the current heat, the pending heat of the cell itself and the
// world's cells. Asked for all at once, the cache misses of a large
// lattice overlap instead of following one another (the world is read
// only once the heat has chosen the target). Forced inline: a function that
// only prefetches looks free of effects to the optimizer, which would drop
// the call.
[[gnu::always_inline]] inline void prefetchNeighbourhood(const Discrete2d* world, const HeatSpace* heat, int x,
                                                         int y, int w, int h) {
  const int left = wrapCoordinate(x - 1, w), right = wrapCoordinate(x + 1, w);
  for (int dy = -1; dy <= 1; dy++) {
    const int row = wrapCoordinate(y + dy, h);
    for (const intptr_t* cells : {world->lattice + world->offsets[row], heat->lattice + heat->offsets[row]}) {
      __builtin_prefetch(cells + left);
      __builtin_prefetch(cells + right);
    }
  }
  __builtin_prefetch(heat->newLattice + heat->offsets[y] + x, 1);
}

}  // namespace

// The cells of both lattices are read in place, as their layout allows;
// the random draws come in a fixed order (the search's pick, the move
// chance, the random move, the re-draws) so that a seeded run repeats.
id Warmling::step() {
  // Every warmling of a model sends these to the same lattices and
  // distribution at every step.
  static CachedSend findExtreme(msg::findExtremeType_X_Y);
  static CachedSend leaveHeat(msg::addHeat_X_Y);
  static CachedSend drawUnit(msg::getDoubleWithMin_withMax);
  static CachedSend place(msg::putObject_atX_Y);
  const auto* cells = static_cast<const Discrete2d*>(world);
  prefetchNeighbourhood(cells, heat, x, y, worldXSize, worldYSize);
  const HeatValue heatHere = heat->heatAt(x, y);
  unhappiness = std::fabs(static_cast<double>(idealTemperature) - heatHere) / 32767.0;

  int targetX = x, targetY = y;
  findExtreme(heat, heatHere < idealTemperature ? hot : cold, &targetX, &targetY);

  const auto chance = static_cast<float>(drawUnit(uniformDblRand, 0.0, 1.0));
  if (chance < randomMoveProbability) {
    targetX = wrapCoordinate(x + drawInteger(-1, 1), worldXSize);
    targetY = wrapCoordinate(y + drawInteger(-1, 1), worldYSize);
  }

  if (unhappiness == 0.0) {
    leaveHeat(heat, outputHeat, x, y);
    return this;
  }

  if (targetX != x || targetY != y) {
    // The move is given up once ten re-draws have been made, even when the
    // last one found a free cell.
    int redraws = 0;
    while (cells->lattice[cells->offsets[targetY] + targetX] && redraws < maxRedraws) {
      const Offset& n = neighbours[drawInteger(1, 8) - 1];
      targetX = wrapCoordinate(x + n.dx, worldXSize);
      targetY = wrapCoordinate(y + n.dy, worldYSize);
      redraws++;
    }
    if (redraws == maxRedraws) {
      targetX = x;
      targetY = y;
    }
  }

  leaveHeat(heat, outputHeat, x, y);
  place(world, nil, x, y);
  x = targetX;
  y = targetY;
  place(world, this, x, y);
  return this;
}

void Warmling::prefetchStep(id warmling) {
  const auto* w = static_cast<const Warmling*>(warmling);
  prefetchNeighbourhood(static_cast<const Discrete2d*>(w->world), w->heat, w->x, w->y, w->worldXSize, w->worldYSize);
}

id Warmling::drawSelfOn(id raster) {
  msg::drawPointX_Y_Color(raster, x, y, bugColor);
  return this;
}

REGISTER_CLASS(Warmling, BroodObject,
  ivar(&Warmling::unhappiness, "unhappiness"),
  ivar(&Warmling::x, "x"),
  ivar(&Warmling::y, "y"),
  ivar(&Warmling::idealTemperature, "idealTemperature"),
  ivar(&Warmling::outputHeat, "outputHeat"),
  ivar(&Warmling::randomMoveProbability, "randomMoveProbability"),
  ivar(&Warmling::world, "world"),
  ivar(&Warmling::worldXSize, "worldXSize"),
  ivar(&Warmling::worldYSize, "worldYSize"),
  ivar(&Warmling::heat, "heat"),
  ivar(&Warmling::bugColor, "bugColor"),
  phase(Phase::Creating),
  method<&Warmling::setWorld_Heat>(msg::setWorld_Heat),
  method<&Warmling::createEnd>(msg::createEnd),
  phase(Phase::Setting),
  method<&Warmling::setIdealTemperature>(msg::setIdealTemperature),
  method<&Warmling::setOutputHeat>(msg::setOutputHeat),
  method<&Warmling::setRandomMoveProbability>(msg::setRandomMoveProbability),
  method<&Warmling::setBugColor>(msg::setBugColor),
  method<&Warmling::setX_Y>(msg::setX_Y),
  phase(Phase::Using),
  method<&Warmling::getUnhappiness>(msg::getUnhappiness),
  method<&Warmling::step>(msg::step),
  method<&Warmling::drawSelfOn>(msg::drawSelfOn))
