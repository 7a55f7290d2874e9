#include "random/UniformIntegralDist.h"

#include <algorithm>

#include "defobj/defobj.h"
#include "random/record.h"
#include "random/reports.h"

namespace {

// Offsets of the range in the state record.
constexpr size_t RecMin = 24, RecMax = 28, RecRange = 32, RecCutoff = 36, RecSingular = 40;

template <class T>
uint32_t spanOf(T min, T max) { return static_cast<uint32_t>(max) - static_cast<uint32_t>(min); }

}  // namespace

// The generator's values run from 0 to generatorMax; the cutoff keeps a
// whole number of copies of the range below it. A span above max - 1 is
// refused (written so that a maximum of 0 refuses every span).
template <class Self, class T>
uint32_t UniformIntegral_<Self, T>::cutoffFor(uint32_t span, const char* selector) {
  const uint32_t max = this->generatorMax;
  if (span >= max) {
    raiseAt(InvalidCombination, methodName(Self::className, selector),
            "%s: Requested random number with range %u, \nbut your generator only supports a range of %u \n",
            this->distName, span, max - 1);
    return 0;
  }
  return max - max % (span + 1);
}

template <class Self, class T>
T UniformIntegral_<Self, T>::draw(T min, uint32_t range, uint32_t cutoff) {
  uint32_t u;
  do u = this->drawUnsigned();
  while (u >= cutoff);
  return static_cast<T>(static_cast<uint32_t>(min) + u % range);
}

template <class Self, class T>
void UniformIntegral_<Self, T>::setMin_setMax(T min, T max) {
  if (min == max) {
    bSingular = YES;
    minimum = maximum = min;
    uRange = uCutoff = 0;
  } else {
    bSingular = NO;
    minimum = std::min(min, max);
    maximum = std::max(min, max);
    const uint32_t span = spanOf(minimum, maximum);
    uCutoff = cutoffFor(span, Self::rangeSelector);
    uRange = span + 1;
  }
  this->optionsInitialized = YES;
  msg::resetState(this);
}

template <class Self, class T>
T UniformIntegral_<Self, T>::getMin() { return minimum; }

template <class Self, class T>
T UniformIntegral_<Self, T>::getMax() { return maximum; }

template <class Self, class T>
T UniformIntegral_<Self, T>::getSample() {
  if (!this->countStoredSample(Self::sampleSelector)) return 0;
  return bSingular ? minimum : draw(minimum, uRange, uCutoff);
}

template <class Self, class T>
T UniformIntegral_<Self, T>::getWithMin_withMax(T min, T max) {
  this->currentCount++;
  if (min == max) return min;
  const T low = std::min(min, max);
  const uint32_t span = spanOf(low, std::max(min, max));
  const uint32_t cutoff = cutoffFor(span, Self::withSelector);
  return draw(low, span + 1, cutoff);
}

template <class Self, class T>
void UniformIntegral_<Self, T>::clearRange() {
  minimum = maximum = 0;
  uRange = uCutoff = 0;
  bSingular = YES;
}

template <class Self, class T>
void UniformIntegral_<Self, T>::putRange(unsigned char* record) {
  recordPut(record + RecMin, minimum);
  recordPut(record + RecMax, maximum);
  recordPut(record + RecRange, uRange);
  recordPut(record + RecCutoff, uCutoff);
  record[RecSingular] = bSingular;
}

template <class Self, class T>
void UniformIntegral_<Self, T>::takeRange(const unsigned char* record) {
  minimum = recordTake<T>(record + RecMin);
  maximum = recordTake<T>(record + RecMax);
  uRange = recordTake<uint32_t>(record + RecRange);
  uCutoff = recordTake<uint32_t>(record + RecCutoff);
  bSingular = record[RecSingular] != 0;
}

template <class Self, class T>
bool UniformIntegral_<Self, T>::rangeIsSound(const unsigned char* record) {
  const T min = recordTake<T>(record + RecMin), max = recordTake<T>(record + RecMax);
  if (record[RecSingular]) return min == max;
  return min < max && recordTake<uint32_t>(record + RecRange) == spanOf(min, max) + 1;
}

// The cutoff depends on the generator, which may not be the one that the
// record was written with.
template <class Self, class T>
void UniformIntegral_<Self, T>::fitRangeToGenerator() {
  if (!bSingular) uCutoff = cutoffFor(spanOf(minimum, maximum), "setStateFrom:");
}

template <class Self, class T>
void UniformIntegral_<Self, T>::describeRange(id stream) {
  describeText(stream, Self::minFormat, minimum);
  describeText(stream, Self::maxFormat, maximum);
  describeText(stream, "             uRange = %24u\n", uRange);
  describeText(stream, "            uCutoff = %24u\n", uCutoff);
}

template struct UniformIntegral_<UniformIntegerDist, int>;
template struct UniformIntegral_<UniformUnsignedDist, unsigned>;

#define INTEGRAL_DIST_CLASS(Cls, Range, minName, maxName, getMinMsg, getMaxMsg, sampleMsg, withMsg) \
  REGISTER_CLASS(Cls, BroodObject,                                                                 \
    DISTRIBUTION_IVARS(Cls),                                                                       \
    ivar(&Cls::minimum, minName),                                                                  \
    ivar(&Cls::maximum, maxName),                                                                  \
    ivar(&Cls::bSingular, "bSingular"),                                                            \
    ivar(&Cls::uRange, "uRange"),                                                                  \
    ivar(&Cls::uCutoff, "uCutoff"),                                                                \
    DISTRIBUTION_METHODS(Cls, Range),                                                              \
    method<&Cls::getMin>(getMinMsg),                                                               \
    method<&Cls::getMax>(getMaxMsg),                                                               \
    method<&Cls::getSample>(sampleMsg),                                                            \
    method<&Cls::getWithMin_withMax>(withMsg))

INTEGRAL_DIST_CLASS(UniformIntegerDist, Integer, "iMin", "iMax", msg::getIntegerMin,
                    msg::getIntegerMax, msg::getIntegerSample, msg::getIntegerWithMin_withMax)
INTEGRAL_DIST_CLASS(UniformUnsignedDist, Unsigned, "uMin", "uMax", msg::getUnsignedMin,
                    msg::getUnsignedMax, msg::getUnsignedSample_, msg::getUnsignedWithMin_withMax)
