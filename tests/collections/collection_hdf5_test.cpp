// HDF5 forms of lists, arrays and strings: what the files hold, as h5ls
// and h5dump see them, what reads back, and the reports of bad files.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "collections/Array.h"
#include "collections/List.h"
#include "collections/Map.h"
#include "collections/String.h"
#include "collections/collections.h"
#include "collections/predicates.h"
#include "defobj/CreateDrop.h"
#include "defobj/hdf5In.h"
#include "defobj/hdf5_support.h"
#include "defobj/module.h"
#include "runtime/registration.h"
#include "support/reports.h"

namespace {

struct Point : CreateDrop {
  int count;
  double weight;
};

struct Other : CreateDrop {
  int count;
};

}  // namespace

REGISTER_CLASS(Point, CreateDrop, ivar(&Point::count, "count"), ivar(&Point::weight, "weight"))
REGISTER_CLASS(Other, CreateDrop, ivar(&Other::count, "count"))

namespace {

Class pointClass() {
  static bool registered = false;
  if (!registered) {
    objc_register_Point();
    objc_register_Other();
    registered = true;
  }
  return objc_get_class("Point");
}

id makePoint(int count) {
  auto* point = static_cast<Point*>(msg::create(pointClass(), _obj_globalZone));
  point->count = count;
  point->weight = count / 2.0;
  return point;
}

// The collection written in the form into "c" of a new file.
void write(const char* file, id collection, bool deep) {
  id root = makeNode(nil, file, YES);
  id node = makeNode(root, "c", YES, deep ? NO : YES);
  if (deep) msg::hdf5OutDeep(collection, node);
  else msg::hdf5OutShallow(collection, node);
  msg::drop(node);
  msg::drop(root);
}

// The object that "c" of the file holds.
id readBack(const char* file, bool dataset) {
  id root = makeNode(nil, file, NO);
  id node = makeNode(root, "c", NO, dataset ? YES : NO);
  id object = hdf5In(_obj_globalZone, node);
  msg::drop(node);
  msg::drop(root);
  return object;
}

// The counts of the members, nil as -1.
std::vector<int> countsOf(id collection) {
  std::vector<int> counts;
  id index = msg::begin(collection, _obj_globalZone);
  for (id member = msg::next(index); msg::getLoc(index) == Member; member = msg::next(index))
    counts.push_back(member ? static_cast<Point*>(member)->count : -1);
  msg::drop(index);
  return counts;
}

id makeList(const std::vector<int>& counts) {
  id list = msg::create(List, _obj_globalZone);
  for (int count : counts) msg::addLast(list, count < 0 ? nil : makePoint(count));
  return list;
}

id makeArray(const std::vector<int>& counts) {
  id array = msg::create_setCount(Array, _obj_globalZone, counts.size());
  for (unsigned i = 0; i < counts.size(); i++) msg::atOffset_put(array, i, counts[i] < 0 ? nil : makePoint(counts[i]));
  return array;
}

// Type names in files resolve as the started program resolves them.
class CollectionHDF5 : public HDF5Files {
 protected:
  void SetUp() override {
    HDF5Files::SetUp();
    _objc_lookup_class = findTypeOrLocalClass;
  }
};

TEST_F(CollectionHDF5, DeepListsHoldOneGroupPerMemberAndSkipNils) {
  write("deep.h5", makeList({3, -1, 5}), true);
  const std::string listing = h5ls("-r deep.h5");
  EXPECT_HAS(listing, "/c/0 ");
  EXPECT_HAS(listing, "/c/2 ");
  EXPECT_EQ(listing.find("/c/1 "), std::string::npos) << listing;
  EXPECT_HAS(h5dump("-a /c/type deep.h5"), "\"List\"");
  id list = readBack("deep.h5", false);
  EXPECT_EQ(list->isa, msg::create(List, _obj_globalZone)->isa);
  EXPECT_EQ(countsOf(list), (std::vector<int>{3, 5}));
  EXPECT_DOUBLE_EQ(static_cast<Point*>(msg::getFirst(list))->weight, 1.5);
}

TEST_F(CollectionHDF5, ShallowListsAndArraysHoldOneRecordPerMember) {
  struct Case {
    const char* what;
    id collection;
  } cases[] = {{"list", makeList({4, 1, 7})}, {"array", makeArray({4, 1, 7})}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    write("shallow.h5", c.collection, false);
    const std::string dump = h5dump("-A shallow.h5");
    EXPECT_HAS(dump, "DATASET \"c\"");
    EXPECT_HAS(dump, "\"Point\"");
    EXPECT_HAS(dump, "DATASPACE  SIMPLE { ( 3 ) / ( 3 ) }");
    id back = readBack("shallow.h5", true);
    EXPECT_EQ(back->isa, c.collection->isa);
    EXPECT_EQ(countsOf(back), (std::vector<int>{4, 1, 7}));
  }
}

// An empty collection has no record to give the record type.
TEST_F(CollectionHDF5, EmptyShallowListsReadBackEmpty) {
  write("empty.h5", makeList({}), false);
  id back = readBack("empty.h5", false);
  EXPECT_EQ(back->isa, makeList({})->isa);
  EXPECT_EQ(msg::getCount(back), 0u);
}

// Children are listed by name, "10" before "2"; the slots follow the offsets.
TEST_F(CollectionHDF5, DeepArraysKeepTheOrderOfTheirOffsets) {
  std::vector<int> counts;
  for (int i = 0; i < 12; i++) counts.push_back(100 + i);
  write("array.h5", makeArray(counts), true);
  id array = readBack("array.h5", false);
  EXPECT_STREQ(msg::getTypeName(array), "Array");
  EXPECT_EQ(msg::getCount(array), 12u);
  EXPECT_EQ(countsOf(array), counts);
}

id makeMap(compare_t function) {
  id map = msg::createBegin(Map, _obj_globalZone);
  if (function) msg::setCompareFunction(map, function);
  return msg::createEnd(map);
}

// Word keys, or object keys as their texts (a Point key as its count).
std::string keyText(compare_t function, id key) {
  const auto word = reinterpret_cast<uintptr_t>(key);
  if (function == compareCStrings) return reinterpret_cast<const char*>(key);
  if (function == compareIntegers) return std::to_string(static_cast<int32_t>(word));
  if (function == compareUnsignedIntegers) return std::to_string(static_cast<uint32_t>(word));
  return stringp(key) ? msg::getC(key) : "point " + std::to_string(static_cast<Point*>(key)->count);
}

// Each entry as "key=count".
std::vector<std::string> entriesOf(id map) {
  const compare_t function = msg::getCompareFunction(map);
  std::vector<std::string> entries;
  id index = msg::begin(map, _obj_globalZone);
  id key;
  for (id member = msg::next_(index, &key); msg::getLoc(index) == Member; member = msg::next_(index, &key))
    entries.push_back(keyText(function, key) + "=" + std::to_string(static_cast<Point*>(member)->count));
  msg::drop(index);
  return entries;
}

struct MapCase {
  const char* what;
  compare_t function;
  std::vector<id> keys;
  const char* childName;  // a member name h5ls shows in the deep form
  bool shallow;           // whether the keys label records
};

std::vector<MapCase> mapCases() {
  auto word = [](intptr_t value) { return reinterpret_cast<id>(value); };
  auto text = [](const char* value) { return msg::create_setC(String, _obj_globalZone, value); };
  return {
      {"c strings", compareCStrings, {word(reinterpret_cast<intptr_t>("beta")), word(reinterpret_cast<intptr_t>("alpha"))}, "/c/alpha ", true},
      {"integers", compareIntegers, {word(-4), word(12)}, "/c/-4 ", true},
      {"unsigned", compareUnsignedIntegers, {word(7), word(3)}, "/c/7 ", true},
      {"string objects", compareIDs, {text("cold"), text("warm")}, "/c/warm ", true},
      {"string objects, no function", nullptr, {text("cold"), text("warm")}, "/c/cold ", true},
      {"point objects", compareIDs, {makePoint(40), makePoint(50)}, "/c/keys/1 ", false},
  };
}

TEST_F(CollectionHDF5, MapsReadBackWithTheirKeysAndCompareFunction) {
  unsigned files = 0;
  for (const MapCase& c : mapCases()) {
    SCOPED_TRACE(c.what);
    id map = makeMap(c.function);
    for (unsigned i = 0; i < c.keys.size(); i++) msg::at_insert(map, c.keys[i], makePoint(i + 1));
    const std::vector<std::string> entries = entriesOf(map);
    for (bool deep : {true, false}) {
      if (!deep && !c.shallow) continue;
      SCOPED_TRACE(deep ? "deep" : "shallow");
      const std::string file = std::to_string(files++) + ".h5";
      write(file.c_str(), map, deep);
      if (deep) {
        EXPECT_HAS(h5ls("-r " + file), c.childName);
      }
      const std::string attributes = h5dump("-A " + file);
      if (c.function) EXPECT_HAS(attributes, "ATTRIBUTE \"compare-function\"");
      else EXPECT_EQ(attributes.find("compare-function"), std::string::npos) << attributes;
      id back = readBack(file.c_str(), !deep);
      EXPECT_EQ(back->isa, map->isa);
      EXPECT_EQ(msg::getCompareFunction(back), c.function);
      if (c.function == compareIDs || !c.function) {
        // New key objects order by address; compare the sets of entries.
        std::vector<std::string> got = entriesOf(back), want = entries;
        std::sort(got.begin(), got.end());
        std::sort(want.begin(), want.end());
        EXPECT_EQ(got, want);
      } else {
        EXPECT_EQ(entriesOf(back), entries);
      }
    }
  }
}

TEST_F(CollectionHDF5, StringsAreStringDatasets) {
  id root = makeNode(nil, "text.h5", YES);
  id node = makeNode(root, "c", YES, YES);
  msg::hdf5OutShallow(msg::create_setC(String, _obj_globalZone, "warm \"day\""), node);
  msg::drop(node);
  msg::drop(root);
  const std::string dump = h5dump("text.h5");
  EXPECT_HAS(dump, "DATASET \"c\"");
  EXPECT_HAS(dump, "STRSIZE 11;");
  id text = readBack("text.h5", true);
  EXPECT_STREQ(msg::getC(text), "warm \"day\"");
  EXPECT_EQ(msg::getCount(text), 10u);

  // Members of a deep list take the deep form.
  id list = msg::create(List, _obj_globalZone);
  msg::addLast(list, msg::create_setC(String, _obj_globalZone, "cold"));
  write("texts.h5", list, true);
  id member = msg::getFirst(readBack("texts.h5", false));
  EXPECT_STREQ(msg::getC(member), "cold");
  EXPECT_EQ(msg::getCount(member), 4u);
}

// Reads a collection of the type whose one member is named "first".
void readMemberNamedFirst(const char* typeName, const char* compareFunction) {
  id root = makeNode(nil, "named.h5", YES);
  id node = makeNode(root, "c", YES);
  msg::storeTypeName(node, typeName);
  if (compareFunction) msg::storeAttribute_value(node, "compare-function", compareFunction);
  id child = makeNode(node, "first", YES);
  msg::hdf5OutDeep(makePoint(1), child);
  msg::drop(child);
  msg::drop(node);
  msg::drop(root);
  readBack("named.h5", false);
}

TEST_F(CollectionHDF5, BadCollectionsAndFilesAreReported) {
  const Misuse cases[] = {
      {"list of two classes",
       [] {
         id list = makeList({1});
         msg::addLast(list, msg::create(objc_get_class("Other"), _obj_globalZone));
         write("mixed.h5", list, false);
       },
       "-[List(any) _hdf5OutShallow:]", "shallow HDF5 serialization on Collections must be same type"},
      {"map of two classes",
       [] {
         id map = makeMap(compareIntegers);
         msg::at_insert(map, reinterpret_cast<id>(1), makePoint(1));
         msg::at_insert(map, reinterpret_cast<id>(2), msg::create(objc_get_class("Other"), _obj_globalZone));
         write("mixed.h5", map, false);
       },
       "-[Map(c) _hdf5OutShallow:]", "shallow HDF5 serialization on Map must be same type"},
      {"map of point keys, shallow",
       [] {
         id map = makeMap(compareIDs);
         msg::at_insert(map, makePoint(5), makePoint(1));
         write("points.h5", map, false);
       },
       "-[Map(c) _hdf5OutShallow:]", "cannot shallow-serialize Map c"},
      {"integer map member not named by an integer",
       [] { readMemberNamedFirst("Map", "compare-integers"); },
       "-[Map(c) _hdf5In:]", "map key `first' is not an integer"},
      {"array with a nil slot",
       [] { write("nil.h5", makeArray({1, -1}), false); },
       "-[Array(c) _hdf5OutShallow:]", "shallow HDF5 serialization on Collections must be same type"},
      {"string from a record dataset",
       [] {
         write("records.h5", makeList({1}), false);
         id root = makeNode(nil, "records.h5", NO);
         id node = makeNode(root, "c", NO, YES);
         msg::hdf5In(msg::create(String, _obj_globalZone), node);
       },
       "-[String(c) _hdf5In:]", "HDF5 object `c' is not a text"},
      {"array member not named by an offset",
       [] { readMemberNamedFirst("Array", nullptr); },
       "-[Array(c) _hdf5In:]", "array member `first' is not named by an offset"},
  };
  expectReports(cases);
}

}  // namespace
