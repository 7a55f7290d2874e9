#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>

#include "defobj/address.h"
#include "stream_support.h"

namespace {

using Write = std::function<void(id)>;

TEST(OutputStream, WritesEachFormExactly) {
  static int anything;
  char address[AddressTextSize];
  const struct {
    Write write;
    std::string text;
  } cases[] = {
      {[](id s) { msg::catStartExpr(s), msg::catC(s, "x"), msg::catSeparator(s), msg::catEndExpr(s); }, "(x )"},
      {[](id s) { msg::catLiteral(s, "word"); }, "word"},
      {[](id s) { msg::catString(s, "a b"); }, "\"a b\""},
      {[](id s) { msg::catSymbol(s, "Foo"); }, "'Foo"},
      {[](id s) { msg::catKeyword(s, "count"); }, "#:count"},
      {[](id s) { msg::catBoolean(s, YES), msg::catBoolean(s, NO); }, "#t#f"},
      {[](id s) { msg::catChar(s, 'A'); }, "#\\A"},
      {[](id s) { msg::catChar(s, ' '); }, "#\\ "},
      {[](id s) { msg::catChar(s, '4'); }, "#\\4"},
      // Digits 0 to 3 would read back as the start of an octal code.
      {[](id s) { msg::catChar(s, '0'); }, "#\\060"},
      {[](id s) { msg::catChar(s, '3'); }, "#\\063"},
      {[](id s) { msg::catChar(s, '\n'); }, "#\\012"},
      {[](id s) { msg::catChar(s, '\177'); }, "#\\177"},
      {[](id s) { msg::catChar(s, static_cast<char>(0xFF)); }, "#\\37777777777"},
      {[](id s) { msg::catChar(s, static_cast<char>(0x80)); }, "#\\37777777600"},
      {[](id s) { msg::catShort(s, -3), msg::catUnsignedShort(s, 65535); }, "-365535"},
      {[](id s) { msg::catInt(s, INT_MIN); }, "-2147483648"},
      {[](id s) { msg::catUnsigned(s, 4000000000u); }, "4000000000"},
      {[](id s) { msg::catLong(s, LONG_MIN); }, "-9223372036854775808"},
      {[](id s) { msg::catUnsignedLong(s, ULONG_MAX); }, "18446744073709551615"},
      {[](id s) { msg::catLongLong(s, LLONG_MAX); }, "9223372036854775807"},
      {[](id s) { msg::catUnsignedLongLong(s, ULLONG_MAX); }, "18446744073709551615"},
      {[](id s) { msg::catFloat(s, 1.0f / 3); }, "0.333333F0"},
      {[](id s) { msg::catDouble(s, 0.5); }, "0.500000D0"},
      {[](id s) { msg::catDouble(s, 1.0e-7); }, "0.000000D0"},
      {[](id s) { msg::catDouble(s, -1.25); }, "-1.250000D0"},
      {[](id s) { msg::catLongDouble(s, 2.5L); }, "2.500000L0"},
      {[](id s) { msg::catPointer(s, &anything); }, formatAddress(address, &anything)},
      {[](id s) { msg::catClass(s, objc_get_class("String_c")); }, "<String_c>"},
      {[](id s) { msg::catClass(s, Nil); }, "<nil>"},
      // A public type's creating class is written as the type, which reads
      // back as that class.
      {[](id s) { msg::catClass(s, static_cast<Class>(List)); }, "<List>"},
      {[](id s) { msg::catNil(s); }, "nil"},
      {[](id s) { msg::catArrayRank(s, 2); }, "#2"},
      {[](id s) { msg::catUnsignedPair_(s, 3, 4); }, "'(3 . 4)"},
      {[](id s) { msg::catStartList(s), msg::catSeparator(s), msg::catInt(s, 1), msg::catEndList(s); }, "(list 1)"},
      {[](id s) { msg::catStartParse(s), msg::catEndParse(s); }, "(parse)"},
      {[](id s) {
         msg::catStartCons(s), msg::catSeparator(s), msg::catInt(s, 1), msg::catSeparator(s), msg::catInt(s, 2);
         msg::catEndCons(s);
       },
       "(cons 1 2)"},
      {[](id s) { msg::catStartQuotedList(s), msg::catInt(s, 1), msg::catEndQuotedList(s); }, "'(1)"},
      {[](id s) { msg::catStartMakeInstance(s, "Foo"), msg::catEndMakeInstance(s); }, "(make-instance 'Foo)"},
      {[](id s) {
         msg::catStartMakeClass(s, "Foo"), msg::catSeparator(s), msg::catKeyword(s, "x"), msg::catSeparator(s);
         msg::catType(s, "i"), msg::catEndMakeClass(s);
       },
       "(make-class 'Foo #:x 'int)"},
      {[](id s) { msg::catType(s, "[80[80d]]"); }, "(array 'double 80 80)"},
  };
  for (const auto& c : cases) EXPECT_EQ(written(c.write), c.text);
}

// Node mode builds what text mode prints: the tree prints back as the
// same text.
TEST(OutputStream, NodeModeBuildsTheTextModeForm) {
  const Write cases[] = {
      [](id s) {
        msg::catStartMakeInstance(s, "Foo");
        const auto keyword = [s](const char* name) { msg::catSeparator(s), msg::catKeyword(s, name), msg::catSeparator(s); };
        keyword("b"), msg::catBoolean(s, YES);
        keyword("c"), msg::catChar(s, '0');
        keyword("i"), msg::catInt(s, -7);
        keyword("u"), msg::catUnsigned(s, 4000000000u);
        keyword("f"), msg::catFloat(s, 0.25f);
        keyword("d"), msg::catDouble(s, 0.5);
        keyword("l"), msg::catLongDouble(s, 1.5L);
        keyword("s"), msg::catString(s, "a b");
        keyword("y"), msg::catSymbol(s, "Bar");
        keyword("k"), msg::catClass(s, objc_get_class("String_c"));
        keyword("n"), msg::catNil(s);
        msg::catEndMakeInstance(s);
      },
      [](id s) {
        msg::catStartList(s);
        msg::catSeparator(s), msg::catStartCons(s), msg::catSeparator(s), msg::catString(s, "key");
        msg::catSeparator(s), msg::catInt(s, 1), msg::catEndCons(s);
        msg::catSeparator(s), msg::catUnsignedPair_(s, 3, 4);
        msg::catSeparator(s), msg::catStartQuotedList(s), msg::catInt(s, 5), msg::catSeparator(s);
        msg::catInt(s, 6), msg::catEndQuotedList(s);
        msg::catSeparator(s), msg::catStartParse(s), msg::catEndParse(s);
        msg::catEndList(s);
      },
      [](id s) {
        msg::catStartMakeClass(s, "Cell");
        msg::catSeparator(s), msg::catKeyword(s, "heat"), msg::catSeparator(s), msg::catType(s, "d");
        msg::catSeparator(s), msg::catKeyword(s, "grid"), msg::catSeparator(s), msg::catType(s, "[2[3i]]");
        msg::catEndMakeClass(s);
      },
  };
  for (const Write& write : cases) EXPECT_EQ(printed(built(write)), written(write));
}

TEST(OutputStream, NodeModeAddsNothingForSeparatorsAndText) {
  id list = built([](id s) {
    msg::catStartList(s), msg::catSeparator(s), msg::catInt(s, 1), msg::catC(s, "ignored");
    msg::catUnsigned(s, 4000000000u), msg::catEndList(s);
  });
  EXPECT_EQ(shape(list), "(\"list\" ll:1 ll:4000000000)");
}

TEST(OutputStream, NodeModeForms) {
  const struct {
    Write write;
    std::string shape;
  } cases[] = {
      {[](id) {}, "NULL"},
      {[](id s) { msg::catSymbol(s, "Foo"); }, "'Foo"},
      {[](id s) { msg::catKeyword(s, "x"); }, "#:x"},
      {[](id s) { msg::catUnsignedPair_(s, 3, 4); }, "'pair(ll:3 ll:4)"},
      {[](id s) { msg::catStartCons(s), msg::catInt(s, 1), msg::catInt(s, 2), msg::catEndCons(s); }, "cons(ll:1 ll:2)"},
      {[](id s) { msg::catStartQuotedList(s), msg::catNil(s), msg::catEndQuotedList(s); }, "'(nil)"},
      {[](id s) { msg::catChar(s, static_cast<char>(0xFF)); }, "char:-1"},
      {[](id s) { msg::catUnsignedLong(s, ULONG_MAX); }, "ll:-1"},
      {[](id s) { msg::catPointer(s, reinterpret_cast<void*>(0x1000)); }, "ll:4096"},
      // An array needs no open list around it.
      {[](id s) {
         msg::catArrayRank(s, 1), msg::catStartExpr(s), msg::catDouble(s, 1.5), msg::catDouble(s, 2);
         msg::catEndExpr(s), msg::catEndArray(s);
       },
       "array[2 type 13: 1.5 2]"},
      {[](id s) {
         msg::catStartList(s), msg::catArrayRank(s, 2), msg::catStartExpr(s);
         for (int row = 0; row < 2; row++) {
           msg::catStartExpr(s), msg::catInt(s, row), msg::catInt(s, row + 10), msg::catEndExpr(s);
         }
         msg::catEndExpr(s), msg::catEndArray(s), msg::catInt(s, 7), msg::catEndList(s);
       },
       "(\"list\" array[2x2 type 11: 0 10 1 11] ll:7)"},
  };
  for (const auto& c : cases) EXPECT_EQ(shape(built(c.write)), c.shape);
}

TEST(OutputStreamDeath, RefusesAStringWithADoubleQuote) {
  const std::string report =
      errorReport("SaveError", "-[OutputStream(c) _catString:]", "OutputStream.cpp",
                  "> string contains a double quote, which archive text cannot hold:\n> say \"hi\"\n");
  EXPECT_DEATH(written([](id s) { msg::catString(s, "say \"hi\""); }), report);
  EXPECT_DEATH(built([](id s) { msg::catString(s, "say \"hi\""); }), report);
}

TEST(OutputStreamDeath, RefusesToWriteWithoutAFile) {
  id stream = msg::create(OutputStream, _obj_globalZone);
  EXPECT_DEATH(msg::catInt(stream, 1), errorReport("InvalidOperation", "-[OutputStream(c) _catC:]", "OutputStream.cpp",
                                                   "> output stream has no file to write to\n"));
}

}  // namespace
