// The HDF5 forms of lattices: the layout h5ls and h5dump see, what the
// object reader makes of it again, and the files that are refused.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "defobj/CreateDrop.h"
#include "defobj/hdf5In.h"
#include "defobj/hdf5_support.h"
#include "runtime/registration.h"
#include "space/Grid2d.h"
#include "space/space.h"
#include "support/reports.h"

namespace {

struct Occupant : CreateDrop {
  int number;
  double heat;
};

}  // namespace

REGISTER_CLASS(Occupant, CreateDrop, ivar(&Occupant::number, "number"), ivar(&Occupant::heat, "heat"))

namespace {

Class occupantClass() {
  static const bool registered = (objc_register_Occupant(), true);
  (void)registered;
  return objc_get_class("Occupant");
}

Occupant* occupant(int number, double heat) {
  auto* o = static_cast<Occupant*>(msg::create(occupantClass(), _obj_globalZone));
  o->number = number;
  o->heat = heat;
  return o;
}

id lattice(const char* className, unsigned x, unsigned y) {
  return msg::create_setSizeX_Y(objc_get_class(className), _obj_globalZone, x, y);
}

std::vector<intptr_t> cellsOf(id l) {
  const intptr_t* cells = msg::getLattice(l);
  return {cells, cells + msg::getSizeX(l) * msg::getSizeY(l)};
}

// An object lattice with occupants at (2,0) and (0,1).
id occupiedGrid() {
  id grid = lattice("Grid2d", 3, 2);
  msg::setObjectFlag(grid, YES);
  msg::putObject_atX_Y(grid, occupant(20, 2.5), 2, 0);
  msg::putObject_atX_Y(grid, occupant(1, -1.0), 0, 1);
  return grid;
}

const char* const File = "lattice.hdf";

// The lattice written under "grid": shallow into the placeholder an
// archiver makes, deep into a group.
void write(id object, bool deep) {
  id file = makeNode(nil, File, YES);
  id node = makeNode(file, "grid", YES, deep ? NO : YES);
  if (deep) msg::hdf5OutDeep(object, node);
  else msg::hdf5OutShallow(object, node);
  msg::drop(node);
  msg::drop(file);
}

// The object that "grid" holds, made again; records is whether it is a
// record dataset.
id readBack(bool records) {
  id file = makeNode(nil, File, NO);
  id node = makeNode(file, "grid", NO, records ? YES : NO);
  id object = hdf5In(_obj_globalZone, node);
  msg::drop(node);
  msg::drop(file);
  return object;
}

void expectOccupants(id grid) {
  ASSERT_EQ(msg::getSizeX(grid), 3u);
  ASSERT_EQ(msg::getSizeY(grid), 2u);
  auto* a = static_cast<Occupant*>(msg::getObjectAtX_Y(grid, 2, 0));
  auto* b = static_cast<Occupant*>(msg::getObjectAtX_Y(grid, 0, 1));
  ASSERT_TRUE(a && b);
  EXPECT_EQ(a->isa, occupantClass());
  EXPECT_EQ(a->number, 20);
  EXPECT_EQ(a->heat, 2.5);
  EXPECT_EQ(b->number, 1);
  EXPECT_EQ(b->heat, -1.0);
  for (unsigned y = 0; y < 2; y++)
    for (unsigned x = 0; x < 3; x++) {
      if ((x == 2 && y == 0) || (x == 0 && y == 1)) continue;
      EXPECT_EQ(msg::getObjectAtX_Y(grid, x, y), nil);
    }
}

using LatticeHDF5 = HDF5Files;

TEST_F(LatticeHDF5, IntegerLatticeIsAGroupOfItsVariablesAndARowMajorDataset) {
  id l = lattice("Discrete2d", 3, 2);
  for (intptr_t i = 0; i < 6; i++) msg::putValue_atX_Y(l, i == 4 ? -5 : i + 1, i % 3, i / 3);
  write(l, false);
  const std::string listing = h5ls(std::string("-r ") + File);
  EXPECT_HAS(listing, "/grid/ivars");
  EXPECT_HAS(listing, "/grid/lattice            Dataset {2, 3}");
  EXPECT_HAS(h5dump(std::string("-d /grid/lattice ") + File), "(0,0): 1, 2, 3,\n   (1,0): 4, -5, 6");
  EXPECT_HAS(h5dump(std::string("-a /grid/type ") + File), "\"Discrete2d\"");
  EXPECT_HAS(h5dump(std::string("-a /grid/lattice/type ") + File), "\"Discrete2d\"");

  id copy = readBack(false);
  ASSERT_NE(copy, nil);
  EXPECT_STREQ(copy->isa->name, "Discrete2d");
  EXPECT_EQ(msg::getSizeX(copy), 3u);
  EXPECT_EQ(msg::getSizeY(copy), 2u);
  EXPECT_EQ(cellsOf(copy), (std::vector<intptr_t>{1, 2, 3, 4, -5, 6}));
  msg::drop(copy);
  msg::drop(l);
}

TEST_F(LatticeHDF5, ObjectLatticeIsOneRecordPerOccupantInRowOrder) {
  id grid = occupiedGrid();
  write(grid, false);
  EXPECT_HAS(h5ls(std::string("-r ") + File), "/grid                    Dataset {2}");
  EXPECT_HAS(h5dump(std::string("-a /grid/row.names ") + File), "(0): \"2,0\", \"0,1\"");
  EXPECT_HAS(h5dump(std::string("-a /grid/type ") + File), "\"Grid2d\"");
  EXPECT_HAS(h5dump(std::string("-a /grid/component-type ") + File), "\"Occupant\"");
  id copy = readBack(true);
  ASSERT_NE(copy, nil);
  EXPECT_STREQ(copy->isa->name, "Grid2d");
  expectOccupants(copy);
  msg::drop(copy);
  msg::drop(grid);
}

TEST_F(LatticeHDF5, EmptyObjectLatticeWritesNothing) {
  id grid = lattice("Grid2d", 3, 2);
  msg::setObjectFlag(grid, YES);
  write(grid, false);
  EXPECT_EQ(h5ls(std::string("-r ") + File).find("grid"), std::string::npos);
  msg::drop(grid);
}

TEST_F(LatticeHDF5, DeepFormIsAGroupPerOccupiedCell) {
  id grid = occupiedGrid();
  write(grid, true);
  const std::string listing = h5ls(std::string("-r ") + File);
  EXPECT_HAS(listing, "/grid/lattice/0,1");
  EXPECT_HAS(listing, "/grid/lattice/2,0/heat");
  EXPECT_HAS(listing, "/grid/xsize");
  EXPECT_EQ(listing.find("/grid/lattice/1,0"), std::string::npos);
  id copy = readBack(false);
  ASSERT_NE(copy, nil);
  expectOccupants(copy);
  msg::drop(copy);
  msg::drop(grid);
}

// A record dataset of occupants whose record names are given.
void writeRecords(const std::vector<const char*>& names) {
  id file = makeNode(nil, File, YES);
  id type = msg::createBegin(HDF5CompoundType, _obj_globalZone);
  msg::setPrototype(type, occupant(0, 0));
  type = msg::createEnd(type);
  id dataset = msg::createBegin(HDF5, _obj_globalZone);
  msg::setName(dataset, "grid");
  msg::setWriteFlag(dataset, YES);
  msg::setParent(dataset, file);
  msg::setCompoundType(dataset, type);
  msg::setCount(dataset, static_cast<unsigned>(names.size()));
  dataset = msg::createEnd(dataset);
  msg::storeTypeName(dataset, "Grid2d");
  for (unsigned i = 0; i < names.size(); i++) {
    msg::nameRecord_name(dataset, i, names[i]);
    msg::selectRecord(dataset, i);
    msg::hdf5OutShallow(occupant(static_cast<int>(i), 0), dataset);
  }
  msg::writeRowNames(dataset);
  msg::drop(dataset);
  msg::drop(file);
}

// A deep form with one more occupant group of the given name.
void writeDeepWithGroup(const char* name) {
  write(occupiedGrid(), true);
  id file = makeNode(nil, File, YES);
  id grid = makeNode(file, "grid", YES);
  id cells = makeNode(grid, "lattice", YES);
  id extra = makeNode(cells, name, YES);
  msg::hdf5OutDeep(occupant(7, 7), extra);
  for (id node : {extra, cells, grid, file}) msg::drop(node);
}

// A shallow integer form whose cells another program wrote with the HDF5
// library itself: values of the memory type, which the library converts
// to the file type, in a dataset of the given shape.
void writeForeignCells(hid_t fileType, hid_t memoryType, const void* values, std::vector<hsize_t> dims) {
  std::remove(File);
  id file = makeNode(nil, File, YES);
  id group = makeNode(file, "grid", YES);
  msg::storeTypeName(group, "Discrete2d");
  msg::drop(group);
  msg::drop(file);
  const hid_t f = H5Fopen(File, H5F_ACC_RDWR, H5P_DEFAULT);
  const hid_t space = H5Screate_simple(static_cast<int>(dims.size()), dims.data(), nullptr);
  const hid_t cells = H5Dcreate2(f, "/grid/lattice", fileType, space, H5P_DEFAULT, H5P_DEFAULT, H5P_DEFAULT);
  ASSERT_GE(cells, 0);
  ASSERT_GE(H5Dwrite(cells, memoryType, H5S_ALL, H5S_ALL, H5P_DEFAULT, values), 0);
  H5Dclose(cells);
  H5Sclose(space);
  H5Fclose(f);
}

void writeForeignCells(hid_t fileType, const std::vector<long long>& values, std::vector<hsize_t> dims = {2, 3}) {
  writeForeignCells(fileType, H5T_NATIVE_LLONG, values.data(), std::move(dims));
}

// Cells another program stored at any integer width and byte order read
// back as the same values.
TEST_F(LatticeHDF5, IntegerCellsOfEveryWidthAreConvertedToTheCells) {
  const hid_t oneBit = H5Tcopy(H5T_STD_U8LE);
  H5Tset_precision(oneBit, 1);
  struct Case {
    const char* what;
    hid_t type;
    std::vector<long long> values;
  };
  const Case cases[] = {
      {"signed 8-bit", H5T_STD_I8LE, {1, -128, 127, 0, -1, 5}},
      {"unsigned 8-bit", H5T_STD_U8LE, {0, 255, 128, 1, 2, 3}},
      {"one-bit booleans", oneBit, {0, 1, 1, 0, 0, 1}},
      {"signed 16-bit big-endian", H5T_STD_I16BE, {-32768, 32767, -2, 300, 0, 1}},
      {"unsigned 16-bit", H5T_STD_U16LE, {65535, 0, 32768, 7, 8, 9}},
      {"signed 32-bit", H5T_STD_I32LE, {INT32_MIN, INT32_MAX, -70000, 70000, 0, -1}},
      {"unsigned 32-bit big-endian", H5T_STD_U32BE, {UINT32_MAX, 0, 2147483648, 1, 2, 3}},
      {"signed 64-bit big-endian", H5T_STD_I64BE, {INT64_MIN, INT64_MAX, -5000000000, 1, 0, -1}},
      {"unsigned 64-bit within a cell", H5T_STD_U64LE, {INT64_MAX, 0, 5000000000, 1, 2, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    writeForeignCells(c.type, c.values);
    id copy = readBack(false);
    ASSERT_NE(copy, nil);
    EXPECT_EQ(msg::getSizeX(copy), 3u);
    EXPECT_EQ(msg::getSizeY(copy), 2u);
    EXPECT_EQ(cellsOf(copy), std::vector<intptr_t>(c.values.begin(), c.values.end()));
    msg::drop(copy);
  }
  H5Tclose(oneBit);
}

// Reading the "grid" of the file into a created lattice of the given size.
void readInto(unsigned x, unsigned y, bool records) {
  id file = makeNode(nil, File, NO);
  id node = makeNode(file, "grid", NO, records ? YES : NO);
  msg::hdf5In(lattice("Grid2d", x, y), node);
}

TEST_F(LatticeHDF5, FilesThatDoNotFitTheLatticeAreRefused) {
  const char* const In = "-[Discrete2d hdf5In:]";
  const char* const InCreate = "-[Discrete2d hdf5InCreate:]";
  const Misuse cases[] = {
      {"cells of another size",
       [] {
         write(lattice("Discrete2d", 3, 2), false);
         readInto(2, 2, false);
       },
       In, "the lattice dataset does not hold 2 rows of 2 cells\n"},
      {"cells of reals",
       [] {
         const double reals[6] = {};
         writeForeignCells(H5T_IEEE_F64LE, H5T_NATIVE_DOUBLE, reals, {2, 3});
         readBack(false);
       },
       In, "the lattice dataset holds values of type 13, not integers\n"},
      {"an unsigned 64-bit value beyond a cell",
       [] {
         const unsigned long long values[6] = {0, 0, 0, 0, 1ull << 63, 0};
         writeForeignCells(H5T_STD_U64LE, H5T_NATIVE_ULLONG, values, {2, 3});
         readBack(false);
       },
       In, "the lattice dataset holds 9223372036854775808 at (1,1), more than a cell holds\n"},
      {"cells in one row", [] { writeForeignCells(H5T_STD_I64LE, std::vector<long long>(6), {6}); readBack(false); },
       InCreate, "Rank of lattice dataset must be 2"},
      {"cells in three dimensions",
       [] {
         writeForeignCells(H5T_STD_I8LE, std::vector<long long>(6), {1, 2, 3});
         readBack(false);
       },
       InCreate, "Rank of lattice dataset must be 2"},
      {"trailing text in a record name", [] { writeRecords({"1,0", "1,1x"}); readBack(true); }, InCreate,
       "`1,1x' does not name a cell as x,y\n"},
      {"negative record name", [] { writeRecords({"-1,0"}); readBack(true); }, InCreate,
       "`-1,0' does not name a cell as x,y\n"},
      {"blank in a record name", [] { writeRecords({" 1,0"}); readBack(true); }, InCreate,
       "` 1,0' does not name a cell as x,y\n"},
      {"record name beyond 32 bits", [] { writeRecords({"4294967296,0"}); readBack(true); }, InCreate,
       "`4294967296,0' does not name a cell as x,y\n"},
      {"record name whose size wraps", [] { writeRecords({"4294967295,0"}); readBack(true); }, InCreate,
       "cell 4294967295,0 lies outside the lattice of 4294967295 by 4294967295 cells\n"},
      {"record outside a created lattice",
       [] {
         writeRecords({"2,1"});
         readInto(2, 2, true);
       },
       In, "cell 2,1 lies outside the lattice of 2 by 2 cells\n"},
      {"deep group outside the lattice", [] { writeDeepWithGroup("3,0"); readBack(false); }, In,
       "cell 3,0 lies outside the lattice of 3 by 2 cells\n"},
      {"deep group not a cell", [] { writeDeepWithGroup("1;0"); readBack(false); }, In,
       "`1;0' does not name a cell as x,y\n"},
  };
  expectReports(cases);
}

TEST_F(LatticeHDF5, OccupantsOfTwoClassesAreRefusedInTheShallowForm) {
  id grid = occupiedGrid();
  msg::putObject_atX_Y(grid, lattice("Discrete2d", 1, 1), 1, 1);
  const Misuse cases[] = {{"two classes", [&] { write(grid, false); }, "-[Discrete2d hdf5OutShallow:]",
                           "the occupant at (1,1) is a Discrete2d, the others Occupant: one class only\n"}};
  expectReports(cases);
}

}  // namespace
