#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "collections/Set.h"
#include "defobj/test_thing.h"
#include "keyed_support.h"

namespace {

class SetTest : public testing::Test {
 protected:
  id set() { return made.emplace_back(msg::create(Set, _obj_scratchZone)); }
  Thing* thing() { return static_cast<Thing*>(made.emplace_back(makeThing(_obj_scratchZone))); }

  static std::vector<id> members(id collection, bool backwards = false) {
    std::vector<id> seen;
    id index = msg::begin(collection, _obj_scratchZone);
    if (backwards) msg::setLoc(index, End);
    for (id m = backwards ? msg::prev(index) : msg::next(index); msg::getLoc(index) == Member;
         m = backwards ? msg::prev(index) : msg::next(index))
      seen.push_back(m);
    msg::drop(index);
    return seen;
  }

  void TearDown() override {
    for (id object : made) msg::drop(object);
  }

  std::vector<id> made;
};

TEST_F(SetTest, KeepsDuplicatesAndRemovesOneAtATime) {
  id s = set();
  Thing *a = thing(), *b = thing();
  msg::add(s, a);
  msg::add(s, b);
  msg::add(s, a);
  EXPECT_EQ(msg::getCount(s), 3u);
  EXPECT_EQ(msg::remove(s, a), a);
  EXPECT_EQ(msg::getCount(s), 2u);
  EXPECT_TRUE(msg::contains(s, a));
  EXPECT_TRUE(msg::containsKey(s, b));
  EXPECT_EQ(msg::at(s, b), b);
  EXPECT_EQ(msg::removeKey(s, b), b);
  EXPECT_EQ(msg::at(s, b), nil);
  EXPECT_FALSE(msg::containsKey(s, b));
  EXPECT_EQ(msg::remove(s, b), nil);
  EXPECT_EQ(msg::getFirst(s), a) << "offsets see the members";
}

TEST_F(SetTest, IndexWalksBothWaysAndRemoves) {
  id s = set();
  Thing *a = thing(), *b = thing(), *c = thing();
  for (id m : {a, b, c}) msg::add(s, m);
  EXPECT_EQ(members(s, true), (std::vector<id>{c, b, a}));
  id index = msg::begin(s, _obj_scratchZone);
  msg::next(index);
  msg::next(index);
  EXPECT_EQ(msg::getOffset(index), 1);
  EXPECT_EQ(msg::replace(index, c), b);
  EXPECT_EQ(msg::remove_(index), c);
  EXPECT_EQ(msg::next(index), c);
  EXPECT_EQ(msg::setOffset(index, 0), a);
  msg::drop(index);
  EXPECT_EQ(msg::getCount(s), 2u);
  EXPECT_EQ(msg::getLast(s), c);
  EXPECT_TRUE(msg::allSameClass(s));
}

TEST_F(SetTest, ForEachKeyDeliversTheArguments) {
  id s = set();
  Thing *a = thing(), *b = thing(), *marker = thing();
  msg::add(s, a);
  msg::add(s, b);
  msg::forEachKey___(s, msg::testThird.sel, nil, nil, marker);
  EXPECT_EQ(a->seen, marker);
  EXPECT_EQ(b->seen, marker);
  msg::forEachKey(s, msg::testBump.sel);
  EXPECT_EQ(a->value, 1);
}

TEST_F(SetTest, CopyHoldsTheSameMembersApart) {
  id s = set();
  Thing *a = thing(), *b = thing();
  msg::add(s, a);
  msg::add(s, b);
  Zone_c* zone = makeZone();
  id copy = msg::copy(s, zone);
  EXPECT_EQ(members(copy), (std::vector<id>{a, b}));
  EXPECT_EQ(msg::getCount(copy), 2u);
  msg::remove(copy, a);
  EXPECT_EQ(members(s), (std::vector<id>{a, b}));
  msg::drop(copy);
  msg::drop(zone);
}

TEST_F(SetTest, EmptySet) {
  id s = set();
  EXPECT_TRUE(msg::allSameClass(s));
  EXPECT_EQ(msg::getCount(s), 0u);
  id index = msg::begin(s, _obj_scratchZone);
  EXPECT_EQ(msg::next(index), nil);
  EXPECT_EQ(msg::getLoc(index), End);
  msg::drop(index);
}

TEST(SetDeath, RefusedKeyedOperations) {
  id s = msg::create(Set, _obj_scratchZone);
  id* slot = nullptr;
  struct {
    const char* function;
    std::function<void()> send;
  } cases[] = {
      {"-[Set(c) _replace:]", [&] { msg::replace(s, nil); }},
      {"-[Set(c) _at:memberSlot:]", [&] { msg::at_memberSlot(s, nil, &slot); }},
      {"-[Set(c) _createIndex:fromMember:]", [&] { msg::createIndex_fromMember(s, _obj_scratchZone, nil); }},
  };
  for (const auto& c : cases) EXPECT_DEATH(c.send(), raised("NotImplemented", c.function)) << c.function;
  msg::drop(s);
}

}  // namespace
