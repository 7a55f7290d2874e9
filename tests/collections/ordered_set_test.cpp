#include <gtest/gtest.h>

#include "collections/collections.h"
#include "defobj/test_stream.h"
#include "defobj/test_thing.h"

namespace {

id makeSet() {
  id set = msg::createBegin(OrderedSet, _obj_scratchZone);
  msg::setIndexFromMemberLoc(set, thingLinkOffset());
  return msg::createEnd(set);
}

TEST(OrderedSet, HoldsEachMemberOnce) {
  id set = makeSet();
  Thing *a = makeThing(_obj_scratchZone), *b = makeThing(_obj_scratchZone);
  msg::add(set, a);
  msg::add(set, b);
  msg::add(set, a);
  EXPECT_EQ(msg::getCount(set), 2u);
  EXPECT_TRUE(msg::contains(set, b));
  EXPECT_EQ(msg::remove(set, a), a);
  EXPECT_FALSE(msg::contains(set, a));
  EXPECT_EQ(msg::getFirst(set), b);
  id index = msg::begin(set, _obj_scratchZone);
  EXPECT_STREQ(index->isa->name, "OrderedSetIndex_c");
  EXPECT_EQ(msg::next(index), b);
  msg::drop(index);
  msg::drop(set);
  msg::drop(a);
  msg::drop(b);
}

TEST(OrderedSetDeath, NeedsItsMemberOffset) {
  id set = msg::createBegin(OrderedSet, _obj_scratchZone);
  EXPECT_DEATH(msg::createEnd(set), literal("*** event raised for error: InvalidCombination\n") + ".*" +
                                        literal("> an ordered set requires IndexFromMemberLoc\n"));
}

}  // namespace
