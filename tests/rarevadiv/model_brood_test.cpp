// The model brood driven by code inside a top-level brood: its defaults,
// the population it builds, and runs held against the plain-C++ model.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "activity/activity.h"
#include "collections/stream_support.h"
#include "defobj/lispIn.h"
#include "model/HeatSpace.h"
#include "model/Warmling.h"
#include "model/WarmlingModelBrood.h"
#include "objectbase/ProbeMap.h"
#include "rarevadiv/reference_model.h"
#include "space/Grid2d.h"
#include "space/report.h"

namespace {

constexpr unsigned startupSeed = 321654789;

typedef std::function<void(WarmlingModelBrood&)> ModelSetup;

WarmlingModelBrood* newModel() {
  return static_cast<WarmlingModelBrood*>(msg::create(objc_get_class("WarmlingModelBrood"), _obj_globalZone));
}

void applyParameters(WarmlingModelBrood& m, const ModelParameters& p) {
  m.numBugs = p.numBugs;
  m.evaporationRate = p.evaporationRate;
  m.diffuseConstant = p.diffuseConstant;
  m.worldXSize = p.worldXSize;
  m.worldYSize = p.worldYSize;
  m.minIdealTemp = p.minIdealTemp;
  m.maxIdealTemp = p.maxIdealTemp;
  m.minOutputHeat = p.minOutputHeat;
  m.maxOutputHeat = p.maxOutputHeat;
  m.randomMoveProbability = p.randomMoveProbability;
}

std::vector<Warmling*> membersOf(id list) {
  std::vector<Warmling*> members;
  id index = msg::begin(list, _obj_scratchZone);
  while (id member = msg::next(index)) members.push_back(static_cast<Warmling*>(member));
  msg::drop(index);
  return members;
}

// A model brood built from the start-up seed and activated in a top-level
// brood, as a driver does.
struct ModelRun {
  WarmlingModelBrood* model;
  id top, topActivity;
  timeval_t time = 0;

  explicit ModelRun(const ModelSetup& setup = {}) : ModelRun(newModel(), setup) {}
  // Takes over a model made elsewhere (read from an archive, say).
  ModelRun(WarmlingModelBrood* made, const ModelSetup& setup) : model(made) {
    msg::setStateFromSeed(randomGenerator, startupSeed);
    if (setup) setup(*model);
    msg::buildObjects(model);
    msg::buildActions(model);
    top = msg::create(objc_get_class("Brood"), _obj_globalZone);
    topActivity = msg::activateIn(top, nil);
    id modelActivity = msg::activateIn(model, top);
    EXPECT_NE(modelActivity, nil);
    EXPECT_EQ(modelActivity, msg::getActivity(model));
  }
  ~ModelRun() {
    msg::drop(top);
    msg::drop(model);
  }

  void steps(timeval_t n) {
    time += n;
    EXPECT_EQ(msg::stepUntil(topActivity, time), Stopped);
  }
  std::vector<Warmling*> warmlings() const { return membersOf(model->warmlingList); }
  double averageUnhappiness() const {
    const std::vector<Warmling*> all = warmlings();
    double sum = 0;
    for (Warmling* w : all) sum += msg::getUnhappiness(w);
    return all.empty() ? 0 : sum / static_cast<double>(all.size());
  }
  std::vector<int> heat() const {
    auto* lattice = model->heat;
    return std::vector<int>(lattice->lattice, lattice->lattice + lattice->cellCount());
  }
};

// The heat lattice, every warmling's cell and the world's cells.
testing::AssertionResult sameState(const ModelRun& run, const ReferenceModel& reference) {
  if (run.heat() != reference.heat) return testing::AssertionFailure() << "the heat differs";
  const std::vector<Warmling*> warmlings = run.warmlings();
  for (size_t i = 0; i < warmlings.size(); i++)
    if (warmlings[i]->x != reference.bugs[i].x || warmlings[i]->y != reference.bugs[i].y)
      return testing::AssertionFailure() << "warmling " << i << " stands at (" << warmlings[i]->x << ","
                                         << warmlings[i]->y << ")";
  const intptr_t* cells = static_cast<Grid2d*>(run.model->world)->lattice;
  for (size_t c = 0; c < reference.occupants.size(); c++) {
    const int bug = reference.occupants[c];
    if (cells[c] != reinterpret_cast<intptr_t>(bug < 0 ? nil : warmlings[bug]))
      return testing::AssertionFailure() << "world cell " << c << " differs";
  }
  return testing::AssertionSuccess();
}

}  // namespace

// A new model's probe map: its parameters with their defaults, in the
// order a probe display shows them, then the two messages a user may send.
TEST(ModelBrood, DefaultsThroughTheProbeMap) {
  struct Entry {
    const char* name;
    double value;  // of a variable
  };
  const Entry entries[] = {
      {"numBugs", 100},         {"diffuseConstant", 1.0}, {"worldXSize", 80},
      {"worldYSize", 80},       {"minIdealTemp", 17000},  {"maxIdealTemp", 31000},
      {"minOutputHeat", 3000},  {"maxOutputHeat", 10000}, {"evaporationRate", 0.99},
      {"randomMoveProbability", 0.0}, {"toggleRandomizedOrder", 0}, {"addWarmling:", 0},
  };
  WarmlingModelBrood* model = newModel();
  id map = msg::getProbeMapFor(probeLibrary, model->isa);
  ASSERT_NE(map, nil);
  EXPECT_EQ(map->isa, objc_get_class("CustomProbeMap"));
  ASSERT_EQ(msg::getCount(map), std::size(entries));
  id index = msg::begin(map, _obj_scratchZone);
  for (const Entry& e : entries) {
    SCOPED_TRACE(e.name);
    id probe = msg::next(index);
    EXPECT_STREQ(probeName(probe), e.name);
    if (probe->isa == objc_get_class("VarProbe")) {
      EXPECT_EQ(msg::probeAsDouble(probe, model), e.value);
    }
  }
  msg::drop(index);
  EXPECT_EQ(msg::getProbeForMessage(map, "toggleRandomizedOrder")->isa, objc_get_class("MessageProbe"));
  EXPECT_EQ(model->randomizeWarmlingUpdateOrder, NO);
  EXPECT_EQ(msg::longDynamicCallOn(msg::getProbeForMessage(map, "toggleRandomizedOrder"), model), YES);
  EXPECT_EQ(model->randomizeWarmlingUpdateOrder, YES);
  for (id built : {model->modelActions, model->modelSchedule, model->actionForEach, model->warmlingList,
                   model->world, static_cast<id>(model->heat)})
    EXPECT_EQ(built, nil);
  msg::drop(model);
}

// 100 warmlings on an 80 by 80 lattice, drawn in the order ideal, output,
// y, x from the start-up seed; a later warmling on a taken cell replaces
// the earlier one in the world.
TEST(ModelBrood, PopulationFromTheStartupSeed) {
  ModelRun run;
  const ReferenceModel reference({}, startupSeed);
  const std::vector<Warmling*> warmlings = run.warmlings();
  ASSERT_EQ(warmlings.size(), 100u);
  EXPECT_EQ(msg::getWarmlingList(run.model), run.model->warmlingList);
  id world = msg::getWorld(run.model), heat = msg::getHeat(run.model);
  for (id lattice : {world, heat}) {
    EXPECT_EQ(msg::getSizeX(lattice), 80u);
    EXPECT_EQ(msg::getSizeY(lattice), 80u);
  }
  EXPECT_EQ(static_cast<Grid2d*>(world)->overwriteWarnings, YES);
  EXPECT_TRUE(sameState(run, reference));
  for (size_t i = 0; i < warmlings.size(); i++) {
    const Warmling* w = warmlings[i];
    SCOPED_TRACE(i);
    EXPECT_EQ(w->idealTemperature, reference.bugs[i].ideal);
    EXPECT_EQ(w->outputHeat, reference.bugs[i].output);
    EXPECT_GE(w->idealTemperature, 17000);
    EXPECT_LE(w->idealTemperature, 31000);
    EXPECT_GE(w->outputHeat, 3000);
    EXPECT_LE(w->outputHeat, 10000);
    EXPECT_EQ(w->randomMoveProbability, 0.0f);
    EXPECT_EQ(w->world, world);
    EXPECT_EQ(w->heat, heat);
  }
}

// Every value of a range is drawn, both bounds included, whichever order
// the bounds come in.
TEST(ModelBrood, BothBoundsOfTheRangesAreDrawn) {
  struct Range {
    int min, max;
    std::set<int> values;
  };
  const Range ranges[] = {{5, 7, {5, 6, 7}}, {9, 8, {8, 9}}, {4, 4, {4}}};
  for (const Range& ideal : ranges)
    for (const Range& output : ranges) {
      ModelRun run([&](WarmlingModelBrood& m) {
        m.numBugs = 60;
        m.minIdealTemp = ideal.min;
        m.maxIdealTemp = ideal.max;
        m.minOutputHeat = output.min;
        m.maxOutputHeat = output.max;
      });
      std::set<int> ideals, outputs;
      for (const Warmling* w : run.warmlings()) {
        ideals.insert(w->idealTemperature);
        outputs.insert(w->outputHeat);
      }
      EXPECT_EQ(ideals, ideal.values);
      EXPECT_EQ(outputs, output.values);
    }
}

// Every warmling reads the heat as it was before the step's deposits: in
// the first step all see a cold lattice, and what they leave shows after
// the step's last updateLattice.
TEST(ModelBrood, HeatLeftInAStepShowsAfterTheNextUpdate) {
  ModelRun run;
  std::vector<int> expected(6400, 0);
  for (const Warmling* w : run.warmlings())
    expected[w->y * 80 + w->x] = w->outputHeat;  // deposits start from 0: the last one stays
  run.steps(1);
  for (Warmling* w : run.warmlings()) EXPECT_EQ(msg::getUnhappiness(w), w->idealTemperature / 32767.0);
  EXPECT_EQ(run.heat(), expected);
  EXPECT_EQ(std::vector<int>(msg::getNewLattice(run.model->heat), msg::getNewLattice(run.model->heat) + 6400),
            expected);
}

struct Scenario {
  const char* name;
  ModelParameters parameters;
  timeval_t steps;
};

void PrintTo(const Scenario& s, std::ostream* os) { *os << s.name; }

class AgainstThePlainModel : public testing::TestWithParam<Scenario> {};

// Each step's average unhappiness, heat lattice, positions and world equal
// the plain model's, drawn from the same seed. The default scenario is the
// full 250-step run.
TEST_P(AgainstThePlainModel, EveryStepAgrees) {
  const Scenario& s = GetParam();
  ModelRun run([&](WarmlingModelBrood& m) { applyParameters(m, s.parameters); });
  ReferenceModel reference(s.parameters, startupSeed);
  for (timeval_t t = 1; t <= s.steps; t++) {
    SCOPED_TRACE("step " + std::to_string(t));
    run.steps(1);
    reference.step();
    ASSERT_EQ(run.averageUnhappiness(), reference.averageUnhappiness());
    ASSERT_TRUE(sameState(run, reference));
  }
  EXPECT_EQ(msg::getCurrentTime(run.topActivity), s.steps);
}

ModelParameters crowded() {
  ModelParameters p;
  p.numBugs = 450;
  p.worldXSize = 30;
  p.worldYSize = 20;
  p.diffuseConstant = 0.7;
  p.evaporationRate = 0.95;
  p.minIdealTemp = 0;
  p.maxIdealTemp = 32767;
  p.minOutputHeat = 0;
  p.maxOutputHeat = 32767;
  p.randomMoveProbability = 0.4;
  return p;
}

// Output heats beyond what a cell holds: addHeat:X:Y: caps each deposit.
ModelParameters beyondTheHottest() {
  ModelParameters p;
  p.minOutputHeat = 20000;
  p.maxOutputHeat = 60000;
  return p;
}

ModelParameters oneRow() {
  ModelParameters p;
  p.numBugs = 3;
  p.worldXSize = 7;
  p.worldYSize = 1;
  p.randomMoveProbability = 1.0;
  return p;
}

INSTANTIATE_TEST_SUITE_P(Scenarios, AgainstThePlainModel,
                         testing::Values(Scenario{"Defaults", {}, 250},
                                         Scenario{"CrowdedWithRandomMovesAndSaturatedHeat", crowded(), 60},
                                         Scenario{"OneRowAlwaysMovingAtRandom", oneRow(), 40},
                                         Scenario{"OutputHeatsBeyondTheHottest", beyondTheHottest(), 40}),
                         [](const testing::TestParamInfo<Scenario>& info) { return std::string(info.param.name); });

// The shallow form writes the brood's objects as nil. Read into a new
// brood it gives back every parameter, while the zone and synchronization
// type that creation made stay: the new brood builds and runs the model of
// those parameters.
TEST(ModelBrood, AShallowFormReadsBackIntoANewBrood) {
  WarmlingModelBrood* original = newModel();
  applyParameters(*original, crowded());
  const std::string form = written([&](id stream) { msg::lispOutShallow(original, stream); });
  for (const char* cleared : {" #:internalZone nil", " #:syncType nil", " #:heat nil"})
    EXPECT_NE(form.find(cleared), std::string::npos) << form;
  auto* copy = static_cast<WarmlingModelBrood*>(lispIn(_obj_globalZone, readOne(form)));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(written([&](id stream) { msg::lispOutShallow(copy, stream); }), form);
  EXPECT_NE(copy->internalZone, nil);
  EXPECT_NE(copy->internalZone, original->internalZone);
  EXPECT_EQ(copy->syncType, original->syncType);
  msg::drop(original);
  ModelRun run(copy, {});
  ReferenceModel reference(crowded(), startupSeed);
  for (int t = 1; t <= 5; t++) {
    run.steps(1);
    reference.step();
    ASSERT_TRUE(sameState(run, reference)) << "step " << t;
  }
}

// Under the randomized order the warmlings step in a fresh order each time,
// drawn from the shared generator: one seed still gives one run, and not
// the run of the list order.
TEST(ModelBrood, RandomizedOrderRepeatsFromOneSeed) {
  constexpr int steps = 15;
  std::vector<std::vector<double>> averages(2);
  std::vector<std::vector<int>> lattices(2);
  for (int i = 0; i < 2; i++) {
    ModelRun run([](WarmlingModelBrood& m) { m.randomizeWarmlingUpdateOrder = YES; });
    EXPECT_EQ(msg::getDefaultOrder(run.model->actionForEach), Randomized);
    // Only the order draws from uniformUnsRand: one permuted pass a step.
    const unsigned long long n = run.warmlings().size();
    for (int t = 0; t < steps; t++) {
      const unsigned long long calls = msg::getCurrentCount(uniformUnsRand);
      run.steps(1);
      EXPECT_EQ(msg::getCurrentCount(uniformUnsRand) - calls, (n - 1) * (2 * n + 3)) << "step " << t;
      averages[i].push_back(run.averageUnhappiness());
    }
    lattices[i] = run.heat();
  }
  EXPECT_EQ(averages[0], averages[1]);
  EXPECT_EQ(lattices[0], lattices[1]);
  ReferenceModel listOrder({}, startupSeed);
  for (int t = 0; t < steps; t++) listOrder.step();
  EXPECT_NE(lattices[0], listOrder.heat);
}

// Before buildActions the toggle only flips the flag; the for-each action
// takes it when it is made, and later toggles reach it at once.
TEST(ModelBrood, ToggleRandomizedOrder) {
  msg::setStateFromSeed(randomGenerator, startupSeed);
  WarmlingModelBrood* model = newModel();
  EXPECT_EQ(msg::toggleRandomizedOrder(model), YES);
  EXPECT_EQ(model->randomizeWarmlingUpdateOrder, YES);
  EXPECT_EQ(model->actionForEach, nil);
  msg::buildObjects(model);
  msg::buildActions(model);
  EXPECT_EQ(msg::getDefaultOrder(model->actionForEach), Randomized);
  EXPECT_EQ(msg::toggleRandomizedOrder(model), NO);
  EXPECT_EQ(msg::getDefaultOrder(model->actionForEach), Sequential);
  EXPECT_EQ(msg::toggleRandomizedOrder(model), YES);
  EXPECT_EQ(msg::getDefaultOrder(model->actionForEach), Randomized);
  msg::drop(model);
}

// The population is made once, at buildObjects: numBugs changed later (as
// in a probe display) makes no difference; 0 makes none, and the
// lattice still steps.
TEST(ModelBrood, PopulationSize) {
  struct Case {
    int numBugs;
    const char* changedAfterBuild;
    unsigned count;
  };
  const Case cases[] = {{100, "5", 100}, {3, "300", 3}, {0, "10", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.numBugs);
    ModelRun run([&](WarmlingModelBrood& m) { m.numBugs = c.numBugs; });
    id probe = msg::getProbeForVariable(msg::getProbeMapFor(probeLibrary, run.model->isa), "numBugs");
    ASSERT_TRUE(msg::setData_ToString(probe, run.model, c.changedAfterBuild));
    EXPECT_EQ(run.model->numBugs, std::stoi(c.changedAfterBuild));
    run.steps(3);
    EXPECT_EQ(msg::getCount(run.model->warmlingList), c.count);
    EXPECT_EQ(msg::getCurrentTime(run.topActivity), 3u);
  }
}

// A negative count and output heats beyond the hottest cell are what the
// model defines (no warmlings; heat capped by addHeat:X:Y:): the run is
// built and steps, with a warning.
TEST(ModelBrood, ParametersTheModelCapsAreBuiltWithAWarning) {
  struct Case {
    const char* what;
    ModelSetup setup;
    const char* warning;
    unsigned count;
  };
  const Case cases[] = {
      {"negative count", [](WarmlingModelBrood& m) { m.numBugs = -5; },
       "A negative number of warmlings, -5, builds none.\n", 0},
      {"heat beyond the hottest", [](WarmlingModelBrood& m) { m.minOutputHeat = m.maxOutputHeat = 40000; },
       "Output heats up to 40000 leave at most 32767 in a cell.\n", 100},
      {"heat beyond the hottest as the lower bound", [](WarmlingModelBrood& m) { m.minOutputHeat = 50000; },
       "Output heats up to 50000 leave at most 32767 in a cell.\n", 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::optional<ModelRun> run;
    const std::string reports = report::capturedStderr([&] { run.emplace(c.setup); });
    EXPECT_EQ(std::regex_replace(reports, std::regex("line: [0-9]+"), "line: N"),
              std::string("*** event raised for warning: WarningMessage\n*** function: -[WarmlingModelBrood "
                          "buildObjects](), file: WarmlingModelBrood.cpp, line: N\n") +
                  c.warning + "*** execution continuing...\n");
    run->steps(3);
    EXPECT_EQ(msg::getCount(run->model->warmlingList), c.count);
    const std::vector<int> heat = run->heat();
    EXPECT_EQ(*std::max_element(heat.begin(), heat.end()), c.count ? maxHeat : 0);
  }
}

// An added warmling joins the list and the step from then on; placing it
// in the world is left to the caller.
TEST(ModelBrood, AddWarmlingAppendsToTheList) {
  ModelRun run([](WarmlingModelBrood& m) { m.numBugs = 2; });
  id warmling = msg::createBegin(objc_get_class("Warmling"), run.model);
  msg::setWorld_Heat(warmling, run.model->world, run.model->heat);
  auto* added = static_cast<Warmling*>(msg::createEnd(warmling));
  msg::setIdealTemperature(added, 20000);
  msg::setOutputHeat(added, 5000);
  added->x = added->y = 40;
  EXPECT_EQ(msg::addWarmling(run.model, added), run.model);
  EXPECT_EQ(msg::getCount(run.model->warmlingList), 3u);
  EXPECT_EQ(msg::getLast(run.model->warmlingList), added);
  EXPECT_EQ(msg::getObjectAtX_Y(run.model->world, 40, 40), nil);
  run.steps(1);
  EXPECT_EQ(msg::getUnhappiness(added), 20000 / 32767.0);
  EXPECT_EQ(msg::getValueAtX_Y(run.model->heat, 40, 40), 5000);
  EXPECT_EQ(msg::getObjectAtX_Y(run.model->world, added->x, added->y), added);
}

// What a probe display lets a person drop on the argument need not be a
// warmling: one that cannot step is warned about and left out.
TEST(ModelBrood, AddWarmlingLeavesOutWhatCannotStep) {
  ModelRun run([](WarmlingModelBrood& m) { m.numBugs = 2; });
  for (id other : {static_cast<id>(run.model), static_cast<id>(nil)}) {
    const std::string reports =
        report::capturedStderr([&] { EXPECT_EQ(msg::addWarmling(run.model, other), run.model); });
    EXPECT_NE(reports.find(std::string(other ? "WarmlingModelBrood" : "nil") + " cannot step; it is not added.\n"),
              std::string::npos)
        << reports;
  }
  EXPECT_EQ(msg::getCount(run.model->warmlingList), 2u);
  run.steps(2);
}

TEST(ModelBroodDeathTest, ParametersTheLatticesCannotTake) {
  struct Case {
    const char* what;
    ModelSetup setup;
    const char* message;
  };
  const Case cases[] = {
      {"no width", [](WarmlingModelBrood& m) { m.worldXSize = 0; },
       "The world must have a positive size, not 0 by 80.\n"},
      {"negative height", [](WarmlingModelBrood& m) { m.worldYSize = -3; },
       "The world must have a positive size, not 80 by -3.\n"},
      {"a world beyond memory", [](WarmlingModelBrood& m) { m.worldXSize = m.worldYSize = 1 << 20; },
       "A world of 1048576 by 1048576 cells needs more memory than this machine has.\n"},
      {"a world whose size overflows", [](WarmlingModelBrood& m) { m.worldXSize = m.worldYSize = 2147483647; },
       "A world of 2147483647 by 2147483647 cells needs more memory than this machine has.\n"},
      {"a population beyond memory", [](WarmlingModelBrood& m) { m.numBugs = 2147483647; },
       "A population of 2147483647 warmlings needs more memory than this machine has.\n"},
      {"negative heat", [](WarmlingModelBrood& m) { m.minOutputHeat = -1; },
       "The output heats must not be negative, not -1..10000.\n"},
      {"negative heat as the upper bound", [](WarmlingModelBrood& m) { m.maxOutputHeat = -1; },
       "The output heats must not be negative, not 3000..-1.\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WarmlingModelBrood* model = newModel();
    c.setup(*model);
    EXPECT_DEATH(msg::buildObjects(model), report::error("InvalidArgument", "-[WarmlingModelBrood buildObjects]",
                                                         "WarmlingModelBrood.cpp", c.message));
    msg::drop(model);
  }
}
