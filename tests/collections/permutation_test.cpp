#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "collections/Map.h"
#include "collections/MapIndex.h"
#include "collections/Permutation.h"
#include "collections/PermutedIndex.h"
#include "defobj/test_thing.h"
#include "keyed_support.h"
#include "random/random.h"

namespace {

id word(intptr_t value) { return reinterpret_cast<id>(value); }

std::vector<id> words(int n) {
  std::vector<id> members;
  for (int i = 1; i <= n; i++) members.push_back(word(i * 16));
  return members;
}

id listOf(const std::vector<id>& members) {
  id list = msg::create(List, _obj_scratchZone);
  for (id m : members) msg::addLast(list, m);
  return list;
}

std::vector<id> contents(id collection) {
  std::vector<id> seen;
  for (unsigned i = 0; i < msg::getCount(collection); i++) seen.push_back(msg::atOffset(collection, i));
  return seen;
}

std::vector<id> sorted(std::vector<id> members) {
  std::sort(members.begin(), members.end(), std::less<id>());
  return members;
}

// Steps with next until nil; a walk that never ends stops at the limit.
std::vector<id> walk(id index, size_t limit = 1000) {
  std::vector<id> seen;
  while (seen.size() < limit)
    if (id member = msg::next(index)) seen.push_back(member);
    else break;
  return seen;
}

id permutedIndex(id collection, id draws) {
  id index = msg::createBegin(id_PermutedIndex_c, _obj_scratchZone);
  msg::setCollection(index, collection);
  msg::setUniformRandom(index, draws);
  return msg::createEnd(index);
}

// The shared distribution is a recorded one during each test.
class Shuffling : public testing::Test {
 protected:
  void SetUp() override {
    saved = uniformUnsRand;
    shared = makeDraws(_obj_scratchZone, 11);
    uniformUnsRand = shared;
  }
  void TearDown() override {
    uniformUnsRand = saved;
    msg::drop(shared);
  }
  id saved;
  TestDraws* shared;
};

TEST_F(Shuffling, WholeListDrawsFromTheLastOffsetDown) {
  TestDraws* draws = makeDraws(_obj_scratchZone, 3);
  id shuffler = msg::create_setUniformRandom(ListShuffler, _obj_scratchZone, draws);
  id one = listOf(words(1));
  EXPECT_EQ(msg::shuffleWholeList(shuffler, one), one);
  EXPECT_EQ(draws->draws, 0u);
  id five = listOf(words(5));
  msg::shuffleWholeList(shuffler, five);
  EXPECT_EQ(draws->draws, 4u);
  EXPECT_EQ(draws->lastMax, 1u);
  EXPECT_EQ(sorted(contents(five)), words(5));
  for (id object : {shuffler, one, five, id(draws)}) msg::drop(object);
}

TEST_F(Shuffling, PartialShuffleLeavesTheRest) {
  id shuffler = msg::create(ListShuffler, _obj_scratchZone);
  const std::vector<id> members = words(10);
  id list = listOf(members);
  EXPECT_EQ(msg::shufflePartialList_Num(shuffler, list, 3), list);
  const std::vector<id> after = contents(list);
  EXPECT_EQ(std::vector<id>(after.begin() + 3, after.end()), std::vector<id>(members.begin() + 3, members.end()));
  EXPECT_EQ(sorted({after.begin(), after.begin() + 3}), std::vector<id>(members.begin(), members.begin() + 3));
  EXPECT_EQ(shared->draws, 2u) << "the shared distribution by default";
  msg::shufflePartialList_Num(shuffler, list, 20);
  EXPECT_EQ(shared->draws, 11u) << "a larger number shuffles the whole list";
  msg::drop(shuffler);
  msg::drop(list);
}

TEST_F(Shuffling, PermutationHoldsOneItemPerMember) {
  id list = listOf(words(4));
  id permutation = msg::createBegin(Permutation, _obj_scratchZone);
  msg::setCollection(permutation, list);
  permutation = msg::createEnd(permutation);
  EXPECT_EQ(msg::getCollection(permutation), list);
  EXPECT_EQ(msg::getCount(permutation), 4u);
  EXPECT_TRUE(msg::getUntouchedFlag(permutation));
  EXPECT_FALSE(msg::getTouchedFlag(permutation));
  std::vector<id> items;
  for (id item : contents(permutation)) {
    items.push_back(msg::getItem(item));
    EXPECT_EQ(msg::atOffset(list, msg::getPosition(item)), msg::getItem(item));
  }
  EXPECT_EQ(sorted(items), words(4));
  EXPECT_EQ(shared->draws, 3u);
  msg::drop(permutation);
  msg::drop(list);
}

TEST_F(Shuffling, PermutedWalkVisitsEveryMemberOnce) {
  const std::vector<id> members = words(10);
  id list = listOf(members);
  id array = msg::create_setCount(Array, _obj_scratchZone, 10);
  id set = msg::create(Set, _obj_scratchZone);
  id map = msg::createBegin(Map, _obj_scratchZone);
  msg::setCompareIDs(map);
  map = msg::createEnd(map);
  for (unsigned i = 0; i < members.size(); i++) {
    msg::atOffset_put(array, i, members[i]);
    msg::add(set, members[i]);
    msg::at_insert(map, members[i], members[i]);
  }
  for (id collection : {list, array, set, map}) {
    id index = msg::beginPermuted(collection, _obj_scratchZone);
    EXPECT_EQ(sorted(walk(index)), members) << collection->isa->name;
    EXPECT_EQ(msg::getLoc(index), End) << collection->isa->name;
    EXPECT_EQ(msg::next(index), nil) << "the walk stays ended";
    msg::drop(index);
  }
  for (id collection : {list, array, set, map}) msg::drop(collection);
}

TEST_F(Shuffling, WalksAreReproducibleDrawForDraw) {
  id list = listOf(words(5));
  std::vector<id> orders[2];
  for (auto& order : orders) {
    TestDraws* draws = makeDraws(_obj_scratchZone, 42);
    id index = permutedIndex(list, draws);
    EXPECT_EQ(draws->draws, 4u) << "creation shuffles once";
    msg::next(index);
    EXPECT_EQ(draws->draws, 12u) << "each step builds and reshuffles a permutation";
    order = walk(index);
    msg::drop(index);
    msg::drop(draws);
  }
  EXPECT_EQ(orders[0], orders[1]);
  EXPECT_EQ(shared->draws, 0u);
  msg::drop(list);
}

TEST_F(Shuffling, EmptyCollection) {
  id list = listOf({});
  id index = msg::beginPermuted(list, _obj_scratchZone);
  EXPECT_EQ(msg::next(index), nil);
  EXPECT_EQ(msg::getLoc(index), End);
  msg::drop(index);
  msg::drop(list);
}

TEST_F(Shuffling, CollectionChangesDuringTheWalk) {
  id list = listOf(words(6));
  id index = msg::beginPermuted(list, _obj_scratchZone);
  std::vector<id> seen{msg::next(index), msg::next(index)};
  std::vector<id> rest = words(6);
  for (id m : seen) rest.erase(std::find(rest.begin(), rest.end(), m));
  const id removed = rest.front(), added = word(999 * 16);
  msg::remove(list, removed);
  msg::addLast(list, added);
  for (id m : walk(index)) seen.push_back(m);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), removed), 0);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), added), 1);
  EXPECT_EQ(sorted(seen), sorted(contents(list)));
  msg::drop(index);
  msg::drop(list);
}

TEST_F(Shuffling, RemoveAndPutReachTheSource) {
  id list = listOf(words(4));
  id index = msg::beginPermuted(list, _obj_scratchZone);
  id first = msg::next(index);
  EXPECT_EQ(msg::get(index), first);
  EXPECT_EQ(msg::remove_(index), first);
  EXPECT_EQ(msg::getCount(list), 3u);
  EXPECT_FALSE(msg::contains(list, first));
  id second = msg::next(index);
  EXPECT_EQ(msg::put(index, word(5)), second);
  EXPECT_TRUE(msg::contains(list, word(5)));
  EXPECT_EQ(walk(index).size(), 2u) << "a walk visits each member once";
  msg::drop(index);
  msg::drop(list);
}

// Members far apart in memory are told apart by the whole address.
TEST_F(Shuffling, DistantMembersAreDistinct) {
  const intptr_t far = intptr_t(1) << 32;
  const std::vector<id> members{word(16), word(far + 16), word(2 * far + 16), word(3 * far + 16)};
  id list = listOf(members);
  id index = msg::beginPermuted(list, _obj_scratchZone);
  EXPECT_EQ(sorted(walk(index)), members);
  msg::drop(index);
  msg::drop(list);
}

TEST_F(Shuffling, PermutedMapIndexAnswersKeys) {
  id map = msg::createBegin(Map, _obj_scratchZone);
  msg::setCompareIntegers(map);
  map = msg::createEnd(map);
  for (int k = 1; k <= 5; k++) msg::at_insert(map, word(k), word(k * 10));
  id index = msg::_createPermutedIndex_forIndexSubclass(map, _obj_scratchZone, reinterpret_cast<Class>(id_MapIndex_c));
  std::vector<id> keys;
  id key = nil;
  while (id member = msg::next_(index, &key)) {
    EXPECT_EQ(member, word(reinterpret_cast<intptr_t>(key) * 10));
    keys.push_back(key);
  }
  EXPECT_EQ(sorted(keys), (std::vector<id>{word(1), word(2), word(3), word(4), word(5)}));
  msg::drop(index);
  msg::drop(map);
}

TEST_F(Shuffling, SetLocStartsANewWalk) {
  id list = listOf(words(3));
  id index = msg::beginPermuted(list, _obj_scratchZone);
  EXPECT_EQ(walk(index).size(), 3u);
  msg::setLoc(index, Start);
  EXPECT_EQ(sorted(walk(index)), words(3));
  msg::drop(index);
  msg::drop(list);
}

TEST(ShufflingDeath, Refusals) {
  id list = listOf(words(2));
  TestDraws* draws = makeDraws(_obj_scratchZone, 1);
  Thing* thing = makeThing(_obj_scratchZone);
  const char* setter = "-[ListShuffler(c) _setUniformRandom:]";
  struct {
    std::function<void()> send;
    std::string pattern;
  } cases[] = {
      {[&] {
         id shuffler = msg::createBegin(ListShuffler, _obj_scratchZone);
         msg::setUniformRandom(shuffler, draws);
         msg::setUniformRandom(shuffler, draws);
       },
       raised("InvalidArgument", setter, "ListShuffler: You can only set the UniformUnsigned object once\n")},
      {[&] { msg::create_setUniformRandom(ListShuffler, _obj_scratchZone, nil); },
       raised("InvalidArgument", setter, "ListShuffler: need a UniformUnsigned distribution object!\n")},
      {[&] { msg::create_setUniformRandom(ListShuffler, _obj_scratchZone, thing); },
       raised("InvalidArgument", setter, "ListShuffler: need a UniformUnsigned distribution object!\n")},
      {[&] { msg::createEnd(msg::createBegin(Permutation, _obj_scratchZone)); },
       raised("InvalidArgument", "-[Permutation(c) _createEnd]", "Source collection required for Permutation")},
      {[&] { msg::put(permutedIndex(list, draws), nil); }, literal(" -[PermutedIndex(c) _put:]\n")},
      {[&] { msg::remove_(permutedIndex(list, draws)); }, literal(" -[PermutedIndex(c) _remove]\n")},
  };
  for (const auto& c : cases) EXPECT_DEATH(c.send(), c.pattern);
  msg::drop(list);
  msg::drop(draws);
  msg::drop(thing);
}

}  // namespace
