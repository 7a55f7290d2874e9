// The bridge tables: HashTable and TclObjcList.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tclobjc/tclobjc.h"

namespace {

id table(const char* keyDesc, const char* valueDesc) {
  return msg::newKeyDesc_valueDesc(objc_get_class("HashTable"), keyDesc, valueDesc);
}

id list() { return msg::init(msg::alloc_(objc_get_class("TclObjcList"))); }
id object() { return msg::alloc_(objc_get_class("Object")); }

}  // namespace

TEST(HashTable, TextKeysMatchByContentPointerKeysByIdentity) {
  id texts = table("*", "*"), pointers = table("^", "*");
  std::string key = "alpha", sameText = "alpha";
  msg::insertKey_value(texts, key.c_str(), "one");
  msg::insertKey_value(pointers, key.c_str(), "one");
  EXPECT_TRUE(msg::isKey(texts, sameText.c_str()));
  EXPECT_STREQ(static_cast<const char*>(msg::valueForKey(texts, sameText.c_str())), "one");
  EXPECT_FALSE(msg::isKey(pointers, sameText.c_str()));
  EXPECT_TRUE(msg::isKey(pointers, key.c_str()));
  EXPECT_EQ(msg::valueForKey(texts, "beta"), nullptr);
  msg::free_(texts);
  msg::free_(pointers);
}

TEST(HashTable, SecondInsertReplacesAndAnswersTheFirstValue) {
  id t = table("l", "@");
  id first = object(), second = object();
  EXPECT_EQ(msg::insertKey_value(t, reinterpret_cast<void*>(7L), first), nullptr);
  EXPECT_EQ(msg::insertKey_value(t, reinterpret_cast<void*>(7L), second), first);
  EXPECT_EQ(msg::count(t), 1u);
  EXPECT_EQ(msg::valueForKey(t, reinterpret_cast<void*>(7L)), second);
  EXPECT_EQ(msg::removeKey(t, reinterpret_cast<id>(7L)), second);
  EXPECT_EQ(msg::count(t), 0u);
  EXPECT_EQ(msg::removeKey(t, reinterpret_cast<id>(7L)), nil);
  msg::free_(first);
  msg::free_(second);
  msg::free_(t);
}

TEST(HashTable, GrowsAndCopiesKeepEveryEntry) {
  id t = table("@", "@");
  std::vector<id> keys;
  for (int i = 0; i < 200; i++) {
    keys.push_back(object());
    msg::insertKey_value(t, keys.back(), keys.back());
  }
  EXPECT_EQ(msg::count(t), 200u);
  EXPECT_GE(static_cast<HashTable*>(t)->_nbBuckets, 200u);
  id copy = msg::shallowCopy(t);
  msg::removeKey(t, keys[0]);
  EXPECT_EQ(msg::count(copy), 200u);
  for (id k : keys) EXPECT_EQ(msg::valueForKey(copy, k), k);
  msg::empty(copy);
  EXPECT_EQ(msg::count(copy), 0u);
  EXPECT_FALSE(msg::isKey(copy, keys[1]));
  msg::free_(copy);
  msg::freeObjects(t);  // frees the values, which are the keys
  msg::free_(keys[0]);
  msg::free_(t);
}

TEST(HashTable, MissingDescriptionIsReportedAndAnswersNil) {
  Class cls = objc_get_class("HashTable");
  testing::internal::CaptureStderr();
  EXPECT_EQ(msg::newKeyDesc_valueDesc(cls, nullptr, "@"), nil);
  EXPECT_EQ(msg::newKeyDesc_valueDesc(cls, "@", nullptr), nil);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "in initKeyDesc:valueDesc:capacity:, NULL keyDesc\n"
            "in initKeyDesc:valueDesc:capacity:, NULL valueDesc\n");
}

TEST(TclObjcList, GrowsWhenFullAndShrinksWhenHalfEmpty) {
  id l = list();
  id a = object(), b = object();
  msg::addObject(l, a);
  EXPECT_EQ(msg::capacity(l), 2u);
  msg::addObject(l, b);
  EXPECT_EQ(msg::capacity(l), 4u);
  EXPECT_EQ(msg::removeObject(l, a), a);
  EXPECT_EQ(msg::capacity(l), 2u);
  EXPECT_EQ(msg::objectAt(l, 0), b);
  EXPECT_EQ(msg::removeLastObject(l), b);
  EXPECT_EQ(msg::count(l), 0u);
  EXPECT_LT(msg::count(l), msg::capacity(l));
  EXPECT_EQ(msg::removeLastObject(l), nil);
  EXPECT_EQ(msg::lastObject(l), nil);
  msg::free_(a);
  msg::free_(b);
  msg::free_(l);
}

TEST(TclObjcList, InsertsAtOrBelowTheCountOnly) {
  id l = list();
  id a = object(), b = object(), c = object();
  msg::addObject(l, a);
  EXPECT_EQ(msg::insertObject_at(l, b, 1), l);  // at the count: appends
  EXPECT_EQ(msg::insertObject_at(l, c, 3), nil);
  EXPECT_EQ(msg::insertObject_at(l, nil, 0), nil);
  EXPECT_EQ(msg::insertObject_at(l, c, 0), l);
  EXPECT_EQ(msg::count(l), 3u);
  EXPECT_EQ(msg::objectAt(l, 0), c);
  EXPECT_EQ(msg::objectAt(l, 1), a);
  EXPECT_EQ(msg::objectAt(l, 2), b);
  EXPECT_EQ(msg::objectAt(l, 3), nil);
  EXPECT_EQ(msg::indexOf(l, b), 2u);
  EXPECT_EQ(msg::removeObjectAt(l, 5), nil);
  EXPECT_EQ(msg::replaceObjectAt_with(l, 3, a), nil);
  EXPECT_EQ(msg::replaceObjectAt_with(l, 0, b), c);
  EXPECT_EQ(msg::indexOf(l, c), TclObjcListNotFound);
  msg::addObjectIfAbsent(l, b);
  msg::addObjectIfAbsent(l, c);
  EXPECT_EQ(msg::count(l), 4u);
  msg::empty(l);
  EXPECT_EQ(msg::count(l), 0u);
  for (id o : {a, b, c}) msg::free_(o);
  msg::free_(l);
}

TEST(TclObjcList, CopiesCompareByIdentityAtTheSamePlaces) {
  id l = list(), a = object(), b = object();
  msg::addObject(l, a);
  msg::addObject(l, b);
  id copy = msg::copy_(l);
  EXPECT_TRUE(msg::isEqual(l, copy));
  msg::removeObjectAt(copy, 0);
  EXPECT_FALSE(msg::isEqual(l, copy));
  msg::appendList(copy, copy);  // its own elements, once
  EXPECT_EQ(msg::count(copy), 2u);
  EXPECT_EQ(msg::objectAt(copy, 1), b);
  EXPECT_EQ(msg::setAvailableCapacity(copy, 2), nil);
  EXPECT_EQ(msg::setAvailableCapacity(copy, 16), copy);
  EXPECT_EQ(msg::capacity(copy), 16u);
  EXPECT_EQ(msg::objectAt(copy, 0), b);
  msg::free_(copy);
  msg::freeObjects(l);
  EXPECT_EQ(msg::count(l), 0u);
  msg::free_(l);
}
