// The probe value text: values to text and text back to values.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "defobj/address.h"
#include "objectbase/objectbase.h"
#include "objectbase/probe_text.h"
#include "objectbase/specimen.h"
#include "space/report.h"

namespace {

template <class T>
std::string text(fcall_type_t type, T value, id style = DefaultString, const char* format = nullptr,
                 unsigned precision = 6) {
  char buffer[ProbeTextSize];
  std::memset(buffer, '#', sizeof buffer);
  string_convert(type, &value, format, precision, style, buffer, sizeof buffer);
  return buffer;
}

template <class T>
bool parsed(fcall_type_t type, const char* input, T expected, id style = DefaultString) {
  T value{};
  return convert_from_string(type, style, input, &value) && value == expected;
}

template <class T>
bool refused(fcall_type_t type, const char* input, id style = DefaultString) {
  T value = T(7);
  return !convert_from_string(type, style, input, &value) && value == T(7);
}

TEST(ProbeText, NumbersInEveryWidth) {
  EXPECT_EQ(text(fcall_type_void, 0), "none");
  EXPECT_EQ(text<BOOL>(fcall_type_boolean, 1), "true");
  EXPECT_EQ(text<BOOL>(fcall_type_boolean, 0), "false");
  EXPECT_EQ(text<unsigned short>(fcall_type_ushort, 65535), "65535");
  EXPECT_EQ(text<short>(fcall_type_sshort, -2), "-2");
  EXPECT_EQ(text<unsigned>(fcall_type_uint, 4000000000u), "4000000000");
  EXPECT_EQ(text(fcall_type_sint, -7), "-7");
  EXPECT_EQ(text(fcall_type_ulong, 1UL << 40), "1099511627776");
  EXPECT_EQ(text(fcall_type_slong, -(1L << 40)), "-1099511627776");
  EXPECT_EQ(text(fcall_type_ulonglong, std::numeric_limits<unsigned long long>::max()), "18446744073709551615");
  EXPECT_EQ(text(fcall_type_slonglong, std::numeric_limits<long long>::min()), "-9223372036854775808");
}

TEST(ProbeText, CharactersInTheThreeStyles) {
  EXPECT_EQ(text<unsigned char>(fcall_type_uchar, 65), "65 'A'");
  EXPECT_EQ(text<unsigned char>(fcall_type_uchar, 65, CharString), "'A'");
  EXPECT_EQ(text<unsigned char>(fcall_type_uchar, 65, IntString), "65");
  EXPECT_EQ(text<char>(fcall_type_schar, 'B'), "66 'B'");
  EXPECT_EQ(text<char>(fcall_type_schar, -5, IntString), "-5");
  // A character that cannot be shown, NUL above all, is written as its
  // octal code, so the text is not cut short.
  EXPECT_EQ(text<unsigned char>(fcall_type_uchar, 0), "0 '\\0'");
  EXPECT_EQ(text<unsigned char>(fcall_type_uchar, 0, CharString), "'\\0'");
  EXPECT_EQ(text<unsigned char>(fcall_type_uchar, 10), "10 '\\12'");
  EXPECT_EQ(text<char>(fcall_type_schar, -1), "-1 '\\377'");
  EXPECT_EQ(text<unsigned char>(fcall_type_uchar, '\\'), "92 '\\'");
  EXPECT_DEATH(text<unsigned char>(fcall_type_uchar, 65, InvalidArgument),
               report::error("InvalidArgument", "stringReturnType set incorrectly!\n"));
}

TEST(ProbeText, RealsWithPrecisionOrFormat) {
  EXPECT_EQ(text(fcall_type_float, 1.5f), "1.5");
  EXPECT_EQ(text(fcall_type_double, 0.1), "0.1");
  EXPECT_EQ(text(fcall_type_double, 1.0 / 3, DefaultString, nullptr, 3), "0.333");
  EXPECT_EQ(text(fcall_type_double, 0.1, DefaultString, "%.2f"), "0.10");
  EXPECT_EQ(text(fcall_type_long_double, 0.25L), "0.25");
}

TEST(ProbeText, ObjectsClassesStringsSelectorsAndPointers) {
  Specimen* s = newSpecimen();
  EXPECT_EQ(text<id>(fcall_type_object, nil), "nil");
  EXPECT_EQ(text<id>(fcall_type_object, s), "Specimen");
  msg::setDisplayName(s, "Sam");
  EXPECT_EQ(text<id>(fcall_type_object, s), "Sam");
  EXPECT_EQ(text<Class>(fcall_type_class, Nil), "nil");
  EXPECT_EQ(text<Class>(fcall_type_class, specimenClass()), "Specimen");
  EXPECT_EQ(text<const char*>(fcall_type_string, nullptr), "<NULL>");
  EXPECT_EQ(text<const char*>(fcall_type_string, "words"), "words");
  EXPECT_EQ(text<SEL>(fcall_type_selector, nullptr), "M(NULL)");
  EXPECT_EQ(text<SEL>(fcall_type_selector, msg::t_half.sel), "t_half");
  char address[AddressTextSize];
  EXPECT_EQ(text<void*>(fcall_type_iid, s), formatAddress(address, s));
  msg::drop(s);
}

TEST(ProbeText, LongTextsAreCutToTheBuffer) {
  const std::string longText(3000, 'a');
  char buffer[16];
  const char* value = longText.c_str();
  string_convert(fcall_type_string, &value, nullptr, 6, DefaultString, buffer, sizeof buffer);
  EXPECT_EQ(std::string(buffer), std::string(15, 'a'));
}

TEST(ProbeText, ReadsWholeNumbersOfEachWidth) {
  EXPECT_TRUE(parsed<BOOL>(fcall_type_boolean, "true", 1));
  EXPECT_TRUE(parsed<BOOL>(fcall_type_boolean, "false", 0));
  EXPECT_TRUE(parsed<BOOL>(fcall_type_boolean, "7", 7));
  EXPECT_TRUE(parsed<unsigned short>(fcall_type_ushort, "65535", 65535));
  EXPECT_TRUE(parsed<short>(fcall_type_sshort, "-32768", -32768));
  EXPECT_TRUE(parsed<unsigned>(fcall_type_uint, "4000000000", 4000000000u));
  EXPECT_TRUE(parsed<int>(fcall_type_sint, "  42 ", 42));
  EXPECT_TRUE(parsed<unsigned long>(fcall_type_ulong, "1099511627776", 1UL << 40));
  EXPECT_TRUE(parsed<long>(fcall_type_slong, "-1099511627776", -(1L << 40)));
  EXPECT_TRUE(parsed<unsigned long long>(fcall_type_ulonglong, "18446744073709551615",
                                         std::numeric_limits<unsigned long long>::max()));
  EXPECT_TRUE(parsed<long long>(fcall_type_slonglong, "-9000000000", -9000000000LL));
  EXPECT_TRUE(parsed<float>(fcall_type_float, "1.5", 1.5f));
  EXPECT_TRUE(parsed<double>(fcall_type_double, "0.1", 0.1));
  EXPECT_TRUE(parsed<long double>(fcall_type_long_double, "0.25", 0.25L));
}

// Bad text leaves the value as it was.
TEST(ProbeText, RefusesTextThatIsNoValueOfTheType) {
  EXPECT_TRUE(refused<BOOL>(fcall_type_boolean, "yes"));
  EXPECT_TRUE(refused<unsigned short>(fcall_type_ushort, "70000"));
  EXPECT_TRUE(refused<unsigned>(fcall_type_uint, "-1"));
  EXPECT_TRUE(refused<int>(fcall_type_sint, "12abc"));
  EXPECT_TRUE(refused<int>(fcall_type_sint, "abc"));
  EXPECT_TRUE(refused<int>(fcall_type_sint, "99999999999"));
  EXPECT_TRUE(refused<int>(fcall_type_sint, ""));
  EXPECT_TRUE(refused<double>(fcall_type_double, "x"));
  EXPECT_TRUE(refused<double>(fcall_type_double, "1e999"));
  EXPECT_TRUE(refused<float>(fcall_type_float, "1e50"));
  EXPECT_TRUE(refused<int>(static_cast<fcall_type_t>(FCALL_TYPE_COUNT), "1"));
}

TEST(ProbeText, CharactersReadBackInTheirStyle) {
  EXPECT_TRUE(parsed<unsigned char>(fcall_type_uchar, "65", 65));
  EXPECT_TRUE(parsed<unsigned char>(fcall_type_uchar, "66 'B'", 66));
  EXPECT_TRUE(parsed<unsigned char>(fcall_type_uchar, "300", 44));
  EXPECT_TRUE(parsed<unsigned char>(fcall_type_uchar, "'A'", 65, CharString));
  EXPECT_TRUE(parsed<BOOL>(fcall_type_boolean, "'A'", 65, CharString));
  EXPECT_TRUE(parsed<char>(fcall_type_schar, "-1", -1));
  EXPECT_TRUE(refused<unsigned char>(fcall_type_uchar, "A", CharString));
  EXPECT_TRUE(refused<unsigned char>(fcall_type_uchar, "66 B"));
  EXPECT_TRUE(refused<unsigned char>(fcall_type_uchar, "'\\400'", CharString));
  // Every value reads back from the text it is shown with, in both styles
  // that show the character.
  for (int value = 0; value < 256; value++)
    for (id style : {DefaultString, CharString}) {
      const std::string shown = text<unsigned char>(fcall_type_uchar, static_cast<unsigned char>(value), style);
      EXPECT_TRUE(parsed<unsigned char>(fcall_type_uchar, shown.c_str(), static_cast<unsigned char>(value), style))
          << shown;
    }
}

TEST(ProbeText, StringsAndTheirNullForm) {
  const char* value = "old";
  EXPECT_TRUE(convert_from_string(fcall_type_string, DefaultString, "<NULL>", &value));
  EXPECT_EQ(value, nullptr);
  EXPECT_TRUE(convert_from_string(fcall_type_string, DefaultString, "new", &value));
  EXPECT_STREQ(value, "new");
  msg::free(_obj_scratchZone, const_cast<char*>(value));
}

TEST(ProbeText, CodesWithoutTextAreACallerError) {
  id object = nil;
  for (fcall_type_t type : {fcall_type_void, fcall_type_object, fcall_type_class, fcall_type_selector, fcall_type_iid})
    EXPECT_DEATH(convert_from_string(type, DefaultString, "x", &object), "convert_from_string");
}

}  // namespace
