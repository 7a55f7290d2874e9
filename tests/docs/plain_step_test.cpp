// The warmling step as a new model first writes it, every read and write a
// plain message, held to the model's own step: from one seed both give the
// same runs. The guide to writing a model shows this step.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "activity/activity.h"
#include "defobj/phase.h"
#include "model/HeatSpace.h"
#include "model/Warmling.h"
#include "model/WarmlingModelBrood.h"
#include "random/random.h"
#include "runtime/registration.h"

namespace {

struct PlainWarmling : Warmling {
  id step();
};

int drawInteger(int min, int max) { return msg::getIntegerWithMin_withMax(uniformIntRand, min, max); }

id PlainWarmling::step() {
  const HeatValue heatHere = static_cast<HeatValue>(msg::getValueAtX_Y(heat, x, y));
  unhappiness = std::fabs(static_cast<double>(idealTemperature) - heatHere) / 32767.0;

  int targetX = x, targetY = y;
  msg::findExtremeType_X_Y(heat, heatHere < idealTemperature ? hot : cold, &targetX, &targetY);

  const auto chance = static_cast<float>(msg::getDoubleWithMin_withMax(uniformDblRand, 0.0, 1.0));
  if (chance < randomMoveProbability) {
    targetX = (x + drawInteger(-1, 1) + worldXSize) % worldXSize;
    targetY = (y + drawInteger(-1, 1) + worldYSize) % worldYSize;
  }

  if (unhappiness == 0.0) {
    msg::addHeat_X_Y(heat, outputHeat, x, y);
    return this;
  }

  if (targetX != x || targetY != y) {
    // A taken cell: up to ten draws of a neighbour (1 to 8, row by row,
    // the centre skipped); after the tenth the warmling stays.
    static const int dx[8] = {-1, 0, 1, -1, 1, -1, 0, 1}, dy[8] = {-1, -1, -1, 0, 0, 1, 1, 1};
    int redraws = 0;
    while (msg::getObjectAtX_Y(world, targetX, targetY) && redraws < 10) {
      const int n = drawInteger(1, 8) - 1;
      targetX = (x + dx[n] + worldXSize) % worldXSize;
      targetY = (y + dy[n] + worldYSize) % worldYSize;
      redraws++;
    }
    if (redraws == 10) {
      targetX = x;
      targetY = y;
    }
  }

  msg::addHeat_X_Y(heat, outputHeat, x, y);
  msg::putObject_atX_Y(world, nil, x, y);
  x = targetX;
  y = targetY;
  msg::putObject_atX_Y(world, this, x, y);
  return this;
}

}  // namespace

REGISTER_CLASS(PlainWarmling, Warmling,
  phase(Phase::Using),
  method<&PlainWarmling::step>(msg::step))

namespace {

struct Trace {
  std::vector<double> unhappiness;  // the average of each step
  std::vector<int> cells;           // every warmling's cell at the end
  std::vector<intptr_t> heat;

  bool operator==(const Trace&) const = default;
};

// A run of the model from one seed; with `plain` its warmlings step by
// the plain step.
Trace run(int numBugs, int size, double randomMove, bool plain) {
  static Class plainClass = (objc_register_PlainWarmling(), objc_get_class("PlainWarmling"));
  msg::setStateFromSeed(randomGenerator, 321654789);
  auto* model = static_cast<WarmlingModelBrood*>(msg::create(objc_get_class("WarmlingModelBrood"), _obj_globalZone));
  model->numBugs = numBugs;
  model->worldXSize = model->worldYSize = size;
  model->randomMoveProbability = randomMove;
  msg::buildObjects(model);
  std::vector<Warmling*> warmlings;
  id index = msg::begin(model->warmlingList, _obj_scratchZone);
  while (id member = msg::next(index)) warmlings.push_back(static_cast<Warmling*>(member));
  msg::drop(index);
  if (plain)
    for (Warmling* w : warmlings) w->isa = plainClass;  // same layout, another step
  msg::buildActions(model);
  id top = msg::create(objc_get_class("Brood"), _obj_globalZone);
  id topActivity = msg::activateIn(top, nil);
  msg::activateIn(model, top);

  Trace trace;
  for (timeval_t t = 1; t <= 60; t++) {
    msg::stepUntil(topActivity, t);
    double sum = 0;
    for (Warmling* w : warmlings) sum += w->unhappiness;
    trace.unhappiness.push_back(sum / static_cast<double>(warmlings.size()));
  }
  for (Warmling* w : warmlings) trace.cells.insert(trace.cells.end(), {w->x, w->y});
  trace.heat.assign(model->heat->lattice, model->heat->lattice + size * size);
  msg::drop(top);
  msg::drop(model);
  return trace;
}

}  // namespace

// The defaults, and a crowded world with random moves, where warmlings
// meet taken cells and re-draw.
TEST(PlainStep, RunsAsTheModelsOwnStep) {
  struct Case {
    int numBugs, size;
    double randomMove;
  };
  for (const Case& c : {Case{100, 80, 0.0}, Case{300, 20, 0.5}}) {
    SCOPED_TRACE(testing::Message() << c.numBugs << " warmlings on " << c.size << " by " << c.size);
    const Trace fast = run(c.numBugs, c.size, c.randomMove, false);
    const Trace plain = run(c.numBugs, c.size, c.randomMove, true);
    EXPECT_TRUE(fast == plain);
    EXPECT_NE(fast.unhappiness.front(), fast.unhappiness.back());  // the run moved
  }
}
