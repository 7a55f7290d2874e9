#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "collections/Map.h"
#include "collections/MapIndex.h"
#include "collections/String.h"
#include "collections/stream_messages.h"
#include "defobj/test_thing.h"
#include "keyed_support.h"

namespace {

id word(intptr_t value) { return reinterpret_cast<id>(value); }

id makeMap(id zone, compare_t function) {
  id map = msg::createBegin(Map, zone);
  if (function) msg::setCompareFunction(map, function);
  return msg::createEnd(map);
}

id intMap() { return makeMap(_obj_scratchZone, compareIntegers); }

std::vector<id> keysInOrder(id map) {
  std::vector<id> keys;
  id index = msg::begin(map, _obj_scratchZone);
  id key;
  for (msg::next_(index, &key); msg::getLoc(index) == Member; msg::next_(index, &key)) keys.push_back(key);
  msg::drop(index);
  return keys;
}

int reverseOrder(id a, id b) { return compareIntegers(b, a); }

int compareCalls;
int countingCompare(id a, id b) {
  compareCalls++;
  return compareIntegers(a, b);
}

TEST(Map, KeyKindsKeepAscendingOrder) {
  id pear = msg::create_setC(String, _obj_scratchZone, "pear");
  id apple = msg::create_setC(String, _obj_scratchZone, "apple");
  id fig = msg::create_setC(String, _obj_scratchZone, "fig");
  Thing *t1 = makeThing(_obj_scratchZone), *t2 = makeThing(_obj_scratchZone), *t3 = makeThing(_obj_scratchZone);
  std::vector<id> things{t1, t2, t3};
  std::sort(things.begin(), things.end(), std::less<id>());
  const char *p = "pear", *a = "apple", *f = "fig";
  struct {
    const char* kind;
    compare_t function;
    std::vector<id> inserted, ordered;
  } cases[] = {
      {"integers", compareIntegers, {word(5), word(1), word(3), word(-1), word(0)},
       {word(-1), word(0), word(1), word(3), word(5)}},
      {"unsigned", compareUnsignedIntegers, {word(5), word(-1), word(0)}, {word(0), word(5), word(-1)}},
      {"strings", compareCStrings, {word(intptr_t(p)), word(intptr_t(a)), word(intptr_t(f))},
       {word(intptr_t(a)), word(intptr_t(f)), word(intptr_t(p))}},
      {"identities", compareIDs, {things[2], things[0], things[1]}, things},
      {"compare:", nullptr, {pear, apple, fig}, {apple, fig, pear}},
      {"caller's function", reverseOrder, {word(1), word(3), word(2)}, {word(3), word(2), word(1)}},
  };
  for (const auto& c : cases) {
    id map = makeMap(_obj_scratchZone, c.function);
    for (id key : c.inserted) EXPECT_TRUE(msg::at_insert(map, key, key)) << c.kind;
    EXPECT_EQ(keysInOrder(map), c.ordered) << c.kind;
    EXPECT_EQ(msg::getCount(map), c.ordered.size()) << c.kind;
    EXPECT_EQ(msg::getCompareFunction(map), c.function) << c.kind;
    msg::drop(map);
  }
  for (id object : {pear, apple, fig, id(t1), id(t2), id(t3)}) msg::drop(object);
}

TEST(Map, IntegerKeysAreTheirLow32Bits) {
  id map = intMap();
  msg::at_insert(map, word(5), word(50));
  EXPECT_EQ(msg::at(map, word(intptr_t(1) << 32 | 5)), word(50));
  EXPECT_FALSE(msg::at_insert(map, word(intptr_t(7) << 32 | 5), word(70)));
  msg::drop(map);
}

TEST(Map, ObjectKeysMatchByCompare) {
  id map = makeMap(_obj_scratchZone, nullptr);
  id key = msg::create_setC(String, _obj_scratchZone, "warmling");
  id same = msg::create_setC(String, _obj_scratchZone, "warmling");
  msg::at_insert(map, key, word(1));
  EXPECT_EQ(msg::at(map, same), word(1));
  EXPECT_TRUE(msg::containsKey(map, same));
  msg::drop(map);
  msg::drop(key);
  msg::drop(same);
}

TEST(Map, KeyedOperations) {
  id map = intMap();
  for (int k : {1, 3, 5}) msg::at_insert(map, word(k), word(k * 10));
  EXPECT_FALSE(msg::at_insert(map, word(3), word(99)));
  EXPECT_EQ(msg::at(map, word(3)), word(30)) << "a present key keeps its member";
  EXPECT_EQ(msg::getCount(map), 3u);
  EXPECT_EQ(msg::at(map, word(4)), nil);
  EXPECT_FALSE(msg::containsKey(map, word(4)));
  EXPECT_EQ(msg::at_replace(map, word(5), word(55)), word(50));
  EXPECT_EQ(msg::at(map, word(5)), word(55));
  EXPECT_EQ(msg::at_replace(map, word(7), word(70)), nil);
  EXPECT_FALSE(msg::containsKey(map, word(7))) << "replace inserts nothing";
  EXPECT_EQ(msg::removeKey(map, word(1)), word(10));
  EXPECT_EQ(msg::removeKey(map, word(1)), nil);
  EXPECT_EQ(msg::getCount(map), 2u);
  EXPECT_EQ(keysInOrder(map), (std::vector<id>{word(3), word(5)}));
  msg::drop(map);
}

TEST(Map, InsertAndRemoveStopAtTheFirstGreaterKey) {
  id map = makeMap(_obj_scratchZone, countingCompare);
  for (int k : {1, 3, 5, 7}) msg::at_insert(map, word(k), word(k));
  struct {
    const char* operation;
    std::function<void()> run;
    int compares;
  } cases[] = {
      {"removeKey: of a missing key", [&] { EXPECT_EQ(msg::removeKey(map, word(2)), nil); }, 2},
      {"at:insert: of a new key", [&] { EXPECT_TRUE(msg::at_insert(map, word(4), word(4))); }, 3},
      {"at: walks to the end", [&] { EXPECT_EQ(msg::at(map, word(6)), nil); }, 5},
  };
  for (const auto& c : cases) {
    compareCalls = 0;
    c.run();
    EXPECT_EQ(compareCalls, c.compares) << c.operation;
  }
  msg::drop(map);
}

TEST(Map, MemberSlotsStayValid) {
  id map = intMap();
  id* slot = nullptr;
  EXPECT_TRUE(msg::at_memberSlot(map, word(4), &slot));
  ASSERT_NE(slot, nullptr);
  EXPECT_EQ(*slot, nil) << "a null slot variable gives a nil member";
  id* const first = slot;
  *slot = word(40);
  EXPECT_EQ(msg::at(map, word(4)), word(40));

  id given = word(20);
  id* valueSlot = &given;
  EXPECT_TRUE(msg::at_memberSlot(map, word(2), &valueSlot));
  EXPECT_EQ(*valueSlot, word(20));
  for (int k : {1, 3, 9}) msg::at_insert(map, word(k), word(k));
  msg::removeKey(map, word(3));

  id* again = nullptr;
  EXPECT_FALSE(msg::at_memberSlot(map, word(4), &again));
  EXPECT_EQ(again, first) << "the entry did not move";
  id* keySlot = nullptr;
  EXPECT_FALSE(msg::at_keySlot_memberSlot(map, word(2), &keySlot, &again));
  EXPECT_EQ(*keySlot, word(2));
  EXPECT_EQ(again, valueSlot);
  EXPECT_EQ(keysInOrder(map), (std::vector<id>{word(1), word(2), word(4), word(9)}));
  msg::drop(map);
}

// The scheduler walks its map while actions are removed under the index:
// a removal leaves the index before the gap.
TEST(Map, RemovalDuringAWalk) {
  struct {
    int removedKey;
    bool forward;
    id expected;
    id expectedLoc;
  } cases[] = {
      {3, true, word(40), Member}, {3, false, word(20), Member}, {1, true, word(20), Member},
      {1, false, nil, Start},      {5, true, nil, End},         {5, false, word(40), Member},
  };
  for (const auto& c : cases) {
    id map = intMap();
    for (int k = 1; k <= 5; k++) msg::at_insert(map, word(k), word(k * 10));
    id index = msg::begin(map, _obj_scratchZone);
    id key = nil;
    while (msg::next_(index, &key) && key != word(c.removedKey)) {}
    EXPECT_EQ(msg::remove_(index), word(c.removedKey * 10));
    EXPECT_EQ(msg::getLoc(index), Removed);
    EXPECT_EQ(c.forward ? msg::next(index) : msg::prev(index), c.expected) << c.removedKey;
    EXPECT_EQ(msg::getLoc(index), c.expectedLoc) << c.removedKey;
    EXPECT_EQ(msg::getCount(map), 4u);
    EXPECT_FALSE(msg::containsKey(map, word(c.removedKey)));
    msg::drop(index);
    msg::drop(map);
  }
}

TEST(Map, IndexOperations) {
  id map = intMap();
  for (int k = 1; k <= 4; k++) msg::at_insert(map, word(k), word(k * 10));
  id index = msg::begin(map, _obj_scratchZone);
  EXPECT_EQ(msg::getKey(index), nil);
  EXPECT_EQ(msg::setKey(index, word(3)), word(30));
  EXPECT_EQ(msg::getKeyValue(index), word(3));
  id key = nil;
  EXPECT_EQ(msg::get_(index, &key), word(30));
  EXPECT_EQ(key, word(3));
  EXPECT_EQ(msg::replace(index, word(33)), word(30));
  EXPECT_EQ(msg::at(map, word(3)), word(33));
  EXPECT_EQ(msg::prev_(index, &key), word(20));
  EXPECT_EQ(key, word(2));
  EXPECT_EQ(msg::getOffset(index), 1);
  EXPECT_EQ(msg::setOffset(index, 3), word(40)) << "offsets answer members, not entries";
  EXPECT_EQ(msg::setKey(index, word(9)), nil);
  EXPECT_EQ(msg::getLoc(index), Start);
  EXPECT_EQ(msg::replace(index, word(1)), nil) << "not on an entry";
  msg::setLoc(index, End);
  EXPECT_EQ(msg::prev(index), word(40));
  msg::drop(index);

  id found = msg::createIndex_fromMember(map, _obj_scratchZone, word(20));
  ASSERT_NE(found, nil);
  EXPECT_EQ(msg::getKey(found), word(2));
  EXPECT_EQ(msg::next(found), word(33));
  msg::drop(found);
  EXPECT_EQ(msg::createIndex_fromMember(map, _obj_scratchZone, word(21)), nil);
  msg::drop(map);
}

TEST(Map, ForEachKeySendsToEveryKey) {
  id map = makeMap(_obj_scratchZone, compareIDs);
  Thing *a = makeThing(_obj_scratchZone), *b = makeThing(_obj_scratchZone);
  msg::at_insert(map, a, nil);
  msg::at_insert(map, b, nil);
  Thing* argument = makeThing(_obj_scratchZone);
  msg::forEachKey_(map, msg::testFirst.sel, argument);
  EXPECT_EQ(a->seen, argument);
  EXPECT_EQ(b->seen, argument);
  msg::forEachKey___(map, msg::testThird.sel, nil, nil, a);
  EXPECT_EQ(b->seen, a);
  msg::drop(map);
  for (id object : {id(a), id(b), id(argument)}) msg::drop(object);
}

TEST(Map, AllSameClass) {
  id thing = makeThing(_obj_scratchZone);
  id text = msg::create_setC(String, _obj_scratchZone, "x");
  id empty = makeMap(_obj_scratchZone, nullptr);
  EXPECT_TRUE(msg::allSameClass(empty));
  EXPECT_TRUE(msg::allSameKeyClass(empty));
  id numbered = intMap();
  msg::at_insert(numbered, word(1), thing);
  msg::at_insert(numbered, word(2), thing);
  EXPECT_TRUE(msg::allSameClass(numbered)) << "word keys have no class";
  msg::at_insert(numbered, word(3), text);
  EXPECT_FALSE(msg::allSameClass(numbered));
  id objects = makeMap(_obj_scratchZone, compareIDs);
  msg::at_insert(objects, thing, thing);
  msg::at_insert(objects, text, thing);
  EXPECT_TRUE(msg::allSameClass(objects)) << "keys are not asked with a compare function";
  EXPECT_FALSE(msg::allSameKeyClass(objects));
  for (id object : {empty, numbered, objects, thing, text}) msg::drop(object);
}

TEST(Map, CopyOwnsItsEntriesInItsZone) {
  Zone_c *source = makeZone(), *target = makeZone();
  id map = makeMap(source, compareIntegers);
  for (int k : {2, 1, 3}) msg::at_insert(map, word(k), word(k * 10));
  const unsigned long sourceBlocks = source->blockCount, targetBlocks = target->blockCount;
  id copy = msg::copy(map, target);
  EXPECT_EQ(source->blockCount, sourceBlocks);
  EXPECT_GE(target->blockCount, targetBlocks + 3);
  EXPECT_EQ(msg::getCount(copy), 3u);
  EXPECT_EQ(msg::getCompareFunction(copy), compareIntegers);
  msg::drop(map);
  EXPECT_EQ(keysInOrder(copy), (std::vector<id>{word(1), word(2), word(3)}));
  EXPECT_EQ(msg::at(copy, word(2)), word(20));
  msg::at_insert(copy, word(4), nil);
  msg::drop(copy);
  EXPECT_EQ(target->blockCount, targetBlocks) << "dropping the copy frees all it took";
  msg::drop(source);
  msg::drop(target);
}

TEST(Map, DropReleasesEveryEntry) {
  Zone_c* zone = makeZone();
  const unsigned long blocks = zone->blockCount, total = zone->blockTotal;
  id map = makeMap(zone, compareIntegers);
  for (int k = 0; k < 5; k++) msg::at_insert(map, word(k), nil);
  msg::removeKey(map, word(2));
  id index = msg::begin(map, zone);
  msg::next(index);
  msg::remove_(index);
  msg::drop(index);
  msg::drop(map);
  EXPECT_EQ(zone->blockCount, blocks);
  EXPECT_EQ(zone->blockTotal, total);
  msg::drop(zone);
}

TEST(Map, CustomizedTypeMakesPreparedMaps) {
  id prepared = msg::customizeBegin(Map, _obj_globalZone);
  msg::setCompareUnsignedIntegers(prepared);
  id type = msg::customizeEnd(prepared);
  id map = msg::create(type, _obj_scratchZone);
  EXPECT_EQ(msg::getCompareFunction(map), compareUnsignedIntegers);
  EXPECT_TRUE(msg::at_insert(map, word(-1), nil));
  EXPECT_TRUE(msg::at_insert(map, word(1), nil));
  EXPECT_EQ(keysInOrder(map), (std::vector<id>{word(1), word(-1)}));
  msg::drop(map);
}

TEST(MapDeath, IndexRemoveOffAnEntry) {
  id map = intMap();
  id index = msg::begin(map, _obj_scratchZone);
  EXPECT_DEATH(msg::remove_(index), raised("InvalidIndexLoc", "-[ListIndex(linked) _remove]"));
  msg::drop(index);
  msg::drop(map);
}

}  // namespace
