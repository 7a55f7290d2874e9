#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "collections/collections.h"
#include "defobj/test_stream.h"
#include "defobj/Zone.h"
#include "defobj/test_thing.h"

namespace {

id makeList(std::initializer_list<id> members) {
  id list = msg::create(List, _obj_scratchZone);
  for (id m : members) msg::addLast(list, m);
  return list;
}

const std::string error = literal("*** event raised for error: ");

TEST(Collection, EmptyCollection) {
  id list = makeList({});
  Thing* thing = makeThing(_obj_scratchZone);
  EXPECT_FALSE(msg::contains(list, thing));
  EXPECT_EQ(msg::remove(list, thing), nil);
  msg::removeAll(list);
  msg::deleteAll(list);
  EXPECT_TRUE(msg::allSameClass(list)) << "no two members differ";
  EXPECT_DEATH(msg::getFirst(list), error + "OffsetOutOfRange\n");
  EXPECT_DEATH(msg::getLast(list), error + "OffsetOutOfRange\n");
  msg::drop(list);
  msg::drop(thing);
}

TEST(Collection, MembershipAndRemoval) {
  Thing *a = makeThing(_obj_scratchZone), *b = makeThing(_obj_scratchZone);
  id list = makeList({a, b, a});
  EXPECT_TRUE(msg::contains(list, b));
  EXPECT_EQ(msg::remove(list, a), a);
  EXPECT_EQ(msg::getCount(list), 2u);
  EXPECT_EQ(msg::getFirst(list), b) << "only the first occurrence goes";
  EXPECT_EQ(msg::getLast(list), a);
  EXPECT_EQ(msg::atOffset_put(list, 1, b), a);
  EXPECT_EQ(msg::atOffset(list, 1), b);
  EXPECT_DEATH(msg::atOffset(list, static_cast<unsigned>(-1)), error + "OffsetOutOfRange\n");
  msg::removeAll(list);
  EXPECT_EQ(msg::getCount(list), 0u);
  msg::drop(list);
  msg::drop(a);
  msg::drop(b);
}

TEST(Collection, DeleteAllDropsOnlyRealMembers) {
  Thing *a = makeThing(_obj_scratchZone), *b = makeThing(_obj_scratchZone);
  id list = makeList({a, nil, b});
  msg::deleteAll(list);
  EXPECT_EQ(msg::getCount(list), 0u);
  EXPECT_FALSE(_obj_isLiveObject(a));
  EXPECT_FALSE(_obj_isLiveObject(b));
  msg::drop(list);
}

TEST(Collection, AllSameClass) {
  Thing* a = makeThing(_obj_scratchZone);
  id other = msg::create(List, _obj_scratchZone);
  struct {
    std::vector<id> members;
    BOOL same;
  } cases[] = {{{a}, YES}, {{a, a}, YES}, {{a, other}, NO}, {{nil, nil}, YES}, {{a, nil}, NO}, {{nil, a}, NO}};
  for (const auto& c : cases) {
    id list = msg::create(List, _obj_scratchZone);
    for (id m : c.members) msg::addLast(list, m);
    EXPECT_EQ(msg::allSameClass(list), c.same);
    msg::drop(list);
  }
  msg::drop(other);
  msg::drop(a);
}

TEST(Collection, ForEachSkipsNil) {
  Thing *a = makeThing(_obj_scratchZone), *b = makeThing(_obj_scratchZone);
  id list = makeList({a, nil, b, a});
  msg::forEach(list, msg::testBump.sel);
  EXPECT_EQ(a->value, 2);
  EXPECT_EQ(b->value, 1);
  msg::forEach_(list, msg::testFirst.sel, _obj_globalZone);
  EXPECT_EQ(b->seen, _obj_globalZone);
  msg::forEach___(list, msg::testThird.sel, nil, nil, _obj_sessionZone);
  EXPECT_EQ(a->seen, _obj_sessionZone);
  msg::drop(list);
  msg::drop(a);
  msg::drop(b);
}

TEST(Collection, IndexFromMemberLocRange) {
  struct {
    int offset;
    bool ok;
  } cases[] = {{-2044, true}, {2048, true}, {0, true}, {-2045, false}, {2049, false}};
  for (const auto& c : cases) {
    id list = msg::createBegin(List, _obj_scratchZone);
    if (c.ok) {
      msg::setIndexFromMemberLoc(list, c.offset);
      EXPECT_EQ(msg::getIndexFromMemberLoc(list), c.offset);
    } else {
      EXPECT_DEATH(msg::setIndexFromMemberLoc(list, c.offset),
                   error + "InvalidArgument\n.*" +
                       literal("> IndexFromMemberLoc must be within range of -2044 to +2048\n> value specified: " +
                               std::to_string(c.offset) + "\n"));
    }
    msg::drop(list);
  }
}

TEST(Collection, FindNextAtEndAnswersNil) {
  Thing* a = makeThing(_obj_scratchZone);
  id list = makeList({a});
  id index = msg::begin(list, _obj_scratchZone);
  EXPECT_EQ(msg::findNext(index, a), a);
  msg::next(index);
  EXPECT_EQ(msg::findNext(index, a), nil);
  EXPECT_EQ(msg::findPrev(index, a), a);
  EXPECT_EQ(msg::getCollection(index), list);
  msg::drop(index);
  msg::drop(list);
  msg::drop(a);
}

TEST(CollectionDeath, TheBaseRefusesWhatSubclassesSupply) {
  id collection = msg::allocIVars(_obj_scratchZone, objc_get_class("Collection_any"));
  id index = msg::allocIVars(_obj_scratchZone, objc_get_class("Index_any"));
  struct {
    void (*send)(id collection, id index);
    const char* function;
    const char* message;
  } cases[] = {
      {[](id c, id) { msg::setInitialValue(c, nil); }, "-[Collection(any) _setInitialValue:]", "setInitialValue: not implemented"},
      {[](id c, id) { msg::begin(c, nil); }, "-[Collection(any) _begin:]", "begin: not implemented"},
      {[](id c, id) { msg::copy(c, nil); }, "-[Collection(any) _copy:]", "copy: not implemented"},
      {[](id, id i) { msg::setOffset(i, 0); }, "-[Index(any) _setOffset:]", "setOffset: not implemented"},
      {[](id, id i) { msg::getOffset(i); }, "-[Index(any) _getOffset]", "getOffset not implemented"},
      {[](id, id i) { msg::prev(i); }, "-[Index(any) _prev]", "prev not implemented"},
      {[](id, id i) { msg::next(i); }, "-[Index(any) _next]", "next not implemented"},
      {[](id, id i) { msg::remove_(i); }, "-[Index(any) _remove]", "remove not implemented"},
      {[](id, id i) { msg::get(i); }, "-[Index(any) _get]", "get not implemented"},
      {[](id, id i) { msg::put(i, nil); }, "-[Index(any) _put:]", "put: not implemented"},
      {[](id, id i) { msg::setLoc(i, nil); }, "-[Index(any) _setLoc:]", "setLoc: not implemented"},
      {[](id, id i) { msg::getLoc(i); }, "-[Index(any) _getLoc]", "getLoc not implemented"},
  };
  for (const auto& c : cases)
    EXPECT_DEATH(c.send(collection, index),
                 error + "SubclassMustImplement\n" + literal(std::string("*** function: ") + c.function + "(), file: ") +
                     ".*\n" + literal(std::string(c.message) + "*** execution terminating due to error\n"));
  msg::drop(index);
  msg::drop(collection);
}

TEST(Collection, DescribeCountsMembers) {
  Thing* a = makeThing(_obj_scratchZone);
  id list = makeList({a, a});
  EXPECT_NE(describedText(list, _obj_scratchZone).find("> number of members: 2\n"), std::string::npos);
  msg::drop(list);
  msg::drop(a);
}

}  // namespace
