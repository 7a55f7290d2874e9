// The bridge tables: HashTable and TclObjcList.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <string>
#include <vector>

#include "runtime/TypedStream.h"
#include "simtools/scratch.h"
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

TEST(HashTable, CapacityBeyondTheBucketWordIsReportedAndAnswersNil) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(msg::newKeyDesc_valueDesc_capacity(objc_get_class("HashTable"), "@", "@", 0x80000001u), nil);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "in initKeyDesc:valueDesc:capacity:, capacity 2147483649 is above 2147483648\n");
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

namespace {

class TypedStreams : public ScratchDirTest {
 protected:
  template <class Write>
  void writeStream(const std::string& name, Write write) {
    TypedStream* stream = objc_open_typed_stream(path(name).c_str(), TypedStreamMode::Write);
    ASSERT_NE(stream, nullptr);
    write(stream);
    objc_close_typed_stream(stream);
  }
  id readObject(const std::string& name) {
    TypedStream* stream = objc_open_typed_stream(path(name).c_str(), TypedStreamMode::Read);
    id object = nil;
    objc_read_type(stream, "@", &object);
    objc_close_typed_stream(stream);
    return object;
  }
};

void* word(unsigned long value) { return reinterpret_cast<void*>(value); }

// Text keys read from a stream are the caller's to free.
void freeWithTextKeys(id table) {
  auto* t = static_cast<HashTable*>(table);
  HashState state = t->initState();
  const void* key;
  void* value;
  while (t->nextState_key_value(&state, &key, &value)) objc_free(const_cast<void*>(key));
  msg::free_(table);
}

// A list that holds one table twice and another once, the first holding
// itself and the second by text keys: sharing and cycles come back as
// they were.
TEST_F(TypedStreams, TablesAndListsComeBackWithTheirSharing) {
  id names = table("*", "@"), numbers = table("l", "I"), outer = list();
  msg::insertKey_value(names, "self", names);
  msg::insertKey_value(names, "numbers", numbers);
  msg::insertKey_value(numbers, word(-5L), word(7));
  msg::insertKey_value(numbers, word(1UL << 40), word(0xFFFFFFFFu));
  for (id member : {names, numbers, names}) msg::addObject(outer, member);
  msg::setAvailableCapacity(outer, 8);
  writeStream("tables", [&](TypedStream* s) { objc_write_type(s, "@", &outer); });

  id copy = readObject("tables");
  ASSERT_NE(copy, nil);
  EXPECT_EQ(copy->isa, outer->isa);
  EXPECT_EQ(msg::count(copy), 3u);
  EXPECT_EQ(msg::capacity(copy), 8u);
  id names2 = msg::objectAt(copy, 0), numbers2 = msg::objectAt(copy, 1);
  EXPECT_EQ(msg::objectAt(copy, 2), names2);
  ASSERT_NE(names2, names);
  auto* t = static_cast<HashTable*>(names2);
  EXPECT_STREQ(t->keyDesc, "*");
  EXPECT_STREQ(t->valueDesc, "@");
  EXPECT_EQ(t->_nbBuckets, static_cast<HashTable*>(names)->_nbBuckets);
  EXPECT_EQ(msg::count(names2), 2u);
  EXPECT_EQ(msg::valueForKey(names2, "self"), names2);
  EXPECT_EQ(msg::valueForKey(names2, "numbers"), numbers2);
  EXPECT_STREQ(static_cast<HashTable*>(numbers2)->keyDesc, "l");
  EXPECT_EQ(msg::count(numbers2), 2u);
  EXPECT_EQ(msg::valueForKey(numbers2, word(-5L)), word(7));
  EXPECT_EQ(msg::valueForKey(numbers2, word(1UL << 40)), word(0xFFFFFFFFu));

  freeWithTextKeys(names2);
  msg::free_(numbers2);
  msg::free_(copy);
  for (id o : {names, numbers, outer}) msg::free_(o);
}

TEST_F(TypedStreams, ValuesOfEveryKindComeBack) {
  const signed char small = -3;
  const unsigned short wide = 65535;
  const long long big = INT64_MIN;
  const double real = -2.5;
  const long double precise = 1.0L / 3;
  const char *text = "words", *none = nullptr;
  const SEL sel = msg::count.sel;
  const Class cls = objc_get_class("HashTable");
  const int grid[2][3] = {{1, 2, 3}, {4, 5, 6}};
  writeStream("values", [&](TypedStream* s) {
    objc_write_types(s, "cSqdX**:#[2[3i]]", &small, &wide, &big, &real, &precise, &text, &none, &sel, &cls, grid);
  });

  signed char small2;
  unsigned short wide2;
  long long big2;
  double real2;
  long double precise2;
  char* text2 = nullptr;
  char* none2 = nullptr;
  SEL sel2;
  Class cls2;
  int grid2[2][3];
  TypedStream* s = objc_open_typed_stream(path("values").c_str(), TypedStreamMode::Read);
  // "D" is another code of long double.
  objc_read_types(s, "cSqdD*", &small2, &wide2, &big2, &real2, &precise2, &text2);
  objc_read_type(s, "*", &none2);
  objc_read_types(s, ":#", &sel2, &cls2);
  objc_read_array(s, "[3i]", 2, grid2);
  objc_close_typed_stream(s);
  EXPECT_EQ(small2, small);
  EXPECT_EQ(wide2, wide);
  EXPECT_EQ(big2, big);
  EXPECT_EQ(real2, real);
  EXPECT_EQ(precise2, precise);
  EXPECT_STREQ(text2, text);
  EXPECT_EQ(none2, nullptr);
  EXPECT_EQ(sel2, sel);
  EXPECT_EQ(cls2, cls);
  EXPECT_EQ(std::memcmp(grid2, grid, sizeof grid), 0);
  objc_free(text2);
  EXPECT_EQ(objc_open_typed_stream(path("absent").c_str(), TypedStreamMode::Read), nullptr);
}

// Atom strings and pointers mean nothing in another process: such tables
// refuse to be written, and write nothing.
TEST_F(TypedStreams, TablesOfAtomsOrPointersRefuseToBeWritten) {
  id atoms = table("%", "@"), pointers = table("^", "@");
  testing::internal::CaptureStderr();
  writeStream("refused", [&](TypedStream* s) {
    EXPECT_EQ(msg::write(atoms, s), nil);
    EXPECT_EQ(msg::write(pointers, s), nil);
  });
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Archiving atom strings, @encode()=\"%\", not yet handled\n"
            "in write:, entries of type \"^\" cannot be written\n");
  EXPECT_EQ(contents("refused"), "brood typed stream 1\n");
  EXPECT_DEATH(writeStream("atoms", [&](TypedStream* s) { objc_write_type(s, "@", &atoms); }),
               "not yet handled\ntyped stream .*/atoms, byte 36: an object of class HashTable refused to be "
               "written\n");
  id plain = object();
  EXPECT_DEATH(writeStream("plain", [&](TypedStream* s) { objc_write_type(s, "@", &plain); }),
               "typed stream .*/plain, byte 22: an object of class Object cannot be written: it does not answer "
               "write:");
  for (id o : {atoms, pointers, plain}) msg::free_(o);
}

std::string replaced(std::string bytes, const std::string& from, const std::string& to) {
  const size_t at = bytes.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? bytes : bytes.replace(at, from.size(), to);
}

std::string text(const std::string& t) { return std::string(1, static_cast<char>(t.size())) + std::string(3, '\0') + t; }

// Hostile or damaged files end the process with a report that names the
// file and the place, never with a crash or a wrong object.
TEST_F(TypedStreams, BadInputIsReportedWithTheFileAndPlace) {
  id inner = table("l", "I"), outer = list();
  msg::insertKey_value(inner, word(3), word(4));
  msg::addObject(outer, inner);
  writeStream("good", [&](TypedStream* s) { objc_write_type(s, "@", &outer); });
  const std::string good = contents("good"), magic = "brood typed stream 1\n";
  const std::string counts = std::string("I\x01\0\0\0I\x02\0\0\0", 10);
  const struct {
    const char* name;
    std::string bytes;
    const char* report;
  } cases[] = {
      {"no stream", "(list)\n", ": not a typed stream"},
      {"empty", "", ": not a typed stream"},
      {"cut in a value", good.substr(0, magic.size() + 1), ", byte 22: the file ends inside a value"},
      {"cut in a name", good.substr(0, magic.size() + 8), ", byte 27: a text of 11 bytes runs past the end of the file"},
      {"cut at the end", good.substr(0, good.size() - 1), ": the file ends inside a value"},
      {"another type", magic + std::string("i\x07\0\0\0", 5), ", byte 22: found a value of type 'i' where '@' was expected"},
      {"unknown class", replaced(good, "TclObjcList", "TclObjcLisZ"), ": unknown class \"TclObjcLisZ\""},
      {"unreadable class", replaced(good, text("TclObjcList"), text("Object")),
       ": class Object cannot be read: it does not answer read:"},
      {"list beyond its room", replaced(good, counts, std::string("I\x02\0\0\0I\x02\0\0\0", 10)),
       ": a TclObjcList of 2 objects with room for 2"},
      {"list of huge room", replaced(good, counts, std::string("I\x01\0\0\0I\xff\xff\xff\xff", 10)),
       ": a TclObjcList of 1 objects with room for 4294967295"},
      {"pointer keys", replaced(good, "*" + text("l"), "*" + text("^")), ": a HashTable with entries of type \"\\^\""},
      {"forward reference", magic + std::string("@\x01\0\0\0\0", 6), ": object 0 is referred to before it is read"},
      {"unknown entry", magic + "@\x07", ": unknown object entry 7"},
      {"odd code", magic + "\x01", ": found a value of type 0x01 where '@' was expected"},
  };
  for (const auto& c : cases) {
    write("bad", c.bytes);
    EXPECT_DEATH(readObject("bad"), "^typed stream " + path("bad") + ".*" + c.report + "\n") << c.name;
  }
  mkdir(path("dir").c_str(), 0700);
  mkfifo(path("fifo").c_str(), 0600);
  for (const char* name : {"dir", "fifo"})
    EXPECT_DEATH(readObject(name), "^typed stream " + path(name) + ": not a regular file\n") << name;
  msg::free_(inner);
  msg::free_(outer);
}

TEST_F(TypedStreams, NestingTooDeepForTheReaderIsRefused) {
  std::vector<id> lists{list()};
  for (int i = 0; i < 600; i++) {
    lists.push_back(list());
    msg::addObject(lists.back(), lists[lists.size() - 2]);
  }
  writeStream("deep", [&](TypedStream* s) { objc_write_type(s, "@", &lists.back()); });
  EXPECT_DEATH(readObject("deep"), "typed stream .*: objects nested more than 512 deep\n");
  for (id l : lists) msg::free_(l);
}

}  // namespace
