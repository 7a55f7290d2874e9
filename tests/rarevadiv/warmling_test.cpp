#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "model/HeatSpace.h"
#include "model/Warmling.h"
#include "model/warmling_model.h"
#include "random/random.h"
#include "space/report.h"

namespace {

// Scripted stand-ins for the shared distributions: each draw answers the
// next scripted value and is logged with its range, so a test states both
// what the warmling drew and in which order.
std::deque<double> script;
std::vector<std::string> draws;

double nextScripted() {
  if (script.empty()) {
    ADD_FAILURE() << "more draws than scripted";
    return 0;
  }
  const double value = script.front();
  script.pop_front();
  return value;
}

struct ScriptedDraws : Object {
  int getIntegerWithMin_withMax(int min, int max) {
    draws.push_back("int " + std::to_string(min) + " " + std::to_string(max));
    return static_cast<int>(nextScripted());
  }
  double getDoubleWithMin_withMax(double min, double max) {
    draws.push_back("double " + std::to_string(static_cast<int>(min)) + " " +
                    std::to_string(static_cast<int>(max)));
    return nextScripted();
  }
};

REGISTER_CLASS(ScriptedDraws, Object,
  method<&ScriptedDraws::getIntegerWithMin_withMax>(msg::getIntegerWithMin_withMax),
  method<&ScriptedDraws::getDoubleWithMin_withMax>(msg::getDoubleWithMin_withMax))

const std::string pick(int last) { return "int 0 " + std::to_string(last); }
const std::string chance = "double 0 1";
const std::string offset = "int -1 1";
const std::string redraw = "int 1 8";

typedef std::pair<int, int> Cell;
typedef std::vector<std::pair<Cell, HeatValue>> HeatMap;

// A 5 by 5 world with one warmling; every cell's heat is `background`
// unless the case says otherwise.
class WarmlingStep : public testing::Test {
 protected:
  id heat = nil, world = nil, warmling = nil;
  std::vector<id> others;
  id savedInt = nil, savedDbl = nil;

  void SetUp() override {
    if (!objc_lookup_class("ScriptedDraws")) objc_register_ScriptedDraws();
    savedInt = uniformIntRand;
    savedDbl = uniformDblRand;
    uniformIntRand = uniformDblRand = class_create_instance(objc_get_class("ScriptedDraws"));
    script.clear();
    draws.clear();
    heat = msg::create_setSizeX_Y_setDiffusionConstant_setEvaporationRate(
        objc_get_class("HeatSpace"), _obj_globalZone, 5, 5, 1.0, 1.0);
    world = msg::create_setSizeX_Y(objc_get_class("Grid2d"), _obj_globalZone, 5, 5);
  }

  void TearDown() override {
    object_dispose(uniformIntRand);
    uniformIntRand = savedInt;
    uniformDblRand = savedDbl;
    for (id o : others) msg::drop(o);
    for (id o : {warmling, world, heat}) msg::drop(o);
  }

  void place(Cell at, int ideal, float probability, HeatValue background, const HeatMap& map) {
    msg::fillWithValue(heat, background);
    for (auto& [cell, value] : map) msg::putValue_atX_Y(heat, value, cell.first, cell.second);
    msg::updateLattice(heat);  // both buffers hold the map, as after a step
    warmling = msg::createBegin(objc_get_class("Warmling"), _obj_globalZone);
    msg::setWorld_Heat(warmling, world, heat);
    warmling = msg::createEnd(warmling);
    msg::setIdealTemperature(warmling, ideal);
    msg::setOutputHeat(warmling, 1000);
    msg::setRandomMoveProbability(warmling, probability);
    msg::setX_Y(warmling, at.first, at.second);
  }

  void occupy(const std::vector<Cell>& cells) {
    for (auto [x, y] : cells) {
      others.push_back(msg::create(objc_get_class("BroodObject"), _obj_globalZone));
      msg::putObject_atX_Y(world, others.back(), x, y);
    }
  }

  Cell position() {
    auto* w = static_cast<Warmling*>(warmling);
    return {w->x, w->y};
  }
  intptr_t current(Cell c) { return msg::getValueAtX_Y(heat, c.first, c.second); }
  intptr_t pending(Cell c) { return msg::getNewLattice(heat)[msg::getOffsets(heat)[c.second] + c.first]; }
  id occupant(Cell c) { return msg::getObjectAtX_Y(world, c.first, c.second); }

  // Steps and checks the move and the heat left behind on the old cell.
  void stepAndExpectMove(Cell from, Cell to, const std::vector<std::string>& expectedDraws) {
    const intptr_t before = current(from);
    EXPECT_EQ(msg::step(warmling), warmling);
    EXPECT_EQ(draws, expectedDraws);
    EXPECT_TRUE(script.empty()) << "fewer draws than scripted";
    EXPECT_EQ(position(), to);
    EXPECT_EQ(occupant(to), warmling);
    if (from != to) {
      EXPECT_EQ(occupant(from), nil);
    }
    EXPECT_EQ(current(from), before) << "deposits wait for the next update";
    EXPECT_EQ(pending(from), before + 1000);
  }
};

TEST_F(WarmlingStep, ContentWarmlingHeatsItsCellAndStays) {
  place({2, 2}, 20000, 1.0f, 0, {{{2, 2}, 20000}});
  script = {0, 0.25, 1, 1};  // a cool neighbour and a random move are drawn, then ignored
  stepAndExpectMove({2, 2}, {2, 2}, {pick(7), chance, offset, offset});
  EXPECT_EQ(msg::getUnhappiness(warmling), 0.0);
}

struct Search {
  const char* name;
  Cell start;
  int ideal;
  HeatMap map;  // on a background of 100
  int index;    // the scripted pick
  int candidates;
  Cell target;
};

class NeighbourhoodSearch : public WarmlingStep, public testing::WithParamInterface<Search> {};

TEST_P(NeighbourhoodSearch, PicksAmongTheBestCellsInScanOrder) {
  const Search& c = GetParam();
  place(c.start, c.ideal, 0.0f, 100, c.map);
  script = {static_cast<double>(c.index), 0.0};
  stepAndExpectMove(c.start, c.target, {pick(c.candidates - 1), chance});
  const double heatHere = current(c.start);
  EXPECT_EQ(msg::getUnhappiness(warmling), std::abs(c.ideal - heatHere) / 32767.0);
}

const Search searches[] = {
    {"first of two hot ties", {2, 2}, 30000, {{{3, 1}, 5000}, {{1, 3}, 5000}}, 0, 2, {3, 1}},
    {"second of two hot ties", {2, 2}, 30000, {{{3, 1}, 5000}, {{1, 3}, 5000}}, 1, 2, {1, 3}},
    {"a better cell drops earlier ties", {2, 2}, 30000,
     {{{1, 1}, 5000}, {{3, 1}, 5000}, {{3, 3}, 6000}}, 0, 1, {3, 3}},
    {"the coolest cell", {2, 2}, 50, {{{2, 1}, 10}, {{3, 3}, 5000}}, 0, 1, {2, 1}},
    {"all equal: the centre is a candidate", {2, 2}, 30000, {}, 4, 9, {2, 2}},
    {"all equal: the first corner", {2, 2}, 30000, {}, 0, 9, {1, 1}},
    {"across the corner", {0, 0}, 30000, {{{4, 4}, 9000}}, 0, 1, {4, 4}},
};

INSTANTIATE_TEST_SUITE_P(Cases, NeighbourhoodSearch, testing::ValuesIn(searches),
                         [](const testing::TestParamInfo<Search>& info) {
                           return "case" + std::to_string(info.index);
                         });

struct RandomMove {
  const char* name;
  Cell start;
  float probability;
  double drawn;
  std::vector<double> offsets;  // dx, dy when the move happens
  Cell target;
};

class RandomMoves : public WarmlingStep, public testing::WithParamInterface<RandomMove> {};

// On an even lattice the search keeps the warmling's own cell (pick 4, the
// centre), so any move comes from the random branch.
TEST_P(RandomMoves, MoveOnlyWhenTheDrawIsBelowTheProbability) {
  const RandomMove& c = GetParam();
  place(c.start, 30000, c.probability, 100, {});
  script = {4, c.drawn};
  script.insert(script.end(), c.offsets.begin(), c.offsets.end());
  std::vector<std::string> expected = {pick(8), chance};
  if (!c.offsets.empty()) expected.insert(expected.end(), {offset, offset});
  stepAndExpectMove(c.start, c.target, expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, RandomMoves,
                         testing::Values(RandomMove{"DrawBelow", {2, 2}, 0.5f, 0.25, {-1, 1}, {1, 3}},
                                         RandomMove{"WrapsAtTheCorner", {0, 0}, 1.0f, 0.99, {-1, -1}, {4, 4}},
                                         RandomMove{"DrawEqual", {2, 2}, 0.5f, 0.5, {}, {2, 2}},
                                         RandomMove{"NeverAtZero", {2, 2}, 0.0f, 0.0, {}, {2, 2}}),
                         [](const testing::TestParamInfo<RandomMove>& info) { return info.param.name; });

struct Redraw {
  const char* name;
  std::vector<double> neighbours;  // the scripted re-draws
  Cell target;
};

class Redraws : public WarmlingStep, public testing::WithParamInterface<Redraw> {};

// The hot cell (3,1) is taken, and so is every neighbour but 6, (1,3).
TEST_P(Redraws, ReDrawNeighboursAndGiveUpAfterTen) {
  const Redraw& c = GetParam();
  place({2, 2}, 30000, 0.0f, 100, {{{3, 1}, 5000}});
  occupy({{1, 1}, {2, 1}, {3, 1}, {1, 2}, {3, 2}, {2, 3}, {3, 3}});
  script = {0, 0.5};
  script.insert(script.end(), c.neighbours.begin(), c.neighbours.end());
  std::vector<std::string> expected = {pick(0), chance};
  expected.insert(expected.end(), c.neighbours.size(), redraw);
  stepAndExpectMove({2, 2}, c.target, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Redraws,
    testing::Values(Redraw{"FirstFree", {6}, {1, 3}}, Redraw{"ThirdFree", {1, 8, 6}, {1, 3}},
                    Redraw{"NinthFree", {1, 1, 1, 1, 1, 1, 1, 1, 6}, {1, 3}},
                    Redraw{"TenthFreeTooLate", {1, 1, 1, 1, 1, 1, 1, 1, 1, 6}, {2, 2}},
                    Redraw{"AllTaken", {1, 2, 3, 4, 5, 7, 8, 1, 2, 3}, {2, 2}}),
    [](const testing::TestParamInfo<Redraw>& info) { return info.param.name; });

TEST_F(WarmlingStep, CreationErrors) {
  EXPECT_DEATH(msg::createEnd(msg::createBegin(objc_get_class("Warmling"), _obj_globalZone)),
               report::error("InvalidCombination", "-[Warmling createEnd]", "Warmling.cpp",
                             "Warmling was created without a world or heat.\n"));
  place({2, 2}, 0, 0.0f, 0, {});
  EXPECT_DEATH(msg::setWorld_Heat(warmling, world, heat),
               report::error("InvalidArgument", "-[Warmling setWorld:Heat:]", "Warmling.cpp",
                             "You can only set the world/heat of a warmling at creation time\n"));
  for (Cell outside : {Cell{5, 0}, Cell{0, 5}, Cell{-1, 2}})
    EXPECT_DEATH(msg::setX_Y(warmling, outside.first, outside.second),
                 report::error("InvalidArgument", "-[Warmling setX:Y:]", "Warmling.cpp",
                               ("(" + std::to_string(outside.first) + "," +
                                std::to_string(outside.second) + ") is not a cell of the world\n")
                                   .c_str()));
}

TEST_F(WarmlingStep, AddHeatWritesThePendingBufferUpToTheMaximum) {
  struct {
    Cell cell;
    HeatValue before, added, expected;
  } const cases[] = {{{3, 3}, 100, 50, 150}, {{1, 1}, 32000, 767, 32767}, {{2, 2}, 32000, 768, 32767}};
  HeatMap map;
  for (auto& c : cases) map.push_back({c.cell, c.before});
  place({0, 0}, 0, 0.0f, 0, map);
  for (auto& c : cases) {
    EXPECT_EQ(msg::addHeat_X_Y(heat, c.added, c.cell.first, c.cell.second), heat);
    EXPECT_EQ(pending(c.cell), c.expected);
    EXPECT_EQ(current(c.cell), c.before);
  }
}

// A few warmlings on a small world, stepped as the model steps them (heat
// diffuses, every warmling steps, their heat becomes current), with the
// shared distributions drawing from a generator of the given seed.
struct Outcome {
  std::vector<Cell> positions;
  std::vector<intptr_t> heat;
  std::string warnings;
};

Outcome seededRun(unsigned seed) {
  id zone = _obj_globalZone;
  id savedInt = uniformIntRand, savedDbl = uniformDblRand;
  id generator = msg::create_setStateFromSeed(objc_get_class("MT19937gen"), zone, seed);
  uniformIntRand = msg::create_setGenerator(objc_get_class("UniformIntegerDist"), zone, generator);
  uniformDblRand = msg::create_setGenerator(objc_get_class("UniformDoubleDist"), zone, generator);
  id heat = msg::create_setSizeX_Y_setDiffusionConstant_setEvaporationRate(
      objc_get_class("HeatSpace"), zone, 6, 6, 1.0, 0.99);
  id world = msg::create_setSizeX_Y(objc_get_class("Grid2d"), zone, 6, 6);
  std::vector<id> warmlings;
  for (int i = 0; i < 4; i++) {
    id w = msg::createBegin(objc_get_class("Warmling"), zone);
    msg::setWorld_Heat(w, world, heat);
    w = msg::createEnd(w);
    msg::setIdealTemperature(w, 15000 + 4000 * i);
    msg::setOutputHeat(w, 6000);
    msg::setRandomMoveProbability(w, 0.3f);
    msg::setX_Y(w, i, 2 * i % 6);
    warmlings.push_back(w);
  }
  Outcome run;
  run.warnings = report::capturedStderr([&] {
    for (int t = 0; t < 30; t++) {
      msg::stepRule(heat);
      for (id w : warmlings) msg::step(w);
      msg::updateLattice(heat);
    }
  });
  for (id w : warmlings) {
    run.positions.push_back({static_cast<Warmling*>(w)->x, static_cast<Warmling*>(w)->y});
    EXPECT_EQ(msg::getObjectAtX_Y(world, run.positions.back().first, run.positions.back().second), w);
  }
  run.heat.assign(msg::getLattice(heat), msg::getLattice(heat) + 36);
  for (id o : warmlings) msg::drop(o);
  for (id o : {world, heat, uniformIntRand, uniformDblRand, generator}) msg::drop(o);
  uniformIntRand = savedInt;
  uniformDblRand = savedDbl;
  return run;
}

TEST(WarmlingRun, SeededRunsRepeatAndKeepOneWarmlingPerCell) {
  const Outcome first = seededRun(7), again = seededRun(7), other = seededRun(8);
  EXPECT_EQ(first.positions, again.positions);
  EXPECT_EQ(first.heat, again.heat);
  EXPECT_NE(first.positions, other.positions);
  EXPECT_NE(first.positions, (std::vector<Cell>{{0, 0}, {1, 2}, {2, 4}, {3, 0}})) << "they moved";
  for (const Outcome* run : {&first, &other}) {
    EXPECT_EQ(run->warnings, "") << "no warmling lands on another";
    for (intptr_t h : run->heat) {
      EXPECT_GE(h, 0);
      EXPECT_LE(h, maxHeat);
    }
  }
}

}  // namespace
