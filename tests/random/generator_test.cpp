// The generators: seeding, draws, antithetic and real samples, state
// records, the draw counter and the description.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

#include "random/fixtures.h"

namespace {

struct Params {
  const char* cls;
  const char* name;
  bool twister;  // MT19937; the others are twisted GFSR generators
  unsigned w, n, m;
  uint32_t matrix;
  unsigned s;
  uint32_t b;
  unsigned t;
  uint32_t c;
};

const Params Generators[] = {
    {"MT19937gen", "MT19937", true, 32, 624, 397, 0x9908b0df, 7, 0x9d2c5680, 15, 0xefc60000},
    {"TT403gen", "TT403", false, 31, 13, 2, 0x6b5eccf6, 8, 0x102d1200, 14, 0x66e50000},
    {"TT775gen", "TT775", false, 31, 25, 8, 0x6c6cb38c, 6, 0x1abd5900, 14, 0x776a0000},
    {"TT800gen", "TT800", false, 32, 25, 7, 0x8ebfd028, 7, 0x2b5b2500, 15, 0xdb8b0000},
};

uint32_t power(uint32_t base, unsigned exponent) {
  uint32_t result = 1;
  for (; exponent; exponent >>= 1, base *= base)
    if (exponent & 1) result *= base;
  return result;
}

// The generators as the published recurrences define them, written apart
// from the library: indices taken modulo N, seed words as powers of the
// multiplier.
struct Reference {
  const Params& p;
  std::vector<uint32_t> x;
  unsigned next;

  Reference(const Params& params, std::vector<uint32_t> words)
      : p(params), x(std::move(words)), next(params.twister ? 1 : 0) {}

  static std::vector<uint32_t> seedWords(const Params& p, uint32_t seed) {
    std::vector<uint32_t> words(p.n);
    for (unsigned i = 0; i < p.n; i++) {
      words[i] = seed * power(69069, 17 + i);
      if (p.w == 31) words[i] = (words[i] & 0x7FFFFFFF) ? words[i] & 0x7FFFFFFF : 60652;
    }
    return words;
  }

  uint32_t operator()() {
    if (next == p.n) {
      for (unsigned k = 0; k < p.n; k++) {
        const uint32_t y =
            p.twister ? (x[k] & 0x80000000u) | (x[(k + 1) % p.n] & 0x7fffffffu) : x[k];
        x[k] = x[(k + p.m) % p.n] ^ (y >> 1) ^ ((y & 1) ? p.matrix : 0);
      }
      next = 0;
    }
    uint32_t y = x[next++];
    if (p.twister) y ^= y >> 11;
    y ^= (y << p.s) & p.b;
    y ^= (y << p.t) & p.c;
    return y ^ (y >> (p.twister ? 18 : 16));
  }
};

uint32_t unsignedMax(const Params& p) { return p.w == 32 ? 0xFFFFFFFF : 0x7FFFFFFF; }

// Offsets of the generator state record.
constexpr size_t RecAntiThetic = 8, RecSingleSeed = 9, RecCount = 16, RecIndex = 24, RecState = 28;
size_t recSeeds(const Params& p) { return RecState + 4 * p.n; }

TEST(Generators, OneSeedGivesItsSeedWordsAndStream) {
  for (const Params& p : Generators) {
    SCOPED_TRACE(p.cls);
    id g = newGenerator(p.cls, 321654789);
    Reference reference(p, Reference::seedWords(p, 321654789));
    EXPECT_EQ(msg::getInitialSeed(g), 321654789u);
    EXPECT_EQ(std::vector<uint32_t>(msg::getInitialSeeds(g), msg::getInitialSeeds(g) + p.n),
              reference.x);
    EXPECT_EQ(Record(g).get<BOOL>(RecSingleSeed), YES);
    for (unsigned i = 0; i < 3 * p.n + 5; i++) ASSERT_EQ(msg::getUnsignedSample_(g), reference()) << i;
    EXPECT_EQ(msg::getCurrentCount(g), 3 * p.n + 5);
    msg::drop(g);
  }
}

TEST(Generators, ASeedVectorIsUsedAsGiven) {
  for (const Params& p : Generators) {
    SCOPED_TRACE(p.cls);
    std::vector<uint32_t> seeds(p.n);
    for (unsigned i = 0; i < p.n; i++) seeds[i] = 7919 * i + 1;
    id g = msg::create_setStateFromSeeds(classNamed(p.cls), _obj_globalZone, seeds.data());
    EXPECT_EQ(msg::getInitialSeed(g), 0u);
    EXPECT_EQ(Record(g).get<BOOL>(RecSingleSeed), NO);
    Reference reference(p, seeds);
    for (unsigned i = 0; i < 2 * p.n; i++) ASSERT_EQ(msg::getUnsignedSample_(g), reference()) << i;
    msg::drop(g);
  }
}

TEST(MT19937gen, ALoadedStateContinuesThePublishedStream) {
  id g = newGenerator("MT19937gen", 1);
  Record record(g);
  uint32_t word = 5489;  // the published initialisation of the state from 5489
  for (unsigned i = 0; i < 624; i++) {
    if (i > 0) word = 1812433253u * (word ^ (word >> 30)) + i;
    record.set<uint32_t>(RecState + 4 * i, word);
  }
  record.set<uint32_t>(RecIndex, 624);  // used up: the next draw regenerates
  record.loadInto(g);
  std::mt19937 published(5489);
  uint32_t last = 0;
  for (int i = 0; i < 10000; i++) {
    last = msg::getUnsignedSample_(g);
    ASSERT_EQ(last, published()) << i;
  }
  EXPECT_EQ(last, 4123659995u);
  msg::drop(g);
}

TEST(Generators, ClassParameters) {
  for (const Params& p : Generators) {
    SCOPED_TRACE(p.cls);
    id g = newGenerator(p.cls, 5);
    EXPECT_EQ(msg::getStateSize(g), 8 * p.n + 32);
    EXPECT_EQ(msg::lengthOfSeedVector(g), p.n);
    EXPECT_EQ(msg::getUnsignedMax(g), unsignedMax(p));
    EXPECT_EQ(msg::getMaxSeedValue(g), 0xFFFFFFFFu);
    EXPECT_EQ(msg::getMaxSeedValues(g)[p.n - 1], unsignedMax(p));
    const char* name = msg::getName(g);
    EXPECT_STREQ(name, p.name);
    msg::free(_obj_scratchZone, const_cast<char*>(name));
    msg::drop(g);
  }
  id tt403 = newGenerator("TT403gen", 1), mt = newGenerator("MT19937gen", 1);
  EXPECT_EQ(msg::getMagic(tt403), 1310101u);
  EXPECT_EQ(msg::getMagic(mt), 1320101u);
  msg::drop(tt403);
  msg::drop(mt);
}

TEST(TT403gen, SeedWordsThatReduceToZeroBecome60652) {
  id g = newGenerator("TT403gen", 0x80000000);
  for (unsigned i = 0; i < 13; i++) EXPECT_EQ(msg::getInitialSeeds(g)[i], 60652u) << i;
  msg::drop(g);
}

TEST(Generators, ResetRepeatsTheSequence) {
  for (const Params& p : Generators) {
    SCOPED_TRACE(p.cls);
    id g = newGenerator(p.cls, 77);
    std::vector<uint32_t> first(2 * p.n);
    for (auto& u : first) u = msg::getUnsignedSample_(g);
    msg::runup(g, 1000);
    msg::getDoubleSample_(g);
    msg::reset(g);
    EXPECT_EQ(msg::getCurrentCount(g), 0u);
    for (auto u : first) ASSERT_EQ(msg::getUnsignedSample_(g), u);
    msg::drop(g);
  }
}

TEST(Generators, RealSamplesComeFromDrawsOrTheirComplements) {
  for (const Params& p : Generators) {
    for (BOOL antithetic : {NO, YES}) {
      SCOPED_TRACE(std::string(p.cls) + (antithetic ? " antithetic" : ""));
      id g = newGenerator(p.cls, 4242), twin = newGenerator(p.cls, 4242);
      msg::setAntithetic(g, antithetic);
      EXPECT_EQ(msg::getAntithetic(g), antithetic);
      auto draw = [&] {
        const uint32_t u = msg::getUnsignedSample_(twin);
        return antithetic ? unsignedMax(p) - u : u;
      };
      const double unit = std::ldexp(1.0, -static_cast<int>(p.w)), unit2 = unit * unit;
      for (int i = 0; i < 100; i++) {
        ASSERT_EQ(msg::getUnsignedSample_(g), draw());
        ASSERT_EQ(msg::getThinDoubleSample(g), draw() * unit);
        ASSERT_EQ(msg::getFloatSample(g), static_cast<float>(draw() * unit));
        const uint32_t u1 = draw(), u2 = draw();
        ASSERT_EQ(msg::getDoubleSample_(g), u1 * unit + u2 * unit2);
        const uint32_t v1 = draw(), v2 = draw();
        ASSERT_EQ(msg::getLongDoubleSample(g),
                  v1 * static_cast<long double>(unit) + v2 * static_cast<long double>(unit2));
      }
      EXPECT_EQ(msg::getCurrentCount(g), 700u);
      msg::drop(g);
      msg::drop(twin);
    }
  }
}

// The largest draws, as antithetic values of zero state words, would round
// up to 1.
TEST(Generators, RealSamplesStayBelowOne) {
  for (const Params& p : Generators) {
    SCOPED_TRACE(p.cls);
    id g = newGenerator(p.cls, 3);
    Record record(g);
    const unsigned next = record.get<uint32_t>(RecIndex);
    for (unsigned i = next; i < next + 7; i++) record.set<uint32_t>(RecState + 4 * i, 0);
    record.set<BOOL>(RecAntiThetic, YES);
    record.loadInto(g);
    EXPECT_EQ(msg::getUnsignedSample_(g), unsignedMax(p));
    EXPECT_EQ(msg::getDoubleSample_(g), std::nextafter(1.0, 0.0));
    EXPECT_EQ(msg::getFloatSample(g), std::nextafter(1.0f, 0.0f));
    EXPECT_EQ(msg::getLongDoubleSample(g), 1 - std::ldexp(1.0L, -2 * static_cast<int>(p.w)));
    msg::drop(g);
  }
}

TEST(Generators, StateRecordsCarryTheSequenceToAnotherGenerator) {
  for (const Params& p : Generators) {
    SCOPED_TRACE(p.cls);
    id g = newGenerator(p.cls, 11), other = newGenerator(p.cls, 12);
    msg::setAntithetic(g, YES);
    msg::runup(g, p.n + 3);
    Record record(g);
    EXPECT_EQ(record.get<uint64_t>(RecCount), p.n + 3);
    EXPECT_EQ(record.get<uint32_t>(recSeeds(p)), msg::getInitialSeeds(g)[0]);
    std::vector<uint32_t> expected(2 * p.n);
    for (auto& u : expected) u = msg::getUnsignedSample_(g);
    record.loadInto(other);
    EXPECT_EQ(msg::getAntithetic(other), YES);
    EXPECT_EQ(msg::getInitialSeed(other), 11u);
    for (auto u : expected) ASSERT_EQ(msg::getUnsignedSample_(other), u);
    EXPECT_EQ(msg::getCurrentCount(other), 3 * p.n + 3);
    msg::drop(g);
    msg::drop(other);
  }
}

TEST(Generators, CounterRestartsWithANoticeAfter2To63Draws) {
  const struct {
    const char* cls;
    const char* notice;
  } cases[] = {
      {"MT19937gen", "\n*** \n*** NOTICE MT19937: generator has created 2^63 variates\n"
                     "*** out of a cycle of length 2^19937\n*** (resetting counter)\n*** \n\n"},
      {"TT775gen", "\n*** \n*** NOTICE TT775: generator has created 2^63 variates\n"
                   "*** out of a cycle of length at least 2^403\n*** (resetting counter)\n*** \n\n"},
  };
  for (const auto& c : cases) {
    id g = newGenerator(c.cls, 8);
    Record record(g);
    record.set<uint64_t>(RecCount, (1ull << 63) - 2);
    record.loadInto(g);
    testing::internal::CaptureStdout();
    msg::getUnsignedSample_(g);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    testing::internal::CaptureStdout();
    msg::getUnsignedSample_(g);
    std::fflush(stdout);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), c.notice);
    EXPECT_EQ(msg::getCurrentCount(g), 0u);
    msg::drop(g);
  }
}

TEST(TGFSRgen, TheAbstractClassCreatesNothing) {
  Class tgfsr = classNamed("TGFSRgen");
  unsigned seeds[25] = {1};
  EXPECT_EQ(msg::create_setStateFromSeed(tgfsr, _obj_globalZone, 1), tgfsr);
  EXPECT_EQ(msg::create_setStateFromSeeds(tgfsr, _obj_globalZone, seeds), tgfsr);
  EXPECT_EQ(msg::createWithDefaults(tgfsr, _obj_globalZone), tgfsr);
}

TEST(Generators, DescribeListsParametersAndVectors) {
  id mt = newGenerator("MT19937gen", 1);
  const std::string text = descriptionOf(mt);
  EXPECT_EQ(text.rfind("MT19937 Describe: \n"
                       "      genName =                  MT19937\n"
                       "    stateSize =                     5024\n"
                       "     genMagic =                  1320101\n"
                       "            w =                       32\n",
                       0),
            0u);
  for (const char* line : {"      shift u = right                 11\n",
                           "            a =               2567483615\n",
                           "   invModMult =   2.3283064365386963e-10\n",
                           " singleInitialSeed =                   1\n",
                           "\n     maxSeeds[000] =          4294967295\n",
                           "        state[623] = "})
    EXPECT_NE(text.find(line), std::string::npos) << line;
  EXPECT_EQ(text.substr(text.size() - 2), "\n\n");
  id tt = newGenerator("TT403gen", 1);
  const std::string tgfsr = descriptionOf(tt);
  for (const char* line : {"            s =                        8\n",
                           "     maxSeeds[12] =               2147483647\n"
                           " initialSeeds[00] = "})
    EXPECT_NE(tgfsr.find(line), std::string::npos) << line;
  msg::drop(mt);
  msg::drop(tt);
}

TEST(GeneratorsDeathTest, MisuseIsAnInvalidCombination) {
  static unsigned words775[25], words800[25];
  for (unsigned i = 0; i < 25; i++) words775[i] = words800[i] = i + 1;
  words775[5] = 0x80000000;
  words800[3] = 0;
  auto recordOf = [](const char* cls, std::function<void(Record&)> change) {
    return [cls, change] {
      id g = newGenerator(cls, 9);
      Record record(g);
      change(record);
      record.loadInto(g);
    };
  };
  const Misuse cases[] = {
      {"zero seed", [] { newGenerator("MT19937gen", 0); }, "-[MT19937gen setStateFromSeed:]",
       "MT19937 setStateFromSeed: seed 0 cannot be zero\n"},
      {"seed word above 31 bits",
       [] { msg::create_setStateFromSeeds(classNamed("TT775gen"), _obj_globalZone, words775); },
       "-[TGFSRgen setStateFromSeeds:]",
       "TT775 setStateFromSeeds: seeds[5]=2147483648 is too large (max 2147483647) or zero\n"},
      {"zero seed word",
       [] { msg::create_setStateFromSeeds(classNamed("TT800gen"), _obj_globalZone, words800); },
       "-[TGFSRgen setStateFromSeeds:]",
       "TT800 setStateFromSeeds: seeds[3]=0 is too large (max 4294967295) or zero\n"},
      {"no seed", [] { msg::createEnd(msg::createBegin(classNamed("MT19937gen"), _obj_globalZone)); },
       "-[MT19937gen createEnd]", "MT19937 not Initialized with a Seed!\n"},
      {"abstract class", [] { msg::createBegin(classNamed("TGFSRgen"), _obj_globalZone); },
       "-[TGFSRgen initState]", "TGFSR initState: superclass method invoked - Yell at Odrik!\n"},
      {"record of another class",
       [] {
         Record record(newGenerator("TT775gen", 1));
         record.loadInto(newGenerator("TT800gen", 1));
       },
       "-[TGFSRgen setStateFrom:]",
       "1310301 TT800 generator: your are passing bad data to setState!\n 1310201 232\n"},
      {"index beyond the state",
       recordOf("MT19937gen", [](Record& r) { r.set<uint32_t>(RecIndex, 625); }),
       "-[MT19937gen setStateFrom:]",
       "1320101 MT19937 generator: your are passing bad data to setState!\n 1320101 5024\n"},
      {"state word wider than the generator",
       recordOf("TT403gen", [](Record& r) { r.set<uint32_t>(RecState + 8, 0x80000000); }),
       "-[TGFSRgen setStateFrom:]",
       "1310101 TT403 generator: your are passing bad data to setState!\n 1310101 136\n"},
      {"all-zero state",
       recordOf("TT403gen",
                [](Record& r) {
                  for (unsigned i = 0; i < 13; i++) r.set<uint32_t>(RecState + 4 * i, 0);
                }),
       "-[TGFSRgen setStateFrom:]",
       "1310101 TT403 generator: your are passing bad data to setState!\n 1310101 136\n"},
      {"zero seed word in a record",
       recordOf("TT800gen", [](Record& r) { r.set<uint32_t>(RecState + 4 * 25 + 8, 0); }),
       "-[TGFSRgen setStateFrom:]",
       "1310301 TT800 generator: your are passing bad data to setState!\n 1310301 232\n"},
  };
  expectReports(cases);
}

}  // namespace
