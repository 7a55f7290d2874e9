#include "random/seeding.h"

#include <sys/time.h>
#include <unistd.h>

#include <ctime>

#include "defobj/defobj.h"
#include "random/random.h"

id randomGenerator, uniformIntRand, uniformUnsRand, uniformDblRand;

namespace {

constexpr unsigned DefaultSeed = 321654789;
constexpr unsigned SeedSequenceMultiplier = 39039;

BOOL _useFixedSeed;
unsigned _firstSeed, _randomSeed, _timeThen, _timeNow;

// The time of day in microseconds, wrapped every 2048 seconds so that it
// fits in 32 bits.
unsigned timeStamp() {
  timeval now;
  gettimeofday(&now, nullptr);
  return static_cast<unsigned>(now.tv_sec % 2048) * 1000000 + static_cast<unsigned>(now.tv_usec);
}

unsigned processId() { return static_cast<unsigned>(getpid()); }
unsigned seconds() { return static_cast<unsigned>(std::time(nullptr)); }

// A clock-made seed can come out 0, which no generator accepts.
unsigned nonZero(unsigned seed) { return seed ? seed : DefaultSeed; }

}  // namespace

void initRandom(id arguments) {
  usleep(1);
  _useFixedSeed = YES;
  unsigned seed = DefaultSeed;
  if (msg::getVarySeedFlag(arguments)) {
    _useFixedSeed = NO;
    seed = nonZero(processId() * seconds());
  } else if (msg::getFixedSeedFlag(arguments)) {
    seed = msg::getFixedSeed(arguments);
  }
  _firstSeed = _randomSeed = seed;
  _timeThen = timeStamp();
  randomGenerator =
      msg::create_setStateFromSeed(objc_get_class("MT19937gen"), _obj_globalZone, _firstSeed);
  uniformIntRand =
      msg::create_setGenerator(objc_get_class("UniformIntegerDist"), _obj_globalZone, randomGenerator);
  uniformUnsRand =
      msg::create_setGenerator(objc_get_class("UniformUnsignedDist"), _obj_globalZone, randomGenerator);
  uniformDblRand =
      msg::create_setGenerator(objc_get_class("UniformDoubleDist"), _obj_globalZone, randomGenerator);
}

unsigned nextSeed() { return _randomSeed *= SeedSequenceMultiplier; }

unsigned tempusFugit() {
  _timeNow = timeStamp();
  if (_timeNow > _timeThen) return _timeNow - _timeThen;
  if (_timeNow < _timeThen) return _timeThen - _timeNow;
  return 123456789;
}

unsigned defaultSeed() {
  if (_useFixedSeed) return nextSeed();
  const unsigned pid = processId();
  const unsigned now = seconds();
  return nonZero(pid * (now * tempusFugit()));
}
