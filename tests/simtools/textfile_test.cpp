#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <string>

#include "simtools/scratch.h"
#include "simtools/simtools.h"
#include "space/report.h"

namespace {

id outFile(const std::string& path) {
  return msg::create_setName(objc_get_class("OutFile"), _obj_globalZone, path.c_str());
}

id inFile(const std::string& path) {
  return msg::create_setName(objc_get_class("InFile"), _obj_globalZone, path.c_str());
}

std::string obsoleteWarning(const char* className) {
  return report::literal(std::string("*** event raised for warning: ObsoleteMessage\n"
                                     "*** function: +[") +
                         className + " create:withName:](), file: " + className +
                         ".cpp, line: ") +
         "[0-9]+\n" +
         report::literal("please use +create:setName: instead\n*** execution continuing...\n");
}

struct Written {
  const char* what;
  std::function<void(id)> put;
  const char* text;
};

class OutFileFormats : public ScratchDirTest, public testing::WithParamInterface<Written> {};

TEST_P(OutFileFormats, WritesExactlyItsForm) {
  id file = outFile(path("out"));
  GetParam().put(file);
  msg::drop(file);
  EXPECT_EQ(contents("out"), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Writers, OutFileFormats,
    testing::Values(
        Written{"String", [](id f) { msg::putString(f, "a b\n"); }, "a b\n"},
        Written{"Int", [](id f) { msg::putInt(f, -42); }, "-42"},
        Written{"Unsigned", [](id f) { msg::putUnsigned(f, 4294967295u); }, "4294967295"},
        Written{"Long", [](id f) { msg::putLong(f, -9000000000L); }, "-9000000000"},
        Written{"UnsignedLong", [](id f) { msg::putUnsignedLong(f, 18446744073709551615ul); },
                "18446744073709551615"},
        Written{"Double", [](id f) { msg::putDouble(f, 2.0); }, " +2.0000000000000000e+00"},
        Written{"NegativeDouble", [](id f) { msg::putDouble(f, -0.1); },
                " -1.0000000000000001e-01"},
        Written{"Float", [](id f) { msg::putFloat(f, 0.5f); }, " +5.0000000e-01"},
        Written{"Char", [](id f) { msg::putChar(f, 'x'); }, "x"},
        Written{"NewLine", [](id f) { msg::putNewLine(f); }, "\n"},
        Written{"Tab", [](id f) { msg::putTab(f); }, "\t"},
        Written{"Chained",
                [](id f) { msg::putTab(msg::putInt(msg::putString(f, "n="), 3)); }, "n=3\t"}),
    [](const testing::TestParamInfo<Written>& info) { return info.param.what; });

using TextFiles = ScratchDirTest;

TEST_F(TextFiles, OpeningTruncatesAndDropCloses) {
  write("out", "old contents");
  id file = outFile(path("out"));
  msg::putInt(file, 7);
  msg::drop(file);  // the buffered text reaches the file only when it is closed
  EXPECT_EQ(contents("out"), "7");
}

// /dev/full takes the open and refuses every write: the failure shows
// either at the write that fills the buffer or at the close.
TEST(OutFileDeathTest, WriteFailuresEndTheProcessNamingTheFile) {
  const std::string bufferful(1 << 16, 'x');
  const auto full = [](const char* function) {
    return report::error("SaveError", function, "OutFile.cpp",
                         "cannot write the output file /dev/full: No space left on device\n");
  };
  EXPECT_DEATH(msg::putString(outFile("/dev/full"), bufferful.c_str()), full("-[OutFile putString:]"));
  EXPECT_DEATH(
      {
        id file = outFile("/dev/full");
        for (int i = 0; i < 10000; i++) msg::putDouble(file, 1.0);
      },
      full("-[OutFile putDouble:]"));
  EXPECT_DEATH(msg::drop(msg::putInt(outFile("/dev/full"), 7)), full("-[OutFile drop]"));
}

TEST_F(TextFiles, FilesThatCannotBeOpenedAnswerNilSilently) {
  const std::string missing = path("no/such/dir");
  EXPECT_EQ(report::capturedStderr([&] {
              EXPECT_EQ(outFile(missing), nil);
              EXPECT_EQ(inFile(missing), nil);
            }),
            "");
}

TEST_F(TextFiles, CreateWithNameWarnsAndStillOpens) {
  write("in", "5");
  id out = nil, in = nil;
  const std::string outText = report::capturedStderr([&] {
    out = msg::create_withName(objc_get_class("OutFile"), _obj_globalZone, path("out").c_str());
  });
  const std::string inText = report::capturedStderr([&] {
    in = msg::create_withName(objc_get_class("InFile"), _obj_globalZone, path("in").c_str());
  });
  EXPECT_TRUE(std::regex_match(outText, std::regex(obsoleteWarning("OutFile")))) << outText;
  EXPECT_TRUE(std::regex_match(inText, std::regex(obsoleteWarning("InFile")))) << inText;
  ASSERT_NE(out, nil);
  ASSERT_NE(in, nil);
  int value = 0;
  EXPECT_EQ(msg::getInt(in, &value), 1);
  EXPECT_EQ(value, 5);
  msg::putChar(out, 'k');
  msg::drop(out);
  msg::drop(in);
  EXPECT_EQ(contents("out"), "k");
}

TEST_F(TextFiles, WordsSkipBlanksAndLeaveTheDelimiter) {
  write("in", " \t\r\nalpha beta\ngamma");
  id file = inFile(path("in"));
  char word[32];
  char c;
  EXPECT_EQ(msg::getWord(file, word), 1);
  EXPECT_STREQ(word, "alpha");
  EXPECT_EQ(msg::getCharInto(file, &c), 1);
  EXPECT_EQ(c, ' ');
  EXPECT_EQ(msg::getWord(file, word), 1);
  EXPECT_STREQ(word, "beta");
  EXPECT_EQ(msg::getWord(file, word), 1);  // the end of the file ends a word too
  EXPECT_STREQ(word, "gamma");
  EXPECT_EQ(msg::getWord(file, word), 0);
  EXPECT_STREQ(word, "");
  msg::drop(file);
}

TEST_F(TextFiles, LinesLeaveTheirNewlineForSkipLine) {
  write("in", "  first line \n\n\tlast");
  id file = inFile(path("in"));
  char line[32];
  EXPECT_EQ(msg::getLine(file, line), 1);
  EXPECT_STREQ(line, "first line ");
  EXPECT_EQ(msg::getLine(file, line), 1);  // still before the same newline
  EXPECT_STREQ(line, "");
  EXPECT_EQ(msg::skipLine(file), 1);
  EXPECT_EQ(msg::getLine(file, line), 1);  // an empty line
  EXPECT_STREQ(line, "");
  EXPECT_EQ(msg::skipLine(file), 1);
  EXPECT_EQ(msg::getLine(file, line), 0);  // the last line has no newline
  EXPECT_STREQ(line, "last");
  EXPECT_EQ(msg::getLine(file, line), 0);
  EXPECT_STREQ(line, "");
  EXPECT_EQ(msg::skipLine(file), 0);
  msg::drop(file);
}

TEST_F(TextFiles, NumbersReadWithTheirConversions) {
  write("in", "-12 4000000000 -9000000000 18446744073709551615 2.5e-3 0.25");
  id file = inFile(path("in"));
  int i = 0;
  unsigned u = 0;
  long l = 0;
  unsigned long ul = 0;
  double d = 0;
  float f = 0;
  EXPECT_EQ(msg::getInt(file, &i), 1);
  EXPECT_EQ(msg::getUnsignedInto(file, &u), 1);
  EXPECT_EQ(msg::getLong(file, &l), 1);
  EXPECT_EQ(msg::getUnsignedLong(file, &ul), 1);
  EXPECT_EQ(msg::getDoubleInto(file, &d), 1);
  EXPECT_EQ(msg::getFloatInto(file, &f), 1);
  EXPECT_EQ(i, -12);
  EXPECT_EQ(u, 4000000000u);
  EXPECT_EQ(l, -9000000000L);
  EXPECT_EQ(ul, 18446744073709551615ul);
  EXPECT_EQ(d, 2.5e-3);
  EXPECT_EQ(f, 0.25f);
  EXPECT_EQ(msg::getInt(file, &i), 0);  // end of file
  EXPECT_EQ(i, -12);
  msg::drop(file);
}

// Text that is not a number is not read as one: the reader answers 0 and
// leaves both the variable and the text, so a reading loop ends.
TEST_F(TextFiles, TextThatIsNotANumberAnswersZero) {
  write("in", "1 x 3");
  id file = inFile(path("in"));
  int value = 0, read = 0;
  while (msg::getInt(file, &value)) read++;
  EXPECT_EQ(read, 1);
  EXPECT_EQ(value, 1);
  char word[8];
  EXPECT_EQ(msg::getWord(file, word), 1);
  EXPECT_STREQ(word, "x");
  EXPECT_EQ(msg::getInt(file, &value), 1);
  EXPECT_EQ(value, 3);
  msg::drop(file);
}

TEST_F(TextFiles, CharactersGoBackOntoTheStream) {
  write("in", "ab");
  id file = inFile(path("in"));
  char c = 0;
  EXPECT_EQ(msg::getCharInto(file, &c), 1);
  EXPECT_EQ(c, 'a');
  EXPECT_EQ(msg::unGetChar(file, 'z'), 1);
  EXPECT_EQ(msg::getCharInto(file, &c), 1);
  EXPECT_EQ(c, 'z');
  EXPECT_EQ(msg::getCharInto(file, &c), 1);
  EXPECT_EQ(c, 'b');
  EXPECT_EQ(msg::getCharInto(file, &c), 0);
  EXPECT_EQ(c, static_cast<char>(EOF));
  msg::drop(file);
}

}  // namespace
