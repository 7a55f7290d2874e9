#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "collections/Array.h"
#include "defobj/address.h"
#include "defobj/test_thing.h"
#include "keyed_support.h"

namespace {

id word(intptr_t value) { return reinterpret_cast<id>(value); }

std::vector<id> slots(id array) {
  std::vector<id> seen;
  for (unsigned i = 0; i < msg::getCount(array); i++) seen.push_back(msg::atOffset(array, i));
  return seen;
}

id listOf(std::initializer_list<id> members) {
  id list = msg::create(List, _obj_scratchZone);
  for (id m : members) msg::addLast(list, m);
  return list;
}

TEST(Array, CreationOptions) {
  id d = word(7);
  id list = listOf({word(1), word(2), word(3)});
  id array3 = msg::create_setCount(Array, _obj_scratchZone, 3);
  for (unsigned i = 0; i < 3; i++) msg::atOffset_put(array3, i, word(i + 4));
  struct {
    const char* options;
    std::function<void(id)> set;
    std::vector<id> expected;
  } cases[] = {
      {"count", [](id a) { msg::setCount(a, 2); }, {nil, nil}},
      {"count and default", [&](id a) {
         msg::setCount(a, 2);
         msg::setDefaultMember(a, d);
       }, {d, d}},
      {"initial value alone", [&](id a) { msg::setInitialValue(a, list); }, {word(1), word(2), word(3)}},
      {"initial value and a larger count",
       [&](id a) {
         msg::setInitialValue(a, list);
         msg::setCount(a, 5);
         msg::setDefaultMember(a, d);
       },
       {word(1), word(2), word(3), d, d}},
      {"initial value and a smaller count", [&](id a) {
         msg::setCount(a, 2);
         msg::setInitialValue(a, list);
       },
       {word(1), word(2)}},
      {"initial array, copied as a block", [&](id a) { msg::setInitialValue(a, array3); },
       {word(4), word(5), word(6)}},
      {"nothing", [](id) {}, {}},
  };
  for (const auto& c : cases) {
    id array = msg::createBegin(Array, _obj_scratchZone);
    c.set(array);
    array = msg::createEnd(array);
    EXPECT_EQ(slots(array), c.expected) << c.options;
    msg::drop(array);
  }
  msg::drop(list);
  msg::drop(array3);
}

TEST(Array, SetCountAfterCreation) {
  struct {
    bool withDefault;
    unsigned newCount;
    std::vector<id> expected;
  } cases[] = {
      {true, 5, {word(1), word(2), word(3), word(9), word(9)}},
      {false, 5, {word(1), word(2), word(3), nil, nil}},
      {false, 2, {word(1), word(2)}},
      {true, 0, {}},
  };
  for (const auto& c : cases) {
    id array = msg::createBegin(Array, _obj_scratchZone);
    msg::setCount(array, 3);
    if (c.withDefault) msg::setDefaultMember(array, word(9));
    array = msg::createEnd(array);
    for (unsigned i = 0; i < 3; i++) msg::atOffset_put(array, i, word(i + 1));
    msg::setCount(array, c.newCount);
    EXPECT_EQ(slots(array), c.expected) << c.newCount;
    EXPECT_EQ(msg::getDefaultMember(array), c.withDefault ? word(9) : nil);
    if (c.withDefault) {
      msg::setDefaultMember(array, word(8));
      EXPECT_EQ(msg::getDefaultMember(array), word(8));
    }
    msg::drop(array);
  }
}

// Every block an array takes is given back with the size it was taken
// with, also for an empty array.
TEST(Array, BlocksAreReleasedExactly) {
  Zone_c* zone = makeZone();
  const unsigned long blocks = zone->blockCount, total = zone->blockTotal;
  for (unsigned n : {0u, 1u, 4u}) {
    id array = msg::createBegin(Array, zone);
    msg::setCount(array, n);
    msg::setDefaultMember(array, word(1));
    array = msg::createEnd(array);
    msg::setCount(array, 0);
    msg::setCount(array, n + 2);
    id copy = msg::copy(array, zone);
    msg::drop(array);
    msg::drop(copy);
    msg::drop(msg::create_setCount(Array, zone, n));
  }
  EXPECT_EQ(zone->blockCount, blocks);
  EXPECT_EQ(zone->blockTotal, total);
  msg::drop(zone);
}

TEST(Array, ExternalMemberBlock) {
  id block[3] = {word(1), word(2), word(3)};
  id array = msg::create_setMemberBlock_setCount(Array, _obj_scratchZone, block, 3);
  EXPECT_EQ(msg::getMemberBlock(array), block);
  EXPECT_EQ(msg::atOffset_put(array, 1, word(5)), word(2));
  EXPECT_EQ(block[1], word(5));
  id copy = msg::copy(array, _obj_scratchZone);
  EXPECT_NE(msg::getMemberBlock(copy), block);
  EXPECT_EQ(slots(copy), (std::vector<id>{word(1), word(5), word(3)}));
  msg::drop(copy);
  msg::setMemberBlock_setCount(array, block + 1, 2);
  EXPECT_EQ(msg::getFirst(array), word(5));
  EXPECT_EQ(msg::count(array), 2u);
  msg::drop(array);
  EXPECT_EQ(block[0], word(1)) << "the caller's block is the caller's";

  id created = msg::createBegin(Array, _obj_scratchZone);
  msg::setMemberBlock_setCount(created, block, 2);
  created = msg::createEnd(created);
  EXPECT_EQ(msg::getLast(created), word(5));
  msg::drop(created);
}

TEST(Array, Describe) {
  id block[1] = {nil};
  id external = msg::create_setMemberBlock_setCount(Array, _obj_scratchZone, block, 1);
  char address[AddressTextSize];
  EXPECT_NE(describedText(external, _obj_scratchZone)
                .find("> number of members: 1\n> external member allocation at: " +
                      std::string(formatAddress(address, block)) + "\n"),
            std::string::npos);
  id withDefault = msg::createBegin(Array, _obj_scratchZone);
  msg::setDefaultMember(withDefault, external);
  withDefault = msg::createEnd(withDefault);
  EXPECT_NE(describedText(withDefault, _obj_scratchZone)
                .find("> default member value: " + std::string(formatAddress(address, external)) + "\n"),
            std::string::npos);
  msg::drop(withDefault);
  msg::drop(external);
}

TEST(Array, IndexSteps) {
  id array = msg::create_setCount(Array, _obj_scratchZone, 2);
  msg::atOffset_put(array, 0, word(1));
  msg::atOffset_put(array, 1, word(2));
  id index = msg::begin(array, _obj_scratchZone);
  EXPECT_EQ(msg::getLoc(index), Start);
  EXPECT_EQ(msg::put(index, word(9)), nil) << "at Start nothing changes";
  EXPECT_EQ(msg::get(index), nil);
  EXPECT_EQ(msg::getOffset(index), -1);
  EXPECT_EQ(msg::next(index), word(1));
  EXPECT_EQ(msg::next(index), word(2));
  EXPECT_EQ(msg::getOffset(index), 1);
  EXPECT_EQ(msg::put(index, word(3)), word(2));
  EXPECT_EQ(msg::next(index), nil);
  EXPECT_EQ(msg::getLoc(index), End);
  EXPECT_EQ(msg::prev(index), word(3));
  id other = msg::begin(array, _obj_scratchZone);
  EXPECT_EQ(msg::compare(index, other), 1);
  EXPECT_EQ(msg::setOffset(other, 1), word(3));
  EXPECT_EQ(msg::compare(index, other), 0);
  msg::setLoc(index, Start);
  EXPECT_EQ(msg::prev(other), word(1));
  EXPECT_EQ(msg::prev(other), nil);
  EXPECT_EQ(msg::getLoc(other), Start);
  EXPECT_EQ(msg::compare(index, other), 0);
  msg::drop(other);
  msg::drop(index);

  id empty = msg::create_setCount(Array, _obj_scratchZone, 0);
  index = msg::begin(empty, _obj_scratchZone);
  msg::setLoc(index, End);
  EXPECT_EQ(msg::prev(index), nil);
  EXPECT_TRUE(msg::allSameClass(empty));
  msg::drop(index);
  msg::drop(empty);
  msg::drop(array);
}

TEST(ArrayDeath, CreationRefusals) {
  id list = listOf({});
  id block[1] = {nil};
  const char* both = "> cannot specify both an initial value and an external MemberAlloc\n";
  const char* withDefault = "> cannot specify both a DefaultMember and an external MemberAlloc\n";
  const char* withCount = "> cannot set array count separate from an external MemberAlloc\n";
  struct {
    std::function<void(id)> first, second;
    const char *symbol, *function, *message;
  } cases[] = {
      {[&](id a) { msg::setInitialValue(a, list); }, [&](id a) { msg::setMemberBlock_setCount(a, block, 1); },
       "InvalidCombination", "-[Array(c) _setMemberBlock:setCount:]", both},
      {[&](id a) { msg::setDefaultMember(a, nil); }, [&](id a) { msg::setMemberBlock_setCount(a, block, 1); },
       "InvalidCombination", "-[Array(c) _setMemberBlock:setCount:]", withDefault},
      {[&](id a) { msg::setCount(a, 1); }, [&](id a) { msg::setMemberBlock_setCount(a, block, 1); },
       "SourceMessage", "-[Array(c) _setMemberBlock:setCount:]", withCount},
      {[&](id a) { msg::setMemberBlock_setCount(a, block, 1); }, [&](id a) { msg::setInitialValue(a, list); },
       "InvalidCombination", "-[Array(c) _setInitialValue:]", both},
      {[&](id a) { msg::setMemberBlock_setCount(a, block, 1); }, [&](id a) { msg::setDefaultMember(a, nil); },
       "InvalidCombination", "-[Array(c) _setDefaultMember:]", withDefault},
      {[&](id a) { msg::setMemberBlock_setCount(a, block, 1); }, [&](id a) { msg::setCount(a, 2); },
       "SourceMessage", "-[Array(c) _setCount:]", withCount},
      {[](id) {}, [](id a) { msg::setInitialValue(a, nil); }, "InvalidArgument", "-[Array(c) _setInitialValue:]",
       "> Invalid argument value passed in call.\n"},
  };
  for (const auto& c : cases) {
    id array = msg::createBegin(Array, _obj_scratchZone);
    c.first(array);
    EXPECT_DEATH(c.second(array), raised(c.symbol, c.function, c.message)) << c.message;
    msg::drop(array);
  }
  msg::drop(list);
}

TEST(ArrayDeath, UsingRefusals) {
  id block[1] = {nil};
  id owned = msg::create_setCount(Array, _obj_scratchZone, 1);
  id external = msg::create_setMemberBlock_setCount(Array, _obj_scratchZone, block, 1);
  id index = msg::begin(owned, _obj_scratchZone);
  struct {
    std::function<void()> send;
    const char *symbol, *function, *message;
  } cases[] = {
      {[&] { msg::setDefaultMember(owned, nil); }, "SourceMessage", "-[Array(c) _setDefaultMember:]",
       "> cannot reset DefaultMember unless also specified at create time\n"},
      {[&] { msg::setCount(external, 2); }, "SourceMessage", "-[Array(c) _setCount:]",
       "> cannot set a new array count when using external MemberBlock\n"},
      {[&] { msg::setMemberBlock_setCount(owned, block, 1); }, "SourceMessage",
       "-[Array(c) _setMemberBlock:setCount:]",
       "> cannot reset MemberAlloc unless originally specified at create time\n"},
      {[&] { msg::atOffset(owned, static_cast<unsigned>(-1)); }, "OffsetOutOfRange", "-[Array(c) _atOffset:]", ""},
      {[&] { msg::atOffset_put(owned, 1, nil); }, "OffsetOutOfRange", "-[Array(c) _atOffset:put:]", ""},
      {[&] { msg::prev(index); }, "AlreadyAtStart", "-[ArrayIndex(c) _prev]", ""},
      {[&] { msg::setLoc(index, Member); }, "InvalidArgument", "-[ArrayIndex(c) _setLoc:]",
       "> Invalid argument value passed in call.\n"},
      {[&] { msg::setOffset(index, 1); }, "OffsetOutOfRange", "-[ArrayIndex(c) _setOffset:]", ""},
      {[&] { msg::remove_(index); }, "SourceMessage", "-[ArrayIndex(c) _remove]",
       "> remove is not supported on any Array - can only replace members\n"},
      {[&] { msg::compare(index, msg::begin(external, _obj_scratchZone)); }, "InvalidArgument",
       "-[ArrayIndex(c) _compare:]", "> Invalid argument value passed in call.\n"},
      {[&] { for (int i = 0; i < 3; i++) msg::next(index); }, "AlreadyAtEnd", "-[ArrayIndex(c) _next]", ""},
  };
  for (const auto& c : cases) EXPECT_DEATH(c.send(), raised(c.symbol, c.function, c.message)) << c.function;
  id empty = msg::create_setCount(Array, _obj_scratchZone, 0);
  EXPECT_DEATH(msg::getFirst(empty), raised("OffsetOutOfRange", "-[Array(c) _getFirst]"));
  EXPECT_DEATH(msg::getLast(empty), raised("OffsetOutOfRange", "-[Array(c) _getLast]"));
  for (id object : {index, owned, external, empty}) msg::drop(object);
}

}  // namespace
