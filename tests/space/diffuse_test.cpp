#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "defobj/phase.h"
#include "space/Diffuse2d.h"
#include "space/space.h"

namespace {

typedef std::vector<std::vector<intptr_t>> Rows;  // rows[y][x]

// The rule written out cell by cell: weight 4 for the orthogonal neighbours,
// 1 for the diagonal ones, -20 for the cell itself, over a wrapping lattice;
// the sum taken modulo 2^32 as the 32-bit rule does.
Rows expectedStep(const Rows& in, double diffusion, double evaporation) {
  const int h = static_cast<int>(in.size()), w = static_cast<int>(in[0].size());
  Rows out = in;
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      int64_t sum = 0;
      for (int dy = -1; dy <= 1; dy++)
        for (int dx = -1; dx <= 1; dx++) {
          const int weight = dx == 0 && dy == 0 ? -20 : dx == 0 || dy == 0 ? 4 : 1;
          sum += weight * static_cast<int64_t>(static_cast<int32_t>(in[(y + dy + h) % h][(x + dx + w) % w]));
        }
      const auto s = static_cast<int32_t>(static_cast<uint32_t>(sum));
      const double v = (s / 20.0 * diffusion + static_cast<int32_t>(in[y][x])) * evaporation;
      out[y][x] = v < 0 ? 0 : v + 0.5 >= 32767.0 ? 32767 : static_cast<intptr_t>(std::floor(v + 0.5));
    }
  return out;
}

id diffuser(const Rows& rows, double diffusion, double evaporation) {
  id ca = msg::create_setSizeX_Y_setDiffusionConstant_setEvaporationRate(
      objc_get_class("Diffuse2d"), _obj_globalZone, rows[0].size(), rows.size(), diffusion,
      evaporation);
  intptr_t* cells = msg::getLattice(ca);
  const intptr_t* offsets = msg::getOffsets(ca);
  for (size_t y = 0; y < rows.size(); y++)
    for (size_t x = 0; x < rows[y].size(); x++) cells[offsets[y] + x] = rows[y][x];
  return ca;
}

Rows contents(id ca, const intptr_t* cells) {
  Rows rows(msg::getSizeY(ca), std::vector<intptr_t>(msg::getSizeX(ca)));
  for (unsigned y = 0; y < rows.size(); y++)
    for (unsigned x = 0; x < rows[y].size(); x++) rows[y][x] = cells[msg::getOffsets(ca)[y] + x];
  return rows;
}

struct Step {
  const char* name;
  Rows cells;
  double diffusion, evaporation;
  Rows expected;  // written out where the case is about the numbers
};

const Rows spike = {{0, 0, 0}, {0, 1000, 0}, {0, 0, 0}};

const Step steps[] = {
    {"all zero stays zero", Rows(3, std::vector<intptr_t>(4, 0)), 1.0, 1.0,
     Rows(3, std::vector<intptr_t>(4, 0))},
    {"a spike spreads a fifth and a twentieth", spike, 1.0, 1.0,
     {{50, 200, 50}, {200, 0, 200}, {50, 200, 50}}},
    {"halves round up", {{0, 0, 0}, {0, 10, 0}, {0, 0, 0}}, 1.0, 1.0,
     {{1, 2, 1}, {2, 0, 2}, {1, 2, 1}}},
    {"a corner takes its neighbours across the edges",
     {{900, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}}, 1.0, 1.0,
     {{0, 180, 0, 180}, {180, 45, 0, 45}, {0, 0, 0, 0}, {0, 0, 0, 0}, {180, 45, 0, 45}}},
    {"full stays full", Rows(3, std::vector<intptr_t>(3, 32767)), 1.0, 1.0,
     Rows(3, std::vector<intptr_t>(3, 32767))},
    {"evaporation scales and rounds", Rows(3, std::vector<intptr_t>(3, 32767)), 1.0, 0.99,
     Rows(3, std::vector<intptr_t>(3, 32439))},
    {"rounds up onto the maximum", {{32767, 32767, 32767}, {32767, 32766, 32767}, {32767, 32767, 32767}},
     0.5, 1.0, Rows(3, std::vector<intptr_t>(3, 32767))},
    {"clamps above the maximum", Rows(2, std::vector<intptr_t>(3, 32000)), 1.0, 1.1,
     Rows(2, std::vector<intptr_t>(3, 32767))},
    {"a strong constant goes below zero and clamps", spike, 2.0, 1.0,
     {{100, 400, 100}, {400, 0, 400}, {100, 400, 100}}},
    {"a row is its own neighbour across the edge", {{0, 300, 0, 0, 60}}, 1.0, 1.0, {}},
    {"a single column", {{7000}, {0}, {13}}, 0.7, 0.95, {}},
    // Taller lattices, whose rows are kept while later rows are computed.
    {"a tall column", {{7000}, {0}, {13}, {0}, {500}, {0}}, 0.7, 0.95, {}},
    {"seven rows",
     {{9, 0, 3000, 0}, {0, 20000, 0, 1}, {5, 0, 0, 0}, {0, 0, 777, 0}, {0, 32767, 0, 0}, {4000, 0, 0, 2}, {0, 0, 0, 31000}},
     1.0, 0.99, {}},
    {"sums beyond 32 bits wrap", {{1 << 30, 0, 0}, {0, 0, 0}, {0, 5, int64_t(1) << 33}}, 1.0,
     1.0, {}},
};

class Diffuse2dStep : public testing::TestWithParam<Step> {};

TEST_P(Diffuse2dStep, MatchesTheRuleAndLeavesBothBuffersEqual) {
  const Step& c = GetParam();
  id ca = diffuser(c.cells, c.diffusion, c.evaporation);
  const Rows expected = expectedStep(c.cells, c.diffusion, c.evaporation);
  if (!c.expected.empty()) {
    EXPECT_EQ(expected, c.expected) << "the written-out rule";
  }
  EXPECT_EQ(msg::stepRule(ca), ca);
  EXPECT_EQ(contents(ca, msg::getLattice(ca)), expected);
  EXPECT_EQ(contents(ca, msg::getNewLattice(ca)), expected);
  msg::drop(ca);
}

// Once the pending buffer has been reached between steps, a step writes its
// rows into both buffers, so the update owes no copy: the pending array
// itself (read here without asking for it) already holds the new values,
// and the buffers still alternate.
TEST_P(Diffuse2dStep, WithThePendingBufferInUseBothBuffersGetTheStep) {
  const Step& c = GetParam();
  id ca = diffuser(c.cells, c.diffusion, c.evaporation);
  auto* d = static_cast<DblBuffer2d*>(ca);
  intptr_t* first = msg::getLattice(ca);
  msg::getNewLattice(ca);
  msg::stepRule(ca);
  const Rows expected = expectedStep(c.cells, c.diffusion, c.evaporation);
  EXPECT_EQ(contents(ca, d->newLattice), expected);
  EXPECT_EQ(contents(ca, msg::getLattice(ca)), expected);
  EXPECT_EQ(d->newLattice, first);
  msg::drop(ca);
}

INSTANTIATE_TEST_SUITE_P(Cases, Diffuse2dStep, testing::ValuesIn(steps),
                         [](const testing::TestParamInfo<Step>& info) {
                           std::string name;
                           for (const char* c = info.param.name; *c; c++)
                             name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                           return name;
                         });

TEST(Diffuse2d, CreationDefaultsAndEmptyCells) {
  id ca = msg::createBegin(objc_get_class("Diffuse2d"), _obj_globalZone);
  msg::setSizeX_Y(ca, 2, 3);
  ca = msg::createEnd(ca);
  auto* d = static_cast<Diffuse2d*>(ca);
  EXPECT_EQ(d->diffusionConstant, 1.0);
  EXPECT_EQ(d->evaporationRate, 1.0);
  EXPECT_EQ(d->numStates, 32767u);
  EXPECT_EQ(contents(ca, msg::getLattice(ca)), Rows(3, std::vector<intptr_t>(2, 0)));
  EXPECT_EQ(contents(ca, msg::getNewLattice(ca)), Rows(3, std::vector<intptr_t>(2, 0)));
  msg::drop(ca);
}

TEST(Diffuse2d, NewRatesApplyAtTheNextStep) {
  id ca = diffuser(spike, 1.0, 1.0);
  msg::stepRule(ca);
  const Rows once = contents(ca, msg::getLattice(ca));
  msg::setDiffusionConstant(ca, 0.5);
  msg::setEvaporationRate(ca, 0.5);
  msg::stepRule(ca);
  EXPECT_EQ(contents(ca, msg::getLattice(ca)), expectedStep(once, 0.5, 0.5));
  msg::drop(ca);
}

// Deposits made into the pending buffer between steps are not read by the
// step: it computes from the current buffer and overwrites the pending one.
TEST(Diffuse2d, StepReadsOnlyTheCurrentBuffer) {
  id ca = diffuser(spike, 1.0, 1.0);
  msg::putValue_atX_Y(ca, 5000, 0, 0);
  msg::stepRule(ca);
  EXPECT_EQ(contents(ca, msg::getLattice(ca)), expectedStep(spike, 1.0, 1.0));
  msg::drop(ca);
}

// An automaton that adds to one cell only, through the pending buffer, as
// the model's deposits do.
struct Bump2d : Ca2d {
  id initializeLattice() { return this; }
  id stepRule() {
    msg::putValue_atX_Y(this, msg::getValueAtX_Y(this, 0, 0) + 1, 0, 0);
    msg::updateLattice(this);
    return this;
  }
};

REGISTER_CLASS(Bump2d, Ca2d, method<&Bump2d::initializeLattice>(msg::initializeLattice),
               method<&Bump2d::stepRule>(msg::stepRule))

// The lattice as the rule has it: each update swaps the buffers and copies
// the new current one into the pending one.
struct EagerLattice {
  Rows current, pending;
  bool swapped = false;  // the buffer that was pending at the start is current

  void update() {
    std::swap(current, pending);
    pending = current;
    swapped = !swapped;
  }
};

struct Automaton {
  const char* name;
  id (*make)(const Rows& start);
  void (*step)(EagerLattice& reference);  // the step on the reference
};

const Automaton automata[] = {
    {"Diffuse2d", [](const Rows& start) { return diffuser(start, 1.0, 0.9); },
     [](EagerLattice& r) {
       r.pending = expectedStep(r.current, 1.0, 0.9);
       r.update();
     }},
    {"Bump2d",
     [](const Rows& start) {
       if (!objc_lookup_class("Bump2d")) objc_register_Bump2d();
       id ca = msg::createBegin(objc_get_class("Bump2d"), _obj_globalZone);
       msg::setSizeX_Y(ca, start[0].size(), start.size());
       msg::setNumStates(ca, 2);
       ca = msg::createEnd(ca);
       for (size_t y = 0; y < start.size(); y++)
         for (size_t x = 0; x < start[y].size(); x++) msg::getLattice(ca)[msg::getOffsets(ca)[y] + x] = start[y][x];
       return ca;
     },
     [](EagerLattice& r) {
       r.pending[0][0] = r.current[0][0] + 1;
       r.update();
     }},
};

// Steps (S), bare updates (U) and deposits into the pending buffer (P) in
// any order leave both buffers as a lattice that copies at every update
// would. The 5 by 5 lattice is odd in width and tall enough for a step to
// keep the pending copy row by row as it goes.
TEST(DoubleBufferedAutomata, StepsAndBareUpdatesMatchALatticeThatCopiesEagerly) {
  const Rows starts[] = {{{0, 0, 0, 0}, {0, 1000, 0, 0}, {0, 0, 0, 40}},
                         {{0, 0, 0, 0, 9}, {0, 1000, 0, 0, 0}, {0, 0, 0, 40, 0}, {7, 0, 0, 0, 0}, {0, 0, 300, 0, 0}}};
  for (const Rows& start : starts)
    for (const Automaton& automaton : automata)
      for (const char* script : {"SU", "SUU", "SUUU", "SSUU", "PSUU", "SPUU", "SPU", "UUSUU", "PSPSPS"}) {
        SCOPED_TRACE(std::string(automaton.name) + " " + script + " width " + std::to_string(start[0].size()));
        id ca = automaton.make(start);
        const intptr_t* const startPending = static_cast<DblBuffer2d*>(ca)->newLattice;
        EagerLattice reference{start, Rows(start.size(), std::vector<intptr_t>(start[0].size(), 0))};
        for (const char* op = script; *op; op++) {
          if (*op == 'S') {
            msg::stepRule(ca);
            automaton.step(reference);
          } else if (*op == 'U') {
            msg::updateLattice(ca);
            reference.update();
          } else {
            msg::putValue_atX_Y(ca, 700, 2, 1);
            reference.pending[1][2] = 700;
          }
          EXPECT_EQ(contents(ca, msg::getLattice(ca)), reference.current) << "after " << op - script + 1 << " steps";
          EXPECT_EQ(contents(ca, msg::getNewLattice(ca)), reference.pending) << "after " << op - script + 1 << " steps";
          EXPECT_EQ(msg::getLattice(ca) == startPending, reference.swapped);
        }
        msg::drop(ca);
      }
}

}  // namespace
