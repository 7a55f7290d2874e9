#include "random/Generator.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "defobj/defobj.h"
#include "defobj/zstrdup.h"
#include "random/MT19937gen.h"
#include "random/TGFSRgen.h"
#include "random/record.h"
#include "random/seeding.h"
#include "random/reports.h"

namespace {

// createBegin: leaves this count until a seeding message resets it.
constexpr unsigned long long UnseededMark = 99;
constexpr uint32_t NoSeedLimit = 0xFFFFFFFF;
constexpr uint32_t SeedMultiplier = 69069;
constexpr uint32_t ZeroSeedReplacement = 60652;

// Offsets in the state record; the two vectors follow the index.
constexpr size_t RecMagic = 0, RecSize = 4, RecAntiThetic = 8, RecSingleSeed = 9,
                 RecInitialSeed = 12, RecCount = 16, RecIndex = 24, RecState = 28;

// Two draws can sum to a value that rounds up to 1; the samples stay in
// [0, 1).
template <class R>
R belowOne(R r) { return r < R(1) ? r : std::nextafter(R(1), R(0)); }

}  // namespace

template <class Self, class Words>
id Generator_<Self, Words>::createBegin(Class cls, id zone) {
  auto* g = static_cast<Generator_*>(BroodObject::createBegin(cls, zone));
  g->currentCount = UnseededMark;
  msg::initState(g);
  return g;
}

template <class Self, class Words>
id Generator_<Self, Words>::createEnd() {
  if (currentCount == UnseededMark) {
    raiseAt(InvalidCombination, methodName(Self::className, "createEnd"),
            "%s not Initialized with a Seed!\n", genName);
    return nil;
  }
  self().unsignedSampleImp =
      imp_cast<UnsignedSampleImp>(objc_msg_lookup(this, msg::getUnsignedSample_.sel));
  return BroodObject::createEnd();
}

template <class Self, class Words>
void Generator_<Self, Words>::setParameters(const GeneratorParameters& p) {
  stateSize = 8 * p.N + 32;
  genMagic = p.magic;
  std::strncpy(genName, p.name, sizeof genName - 1);
  countMax = 1ull << 63;
  unsignedMax = p.w == 32 ? 0xFFFFFFFF : (1u << p.w) - 1;
  invModMult = std::ldexp(1.0, -static_cast<int>(p.w));
  invModMult2 = std::ldexp(1.0, -2 * static_cast<int>(p.w));
  seedVectorLength = p.N;
  initialSeed = 0;
  for (uint32_t i = 0; i < p.N; i++) {
    maxSeedValues[i] = unsignedMax;
    initialSeeds[i] = 0;
    self().state[i] = 0;
  }
}

template <class Self, class Words>
void Generator_<Self, Words>::setStateFromSeed(unsigned seed) {
  if (seed == 0) {
    raiseAt(InvalidCombination, methodName(Self::className, "setStateFromSeed:"),
            "%s setStateFromSeed: seed %u cannot be zero\n", genName, seed);
    return;
  }
  singleInitialSeed = YES;
  initialSeed = seed;
  msg::generateSeeds(this);
  msg::setState(this);
}

template <class Self, class Words>
void Generator_<Self, Words>::setStateFromSeeds(unsigned* seeds) {
  for (uint32_t i = 0; i < seedVectorLength; i++)
    if (seeds[i] == 0 || seeds[i] > maxSeedValues[i]) {
      raiseAt(InvalidCombination, methodName(Self::className, "setStateFromSeeds:"),
              "%s setStateFromSeeds: seeds[%u]=%u is too large (max %u) or zero\n", genName, i,
              seeds[i], maxSeedValues[i]);
      return;
    }
  singleInitialSeed = NO;
  initialSeed = 0;
  for (uint32_t i = 0; i < seedVectorLength; i++) initialSeeds[i] = seeds[i];
  msg::setState(this);
}

template <class Self, class Words>
void Generator_<Self, Words>::generateSeeds() { msg::generateSeedVector(this); }

template <class Self, class Words>
void Generator_<Self, Words>::generateSeedVector() {
  uint32_t x = initialSeed;
  for (int i = 0; i < 16; i++) x *= SeedMultiplier;
  for (uint32_t i = 0; i < seedVectorLength; i++) initialSeeds[i] = x *= SeedMultiplier;
  for (uint32_t i = 0; i < seedVectorLength; i++)
    if (maxSeedValues[i] != NoSeedLimit) {
      initialSeeds[i] %= maxSeedValues[i] + 1;
      if (initialSeeds[i] == 0) initialSeeds[i] = ZeroSeedReplacement;
    }
}

template <class Self, class Words>
void Generator_<Self, Words>::setState() {
  for (uint32_t i = 0; i < seedVectorLength; i++) self().state[i] = initialSeeds[i];
  currentCount = 0;
  self().index = Self::firstIndex;
}

template <class Self, class Words>
void Generator_<Self, Words>::setAntithetic(BOOL flag) { antiThetic = flag; }

template <class Self, class Words>
BOOL Generator_<Self, Words>::getAntithetic() { return antiThetic; }

template <class Self, class Words>
unsigned Generator_<Self, Words>::getMaxSeedValue() { return NoSeedLimit; }

template <class Self, class Words>
unsigned* Generator_<Self, Words>::getMaxSeedValues() { return &maxSeedValues[0]; }

template <class Self, class Words>
unsigned Generator_<Self, Words>::getInitialSeed() { return initialSeed; }

template <class Self, class Words>
unsigned* Generator_<Self, Words>::getInitialSeeds() { return &initialSeeds[0]; }

template <class Self, class Words>
unsigned Generator_<Self, Words>::getLengthOfSeedVector() { return seedVectorLength; }

template <class Self, class Words>
unsigned Generator_<Self, Words>::getUnsignedMax() { return unsignedMax; }

template <class Self, class Words>
unsigned Generator_<Self, Words>::getMagic() { return genMagic; }

template <class Self, class Words>
unsigned Generator_<Self, Words>::getStateSize() { return stateSize; }

template <class Self, class Words>
unsigned long long Generator_<Self, Words>::getCurrentCount() { return currentCount; }

template <class Self, class Words>
void Generator_<Self, Words>::reset() { msg::setState(this); }

template <class Self, class Words>
unsigned Generator_<Self, Words>::getUnsignedSample() {
  if (++currentCount >= countMax) {
    std::printf("\n*** \n");
    std::printf("*** NOTICE %s: generator has created 2^63 variates\n", genName);
    std::printf("*** out of a cycle of length %s\n", Self::cycleLength);
    std::printf("*** (resetting counter)\n");
    std::printf("*** \n\n");
    currentCount = 0;
  }
  Self& g = self();
  if (g.index == g.N) {
    g.regenerate();
    g.index = 0;
  }
  const uint32_t y = g.temper(g.state[g.index++]);
  return antiThetic ? unsignedMax - y : y;
}

template <class Self, class Words>
float Generator_<Self, Words>::getFloatSample() {
  return belowOne(static_cast<float>(msg::getUnsignedSample_(this) * invModMult));
}

template <class Self, class Words>
double Generator_<Self, Words>::getThinDoubleSample() {
  return msg::getUnsignedSample_(this) * invModMult;
}

template <class Self, class Words>
double Generator_<Self, Words>::getDoubleSample() {
  const UnsignedSampleImp draw = self().unsignedSampleImp;
  const SEL sel = msg::getUnsignedSample_.sel;
  const uint32_t u1 = draw(this, sel);
  const uint32_t u2 = draw(this, sel);
  return belowOne(u1 * invModMult + u2 * invModMult2);
}

template <class Self, class Words>
long double Generator_<Self, Words>::getLongDoubleSample() {
  const uint32_t u1 = msg::getUnsignedSample_(this);
  const uint32_t u2 = msg::getUnsignedSample_(this);
  return u1 * static_cast<long double>(invModMult) + u2 * static_cast<long double>(invModMult2);
}

template <class Self, class Words>
void Generator_<Self, Words>::runup(unsigned n) {
  for (unsigned i = 0; i < n; i++) msg::getUnsignedSample_(this);
}

template <class Self, class Words>
void Generator_<Self, Words>::putStateInto(void* buffer) {
  auto* record = static_cast<unsigned char*>(buffer);
  const size_t words = seedVectorLength * sizeof(uint32_t);
  recordPut(record + RecMagic, genMagic);
  recordPut(record + RecSize, stateSize);
  record[RecAntiThetic] = antiThetic;
  record[RecSingleSeed] = singleInitialSeed;
  recordPut(record + RecInitialSeed, initialSeed);
  recordPut(record + RecCount, currentCount);
  recordPut(record + RecIndex, self().index);
  std::memcpy(record + RecState, &self().state[0], words);
  std::memcpy(record + RecState + words, &initialSeeds[0], words);
}

// A record holds only what seeding and drawing can produce: an index within
// the state, words within the generator's width and not all zero (a state
// that would draw zeros for ever), and seed words that setStateFromSeeds:
// would accept.
template <class Self, class Words>
bool Generator_<Self, Words>::recordIsSound(const unsigned char* record) {
  if (recordTake<uint32_t>(record + RecIndex) > self().N) return false;
  const unsigned char* seeds = record + RecState + seedVectorLength * sizeof(uint32_t);
  bool anyWord = false;
  for (uint32_t i = 0; i < seedVectorLength; i++) {
    const auto word = recordTake<uint32_t>(record + RecState + 4 * i);
    const auto seed = recordTake<uint32_t>(seeds + 4 * i);
    if (word > unsignedMax || seed == 0 || seed > maxSeedValues[i]) return false;
    anyWord |= word != 0;
  }
  return anyWord;
}

template <class Self, class Words>
void Generator_<Self, Words>::setStateFrom(void* buffer) {
  const auto* record = static_cast<const unsigned char*>(buffer);
  const auto magic = recordTake<uint32_t>(record + RecMagic), size = recordTake<uint32_t>(record + RecSize);
  if (magic != genMagic || size != stateSize || !recordIsSound(record)) {
    raiseAt(InvalidCombination, methodName(Self::className, "setStateFrom:"),
            "%u %s generator: your are passing bad data to setState!\n %u %u\n", genMagic, genName,
            magic, size);
    return;
  }
  const size_t words = seedVectorLength * sizeof(uint32_t);
  antiThetic = record[RecAntiThetic] != 0;
  singleInitialSeed = record[RecSingleSeed] != 0;
  initialSeed = recordTake<uint32_t>(record + RecInitialSeed);
  currentCount = recordTake<unsigned long long>(record + RecCount);
  self().index = recordTake<uint32_t>(record + RecIndex);
  std::memcpy(&self().state[0], record + RecState, words);
  std::memcpy(&initialSeeds[0], record + RecState + words, words);
}

template <class Self, class Words>
const char* Generator_<Self, Words>::getName() { return zstrdup(_obj_scratchZone, genName); }

template <class Self, class Words>
void Generator_<Self, Words>::describeVector(id stream, const char* format, const uint32_t* words) {
  for (uint32_t i = 0; i < seedVectorLength; i++) describeText(stream, format, i, words[i]);
}

template <class Self, class Words>
void Generator_<Self, Words>::describe(id stream) {
  Self& g = self();
  describeText(stream, "%s Describe: \n", genName);
  describeText(stream, "      genName = %24s\n", genName);
  describeText(stream, "    stateSize = %24u\n", stateSize);
  describeText(stream, "     genMagic = %24u\n", genMagic);
  describeText(stream, "            w = %24u\n", g.wordBits());
  describeText(stream, "            N = %24u\n", g.N);
  describeText(stream, "            M = %24u\n", g.M);
  g.describeShifts(stream);
  describeText(stream, "            b = %24u\n", g.maskB());
  describeText(stream, "            c = %24u\n", g.maskC());
  describeText(stream, "            a = %24u\n", g.a[1]);
  describeText(stream, "   antiThetic = %24d\n", antiThetic);
  describeText(stream, "  unsignedMax = %24u\n", unsignedMax);
  describeText(stream, "   invModMult = %24.16e\n", invModMult);
  describeText(stream, "  invModMult2 = %24.16e\n", invModMult2);
  describeText(stream, "  initialSeed = %24u\n", initialSeed);
  describeText(stream, " singleInitialSeed = %19d\n", singleInitialSeed);
  describeText(stream, "        index = %24u\n", g.index);
  describeText(stream, " currentCount = %24llu\n", currentCount);
  g.describeVectors(stream);
  msg::catC(stream, "\n\n");
}

template <class G>
template <class S>
id GeneratorCreation<G>::createSeeded(id zone, const Message<void(S)>& seeding, S seed) {
  id g = msg::createBegin(objc_get_class(G::className), zone);
  seeding(g, seed);
  return msg::createEnd(g);
}

template <class G>
id GeneratorCreation<G>::create_setStateFromSeed(Class, id zone, unsigned seed) {
  return createSeeded(zone, msg::setStateFromSeed, seed);
}

template <class G>
id GeneratorCreation<G>::create_setStateFromSeeds(Class, id zone, unsigned* seeds) {
  return createSeeded(zone, msg::setStateFromSeeds, seeds);
}

template <class G>
id GeneratorCreation<G>::createWithDefaults(Class cls, id zone) {
  return create_setStateFromSeed(cls, zone, defaultSeed());
}

template struct Generator_<MT19937gen, uint32_t[MT19937_N]>;
template struct Generator_<TGFSRgen, uint32_t*>;
template struct GeneratorCreation<MT19937gen>;
template struct GeneratorCreation<TT403gen>;
template struct GeneratorCreation<TT775gen>;
template struct GeneratorCreation<TT800gen>;
