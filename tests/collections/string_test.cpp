#include <gtest/gtest.h>

#include <string>

#include "collections/keyed_messages.h"
#include "stream_support.h"

namespace {

id newString(const char* text) { return msg::create_setC(String, _obj_globalZone, text); }

TEST(String, SetsAndAppends) {
  id s = msg::create(String, _obj_globalZone);
  EXPECT_STREQ(msg::getC(s), "");
  msg::catC(s, "ab");
  msg::catC(s, "");
  msg::catC(s, "cd");
  EXPECT_STREQ(msg::getC(s), "abcd");
  EXPECT_EQ(msg::getCount(s), 4u);
  EXPECT_EQ(msg::count(s), 4u);
  EXPECT_EQ(msg::length(s), 4u);
  msg::setC(s, "xyz");
  EXPECT_STREQ(msg::getC(s), "xyz");
  EXPECT_EQ(msg::getCount(s), 3u);
  msg::drop(s);
}

TEST(String, EmptyStringsShareOneText) {
  id empty = msg::create(String, _obj_globalZone);
  id appended = newString("");
  msg::catC(appended, "");
  id cleared = newString("text");
  msg::setC(cleared, "");
  id copied = msg::copy(empty, _obj_globalZone);
  for (id s : {appended, cleared, copied}) {
    EXPECT_EQ(msg::getC(s), msg::getC(empty));
    EXPECT_EQ(msg::getCount(s), 0u);
  }
}

TEST(String, CopyOwnsItsTextAndKeepsTheFlag) {
  id original = newString("abc");
  msg::setLiteralFlag(original, YES);
  id copy = msg::copy(original, _obj_globalZone);
  EXPECT_NE(msg::getC(copy), msg::getC(original));
  msg::catC(original, "def");
  EXPECT_STREQ(msg::getC(copy), "abc");
  EXPECT_EQ(msg::getCount(copy), 3u);
  EXPECT_TRUE(msg::getLiteralFlag(copy));
  EXPECT_FALSE(msg::getLiteralFlag(newString("abc")));
}

TEST(String, ComparesBytewise) {
  EXPECT_LT(msg::compare(newString("abc"), newString("abd")), 0);
  EXPECT_EQ(msg::compare(newString("abc"), newString("abc")), 0);
  EXPECT_GT(msg::compare(newString("b"), newString("a")), 0);
  EXPECT_GT(msg::compare(newString("\xe9"), newString("e")), 0);
}

TEST(String, DescribesShortTextsWholeAndLongOnesCut) {
  const std::string text64(64, 'x'), text65 = std::string(50, 'y') + std::string(15, 'z');
  const std::string whole = describedText(newString(text64.c_str()), _obj_globalZone);
  EXPECT_NE(whole.find("\n> number of characters: 64\n> string value: " + text64 + "\n"), std::string::npos) << whole;
  const std::string cut = describedText(newString(text65.c_str()), _obj_globalZone);
  EXPECT_NE(cut.find("\n> number of characters: 65\n> string value (first 50 characters): \"" + std::string(50, 'y') +
                     "\"\n"),
            std::string::npos)
      << cut;
}

TEST(String, CustomizedTypeMakesCopiesOfItsTemplate) {
  id prepared = msg::customizeBegin(String, _obj_globalZone);
  msg::setC(prepared, "template");
  id type = msg::customizeEnd(prepared);
  id a = msg::create(type, _obj_globalZone);
  id b = msg::create(type, _obj_globalZone);
  EXPECT_STREQ(msg::getC(a), "template");
  EXPECT_STREQ(msg::getC(b), "template");
  msg::catC(a, "!");
  EXPECT_STREQ(msg::getC(b), "template");
}

TEST(StringDeath, RefusesNilText) {
  id s = newString("abc");
  EXPECT_DEATH(msg::setC(s, nullptr),
               errorReport("InvalidArgument", "-[String(c) _setC:]", "String.cpp", "> argument is nil\n"));
  EXPECT_DEATH(msg::catC(s, nullptr),
               errorReport("InvalidArgument", "-[String(c) _catC:]", "String.cpp", "> argument is nil\n"));
}

}  // namespace
