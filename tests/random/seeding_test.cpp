// Start-up seeding: the seed options, the shared generator and
// distributions, and the seeds of later default generators.
#include <gtest/gtest.h>
#include <unistd.h>

#include <ctime>

#include "defobj/arguments_messages.h"
#include "random/fixtures.h"

namespace {

unsigned clockSeed() { return static_cast<unsigned>(getpid()) * static_cast<unsigned>(std::time(nullptr)); }

TEST(InitRandom, SeedOptionsInOrderOfPrecedence) {
  initRandom(newArguments(NO, YES, 12345));
  EXPECT_EQ(msg::getInitialSeed(randomGenerator), 12345u);
  initRandom(newArguments(NO, NO, 12345));
  EXPECT_EQ(msg::getInitialSeed(randomGenerator), 321654789u);
  const unsigned before = clockSeed();
  initRandom(newArguments(YES, YES, 12345));
  const unsigned seed = msg::getInitialSeed(randomGenerator);
  EXPECT_TRUE(seed == before || seed == clockSeed()) << seed;
  id later = msg::createWithDefaults(classNamed("TT800gen"), _obj_globalZone);
  EXPECT_NE(msg::getInitialSeed(later), 0u);
}

TEST(InitRandom, MakesTheSharedGeneratorAndDistributionsOnIt) {
  initRandom(newArguments(NO, NO, 0));
  EXPECT_EQ(nameOf(randomGenerator), "MT19937gen");
  EXPECT_EQ(msg::getZone(randomGenerator), _obj_globalZone);
  id reference = newGenerator("MT19937gen", 321654789);
  EXPECT_EQ(msg::getUnsignedSample_(randomGenerator), msg::getUnsignedSample_(reference));
  const std::pair<id, const char*> shared[] = {{uniformIntRand, "UniformIntegerDist"},
                                               {uniformUnsRand, "UniformUnsignedDist"},
                                               {uniformDblRand, "UniformDoubleDist"}};
  for (auto [distribution, cls] : shared) {
    EXPECT_EQ(nameOf(distribution), cls);
    EXPECT_EQ(msg::getGenerator(distribution), randomGenerator);
    EXPECT_EQ(msg::getOptionsInitialized(distribution), NO);
  }
  const int value = msg::getIntegerWithMin_withMax(uniformIntRand, -1, 1);
  EXPECT_TRUE(value >= -1 && value <= 1);
}

TEST(InitRandom, UnderAFixedSeedDefaultGeneratorsGetTheSeedSequence) {
  initRandom(newArguments(NO, NO, 0));
  id first = msg::createWithDefaults(classNamed("TT403gen"), _obj_globalZone);
  EXPECT_EQ(msg::getInitialSeed(first), 321654789u * 39039u);
  EXPECT_EQ(nextSeed(), 321654789u * 39039u * 39039u);
}

TEST(InitRandom, TempusFugitCountsMicrosecondsSinceStartUp) {
  initRandom(newArguments(NO, NO, 0));
  usleep(2000);
  EXPECT_GE(tempusFugit(), 2000u);
}

// "--seed 0" reaches the shared generator, which refuses it.
TEST(InitRandomDeathTest, ZeroSeedFromTheCommandLineIsTheGeneratorsReport) {
  const char* argv[] = {"rarevadiv", "--seed", "0"};
  id arguments = msg::createArgc_Argv_appName_version_bugAddress_options_optionFunc_inhibitExecutableSearchFlag(
      objc_get_class("Arguments_c"), 3, argv, "rarevadiv", "2.1.1", nullptr, nullptr, nullptr, YES);
  ASSERT_EQ(msg::getFixedSeed(arguments), 0u);
  const Misuse zero[] = {{"seed 0", [arguments] { initRandom(arguments); }, "-[MT19937gen setStateFromSeed:]",
                          "MT19937 setStateFromSeed: seed 0 cannot be zero\n"}};
  expectReports(zero);
}

}  // namespace
