// Loading lattices from plain-text PGM files, good and bad.
#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <string>
#include <unistd.h>
#include <vector>

#include "space/Discrete2d.h"
#include "space/report.h"

namespace {

// The warning that the loader raises, with any line number.
std::string pgmWarning(const std::string& message) {
  return "*** event raised for warning: WarningMessage\n*** function: -[Discrete2d setDiscrete2d:toFile:](), "
         "file: Discrete2d.cpp, line: N\n" +
         message + "*** execution continuing...\n";
}

std::string withoutLines(const std::string& text) {
  return std::regex_replace(text, std::regex("line: [0-9]+"), "line: N");
}

struct Loaded {
  int result;
  std::vector<intptr_t> cells;
  std::string reports;
};

// Loads the text into a 3 by 2 lattice whose cells all start at 9.
Loaded load(const std::string& text) {
  char path[] = "/tmp/pgm_testXXXXXX";
  const int fd = mkstemp(path);
  FILE* file = fdopen(fd, "w");
  std::fputs(text.c_str(), file);
  std::fclose(file);
  id lattice = msg::create_setSizeX_Y(objc_get_class("Discrete2d"), _obj_globalZone, 3, 2);
  msg::fastFillWithValue(lattice, 9);
  Loaded loaded{};
  loaded.reports = withoutLines(
      report::capturedStderr([&] { loaded.result = msg::setDiscrete2d_toFile(lattice, lattice, path); }));
  const intptr_t* cells = msg::getLattice(lattice);
  loaded.cells.assign(cells, cells + 6);
  msg::drop(lattice);
  unlink(path);
  return loaded;
}

const std::vector<intptr_t> untouched(6, 9);
const std::string ranOut = "Ran out of data reading PGM file. Aborting.\n";
const std::string wrongSize = "PGM File is not the right size. Faking it.\n";

TEST(PGM, LoadsRowsInOrderAndAnswersTheMaximumPlusOne) {
  const Loaded loaded = load("P2\n3 2\n255\n1 2 3\n4 5 6\n");
  EXPECT_EQ(loaded.result, 256);
  EXPECT_EQ(loaded.cells, (std::vector<intptr_t>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(loaded.reports, "");
}

TEST(PGM, BadFilesAreReported) {
  const struct {
    const char* what;
    const char* text;
    int result;
    std::vector<intptr_t> cells;
    std::string reports;
  } cases[] = {
      {"binary magic", "P5 3 2 255 1 2 3 4 5 6", 256, {1, 2, 3, 4, 5, 6},
       pgmWarning("File is not in PGM ascii format. Faking it.\n")},
      {"other magic", "X2 3 2 255 1 2 3 4 5 6", 256, {1, 2, 3, 4, 5, 6},
       pgmWarning("File is not in PGM ascii format. Faking it.\n")},
      {"empty file", "", 0, untouched,
       pgmWarning("File is not in PGM ascii format. Faking it.\n") + pgmWarning(ranOut)},
      {"too few values", "P2 3 2 255 1 2 3 4", 256, {1, 2, 3, 4, 9, 9}, pgmWarning(ranOut)},
      {"truncated header", "P2 3 2", 0, untouched, pgmWarning(ranOut)},
      {"text among the values", "P2 3 2 255 1 x 3", 256, {1, 9, 9, 9, 9, 9},
       pgmWarning("PGM file holds text that is not a number. Aborting.\n")},
      {"comment line", "P2\n# made by hand\n3 2 255 1 2 3 4 5 6", 0, untouched,
       pgmWarning("PGM file holds text that is not a number. Aborting.\n")},
      {"rows and columns swapped wrap onto the rows", "P2 2 3 255 1 2 3 4 5 6", 256, {1, 2, 3, 4, 5, 6},
       pgmWarning(wrongSize)},
      {"a width that wraps to 3 in 32 bits", "P2 4294967299 2 255 1 2 3 4 5 6", 256, {1, 2, 3, 4, 5, 6},
       pgmWarning(wrongSize)},
      {"a width beyond every integer", "P2 99999999999999999999999 2 255 1 2 3 4 5 6", 256, {1, 2, 3, 4, 5, 6},
       pgmWarning(wrongSize)},
      {"values above the maximum", "P2 3 2 4 1 2 3 4 5 60", 5, {1, 2, 3, 4, 5, 60},
       pgmWarning("PGM value 5 at (1,1) is not between 0 and 4.\n")},
      {"a negative value", "P2 3 2 4 1 -2 3 4 0 1", 5, {1, -2, 3, 4, 0, 1},
       pgmWarning("PGM value -2 at (1,0) is not between 0 and 4.\n")},
      {"a zero maximum", "P2 3 2 0 0 0 0 0 0 0", 0, untouched,
       pgmWarning("PGM maximum grey value 0 is not between 1 and 65535. Aborting.\n")},
      {"a maximum that overflows its successor", "P2 3 2 2147483647 1 2 3 4 5 6", 0, untouched,
       pgmWarning("PGM maximum grey value 2147483647 is not between 1 and 65535. Aborting.\n")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Loaded loaded = load(c.text);
    EXPECT_EQ(loaded.result, c.result);
    EXPECT_EQ(loaded.cells, c.cells);
    EXPECT_EQ(loaded.reports, c.reports);
  }
}

TEST(PGM, AMissingFileLeavesTheLatticeAlone) {
  id lattice = msg::create_setSizeX_Y(objc_get_class("Discrete2d"), _obj_globalZone, 1, 1);
  msg::putValue_atX_Y(lattice, 4, 0, 0);
  int result = -1;
  const std::string reports = withoutLines(report::capturedStderr(
      [&] { result = msg::setDiscrete2d_toFile(lattice, lattice, "/nonexistent/dir/image.pgm"); }));
  EXPECT_EQ(result, 0);
  EXPECT_EQ(msg::getValueAtX_Y(lattice, 0, 0), 4);
  EXPECT_EQ(reports, pgmWarning("Cannot open PGM file /nonexistent/dir/image.pgm. Nothing read.\n"));
  msg::drop(lattice);
}

TEST(PGM, ADoubleBufferedTargetReceivesTheValuesInItsPendingBuffer) {
  char path[] = "/tmp/pgm_testXXXXXX";
  FILE* file = fdopen(mkstemp(path), "w");
  std::fputs("P2 2 1 7 3 4\n", file);
  std::fclose(file);
  id buffered = msg::create_setSizeX_Y(objc_get_class("DblBuffer2d"), _obj_globalZone, 2, 1);
  id loader = msg::create_setSizeX_Y(objc_get_class("Discrete2d"), _obj_globalZone, 1, 1);
  EXPECT_EQ(msg::setDiscrete2d_toFile(loader, buffered, path), 8);
  EXPECT_EQ(msg::getValueAtX_Y(buffered, 0, 0), 0);
  msg::updateLattice(buffered);
  EXPECT_EQ(msg::getValueAtX_Y(buffered, 0, 0), 3);
  EXPECT_EQ(msg::getValueAtX_Y(buffered, 1, 0), 4);
  msg::drop(buffered);
  msg::drop(loader);
  unlink(path);
}

}  // namespace
