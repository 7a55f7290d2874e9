// The archive forms of lists, arrays, maps and strings: the exact text
// each writes, the same forms kept by node-mode streams, and the
// collections read back from both.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "collections/Map.h"
#include "defobj/archiving_messages.h"
#include "defobj/lispIn.h"
#include "defobj/module.h"
#include "stream_support.h"

namespace {

// A member with room for a member-link list's links, which are no
// archived variable.
struct Item : CreateDrop {
  void* links[2];
  int value;
};

Class itemClass() {
  static objc_class_def def;
  objc_register_def(&def, "ArchivedItem", "CreateDrop", sizeof(Item), {ivar(&Item::value, "value")});
  return def.cls;
}

int linkOffset() {
  static Item probe;
  return static_cast<int>(reinterpret_cast<char*>(&probe.links) - reinterpret_cast<char*>(&probe));
}

id item(int value) {
  auto* i = static_cast<Item*>(msg::create(itemClass(), _obj_globalZone));
  i->value = value;
  return i;
}

int valueOf(id member) { return member ? static_cast<Item*>(member)->value : -1; }

std::string textOf(id collection) { return written([&](id s) { msg::lispOutDeep(collection, s); }); }
std::string nodeTextOf(id collection) { return printed(built([&](id s) { msg::lispOutDeep(collection, s); })); }

// The collection made again from its text and from its nodes.
std::vector<id> readBack(id collection) {
  return {lispIn(_obj_globalZone, readOne(textOf(collection))),
          lispIn(_obj_globalZone, built([&](id s) { msg::lispOutDeep(collection, s); }))};
}

class CollectionForms : public ::testing::Test {
 protected:
  // Type names are looked up through the registry.
  void SetUp() override {
    _objc_lookup_class = findTypeOrLocalClass;
    itemClass();
  }
};

TEST_F(CollectionForms, ListWritesItsMembersThenItsOptions) {
  id list = msg::createBegin(List, _obj_globalZone);
  msg::setReplaceOnly(list, YES);
  msg::setIndexFromMemberLoc(list, linkOffset());
  list = msg::createEnd(list);
  msg::addLast(list, item(1));
  msg::addLast(list, item(2));
  const std::string offset = std::to_string(linkOffset());
  EXPECT_EQ(textOf(list),
            "(make-instance 'List (make-instance 'ArchivedItem  #:value 1)(make-instance 'ArchivedItem  #:value 2)"
            " #:replace-only #t #:index-from-member-loc " + offset + ")");
  EXPECT_EQ(nodeTextOf(list),
            "(make-instance 'List (make-instance 'ArchivedItem #:value 1) (make-instance 'ArchivedItem #:value 2)"
            " #:replace-only #t #:index-from-member-loc " + offset + ")");
  for (id copy : readBack(list)) {
    ASSERT_EQ(msg::getCount(copy), 2u);
    EXPECT_EQ(valueOf(msg::getFirst(copy)), 1);
    EXPECT_EQ(valueOf(msg::getLast(copy)), 2);
    EXPECT_TRUE(msg::getReplaceOnly(copy));
    EXPECT_EQ(msg::getIndexFromMemberLoc(copy), linkOffset());
  }
}

TEST_F(CollectionForms, ListLeavesOutNilMembers) {
  id list = msg::create(List, _obj_globalZone);
  msg::addLast(list, item(1));
  msg::addLast(list, nil);
  msg::addLast(list, item(3));
  EXPECT_EQ(textOf(list),
            "(make-instance 'List (make-instance 'ArchivedItem  #:value 1)(make-instance 'ArchivedItem  #:value 3))");
  for (id copy : readBack(list)) {
    ASSERT_EQ(msg::getCount(copy), 2u);
    EXPECT_EQ(valueOf(msg::getLast(copy)), 3);
    EXPECT_FALSE(msg::getReplaceOnly(copy));
  }
}

TEST_F(CollectionForms, ListReadsItsInitialValue) {
  id list = lispIn(_obj_globalZone,
                   readOne("(make-instance 'List #:initial-value-set (make-instance 'List (make-instance "
                           "'ArchivedItem #:value 4)) (make-instance 'ArchivedItem #:value 5))"));
  ASSERT_EQ(msg::getCount(list), 2u);
  EXPECT_EQ(valueOf(msg::getFirst(list)), 4);
  EXPECT_EQ(valueOf(msg::getLast(list)), 5);
}

TEST_F(CollectionForms, ArrayKeepsItsCountAndDefaultMember) {
  for (BOOL replaceOnly : {NO, YES}) {
    id array = msg::createBegin(Array, _obj_globalZone);
    msg::setDefaultMember(array, item(9));
    msg::setCount(array, 3);
    msg::setReplaceOnly(array, replaceOnly);
    array = msg::createEnd(array);
    msg::atOffset_put(array, 0, item(1));
    EXPECT_EQ(textOf(array),
              std::string("(make-instance 'Array #:default-value-set (make-instance 'ArchivedItem  #:value 9) "
                          "(make-instance 'ArchivedItem  #:value 1)(make-instance 'ArchivedItem  #:value 9)"
                          "(make-instance 'ArchivedItem  #:value 9)") +
                  (replaceOnly ? " #:replace-only #t)" : ")"));
    for (id copy : readBack(array)) {
      ASSERT_EQ(msg::getCount(copy), 3u);
      EXPECT_EQ(valueOf(msg::getDefaultMember(copy)), 9);
      EXPECT_EQ(valueOf(msg::atOffset(copy, 0)), 1);
      EXPECT_EQ(valueOf(msg::atOffset(copy, 2)), 9);
      EXPECT_EQ(msg::getReplaceOnly(copy), replaceOnly);
    }
  }
  id plain = msg::create_setCount(Array, _obj_globalZone, 2);
  msg::atOffset_put(plain, 1, item(2));
  EXPECT_EQ(textOf(plain), "(make-instance 'Array  (make-instance 'ArchivedItem  #:value 2))");
  for (id copy : readBack(plain)) {
    ASSERT_EQ(msg::getCount(copy), 1u);
    EXPECT_EQ(msg::getDefaultMember(copy), nil);
  }
}

id makeMap(compare_t compare) {
  id map = msg::createBegin(Map, _obj_globalZone);
  if (compare) msg::setCompareFunction(map, compare);
  return msg::createEnd(map);
}

id word(intptr_t n) { return reinterpret_cast<id>(n); }

TEST_F(CollectionForms, MapsWriteTheirKeysByCompareFunction) {
  const char* a = "a";
  const char* b = "b";
  id stringKey = msg::create_setC(String, _obj_globalZone, "k");
  const struct {
    compare_t compare;
    id firstKey, secondKey;
    std::string text;
  } cases[] = {
      {compareCStrings, word(reinterpret_cast<intptr_t>(b)), word(reinterpret_cast<intptr_t>(a)),
       "(make-instance 'Map (cons \"a\" nil) (cons \"b\" (make-instance 'ArchivedItem  #:value 1))"
       " #:compare-function #:compare-c-strings)"},
      {compareIntegers, word(7), word(-5),
       "(make-instance 'Map (cons -5 nil) (cons 7 (make-instance 'ArchivedItem  #:value 1))"
       " #:compare-function #:compare-integers)"},
      {compareUnsignedIntegers, word(4000000000), word(3),
       "(make-instance 'Map (cons 3 nil) (cons 4000000000 (make-instance 'ArchivedItem  #:value 1))"
       " #:compare-function #:compare-unsigned-integers)"},
      {nullptr, stringKey, nullptr,
       "(make-instance 'Map (cons (make-instance 'String  \"k\") (make-instance 'ArchivedItem  #:value 1)))"},
  };
  for (const auto& c : cases) {
    id map = makeMap(c.compare);
    msg::at_insert(map, c.firstKey, item(1));
    if (c.secondKey) msg::at_insert(map, c.secondKey, nil);
    EXPECT_EQ(textOf(map), c.text);
    for (id copy : readBack(map)) {
      EXPECT_EQ(msg::getCompareFunction(copy), c.compare) << c.text;
      ASSERT_EQ(msg::getCount(copy), msg::getCount(map)) << c.text;
      // The same keys in the same order, the members with them.
      id original = msg::begin(map, _obj_globalZone), again = msg::begin(copy, _obj_globalZone);
      id key, keyAgain;
      for (id member = msg::next_(original, &key); msg::getLoc(original) == Member;
           member = msg::next_(original, &key)) {
        id memberAgain = msg::next_(again, &keyAgain);
        EXPECT_EQ(static_cast<Map_c*>(copy)->compareKey(keyAgain, key), 0) << c.text;
        EXPECT_EQ(valueOf(memberAgain), valueOf(member)) << c.text;
      }
      msg::drop(original);
      msg::drop(again);
    }
  }
}

TEST_F(CollectionForms, MapsReadQuotedDottedPairs) {
  id map = lispIn(_obj_globalZone, readOne("(make-instance 'Map '(1 . (make-instance 'ArchivedItem #:value 3))"
                                           " #:compare-function #:compare-integers)"));
  EXPECT_EQ(valueOf(msg::at(map, word(1))), 3);
}

// Entries in any order come out in key order; of two under one key the
// first stays.
TEST_F(CollectionForms, MapsReadEntriesInAnyOrder) {
  id map = lispIn(_obj_globalZone,
                  readOne("(make-instance 'Map (cons 5 (make-instance 'ArchivedItem #:value 1))"
                          " (cons -2 (make-instance 'ArchivedItem #:value 2)) (cons 9 nil)"
                          " (cons 5 (make-instance 'ArchivedItem #:value 3)) #:compare-function #:compare-integers)"));
  ASSERT_EQ(msg::getCount(map), 3u);
  EXPECT_EQ(valueOf(msg::at(map, word(5))), 1);
  std::vector<intptr_t> keys;
  id index = msg::begin(map, _obj_globalZone);
  id key;
  for (msg::next_(index, &key); msg::getLoc(index) == Member; msg::next_(index, &key))
    keys.push_back(reinterpret_cast<intptr_t>(key));
  msg::drop(index);
  EXPECT_EQ(keys, (std::vector<intptr_t>{-2, 5, 9}));
}

TEST_F(CollectionForms, StringsWriteTheirTextOrTheirObjectForm) {
  id string = msg::create_setC(String, _obj_globalZone, "a b");
  EXPECT_EQ(textOf(string), "(make-instance 'String  \"a b\")");
  EXPECT_EQ(nodeTextOf(string), "(make-instance 'String \"a b\")");
  for (id copy : readBack(string)) EXPECT_STREQ(msg::getC(copy), "a b");
  msg::setLiteralFlag(string, YES);
  EXPECT_EQ(textOf(string), "\"a b\"");
}

// Node-mode streams, which archivers store, keep the string objects and
// the options that text shows.
TEST_F(CollectionForms, NodesKeepStringObjectsAndOptions) {
  id list = msg::createBegin(List, _obj_globalZone);
  msg::setReplaceOnly(list, YES);
  list = msg::createEnd(list);
  msg::addLast(list, msg::create_setC(String, _obj_globalZone, "s"));
  EXPECT_EQ(nodeTextOf(list), "(make-instance 'List (make-instance 'String \"s\") #:replace-only #t)");
  id copy = readBack(list)[1];
  EXPECT_STREQ(msg::getC(msg::getFirst(copy)), "s");
  EXPECT_TRUE(msg::getReplaceOnly(copy));
}

int anyOrder(id, id) { return 0; }

TEST_F(CollectionForms, RefusedForms) {
  const struct {
    const char* text;
    const char* function;
    const char* message;
  } cases[] = {
      {"(make-instance 'Map 5)", "-[Map(c) _lispIn:]", "Expecting quoted dotted pair or cons expression"},
      {"(make-instance 'Map (cons 1.5 nil) #:compare-function #:compare-integers)", "-[Map(c) _lispIn:]",
       "ArchiverValue not integer"},
      {"(make-instance 'Map #:compare-function #:compare-nothing)", "setCompareFunctionByName",
       "Unknown compare function: compare-nothing"},
      {"(make-instance 'Map #:compare-function 3)", "lispInKeyword", "expected ArchiverKeyword"},
      {"(make-instance 'Map #:bogus 1)", "-[Map(c) _lispInCreate:]", "unknown keyword `bogus'"},
      {"(make-instance 'List #:bogus 1)", "-[List(any) _lispInCreate:]", "unknown keyword `bogus'"},
      {"(make-instance 'Array #:bogus 1)", "-[Array(c) _lispInCreate:]", "unknown keyword `bogus'"},
      {"(make-instance 'List #:replace-only 1)", "lispInBoolean", "expected boolean ArchiverValue"},
      {"(make-instance 'List #:index-from-member-loc \"x\")", "lispInInteger", "expected ArchiverValue"},
      {"(make-instance 'String)", "lispInString", "expected String"},
  };
  for (const auto& c : cases) {
    const std::string file = c.function[0] == 'l' ? "lispIn.cpp" : "CollectionArchiving.cpp";
    EXPECT_DEATH(lispIn(_obj_globalZone, readOne(c.text)),
                 errorReport("InvalidArgument", c.function, file, c.message))
        << c.text;
  }
  id custom = makeMap(anyOrder);
  EXPECT_DEATH(textOf(custom), errorReport("InvalidArgument", "-[Map(c) __lispOut::deep:]", "CollectionArchiving.cpp",
                                           "Unknown compare function"));
  msg::at_insert(custom, word(1), nil);
  EXPECT_DEATH(textOf(custom), literal("-[Map(c) __lispOut::deep:]"));
  id quoted = msg::create_setC(String, _obj_globalZone, "say \"no\"");
  EXPECT_DEATH(nodeTextOf(quoted), "SaveError");
}

}  // namespace
