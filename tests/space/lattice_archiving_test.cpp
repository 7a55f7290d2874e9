// The archive-expression forms of lattices: cell values as one array,
// occupants as (cons '(x . y) object), read back through the object reader.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "collections/stream_support.h"
#include "defobj/archiving_messages.h"
#include "defobj/lispIn.h"
#include "space/Grid2d.h"
#include "space/space.h"
#include "support/reports.h"

namespace {

id lattice(const char* className, unsigned x, unsigned y) {
  return msg::create_setSizeX_Y(objc_get_class(className), _obj_globalZone, x, y);
}

std::vector<intptr_t> cellsOf(id l) {
  const intptr_t* cells = msg::getLattice(l);
  return {cells, cells + msg::getSizeX(l) * msg::getSizeY(l)};
}

id integerLattice() {
  id l = lattice("Discrete2d", 3, 2);
  for (intptr_t i = 0; i < 6; i++) msg::putValue_atX_Y(l, i == 4 ? -5 : i + 1, i % 3, i / 3);
  return l;
}

std::function<void(id)> form(id object, bool deep) {
  return [=](id stream) {
    if (deep) msg::lispOutDeep(object, stream);
    else msg::lispOutShallow(object, stream);
  };
}

// Written through text or through a node-mode stream, then made again.
id throughText(id object, bool deep) { return lispIn(_obj_globalZone, readOne(written(form(object, deep)))); }
id throughNodes(id object, bool deep) { return lispIn(_obj_globalZone, built(form(object, deep))); }

TEST(LatticeArchive, ShallowTextListsTheRowsAsOneArray) {
  id l = integerLattice();
  EXPECT_EQ(written(form(l, false)),
            "(make-instance 'Discrete2d #:objectFlag #f #:xsize 3 #:ysize 2 #:lattice (parse #2((1 2 3) (4 -5 6))))");
  msg::drop(l);
}

TEST(LatticeArchive, ShallowFormReadsBackWithSizeAndCells) {
  id l = integerLattice();
  for (auto through : {throughText, throughNodes}) {
    id copy = through(l, false);
    ASSERT_NE(copy, nil);
    EXPECT_STREQ(copy->isa->name, "Discrete2d");
    EXPECT_EQ(msg::getSizeX(copy), 3u);
    EXPECT_EQ(msg::getSizeY(copy), 2u);
    EXPECT_EQ(cellsOf(copy), (std::vector<intptr_t>{1, 2, 3, 4, -5, 6}));
    msg::drop(copy);
  }
  msg::drop(l);
}

TEST(LatticeArchive, DeepFormWritesOnlyOccupiedCellsColumnByColumn) {
  id grid = lattice("Grid2d", 3, 2);
  // Occupants told apart by their sizes; their own cells are empty.
  id a = lattice("Discrete2d", 1, 1), b = lattice("Discrete2d", 2, 1);
  msg::putObject_atX_Y(grid, a, 2, 0);
  msg::putObject_atX_Y(grid, b, 0, 1);
  EXPECT_EQ(printed(built(form(grid, true))),
            "(make-instance 'Grid2d #:objectFlag #f #:xsize 3 #:ysize 2 #:overwriteWarnings #t #:lattice (parse "
            "(cons '(0 . 1) (make-instance 'Discrete2d #:objectFlag #f #:xsize 2 #:ysize 1 #:lattice (parse))) "
            "(cons '(2 . 0) (make-instance 'Discrete2d #:objectFlag #f #:xsize 1 #:ysize 1 #:lattice (parse)))))");
  for (auto through : {throughText, throughNodes}) {
    id copy = through(grid, true);
    ASSERT_NE(copy, nil);
    EXPECT_STREQ(copy->isa->name, "Grid2d");
    for (unsigned y = 0; y < 2; y++)
      for (unsigned x = 0; x < 3; x++)
        if ((x != 2 || y != 0) && (x != 0 || y != 1)) {
          EXPECT_EQ(msg::getObjectAtX_Y(copy, x, y), nil);
        }
    id a2 = msg::getObjectAtX_Y(copy, 2, 0), b2 = msg::getObjectAtX_Y(copy, 0, 1);
    ASSERT_NE(a2, nil);
    ASSERT_NE(b2, nil);
    EXPECT_NE(a2, a);
    EXPECT_EQ(msg::getSizeX(a2), 1u);
    EXPECT_EQ(msg::getSizeX(b2), 2u);
    msg::drop(a2);
    msg::drop(b2);
    msg::drop(copy);
  }
  msg::drop(a);
  msg::drop(b);
  msg::drop(grid);
}

TEST(LatticeArchive, ReadingIntoADoubleBufferFillsTheCurrentCellsFromAnArray) {
  id source = integerLattice();
  id buffered = lattice("DblBuffer2d", 3, 2);
  msg::lispIn(buffered, readOne("(#:lattice (parse #2((1 2 3) (4 -5 6))))"));
  EXPECT_EQ(cellsOf(buffered), cellsOf(source));
  msg::drop(buffered);
  msg::drop(source);
}

TEST(LatticeArchiveDeath, MalformedFormsAreReported) {
  const char* const LispIn = "-[Discrete2d lispIn:]";
  const char* const Objects = "lispInLatticeObjects";
  const struct {
    const char* what;
    const char* members;
    const char* function;
    const char* message;
  } cases[] = {
      {"keyword last", "(#:xsize 3 #:lattice)", "-[Object(s) _lispIn:]", "missing value"},
      {"value not a list", "(#:lattice '(parse))", LispIn, "Argument not a list"},
      {"element not a pair", "(#:lattice (parse 5))", Objects, "Expecting either cons pair or an array"},
      {"place not a pair", "(#:lattice (parse (cons 1 nil)))", Objects, "Expecting a pair of integers"},
      {"place of reals", "(#:lattice (parse (cons '(1.5 . 0) nil)))", Objects, "Expecting a pair of integers"},
      {"place outside", "(#:lattice (parse (cons '(3 . 0) nil)))", Objects,
       "cell (3,0) lies outside the lattice of 3 by 2 cells\n"},
      {"negative place", "(#:lattice (parse (cons '(0 . -1) nil)))", Objects,
       "cell (0,-1) lies outside the lattice of 3 by 2 cells\n"},
      {"array of another shape", "(#:lattice (parse #2((1 2) (3 4) (5 6))))", LispIn,
       "the lattice array does not hold 2 rows of 3 cells\n"},
      {"array of one row", "(#:lattice (parse #1(1 2 3 4 5 6)))", LispIn,
       "the lattice array does not hold 2 rows of 3 cells\n"},
      {"another size", "(#:xsize 4)", LispIn, "an archived lattice of 4 by 2 cells cannot be read into one of 3 by 2\n"},
      {"the row table", "(#:offsets #1(0 0))", LispIn, "`offsets' is not an archived variable of a lattice\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_DEATH(
        {
          id l = lattice("Discrete2d", 3, 2);
          msg::lispIn(l, readOne(c.members));
        },
        literal("*** function: " + std::string(c.function) + "(), file: ") + "[^,]*, line: [0-9]+\n" +
            literal(c.message));
  }
}

TEST(LatticeArchiveDeath, ArchivesCannotReachTheCellStorageOrWriteIntegersDeep) {
  EXPECT_DEATH(lispIn(_obj_globalZone, readOne("(make-instance 'Discrete2d #:xsize 2 #:ysize 2 #:offsets #1(0))")),
               literal("*** function: -[Discrete2d lispInCreate:](), file: Discrete2d.cpp, line: ") + "[0-9]+\n" +
                   literal("`offsets' is not an archived variable of a lattice\n"));
  id l = integerLattice();
  EXPECT_DEATH(written(form(l, true)),
               literal("*** function: -[Discrete2d lispOutDeep:](), file: Discrete2d.cpp, line: ") + "[0-9]+\n" +
                   literal("cell (0,0) holds 1, which is not an object\n"));
  msg::drop(l);
}

}  // namespace
