#include "model/WarmlingModelBrood.h"

#include <sys/sysinfo.h>

#include <algorithm>
#include <cstdint>

#include "activity/activity.h"
#include "defobj/phase.h"
#include "defobj/raise.h"
#include "model/HeatSpace.h"
#include "model/Warmling.h"
#include "objectbase/objectbase.h"

namespace {

int drawInteger(int min, int max) { return msg::getIntegerWithMin_withMax(uniformIntRand, min, max); }

const char* const BuildObjects = "-[WarmlingModelBrood buildObjects]";

// Adds count blocks of bytesEach to total and answers whether the total
// still fits in the machine's memory and swap. More would only end in the
// allocator or the OOM killer, without naming the parameter; a total that
// overflows does not fit either.
bool fitsInMemory(uint64_t* total, uint64_t count, uint64_t bytesEach) {
  uint64_t bytes;
  struct sysinfo machine;
  return !__builtin_mul_overflow(count, bytesEach, &bytes) && !__builtin_add_overflow(*total, bytes, total) &&
         sysinfo(&machine) == 0 && *total / machine.mem_unit <= uint64_t(machine.totalram) + machine.totalswap;
}

// Parameters come from probe displays and archives, so what the model
// cannot build is refused before anything is built. What the model does
// define (no warmlings for a negative count, heat capped at the hottest
// cell) is built as it is, with a warning.
void checkParameters(const WarmlingModelBrood* model) {
  if (model->worldXSize <= 0 || model->worldYSize <= 0)
    raiseAt(InvalidArgument, BuildObjects, "The world must have a positive size, not %d by %d.\n",
            model->worldXSize, model->worldYSize);
  // The heat's two buffers and the world take a word per cell each, and a
  // word per row for their row offsets.
  uint64_t bytes = 0;
  const uint64_t cells = uint64_t(model->worldXSize) * uint64_t(model->worldYSize);
  if (!fitsInMemory(&bytes, cells + uint64_t(model->worldYSize), 3 * sizeof(intptr_t)))
    raiseAt(InvalidArgument, BuildObjects, "A world of %d by %d cells needs more memory than this machine has.\n",
            model->worldXSize, model->worldYSize);
  // A warmling takes its object, its zone header, its link in the list and
  // the allocator's own words, on top of the world.
  if (model->numBugs < 0)
    raiseAt(WarningMessage, BuildObjects, "A negative number of warmlings, %d, builds none.\n", model->numBugs);
  else if (!fitsInMemory(&bytes, uint64_t(model->numBugs), sizeof(Warmling) + 8 * sizeof(void*)))
    raiseAt(InvalidArgument, BuildObjects, "A population of %d warmlings needs more memory than this machine has.\n",
            model->numBugs);
  // A cell below 0 has no colour and no meaning; above the hottest,
  // addHeat:X:Y: caps it.
  const int lowest = std::min(model->minOutputHeat, model->maxOutputHeat);
  const int highest = std::max(model->minOutputHeat, model->maxOutputHeat);
  if (lowest < 0)
    raiseAt(InvalidArgument, BuildObjects, "The output heats must not be negative, not %d..%d.\n",
            model->minOutputHeat, model->maxOutputHeat);
  if (highest > maxHeat)
    raiseAt(WarningMessage, BuildObjects, "Output heats up to %d leave at most %d in a cell.\n", highest, maxHeat);
}

}  // namespace

id WarmlingModelBrood::createBegin(Class cls, id zone) {
  auto* model = static_cast<WarmlingModelBrood*>(CBroodProcess::createBegin(cls, zone));
  model->numBugs = 100;
  model->evaporationRate = 0.99;
  model->diffuseConstant = 1.0;
  model->worldXSize = 80;
  model->worldYSize = 80;
  model->minIdealTemp = 17000;
  model->maxIdealTemp = 31000;
  model->minOutputHeat = 3000;
  model->maxOutputHeat = 10000;
  model->randomMoveProbability = 0.0;
  model->randomizeWarmlingUpdateOrder = NO;

  // The parameters first, then (after ":") the messages a user may send.
  static Class customProbeMap = objc_get_class("CustomProbeMap");
  id probeMap = msg::create_forClass_withIdentifiers(
      customProbeMap, zone, cls, "numBugs", "diffuseConstant", "worldXSize", "worldYSize",
      "minIdealTemp", "maxIdealTemp", "minOutputHeat", "maxOutputHeat", "evaporationRate",
      "randomMoveProbability", ":", "toggleRandomizedOrder", "addWarmling:", static_cast<const char*>(nullptr));
  msg::setProbeMap_For(probeLibrary, probeMap, cls);
  return model;
}

id WarmlingModelBrood::buildObjects() {
  Brood::buildObjects();
  checkParameters(this);
  static Class heatSpace = objc_get_class("HeatSpace"), grid = objc_get_class("Grid2d"),
               warmlingClass = objc_get_class("Warmling");
  const auto width = static_cast<unsigned>(worldXSize), height = static_cast<unsigned>(worldYSize);
  heat = static_cast<HeatSpace*>(msg::create_setSizeX_Y_setDiffusionConstant_setEvaporationRate(
      heatSpace, this, width, height, diffuseConstant, evaporationRate));
  world = msg::create_setSizeX_Y(grid, this, width, height);
  warmlingList = msg::create(List, this);

  // Warmlings may land on one cell: the later replaces the earlier in the
  // world, quietly, and both stay in the list.
  msg::setOverwriteWarnings(world, NO);
  for (int i = 0; i < numBugs; i++) {
    const int ideal = drawInteger(minIdealTemp, maxIdealTemp);
    const int output = drawInteger(minOutputHeat, maxOutputHeat);
    id warmling = msg::createBegin(warmlingClass, this);
    msg::setWorld_Heat(warmling, world, heat);
    warmling = msg::createEnd(warmling);
    msg::addLast(warmlingList, warmling);
    msg::setIdealTemperature(warmling, ideal);
    msg::setOutputHeat(warmling, output);
    msg::setRandomMoveProbability(warmling, static_cast<float>(randomMoveProbability));
    const int y = drawInteger(0, worldYSize - 1);
    const int x = drawInteger(0, worldXSize - 1);
    msg::setX_Y(warmling, x, y);
  }
  msg::setOverwriteWarnings(world, YES);
  return this;
}

// One step: the lattice diffuses, every warmling steps on the diffused
// heat, then the heat they left becomes current.
id WarmlingModelBrood::buildActions() {
  Brood::buildActions();
  modelActions = msg::create(ActionGroup, this);
  msg::createActionTo_message(modelActions, heat, msg::stepRule.sel);
  actionForEach = msg::createActionForEach_message(modelActions, warmlingList, msg::step.sel);
  // With many warmlings the walk fetches each one's neighbourhood a few
  // warmlings before it steps.
  setVisitHint(get_imp(objc_get_class("Warmling"), msg::step.sel), Warmling::prefetchStep);
  msg::_syncUpdateOrder_(this);
  msg::createActionTo_message(modelActions, heat, msg::updateLattice.sel);
  modelSchedule = msg::create_setRepeatInterval(Schedule, this, 1);
  msg::at_createAction(modelSchedule, 0, modelActions);
  return this;
}

id WarmlingModelBrood::activateIn(id context) {
  Brood::activateIn(context);
  msg::activateIn(modelSchedule, this);
  return msg::getActivity(this);
}

id WarmlingModelBrood::getWarmlingList() { return warmlingList; }
id WarmlingModelBrood::getWorld() { return world; }
id WarmlingModelBrood::getHeat() { return heat; }

// The warmling joins the list only; placing it in the world is the caller's.
// Any object may be dropped on the argument in the probe display; one that
// cannot step would end the run at the next step of the walk.
id WarmlingModelBrood::addWarmling(id warmling) {
  if (!msg::respondsTo(warmling, msg::step.sel)) {
    raiseAt(WarningMessage, "-[WarmlingModelBrood addWarmling:]", "%s cannot step; it is not added.\n",
            warmling ? msg::getName(warmling) : "nil");
    return this;
  }
  msg::addLast(warmlingList, warmling);
  return this;
}

BOOL WarmlingModelBrood::toggleRandomizedOrder() {
  randomizeWarmlingUpdateOrder = !randomizeWarmlingUpdateOrder;
  msg::_syncUpdateOrder_(this);
  return randomizeWarmlingUpdateOrder;
}

// Before buildActions there is no for-each action yet; it takes the flag
// when it is made.
void WarmlingModelBrood::_syncUpdateOrder_() {
  if (actionForEach) msg::setDefaultOrder(actionForEach, randomizeWarmlingUpdateOrder ? Randomized : Sequential);
}

REGISTER_CLASS(WarmlingModelBrood, Brood,
  ivar(&WarmlingModelBrood::numBugs, "numBugs"),
  ivar(&WarmlingModelBrood::evaporationRate, "evaporationRate"),
  ivar(&WarmlingModelBrood::diffuseConstant, "diffuseConstant"),
  ivar(&WarmlingModelBrood::worldXSize, "worldXSize"),
  ivar(&WarmlingModelBrood::worldYSize, "worldYSize"),
  ivar(&WarmlingModelBrood::minIdealTemp, "minIdealTemp"),
  ivar(&WarmlingModelBrood::maxIdealTemp, "maxIdealTemp"),
  ivar(&WarmlingModelBrood::minOutputHeat, "minOutputHeat"),
  ivar(&WarmlingModelBrood::maxOutputHeat, "maxOutputHeat"),
  ivar(&WarmlingModelBrood::randomMoveProbability, "randomMoveProbability"),
  ivar(&WarmlingModelBrood::randomizeWarmlingUpdateOrder, "randomizeWarmlingUpdateOrder"),
  ivar(&WarmlingModelBrood::modelActions, "modelActions"),
  ivar(&WarmlingModelBrood::modelSchedule, "modelSchedule"),
  ivar(&WarmlingModelBrood::actionForEach, "actionForEach"),
  ivar(&WarmlingModelBrood::warmlingList, "warmlingList"),
  ivar(&WarmlingModelBrood::world, "world"),
  ivar(&WarmlingModelBrood::heat, "heat"),
  phase(Phase::Creating),
  classMethod<&WarmlingModelBrood::createBegin>(msg::createBegin),
  phase(Phase::Using),
  method<&WarmlingModelBrood::buildObjects>(msg::buildObjects),
  method<&WarmlingModelBrood::buildActions>(msg::buildActions),
  method<&WarmlingModelBrood::activateIn>(msg::activateIn),
  method<&WarmlingModelBrood::getWarmlingList>(msg::getWarmlingList),
  method<&WarmlingModelBrood::getWorld>(msg::getWorld),
  method<&WarmlingModelBrood::getHeat>(msg::getHeat),
  method<&WarmlingModelBrood::addWarmling>(msg::addWarmling),
  method<&WarmlingModelBrood::toggleRandomizedOrder>(msg::toggleRandomizedOrder),
  method<&WarmlingModelBrood::_syncUpdateOrder_>(msg::_syncUpdateOrder_))
