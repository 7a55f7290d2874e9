#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "defobj/address.h"
#include "space/Ca2d.h"
#include "space/Grid2d.h"
#include "space/space.h"
#include "space/report.h"

namespace {

id lattice(const char* className, unsigned x, unsigned y) {
  return msg::create_setSizeX_Y(objc_get_class(className), _obj_globalZone, x, y);
}

id anObject() { return msg::create(objc_get_class("BroodObject"), _obj_globalZone); }

std::vector<intptr_t> cells(const intptr_t* array, size_t n) { return {array, array + n}; }

TEST(Discrete2d, CellsAreWordsRowAfterRowBehindTheOffsetTable) {
  id l = lattice("Discrete2d", 3, 4);
  EXPECT_EQ(msg::getSizeX(l), 3u);
  EXPECT_EQ(msg::getSizeY(l), 4u);
  EXPECT_EQ(cells(msg::getLattice(l), 12), std::vector<intptr_t>(12, 0));
  EXPECT_EQ(cells(msg::getOffsets(l), 4), (std::vector<intptr_t>{0, 3, 6, 9}));
  msg::putValue_atX_Y(l, -7, 2, 1);
  EXPECT_EQ(msg::getLattice(l)[5], -7);
  id object = anObject();
  msg::putObject_atX_Y(l, object, 0, 3);
  EXPECT_EQ(msg::getObjectAtX_Y(l, 0, 3), object);
  EXPECT_EQ(msg::getValueAtX_Y(l, 0, 3), reinterpret_cast<intptr_t>(object));
  msg::drop(l);
  msg::drop(object);
}

TEST(Discrete2d, FillsReachEveryCell) {
  id l = lattice("Discrete2d", 1, 1);
  msg::fillWithValue(l, 5);
  EXPECT_EQ(msg::getValueAtX_Y(l, 0, 0), 5);
  msg::drop(l);
  l = lattice("Discrete2d", 2, 3);
  msg::fastFillWithValue(l, 9);
  EXPECT_EQ(cells(msg::getLattice(l), 6), std::vector<intptr_t>(6, 9));
  msg::drop(l);
}

TEST(Discrete2d, SizeErrors) {
  const std::string zeroSize = report::error(
      "InvalidArgument", "-[Discrete2d createEnd]", "Discrete2d.cpp",
      "invalid size in creation of Discrete2d\n");
  EXPECT_DEATH(lattice("Discrete2d", 0, 3), zeroSize);
  EXPECT_DEATH(lattice("Discrete2d", 3, 0), zeroSize);
  id l = lattice("Discrete2d", 2, 2);
  EXPECT_DEATH(msg::setSizeX_Y(l, 4, 4),
               report::error("InvalidArgument", "-[Discrete2d setSizeX:Y:]", "Discrete2d.cpp",
                             "You cannot reset the grid size after creation.\n"));
  msg::drop(l);
}

TEST(Discrete2d, CopyGoesThroughTheTargetsPut) {
  id source = lattice("Discrete2d", 2, 3);
  for (intptr_t i = 0; i < 6; i++) msg::getLattice(source)[i] = 10 + i;
  id target = lattice("DblBuffer2d", 2, 3);
  EXPECT_EQ(msg::copyDiscrete2d_toDiscrete2d(source, source, target), source);
  EXPECT_EQ(cells(msg::getNewLattice(target), 6), cells(msg::getLattice(source), 6));
  EXPECT_EQ(cells(msg::getLattice(target), 6), std::vector<intptr_t>(6, 0));
  id turned = lattice("Discrete2d", 3, 2);
  EXPECT_DEATH(msg::copyDiscrete2d_toDiscrete2d(source, source, turned),
               report::error("InvalidArgument", "-[Discrete2d copyDiscrete2d:toDiscrete2d:]",
                             "Discrete2d.cpp", "Two Discrete2ds aren't the same size."));
  for (id l : {source, target, turned}) msg::drop(l);
}

// An installed array belongs to whoever installed it: dropping the lattice
// frees only the arrays the lattice allocated (freeing this static array
// would end the process).
TEST(Discrete2d, DropLeavesAnInstalledArrayAlone) {
  static intptr_t foreign[4] = {1, 2, 3, 4};
  for (const char* className : {"Discrete2d", "Grid2d", "DblBuffer2d"}) {
    id l = lattice(className, 2, 2);
    msg::setLattice(l, foreign);
    EXPECT_EQ(msg::getValueAtX_Y(l, 1, 1), 4);
    msg::drop(l);
  }
  EXPECT_EQ(cells(foreign, 4), (std::vector<intptr_t>{1, 2, 3, 4}));
}

struct Overwrite {
  bool occupied;
  bool putNil;
  BOOL warnings;
  bool warns;
};

class Grid2dOverwrite : public testing::TestWithParam<Overwrite> {};

TEST_P(Grid2dOverwrite, WarnsOnlyWhenAnObjectReplacesAnother) {
  const Overwrite c = GetParam();
  id grid = lattice("Grid2d", 3, 2);
  id first = anObject(), second = anObject();
  if (c.occupied) msg::putObject_atX_Y(grid, first, 2, 1);
  msg::setOverwriteWarnings(grid, c.warnings);
  id put = c.putNil ? nil : second;
  const std::string text = report::capturedStderr([&] { msg::putObject_atX_Y(grid, put, 2, 1); });
  char firstText[AddressTextSize], secondText[AddressTextSize];
  const std::string expected =
      c.warns ? report::warning(std::string("Grid2d: you're overwriting object ") +
                                formatAddress(firstText, first) + " at (2,1) with object " +
                                formatAddress(secondText, second) + " (" + msg::getName(second) +
                                ").\nGrid2d does not support two objects in one place.\n")
              : "";
  EXPECT_EQ(text, expected);
  EXPECT_EQ(msg::getObjectAtX_Y(grid, 2, 1), put);  // the put happens in every case
  for (id o : {grid, first, second}) msg::drop(o);
}

INSTANTIATE_TEST_SUITE_P(Cases, Grid2dOverwrite,
                         testing::Values(Overwrite{false, false, YES, false},
                                         Overwrite{true, true, YES, false},
                                         Overwrite{true, false, YES, true},
                                         Overwrite{true, false, NO, false}),
                         [](const testing::TestParamInfo<Overwrite>& info) {
                           const Overwrite& c = info.param;
                           return std::string(c.occupied ? "Occupied" : "Empty") + (c.putNil ? "PutNil" : "PutObject") +
                                  (c.warnings ? "Warning" : "Quiet");
                         });

TEST(Grid2d, FillWarnsPerOccupiedCellFastFillNever) {
  id grid = lattice("Grid2d", 2, 2);
  id a = anObject(), b = anObject();
  msg::putObject_atX_Y(grid, a, 0, 0);
  msg::putObject_atX_Y(grid, a, 1, 1);
  const std::string filled = report::capturedStderr([&] { msg::fillWithObject(grid, b); });
  size_t warnings = 0;
  for (size_t at = filled.find("Grid2d: you're overwriting"); at != std::string::npos;
       at = filled.find("Grid2d: you're overwriting", at + 1))
    warnings++;
  EXPECT_EQ(warnings, 2u);
  EXPECT_EQ(report::capturedStderr([&] { msg::fastFillWithObject(grid, a); }), "");
  EXPECT_EQ(msg::getObjectAtX_Y(grid, 1, 0), a);
  for (id o : {grid, a, b}) msg::drop(o);
}

TEST(DblBuffer2d, PutsShowOnlyAfterUpdate) {
  id l = lattice("DblBuffer2d", 2, 2);
  EXPECT_EQ(cells(msg::getNewLattice(l), 4), std::vector<intptr_t>(4, 0));
  intptr_t* first = msg::getLattice(l);
  msg::putValue_atX_Y(l, 8, 1, 0);
  EXPECT_EQ(msg::getValueAtX_Y(l, 1, 0), 0);
  EXPECT_EQ(msg::getNewLattice(l)[1], 8);
  EXPECT_EQ(msg::updateLattice(l), l);
  EXPECT_EQ(msg::getValueAtX_Y(l, 1, 0), 8);
  EXPECT_NE(msg::getLattice(l), first);
  EXPECT_EQ(cells(msg::getNewLattice(l), 4), cells(msg::getLattice(l), 4));
  msg::updateLattice(l);
  EXPECT_EQ(msg::getLattice(l), first);
  EXPECT_EQ(cells(msg::getNewLattice(l), 4), (std::vector<intptr_t>{0, 8, 0, 0}));
  msg::drop(l);
}

// Each update copies the new current buffer into the pending one, so bare
// updates in a row alternate the buffers and keep both whole.
TEST(DblBuffer2d, BareUpdatesInARowKeepBothBuffersWhole) {
  for (int updates = 1; updates <= 3; updates++) {
    SCOPED_TRACE(updates);
    id l = lattice("DblBuffer2d", 2, 2);
    auto* d = static_cast<DblBuffer2d*>(l);
    msg::putValue_atX_Y(l, 8, 1, 0);
    for (int i = 0; i < updates; i++) EXPECT_EQ(msg::updateLattice(l), l);
    EXPECT_EQ(msg::getLattice(l), updates % 2 ? d->wBuf2 : d->wBuf1);
    EXPECT_EQ(msg::getValueAtX_Y(l, 1, 0), 8);
    for (const intptr_t* buffer : {msg::getLattice(l), msg::getNewLattice(l)})
      EXPECT_EQ(cells(buffer, 4), (std::vector<intptr_t>{0, 8, 0, 0}));
    msg::drop(l);
  }
}

// The pending buffer holds what the update made current: later writes into
// the current buffer, by a fast fill or through the cell array, stay there.
TEST(DblBuffer2d, WritesToTheCurrentBufferAfterAnUpdateDoNotReachThePendingOne) {
  const std::pair<const char*, void (*)(id)> writers[] = {
      {"fast fill", [](id l) { msg::fastFillWithValue(l, 6); }},
      {"cell array", [](id l) { std::fill_n(msg::getLattice(l), 4, 6); }},
  };
  for (const auto& [name, write] : writers) {
    SCOPED_TRACE(name);
    id l = lattice("DblBuffer2d", 2, 2);
    msg::putValue_atX_Y(l, 8, 1, 0);
    msg::updateLattice(l);
    write(l);
    EXPECT_EQ(cells(msg::getLattice(l), 4), std::vector<intptr_t>(4, 6));
    EXPECT_EQ(cells(msg::getNewLattice(l), 4), (std::vector<intptr_t>{0, 8, 0, 0}));
    msg::updateLattice(l);
    EXPECT_EQ(cells(msg::getLattice(l), 4), (std::vector<intptr_t>{0, 8, 0, 0}));
    msg::drop(l);
  }
}

TEST(DblBuffer2d, FillGoesToThePendingBufferFastFillToTheCurrent) {
  id l = lattice("DblBuffer2d", 3, 1);
  msg::fillWithValue(l, 4);
  EXPECT_EQ(cells(msg::getNewLattice(l), 3), std::vector<intptr_t>(3, 4));
  EXPECT_EQ(cells(msg::getLattice(l), 3), std::vector<intptr_t>(3, 0));
  msg::fastFillWithValue(l, 6);
  EXPECT_EQ(cells(msg::getLattice(l), 3), std::vector<intptr_t>(3, 6));
  EXPECT_EQ(cells(msg::getNewLattice(l), 3), std::vector<intptr_t>(3, 4));
  msg::drop(l);
}

TEST(DblBuffer2d, UpdateWithAForeignArrayWarnsAndChangesNothing) {
  intptr_t foreign[2] = {3, 5};
  id l = lattice("DblBuffer2d", 2, 1);
  intptr_t* pending = msg::getNewLattice(l);
  pending[0] = 1;
  msg::setLattice(l, foreign);
  id answer = l;
  EXPECT_EQ(report::capturedStderr([&] { answer = msg::updateLattice(l); }),
            report::warning("DblBuffer2d: Sanity check failed when swapping lattice pointers!\n"));
  EXPECT_EQ(answer, nil);
  EXPECT_EQ(msg::getLattice(l), foreign);
  EXPECT_EQ(msg::getNewLattice(l), pending);
  EXPECT_EQ(cells(foreign, 2), (std::vector<intptr_t>{3, 5}));
  EXPECT_EQ(cells(pending, 2), (std::vector<intptr_t>{1, 0}));
  msg::drop(l);
}

TEST(DblBuffer2d, ZeroSize) {
  EXPECT_DEATH(lattice("DblBuffer2d", 0, 2),
               report::error("InvalidCombination", "DblBuffer2d not initialized correctly.\n"));
}

// An automaton that only sets itself up, to reach the abstract step.
struct Fill2d : Ca2d {
  id initializeLattice() {
    msg::fastFillWithValue(this, 1);
    return this;
  }
};

REGISTER_CLASS(Fill2d, Ca2d, method<&Fill2d::initializeLattice>(msg::initializeLattice))

id automaton(const char* className, unsigned states) {
  id ca = msg::createBegin(objc_get_class(className), _obj_globalZone);
  msg::setSizeX_Y(ca, 2, 2);
  msg::setNumStates(ca, states);
  return msg::createEnd(ca);
}

TEST(Ca2d, CreationInitializesAndTheBaseHasNoRules) {
  if (!objc_lookup_class("Fill2d")) objc_register_Fill2d();
  id ca = automaton("Fill2d", 2);
  EXPECT_EQ(cells(msg::getLattice(ca), 4), std::vector<intptr_t>(4, 1));
  EXPECT_DEATH(msg::stepRule(ca), report::error("SubclassMustImplement", "-[Ca2d stepRule]",
                                                "Ca2d.cpp", "Ca2d: no default step.\n"));
  msg::drop(ca);
  EXPECT_DEATH(automaton("Fill2d", 0),
               report::error("InvalidCombination", "-[Ca2d createEnd]", "Ca2d.cpp",
                             "CA not initialized correctly.\n"));
  EXPECT_DEATH(automaton("Ca2d", 2),
               report::error("SubclassMustImplement", "-[Ca2d initializeLattice]", "Ca2d.cpp",
                             "initializeLattice must be implemented by Ca2d subclass"));
}

}  // namespace
