#include "random/Distribution.h"

#include <cstdio>
#include <cstring>

#include "defobj/address.h"
#include "defobj/defobj.h"
#include "defobj/zstrdup.h"
#include "random/UniformDoubleDist.h"
#include "random/UniformIntegralDist.h"
#include "random/record.h"
#include "random/reports.h"
#include "runtime/cached_send.h"

namespace {
constexpr uint32_t VirtualGeneratorNotSet = 0x40000000;
}

template <class Self, class T>
id Distribution_<Self, T>::createBegin(Class cls, id zone) {
  auto* d = static_cast<Distribution_*>(BroodObject::createBegin(cls, zone));
  d->randomGenerator = nil;
  msg::initState(d);
  return d;
}

template <class Self, class T>
template <class... A>
id Distribution_<Self, T>::createWith(id zone, const Message<void(id, A...)>& setGenerator,
                                      id generator, A... args) {
  id d = msg::createBegin(objc_get_class(Self::className), zone);
  setGenerator(d, generator, args...);
  return msg::createEnd(d);
}

template <class Self, class T>
id Distribution_<Self, T>::create_setGenerator(Class, id zone, id generator) {
  return createWith(zone, msg::setGenerator, generator);
}

template <class Self, class T>
id Distribution_<Self, T>::create_setGenerator_setVirtualGenerator(Class, id zone, id generator,
                                                                   unsigned vGen) {
  return createWith(zone, msg::setGenerator_setVirtualGenerator, generator, vGen);
}

template <class Self, class T>
id Distribution_<Self, T>::create_setGenerator_setMin_setMax(Class cls, id zone, id generator,
                                                             T min, T max) {
  id d = create_setGenerator(cls, zone, generator);
  static_cast<Self*>(d)->setMin_setMax(min, max);
  return d;
}

template <class Self, class T>
id Distribution_<Self, T>::create_setGenerator_setVirtualGenerator_setMin_setMax(
    Class cls, id zone, id generator, unsigned vGen, T min, T max) {
  id d = create_setGenerator_setVirtualGenerator(cls, zone, generator, vGen);
  static_cast<Self*>(d)->setMin_setMax(min, max);
  return d;
}

template <class Self, class T>
id Distribution_<Self, T>::createWithDefaults(Class cls, id zone) {
  id generator = msg::createWithDefaults(objc_get_class(Self::defaultGenerator), zone);
  return create_setGenerator(cls, zone, generator);
}

template <class Self, class T>
id Distribution_<Self, T>::createEnd() {
  if (!randomGenerator) {
    raiseAt(InvalidCombination, methodName(Self::className, "createEnd"),
            "%s initialized without a generator!\n", distName);
    return nil;
  }
  return BroodObject::createEnd();
}

template <class Self, class T>
void Distribution_<Self, T>::initState() {
  stateSize = DistRecordSize;
  distMagic = Self::magic;
  std::strncpy(distName, Self::className, sizeof distName - 1);
  optionsInitialized = NO;
  useSplitGenerator = NO;
  virtualGenerator = VirtualGeneratorNotSet;
  self().clearRange();
}

// The generator is recognised before it is asked for its range, so that an
// object that is no generator is reported as such.
template <class Self, class T>
void Distribution_<Self, T>::setGenerator(id generator) {
  const char* where = methodName(Self::className, "setGenerator:");
  if (randomGenerator) {
    raiseAt(InvalidCombination, where, "%s: setting the generator more than once not allowed\n",
            distName);
    return;
  }
  if (msg::respondsTo(generator, msg::advanceAll.sel)) {
    raiseAt(InvalidCombination, where, "%s: wrong version of create: split generator %s detected\n",
            distName, msg::getName(generator));
    return;
  }
  if (!msg::respondsTo(generator, msg::getUnsignedSample_.sel)) {
    raiseAt(InvalidCombination, where, "%s setGenerator: not a generator !!!\n", distName);
    return;
  }
  randomGenerator = generator;
  generatorMax = msg::getUnsignedMax(generator);
  useSplitGenerator = NO;
  virtualGenerator = 0;
  msg::resetState(this);
}

template <class Self, class T>
void Distribution_<Self, T>::setGenerator_setVirtualGenerator(id generator, unsigned vGen) {
  const char* where = methodName(Self::className, "setGenerator:setVirtualGenerator:");
  if (!msg::respondsTo(generator, msg::advanceAll.sel)) {
    raiseAt(InvalidCombination, where,
            "%s: wrong version of create: non-split generator %s detected\n", distName,
            msg::getName(generator));
    return;
  }
  if (virtualGenerator != VirtualGeneratorNotSet) {
    raiseAt(InvalidCombination, where, "%s setVirtualGenerator: already set\n", distName);
    return;
  }
  const unsigned generators = msg::getNumGenerators(generator);
  if (vGen >= generators) {
    raiseAt(InvalidCombination, where, "%s setVirtualGenerator: vGen=%d > generator allows (%d)\n",
            distName, static_cast<int>(vGen), static_cast<int>(generators - 1));
    return;
  }
  randomGenerator = generator;
  generatorMax = msg::getUnsignedMax(generator);
  useSplitGenerator = YES;
  virtualGenerator = vGen;
  msg::resetState(this);
}

template <class Self, class T>
id Distribution_<Self, T>::getGenerator() { return randomGenerator; }

template <class Self, class T>
unsigned Distribution_<Self, T>::getVirtualGenerator() { return virtualGenerator; }

template <class Self, class T>
BOOL Distribution_<Self, T>::getOptionsInitialized() { return optionsInitialized; }

template <class Self, class T>
void Distribution_<Self, T>::reset() { msg::resetState(this); }

template <class Self, class T>
void Distribution_<Self, T>::resetState() { currentCount = 0; }

template <class Self, class T>
unsigned long long Distribution_<Self, T>::getCurrentCount() { return currentCount; }

template <class Self, class T>
unsigned Distribution_<Self, T>::getStateSize() { return stateSize; }

template <class Self, class T>
unsigned Distribution_<Self, T>::getMagic() { return distMagic; }

template <class Self, class T>
const char* Distribution_<Self, T>::getName() { return zstrdup(_obj_scratchZone, distName); }

// Every draw of a distribution sends one of these to its generator, whose
// class is nearly always the one of the draw before.
template <class Self, class T>
unsigned Distribution_<Self, T>::drawUnsigned() {
  static CachedSend plain(msg::getUnsignedSample_);
  static CachedSend split(msg::getUnsignedSample);
  return useSplitGenerator ? split(randomGenerator, virtualGenerator) : plain(randomGenerator);
}

template <class Self, class T>
double Distribution_<Self, T>::drawDouble() {
  static CachedSend plain(msg::getDoubleSample_);
  static CachedSend split(msg::getDoubleSample);
  return useSplitGenerator ? split(randomGenerator, virtualGenerator) : plain(randomGenerator);
}

template <class Self, class T>
bool Distribution_<Self, T>::countStoredSample(const char* selector) {
  if (!optionsInitialized) {
    raiseAt(InvalidCombination, methodName(Self::className, selector),
            "%s: %s: parameters have not been set\n", distName, selector);
    return false;
  }
  currentCount++;
  return true;
}

template <class Self, class T>
void Distribution_<Self, T>::raiseBadRecord(uint32_t magic, uint32_t size) {
  raiseAt(InvalidCombination, methodName(Self::className, "setStateFrom:"),
          "%u %s: you are passing bad data to setState!\n %u %u\n", distMagic, distName, magic,
          size);
}

template <class Self, class T>
void Distribution_<Self, T>::putStateInto(void* buffer) {
  auto* record = static_cast<unsigned char*>(buffer);
  recordPut(record + DistRecMagic, distMagic);
  recordPut(record + DistRecSize, stateSize);
  recordPut(record + DistRecGenMagic, msg::getMagic(randomGenerator));
  record[DistRecSplit] = useSplitGenerator;
  recordPut(record + DistRecVirtual, virtualGenerator);
  record[DistRecOptions] = optionsInitialized;
  self().putRange(record);
  recordPut(record + DistRecCount, currentCount);
}

// A record's range must be one that the range setter could have made; it
// is then fitted to the generator in use.
template <class Self, class T>
void Distribution_<Self, T>::setStateFrom(void* buffer) {
  const auto* record = static_cast<const unsigned char*>(buffer);
  const auto magic = recordTake<uint32_t>(record + DistRecMagic);
  const auto size = recordTake<uint32_t>(record + DistRecSize);
  const bool options = record[DistRecOptions] != 0;
  if (magic != distMagic || size != stateSize || (options && !Self::rangeIsSound(record))) {
    raiseBadRecord(magic, size);
    return;
  }
  optionsInitialized = options;
  self().takeRange(record);
  currentCount = recordTake<unsigned long long>(record + DistRecCount);
  if (recordTake<uint32_t>(record + DistRecGenMagic) != msg::getMagic(randomGenerator) ||
      record[DistRecSplit] != useSplitGenerator ||
      recordTake<uint32_t>(record + DistRecVirtual) != virtualGenerator)
    std::printf(Self::otherGeneratorWarning, distName);
  if (optionsInitialized) self().fitRangeToGenerator();
}

template <class Self, class T>
void Distribution_<Self, T>::describe(id stream) {
  describeText(stream, " %s describe: outStream: \n", distName);
  describeText(stream, "          distMagic = %24u\n", distMagic);
  describeText(stream, "           distName = %24s\n", distName);
  describeText(stream, "          stateSize = %24u\n", stateSize);
  char address[AddressTextSize];
  describeText(stream, "         *Generator = %24s\n", formatAddress(address, randomGenerator));
  const char* generatorName = msg::getName(randomGenerator);
  describeText(stream, "            genName = %24s\n", generatorName);
  msg::free(_obj_scratchZone, const_cast<char*>(generatorName));
  describeText(stream, "       generatorMax = %24u\n", generatorMax);
  describeText(stream, "  useSplitGenerator = %24d\n", useSplitGenerator);
  describeText(stream, "   virtualGenerator = %24u\n", virtualGenerator);
  describeText(stream, " optionsInitialized = %24d\n", optionsInitialized);
  self().describeRange(stream);
  describeText(stream, "          bSingular = %24d\n", self().bSingular);
  describeText(stream, "       currentCount = %24llu\n", currentCount);
  msg::catC(stream, "\n");
}

template struct Distribution_<UniformIntegerDist, int>;
template struct Distribution_<UniformUnsignedDist, unsigned>;
template struct Distribution_<UniformDoubleDist, double>;
