#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

#include "stream_support.h"

namespace {

const char* const GetExpr = "-[InputStream(c) _getExpr]";

TEST(InputStream, ReadsEachForm) {
  const struct {
    const char* text;
    const char* shape;
  } cases[] = {
      {"(a . b)", "pair(a b)"},
      {"(cons a b)", "cons(a b)"},
      {"(quote x)", "'x"},
      {"'x", "'x"},
      {"'(3 . 4)", "'pair(ll:3 ll:4)"},
      {"(a . b c)", "(a DOT b c)"},
      {"()", "()"},
      {"(a nil b)", "(a nil b)"},
      {"(make-instance 'Foo #:x 1)", "(make-instance 'Foo #:x ll:1)"},
      {"12", "ll:12"},
      {"-3", "ll:-3"},
      {"1.5", "d:1.5"},
      {"1.500000D0", "d:1.5"},
      {".5", "d:0.5"},
      {"2.0F0", "f:2"},
      {"12F0", "f:12"},
      {"2.0L0", "ld:2"},
      {"9223372036854775807", "ll:9223372036854775807"},
      // Unsigned 64-bit values keep their bit pattern.
      {"9223372036854775808", "ll:-9223372036854775808"},
      {"18446744073709551615", "ll:-1"},
      {"1e5", "1e5"},
      {"+3", "+3"},
      {"1.5X0", "1.5X0"},
      {"F0", "F0"},
      {"D1", "D1"},
      {"1.5D1", "1.5D1"},
      {"1.2.3", "1.2.3"},
      {"-", "-"},
      {"-x", "-x"},
      {"name:", "#:name"},
      {"#:name", "#:name"},
      {":name", "#:name"},
      {"#\\A", "char:65"},
      {"#\\101", "char:65"},
      {"#\\060", "char:48"},
      {"#\\4", "char:52"},
      {"#\\ ", "char:32"},
      {"#\\(", "char:40"},
      {"#\\37777777777", "char:-1"},
      {"#t", "#t"},
      {"#f", "#f"},
      {"nil", "nil"},
      {"\"a b\"", "\"a b\""},
      {"\"line\nbreak (x)\"", "\"line\nbreak (x)\""},
      {"<String_c>", "<String_c>"},
      {"<NoSuchClass>", "<nil>"},
      {"#2((1 2) (3 4))", "array[2x2 type 11: 1 2 3 4]"},
      {"#((1 2)(3 4))", "array[2x2 type 11: 1 2 3 4]"},
      {"#1(1.5 2)", "array[2 type 13: 1.5 2]"},
      {"#1(#t #f)", "array[2 type 1: #t #f]"},
      {"#1(#\\a)", "array[1 type 3: 97]"},
      {"; a comment\n(x)", "(x)"},
      {"(a ; within\n b)", "(a b)"},
      {"abc", "abc"},
      {"(x)\n", "(x)"},
  };
  for (const auto& c : cases) EXPECT_EQ(shape(readOne(c.text)), c.shape) << c.text;
}

TEST(InputStream, ReadsExpressionsInTurnUntilTheEnd) {
  EXPECT_EQ(readAll("").size(), 0u);
  EXPECT_EQ(readAll("  \n\t").size(), 0u);
  EXPECT_EQ(readAll("(x)\n; the last line is a comment").size(), 1u);
  const std::vector<id> exprs = readAll("a (b) \"c\" 4");
  ASSERT_EQ(exprs.size(), 4u);
  EXPECT_EQ(shape(exprs[3]), "ll:4");
}

TEST(InputStream, OverANodeAnswersItEveryTime) {
  id node = readOne("(x)");
  id stream = msg::create_setExpr(InputStream, _obj_globalZone, node);
  EXPECT_EQ(msg::getExpr(stream), node);
  EXPECT_EQ(msg::getExpr(stream), node);
  EXPECT_EQ(msg::getFileStream(stream), nullptr);
}

TEST(InputStream, WarnsOfIntegersOutOfRange) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(shape(readOne("99999999999999999999")), "ll:" + std::to_string(LLONG_MAX));
  EXPECT_EQ(shape(readOne("-9223372036854775809")), "ll:" + std::to_string(LLONG_MIN));
  const std::string report = testing::internal::GetCapturedStderr();
  EXPECT_NE(report.find("*** event raised for warning: WarningMessage\n*** function: " + std::string(GetExpr) +
                        "(), file: InputStream.cpp, line: "),
            std::string::npos);
  EXPECT_NE(report.find("\nCould not convert to long*** execution continuing...\n"), std::string::npos) << report;
}

TEST(InputStreamDeath, ReportsMalformedText) {
  const std::string deep(1001, '(');
  const struct {
    std::string text;
    const char* symbol;
    const char* message;
  } cases[] = {
      {"(cons a)", "InvalidArgument", "cons accepts only two arguments"},
      {"(quote)", "InvalidArgument", "quote accepts only one argument"},
      {"(quote a b)", "InvalidArgument", "quote accepts only one argument"},
      {"(a b", "InvalidArgument", "unexpected EOF"},
      {"'", "InvalidArgument", "unexpected EOF"},
      {"<String_c", "InvalidArgument", "unexpected EOF"},
      {"#", "InvalidArgument", "unexpected EOF"},
      {"#\\", "InvalidArgument", "unexpected EOF"},
      {"#2", "InvalidArgument", "unexpected EOF"},
      {"\"abc", "InvalidArgument", "wrong type"},
      {"#x", "InvalidArgument", "Unknown `#' form"},
      {"#true", "InvalidArgument", "Unknown `#' form"},
      {")", "LoadError", "Unexpected character `)'\n"},
      {" . ", "LoadError", "Unexpected character `.'\n"},
      {"')", "LoadError", "Unexpected character `)'\n"},
      {"#2 .", "LoadError", "Unexpected character `.'\n"},
      {deep, "LoadError", "Expression nested deeper than 1000 levels\n"},
      {std::string(1001, '\'') + "x", "LoadError", "Expression nested deeper than 1000 levels\n"},
      {"1" + std::string(400, '0') + ".0", "InvalidArgument", "Could not convert to double"},
      {"1" + std::string(40, '0') + "F0", "InvalidArgument", "Could not convert to double"},
      {std::string("(list ab\0c)", 11), "LoadError", "> archive text holds a NUL byte\n"},
      {std::string("\"a\0b\"", 5), "LoadError", "> archive text holds a NUL byte\n"},
      {std::string("\0", 1), "LoadError", "> archive text holds a NUL byte\n"},
      {std::string(1 << 20, 'a') + "b", "LoadError", "> token longer than 1048576 bytes\n"},
      {"\"" + std::string(1 << 20, 'a') + "b\"", "LoadError", "> token longer than 1048576 bytes\n"},
  };
  for (const auto& c : cases)
    EXPECT_DEATH(readAll(c.text), errorReport(c.symbol, GetExpr, "InputStream.cpp", c.message)) << c.text;
}

TEST(InputStreamDeath, ReportsArraysThatAreNotDenseNumbers) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"#2((1 2) (3))", "Array is not rectangular"},
      {"#2((1 2) 3)", "Array is not rectangular"},
      {"#2((1 2) (3 (4)))", "Array is not rectangular"},
      {"#()", "Array has no elements"},
      {"#(a)", "Array element not numeric"},
      {"#(1 a)", "Array element not a number"},
      {"#(1 2.5)", "Array element of type 13 in an array of type 11"},
      {"#(#t 1)", "Array element of type 11 in an array of type 1"},
      {"#3 x", "Array elements are not in a list"},
  };
  for (const auto& c : cases)
    EXPECT_DEATH(readAll(c.text),
                 errorReport("InvalidArgument", "-[ArchiverArray(c) _setArray:]", "ArchiverArray.cpp", c.message))
        << c.text;
}

TEST(ArchiverArray, ConvertsIntoExactlyItsElementCount) {
  id integers = readOne("#(1 -2 70000)");
  int16_t shorts[4] = {0, 0, 0, 99};
  msg::convertToType_dest(integers, fcall_type_sshort, shorts);
  EXPECT_EQ((std::vector<int16_t>(shorts, shorts + 4)), (std::vector<int16_t>{1, -2, 4464, 99}));
  unsigned words[4] = {0, 0, 0, 99};
  msg::convertToType_dest(integers, fcall_type_uint, words);
  EXPECT_EQ((std::vector<unsigned>(words, words + 4)), (std::vector<unsigned>{1, 4294967294u, 70000, 99}));
  long longs[4] = {0, 0, 0, 99};
  msg::convertToType_dest(integers, fcall_type_slong, longs);
  EXPECT_EQ((std::vector<long>(longs, longs + 4)), (std::vector<long>{1, -2, 70000, 99}));
  double doubles[4] = {0, 0, 0, 99};
  msg::convertToType_dest(integers, fcall_type_double, doubles);
  EXPECT_EQ((std::vector<double>(doubles, doubles + 4)), (std::vector<double>{1, -2, 70000, 99}));
  float floats[3] = {0, 0, 99};
  msg::convertToType_dest(readOne("#(0.5D0 0.25D0)"), fcall_type_float, floats);
  EXPECT_EQ((std::vector<float>(floats, floats + 3)), (std::vector<float>{0.5f, 0.25f, 99}));
  unsigned char bytes[3] = {0, 0, 99};
  msg::convertToType_dest(readOne("#(#\\a #\\b)"), fcall_type_uchar, bytes);
  EXPECT_EQ((std::vector<unsigned char>(bytes, bytes + 3)), (std::vector<unsigned char>{'a', 'b', 99}));
}

TEST(ArchiverArrayDeath, RefusesATargetOfAnotherKind) {
  id reals = readOne("#(1.5 2.5)");
  int ints[2];
  EXPECT_DEATH(msg::convertToType_dest(reals, fcall_type_sint, ints),
               errorReport("InvalidArgument", "-[ArchiverArray(c) _convertToType:dest:]", "ArchiverArray.cpp",
                           "Array of type 13 does not convert to type 7"));
}

TEST(ArchiverValue, IntegerGettersTakeTheLowWord) {
  id big = readOne("4294967301");
  EXPECT_EQ(msg::getInteger(big), 5);
  EXPECT_EQ(msg::getUnsigned(big), 5u);
  EXPECT_EQ(msg::getLongLong(big), 4294967301LL);
  EXPECT_EQ(msg::getInteger(readOne("-1")), -1);
}

TEST(ArchiverValueDeath, IntegerGettersDemandAnInteger) {
  id real = readOne("1.5");
  EXPECT_DEATH(msg::getInteger(real), errorReport("InvalidArgument", "-[ArchiverValue(c) _getInteger]",
                                                  "ArchiverNodes.cpp", "expecting an integer"));
  EXPECT_DEATH(msg::getUnsigned(real), errorReport("InvalidArgument", "-[ArchiverValue(c) _getUnsigned]",
                                                   "ArchiverNodes.cpp", "expecting an integer"));
}

TEST(Predicates, ClassifyNodes) {
  id list = readOne("(list cons quote \"cons\" nil 0 #f #:k '(1 . 2) #(1) (x))");
  id index = msg::begin(list, _obj_globalZone);
  std::string kinds;
  for (id node = msg::next(index); msg::getLoc(index) == Member; node = msg::next(index)) {
    std::string k;
    const struct {
      BOOL (*test)(id);
      const char* letter;
    } tests[] = {{stringp, "s"},   {literal_string_p, "L"}, {symbolp, "y"},         {archiver_list_p, "l"},
                 {keywordp, "k"},  {valuep, "v"},           {nil_value_p, "n"},      {arrayp, "a"},
                 {pairp, "p"},     {quotedp, "q"},          {cons_literal_p, "C"},   {list_literal_p, "I"},
                 {quote_literal_p, "Q"}};
    for (const auto& t : tests)
      if (t.test(node)) k += t.letter;
    kinds += (kinds.empty() ? "" : " ") + k;
  }
  msg::drop(index);
  // The nil value is the only value that nil_value_p accepts.
  EXPECT_EQ(kinds, "sI sC sQ sLC vn v v k q a l");
  for (id nothing : {id(nil), ArchiverDot}) EXPECT_FALSE(stringp(nothing) || valuep(nothing));
  EXPECT_TRUE(symbolp(ArchiverDot));
}

// Text read and printed back is the text that was read, up to blanks.
TEST(InputStream, PrintsBackWhatItRead) {
  const struct {
    const char* text;
    const char* printed;
  } cases[] = {
      {"(make-instance 'Point  #:x 1 #:y 2)", "(make-instance 'Point #:x 1 #:y 2)"},
      {"(make-instance 'Foo #:d 2.500000D0 #:f 0.500000F0 #:l 1.000000L0 #:s \"a b\" #:c #\\060 #:b #t #:n nil)",
       nullptr},
      {"(make-instance 'Foo #:k <String_c>)", nullptr},
      {"(list foo (cons 'a 1) (a . b) '(3 . 4) '(5 6))", nullptr},
      {"(make-class 'Foo #:v (array 'double 2 3) #:w 'int)", nullptr},
      {"(parse 1 2)", nullptr},
      {"(list 18446744073709551615)", "(list -1)"},
  };
  for (const auto& c : cases) EXPECT_EQ(printed(readOne(c.text)), c.printed ? c.printed : c.text);
}

// What is read, printed and read again is the same tree, string
// constants and symbols told apart.
TEST(InputStream, ReadsBackWhatItPrinted) {
  for (const char* text : {"'\"two words\"", "'\"\"", "'\"a;b\"", "'\"nil\"", "'\"12\"", "'sym", "'a\"b",
                           "\"\"", "\"(x)\"", "\"'q\"", "(list \"two words\" 'x '\"y z\" (cons '\"\" \"\"))",
                           "(make-instance 'Foo #:s '\"two words\" #:t \"#:k\" #:c #\\0 #:d #\\3 #:q #\\\")",
                           "'(\"a b\" . c)", "'(a \"b c\" (d e))", "(list '(x y) '())"}) {
    id first = readOne(text);
    ASSERT_NE(first, nil) << text;
    const std::string again = printed(first);
    EXPECT_EQ(shape(readOne(again)), shape(first)) << text << " printed as " << again;
  }
}

// A class name that no class has reads as the nil class, yet is written
// back as it was read, by the node itself and by a tree the writer built.
TEST(InputStream, WritesBackAClassNameItDoesNotKnow) {
  for (const char* text : {"<Frobnitz>", "<nil>", "<>"}) {
    id value = readOne(text);
    ASSERT_TRUE(valuep(value)) << text;
    EXPECT_EQ(msg::getClass(value), Nil) << text;
    EXPECT_EQ(printed(value), text);
    EXPECT_EQ(printed(built([value](id s) { msg::lispOutDeep(value, s); })), text);
    msg::drop(value);
  }
}

TEST(InputStreamDeath, PrintingRefusesUnknownForms) {
  const char* const list = "-[ArchiverList(c) _lispOutDeep:]";
  EXPECT_DEATH(printed(readOne("(foo 1)")),
               errorReport("InvalidArgument", list, "ArchiverNodes.cpp",
                           "function not one of make-instance or make-class or parse"));
  EXPECT_DEATH(printed(readOne("(list . b c)")),
               errorReport("InvalidArgument", list, "ArchiverNodes.cpp", "expression type not supported"));
}

// Every character the writer writes reads back as itself.
TEST(InputStream, ReadsBackEveryCharacter) {
  for (int code = 0; code < 256; code++) {
    const char c = static_cast<char>(code);
    id value = readOne(written([c](id s) { msg::catChar(s, c); }));
    ASSERT_TRUE(valuep(value)) << code;
    EXPECT_EQ(msg::getChar(value), c) << code;
  }
}

TEST(InputStream, ReadsBackTheWrittenNumbers) {
  const std::string text = written([](id s) {
    msg::catStartList(s);
    msg::catSeparator(s), msg::catLongLong(s, LLONG_MIN);
    msg::catSeparator(s), msg::catUnsignedLongLong(s, ULLONG_MAX);
    msg::catSeparator(s), msg::catUnsignedLong(s, 1UL << 63);
    msg::catSeparator(s), msg::catNil(s);
    msg::catSeparator(s), msg::catClass(s, Nil);
    msg::catEndList(s);
  });
  EXPECT_EQ(shape(readOne(text)), "(list ll:-9223372036854775808 ll:-1 ll:-9223372036854775808 nil <nil>)");
}

}  // namespace
