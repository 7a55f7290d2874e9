#include "random/UniformDoubleDist.h"

#include <algorithm>
#include <cmath>

#include "random/record.h"

namespace {
// Offsets of the range in the state record.
constexpr size_t RecSingular = 21, RecRange = 24, RecMin = 32, RecMax = 40;
}

void UniformDoubleDist::setMin_setMax(double min, double max) {
  doubleMin = std::min(min, max);
  doubleMax = std::max(min, max);
  bSingular = min == max;
  doubleRange = doubleMax - doubleMin;
  optionsInitialized = YES;
  msg::resetState(this);
}

double UniformDoubleDist::getMin() { return doubleMin; }

double UniformDoubleDist::getMax() { return doubleMax; }

double UniformDoubleDist::getSample() {
  if (!countStoredSample("getDoubleSample")) return 0;
  return bSingular ? doubleMin : doubleMin + doubleRange * drawDouble();
}

double UniformDoubleDist::getWithMin_withMax(double min, double max) {
  currentCount++;
  if (min == max) return min;
  return std::min(min, max) + drawDouble() * std::fabs(max - min);
}

void UniformDoubleDist::clearRange() {
  doubleMin = doubleMax = doubleRange = 0;
  bSingular = YES;
}

void UniformDoubleDist::putRange(unsigned char* record) {
  record[RecSingular] = bSingular;
  recordPut(record + RecRange, doubleRange);
  recordPut(record + RecMin, doubleMin);
  recordPut(record + RecMax, doubleMax);
}

void UniformDoubleDist::takeRange(const unsigned char* record) {
  bSingular = record[RecSingular] != 0;
  doubleRange = recordTake<double>(record + RecRange);
  doubleMin = recordTake<double>(record + RecMin);
  doubleMax = recordTake<double>(record + RecMax);
}

bool UniformDoubleDist::rangeIsSound(const unsigned char* record) {
  const auto min = recordTake<double>(record + RecMin), max = recordTake<double>(record + RecMax);
  const auto range = recordTake<double>(record + RecRange);
  if (record[RecSingular]) return min == max && range == 0;
  return min < max && range == max - min;
}

void UniformDoubleDist::describeRange(id stream) {
  describeText(stream, "          doubleMin = %24.16e\n", doubleMin);
  describeText(stream, "          doubleMax = %24.16e\n", doubleMax);
  describeText(stream, "        doubleRange = %24.16e\n", doubleRange);
}

REGISTER_CLASS(UniformDoubleDist, BroodObject,
  DISTRIBUTION_IVARS(UniformDoubleDist),
  ivar(&UniformDoubleDist::doubleMin, "doubleMin"),
  ivar(&UniformDoubleDist::doubleMax, "doubleMax"),
  ivar(&UniformDoubleDist::bSingular, "bSingular"),
  ivar(&UniformDoubleDist::doubleRange, "doubleRange"),
  DISTRIBUTION_METHODS(UniformDoubleDist, Double),
  method<&UniformDoubleDist::getMin>(msg::getDoubleMin),
  method<&UniformDoubleDist::getMax>(msg::getDoubleMax),
  method<&UniformDoubleDist::getSample>(msg::getDoubleSample_),
  method<&UniformDoubleDist::getWithMin_withMax>(msg::getDoubleWithMin_withMax))
