// The uniform distributions: ranges, rejection of raw draws, singular
// ranges, split generators, state records and the description.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "collections/stream_messages.h"
#include "random/fixtures.h"

namespace {

constexpr size_t RecCutoff = 36, RecRange = 32;

id newDistribution(const char* cls, id generator) {
  return msg::create_setGenerator(classNamed(cls), _obj_globalZone, generator);
}

// What a distribution must answer, given the raw draws of a twin of its
// generator: the first draw below the cutoff, taken into the range.
template <class T>
T expectedSample(id twin, T low, T high) {
  const uint32_t max = msg::getUnsignedMax(twin);
  const uint32_t range = static_cast<uint32_t>(high) - static_cast<uint32_t>(low) + 1;
  const uint32_t cutoff = max - max % range;
  uint32_t u;
  do u = msg::getUnsignedSample_(twin);
  while (u >= cutoff);
  return static_cast<T>(static_cast<uint32_t>(low) + u % range);
}

template <class T, class Setter, class Sample, class With>
void checkRejection(const char* cls, const Setter& setter, const Sample& sample, const With& with,
                    T a, T b) {
  SCOPED_TRACE(std::string(cls) + " " + std::to_string(a) + " " + std::to_string(b));
  id g = newGenerator("MT19937gen", 5), twin = newGenerator("MT19937gen", 5);
  id d = newDistribution(cls, g);
  setter(d, a, b);
  const T low = std::min(a, b), high = std::max(a, b);
  for (int i = 0; i < 300; i++) {
    const T value = sample(d);
    ASSERT_EQ(value, expectedSample(twin, low, high));
    ASSERT_TRUE(low <= value && value <= high);
  }
  for (int i = 0; i < 300; i++) ASSERT_EQ(with(d, b, a), expectedSample(twin, low, high));
  EXPECT_EQ(msg::getCurrentCount(g), msg::getCurrentCount(twin));
  EXPECT_EQ(msg::getCurrentCount(d), 600u);
  msg::drop(d);
  msg::drop(g);
  msg::drop(twin);
}

TEST(UniformIntegralDists, SamplesRejectDrawsAtOrAboveTheCutoff) {
  const std::pair<int, int> ints[] = {{-(1 << 30), (1 << 30) - 1}, {10, -10}, {-5, 2000000000}};
  for (auto [a, b] : ints)
    checkRejection("UniformIntegerDist", msg::setIntegerMin_setMax, msg::getIntegerSample,
                   msg::getIntegerWithMin_withMax, a, b);
  const std::pair<unsigned, unsigned> unsigneds[] = {
      {0, 0xFFFFFFFE}, {7, 3}, {0x80000000, 0xFFFFFFFF}};
  for (auto [a, b] : unsigneds)
    checkRejection("UniformUnsignedDist", msg::setUnsignedMin_setMax, msg::getUnsignedSample_,
                   msg::getUnsignedWithMin_withMax, a, b);
}

TEST(UniformIntegralDists, ARangeOfTwoToTheKValuesRejectsTheTopTwoToTheK) {
  id g = newGenerator("MT19937gen", 1);
  id d = newDistribution("UniformUnsignedDist", g);
  msg::setUnsignedMin_setMax(d, 100, 100 + (1u << 20) - 1);
  EXPECT_EQ(Record(d).get<uint32_t>(RecCutoff), 0xFFFFFFFFu - ((1u << 20) - 1));
  msg::drop(d);
  msg::drop(g);
}

TEST(UniformIntegralDists, SingularRangesAnswerWithoutDrawing) {
  id g = newGenerator("MT19937gen", 1);
  id d = newDistribution("UniformIntegerDist", g);
  msg::setIntegerMin_setMax(d, 3, 3);
  for (int i = 0; i < 3; i++) EXPECT_EQ(msg::getIntegerSample(d), 3);
  EXPECT_EQ(msg::getIntegerWithMin_withMax(d, 5, 5), 5);
  EXPECT_EQ(msg::getCurrentCount(d), 4u);
  EXPECT_EQ(msg::getCurrentCount(g), 0u);
  msg::reset(d);
  EXPECT_EQ(msg::getCurrentCount(d), 0u);
  msg::drop(d);
  msg::drop(g);
}

TEST(UniformDoubleDist, SamplesScaleTheGeneratorsReals) {
  id g = newGenerator("MT19937gen", 5), twin = newGenerator("MT19937gen", 5);
  id d = newDistribution("UniformDoubleDist", g);
  msg::setDoubleMin_setMax(d, 2, -3);
  EXPECT_EQ(msg::getDoubleMin(d), -3.0);
  EXPECT_EQ(msg::getDoubleMax(d), 2.0);
  for (int i = 0; i < 100; i++) {
    ASSERT_EQ(msg::getDoubleSample_(d), -3 + 5 * msg::getDoubleSample_(twin));
    ASSERT_EQ(msg::getDoubleWithMin_withMax(d, 1.5, -0.5), -0.5 + msg::getDoubleSample_(twin) * 2);
  }
  EXPECT_EQ(msg::getCurrentCount(d), 200u);
  msg::setDoubleMin_setMax(d, 4, 4);  // a new range restarts the count
  EXPECT_EQ(msg::getDoubleSample_(d), 4.0);
  EXPECT_EQ(msg::getDoubleWithMin_withMax(d, 7, 7), 7.0);
  EXPECT_EQ(msg::getCurrentCount(g), msg::getCurrentCount(twin));
  EXPECT_EQ(msg::getCurrentCount(d), 2u);
  msg::drop(d);
  msg::drop(g);
  msg::drop(twin);
}

TEST(Distributions, CreateWithDefaultsMakesAPrivateGenerator) {
  const std::pair<const char*, const char*> cases[] = {{"UniformIntegerDist", "TT403gen"},
                                                       {"UniformUnsignedDist", "TT775gen"},
                                                       {"UniformDoubleDist", "TT800gen"}};
  for (auto [cls, generator] : cases) {
    id d = msg::createWithDefaults(classNamed(cls), _obj_globalZone);
    EXPECT_EQ(nameOf(d), cls);
    EXPECT_EQ(nameOf(msg::getGenerator(d)), generator);
    EXPECT_EQ(msg::getZone(msg::getGenerator(d)), _obj_globalZone);
    EXPECT_EQ(msg::getOptionsInitialized(d), NO);
    EXPECT_EQ(msg::getVirtualGenerator(d), 0u);
    EXPECT_EQ(msg::getStateSize(d), 56u);
  }
}

TEST(Distributions, SplitGeneratorsAreDrawnThroughTheirVirtualGenerator) {
  id split = msg::create(classNamed("FakeSplitGenerator"), _obj_globalZone);
  id ints = msg::create_setGenerator_setVirtualGenerator_setIntegerMin_setMax(
      classNamed("UniformIntegerDist"), _obj_globalZone, split, 2, 0, 99999);
  EXPECT_EQ(msg::getVirtualGenerator(ints), 2u);
  EXPECT_EQ(msg::getIntegerSample(ints), 2000);
  EXPECT_EQ(msg::getIntegerSample(ints), 2001);
  id reals = msg::create_setGenerator_setVirtualGenerator(classNamed("UniformDoubleDist"),
                                                          _obj_globalZone, split, 1);
  EXPECT_EQ(msg::getDoubleWithMin_withMax(reals, 0, 8), 2.0);
}

TEST(Distributions, StateRecordsRestoreRangeAndCount) {
  id g = newGenerator("MT19937gen", 1), other = newGenerator("MT19937gen", 2);
  id d = msg::create_setGenerator_setIntegerMin_setMax(classNamed("UniformIntegerDist"),
                                                       _obj_globalZone, g, 6, 1);
  for (int i = 0; i < 7; i++) msg::getIntegerSample(d);
  Record record(d);
  id copy = newDistribution("UniformIntegerDist", other);
  testing::internal::CaptureStdout();
  record.loadInto(copy);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(msg::getOptionsInitialized(copy), YES);
  EXPECT_EQ(msg::getIntegerMin(copy), 1);
  EXPECT_EQ(msg::getIntegerMax(copy), 6);
  EXPECT_EQ(msg::getCurrentCount(copy), 7u);
  EXPECT_EQ(Record(copy).bytes, record.bytes);
}

TEST(Distributions, ARecordOfAnotherGeneratorIsFittedToTheOwnOne) {
  const struct {
    const char* cls;
    std::function<void(id)> setRange;
    const char* warning;
  } cases[] = {
      {"UniformIntegerDist", [](id d) { msg::setIntegerMin_setMax(d, 0, 999); },
       "UniformIntegerDist setState: Warning! Not using the same generator!\n"},
      {"UniformUnsignedDist", [](id d) { msg::setUnsignedMin_setMax(d, 0, 999); },
       "UniformUnsignedDist setState: Warning! Not using the same generator\n"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cls);
    id d = newDistribution(c.cls, newGenerator("MT19937gen", 1));
    c.setRange(d);
    Record record(d);
    EXPECT_EQ(record.get<uint32_t>(RecCutoff), 0xFFFFFFFFu - 0xFFFFFFFFu % 1000);
    id narrow = msg::createWithDefaults(classNamed(c.cls), _obj_globalZone);  // 31-bit generator
    testing::internal::CaptureStdout();
    record.loadInto(narrow);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), c.warning);
    EXPECT_EQ(Record(narrow).get<uint32_t>(RecRange), 1000u);
    EXPECT_EQ(Record(narrow).get<uint32_t>(RecCutoff), 0x7FFFFFFFu - 0x7FFFFFFFu % 1000);
  }
  id reals = newDistribution("UniformDoubleDist", newGenerator("MT19937gen", 1));
  msg::setDoubleMin_setMax(reals, 1, 2);
  id narrow = msg::createWithDefaults(classNamed("UniformDoubleDist"), _obj_globalZone);
  testing::internal::CaptureStdout();
  Record(reals).loadInto(narrow);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "UniformDoubleDist setState: Warning! Not using the same generator!\n");
  EXPECT_EQ(msg::getDoubleMin(narrow), 1.0);
  EXPECT_EQ(msg::getDoubleMax(narrow), 2.0);
}

TEST(Distributions, DescribeListsTheFields) {
  id d = msg::create_setGenerator_setIntegerMin_setMax(
      classNamed("UniformIntegerDist"), _obj_globalZone, newGenerator("MT19937gen", 1), 10, -10);
  const std::string text = descriptionOf(d);
  EXPECT_EQ(text.rfind(" UniformIntegerDist describe: outStream: \n"
                       "          distMagic =                  2280102\n"
                       "           distName =       UniformIntegerDist\n",
                       0),
            0u);
  char generatorLine[64];
  std::snprintf(generatorLine, sizeof generatorLine, "         *Generator = %24p\n",
                static_cast<void*>(msg::getGenerator(d)));
  const std::string lines[] = {generatorLine, "            genName =                  MT19937\n",
                               "               iMin =                      -10\n",
                               // the last lines, in order
                               "            uCutoff =               4294967292\n"
                               "          bSingular =                        0\n"
                               "       currentCount =                        0\n\n"};
  for (const std::string& line : lines) EXPECT_NE(text.find(line), std::string::npos) << line;
  id reals = msg::create_setGenerator_setDoubleMin_setMax(
      classNamed("UniformDoubleDist"), _obj_globalZone, newGenerator("TT800gen", 1), -3, 1);
  EXPECT_NE(descriptionOf(reals).find("          doubleMin =  -3.0000000000000000e+00\n"),
            std::string::npos);
}

TEST(DistributionsDeathTest, MisuseIsAnInvalidCombination) {
  auto mt = [] { return newGenerator("MT19937gen", 1); };
  auto split = [] { return msg::create(classNamed("FakeSplitGenerator"), _obj_globalZone); };
  const Misuse cases[] = {
      {"full unsigned range",
       [&] { msg::setUnsignedMin_setMax(newDistribution("UniformUnsignedDist", mt()), 0, 0xFFFFFFFF); },
       "-[UniformUnsignedDist setUnsignedMin:setMax:]",
       "UniformUnsignedDist: Requested random number with range 4294967295, \n"
       "but your generator only supports a range of 4294967294 \n"},
      {"range beyond a 31-bit generator",
       [] {
         msg::getIntegerWithMin_withMax(
             msg::createWithDefaults(classNamed("UniformIntegerDist"), _obj_globalZone), 0, 0x7FFFFFFF);
       },
       "-[UniformIntegerDist getIntegerWithMin:withMax:]",
       "UniformIntegerDist: Requested random number with range 2147483647, \n"
       "but your generator only supports a range of 2147483646 \n"},
      {"integer range not set", [&] { msg::getIntegerSample(newDistribution("UniformIntegerDist", mt())); },
       "-[UniformIntegerDist getIntegerSample]",
       "UniformIntegerDist: getIntegerSample: parameters have not been set\n"},
      {"unsigned range not set",
       [&] { msg::getUnsignedSample_(newDistribution("UniformUnsignedDist", mt())); },
       "-[UniformUnsignedDist getUnsignedSample]",
       "UniformUnsignedDist: getUnsignedSample: parameters have not been set\n"},
      {"real range not set", [&] { msg::getDoubleSample_(newDistribution("UniformDoubleDist", mt())); },
       "-[UniformDoubleDist getDoubleSample]",
       "UniformDoubleDist: getDoubleSample: parameters have not been set\n"},
      {"second generator",
       [&] { msg::setGenerator(newDistribution("UniformIntegerDist", mt()), mt()); },
       "-[UniformIntegerDist setGenerator:]",
       "UniformIntegerDist: setting the generator more than once not allowed\n"},
      {"not a generator",
       [] { newDistribution("UniformDoubleDist", msg::create_setC(String, _obj_globalZone, "x")); },
       "-[UniformDoubleDist setGenerator:]", "UniformDoubleDist setGenerator: not a generator !!!\n"},
      {"no generator",
       [] { msg::createEnd(msg::createBegin(classNamed("UniformUnsignedDist"), _obj_globalZone)); },
       "-[UniformUnsignedDist createEnd]", "UniformUnsignedDist initialized without a generator!\n"},
      {"split generator for setGenerator:", [&] { newDistribution("UniformIntegerDist", split()); },
       "-[UniformIntegerDist setGenerator:]",
       "UniformIntegerDist: wrong version of create: split generator FakeSplitGenerator detected\n"},
      {"simple generator for setGenerator:setVirtualGenerator:",
       [&] {
         msg::create_setGenerator_setVirtualGenerator(classNamed("UniformIntegerDist"), _obj_globalZone,
                                                      mt(), 0);
       },
       "-[UniformIntegerDist setGenerator:setVirtualGenerator:]",
       "UniformIntegerDist: wrong version of create: non-split generator MT19937 detected\n"},
      {"virtual generator out of range",
       [&] {
         msg::create_setGenerator_setVirtualGenerator(classNamed("UniformUnsignedDist"), _obj_globalZone,
                                                      split(), 3);
       },
       "-[UniformUnsignedDist setGenerator:setVirtualGenerator:]",
       "UniformUnsignedDist setVirtualGenerator: vGen=3 > generator allows (2)\n"},
      {"virtual generator after a generator",
       [&] { msg::setGenerator_setVirtualGenerator(newDistribution("UniformIntegerDist", mt()), split(), 0); },
       "-[UniformIntegerDist setGenerator:setVirtualGenerator:]",
       "UniformIntegerDist setVirtualGenerator: already set\n"},
      {"record of another distribution",
       [&] { Record(newDistribution("UniformUnsignedDist", mt())).loadInto(newDistribution("UniformIntegerDist", mt())); },
       "-[UniformIntegerDist setStateFrom:]",
       "2280102 UniformIntegerDist: you are passing bad data to setState!\n 2380102 56\n"},
      {"record with an inconsistent range",
       [&] {
         id d = newDistribution("UniformIntegerDist", mt());
         msg::setIntegerMin_setMax(d, 1, 9);
         Record record(d);
         record.set<uint32_t>(RecRange, 0);
         record.loadInto(d);
       },
       "-[UniformIntegerDist setStateFrom:]",
       "2280102 UniformIntegerDist: you are passing bad data to setState!\n 2280102 56\n"},
      {"restored range too wide for the generator",
       [&] {
         id wide = newDistribution("UniformUnsignedDist", mt());
         msg::setUnsignedMin_setMax(wide, 0, 0xFFFFFFFE);
         Record(wide).loadInto(msg::createWithDefaults(classNamed("UniformUnsignedDist"), _obj_globalZone));
       },
       "-[UniformUnsignedDist setStateFrom:]",
       "UniformUnsignedDist: Requested random number with range 4294967294, \n"
       "but your generator only supports a range of 2147483646 \n"},
  };
  expectReports(cases);
}

}  // namespace
