#include "analysis/Averager.h"

#include <algorithm>
#include <cmath>

#include "collections/collections.h"
#include "defobj/phase.h"
#include "defobj/raise.h"

namespace {

// The unbiased variance from one-pass sums. For constant values the
// difference of the two terms is rounding noise that may fall below zero;
// it is answered as 0 so that no variance is negative and no deviation NaN.
double sampleVariance(unsigned n, double sum, double sumOfSquares) {
  const double mean = sum / n;
  return std::max(0.0, n / (n - 1.0) * (sumOfSquares / n - mean * mean));
}

}  // namespace

void Averager::setCollection(id aTarget) { target = aTarget; }

id Averager::setWidth(unsigned width) {
  maWidth = width;
  return this;
}

id Averager::createEnd() {
  isList = msg::respondsTo(target, msg::getFirst.sel);
  total = totalSquared = max = min = 0;
  count = totalCount = 0;
  if (!target)
    raiseAt(InvalidCombination, "-[Averager createEnd]", "Averager created without a target\n");
  if (maWidth == 0 && !isList)
    raiseAt(InvalidCombination, "-[Averager createEnd]",
            "Averages of non-collections must having a interval width\n");
  // A collection's window holds that many steps of the population it has
  // now.
  if (maWidth > 0 && isList) {
    const unsigned steps = maWidth, members = msg::getCount(target);
    if (__builtin_mul_overflow(steps, members, &maWidth))
      raiseAt(InvalidArgument, "-[Averager createEnd]",
              "a window of %u steps over %u members is too large\n", steps, members);
  }
  if (maWidth > 0) {
    maData = static_cast<double*>(msg::allocBlock(getZone(), maWidth * sizeof(double)));
    std::fill_n(maData, maWidth, 0.0);
  }
  maTotal = maTotalSquared = 0;
  if (isList) {
    id index = msg::begin(target, _obj_scratchZone);
    nextImp = objc_msg_lookup(index, msg::next.sel);
    getLocImp = objc_msg_lookup(index, msg::getLoc.sel);
    msg::drop(index);
  }
  callImp = objc_msg_lookup(this, msg::doubleDynamicCallOn.sel);
  addImp = objc_msg_lookup(this, msg::addValueToAverage.sel);
  zbits |= BitInternalAlloc;  // drop releases the window that mapAllocations: reports
  return MessageProbe::createEnd();
}

id Averager::update() {
  using Call = double (*)(id, SEL, id);
  using Add = id (*)(id, SEL, double);
  using Walk = id (*)(id, SEL);
  const auto call = imp_cast<Call>(callImp);
  const auto add = imp_cast<Add>(addImp);
  if (!isList) {
    add(this, msg::addValueToAverage.sel, call(this, msg::doubleDynamicCallOn.sel, target));
    return this;
  }
  total = totalSquared = max = min = 0;
  count = 0;
  const auto next = imp_cast<Walk>(nextImp);
  const auto getLoc = imp_cast<Walk>(getLocImp);
  id index = msg::begin(target, _obj_scratchZone);
  for (id member = next(index, msg::next.sel); getLoc(index, msg::getLoc.sel) == Member;
       member = next(index, msg::next.sel))
    add(this, msg::addValueToAverage.sel, call(this, msg::doubleDynamicCallOn.sel, member));
  msg::drop(index);
  return this;
}

id Averager::addValueToAverage(double value) {
  total += value;
  totalSquared += value * value;
  if (totalCount == 0 || count == 0) max = min = value;
  else if (value > max) max = value;
  else if (value < min) min = value;
  if (maWidth > 0) {
    if (totalCount < maWidth) {
      maTotal += value;
      maTotalSquared += value * value;
      maData[totalCount] = value;
    } else {
      double& oldest = maData[totalCount % maWidth];
      maTotal = maTotal - oldest + value;
      maTotalSquared = value * value + (maTotalSquared - oldest * oldest);
      oldest = value;
    }
  }
  count++;
  totalCount++;
  return this;
}

double Averager::getAverage() { return count ? total / count : 0; }

// Without a window (width 0 over a collection) there is nothing to
// average: 0, like a window that has seen no value yet.
double Averager::getMovingAverage() {
  const unsigned seen = std::min(maWidth, totalCount);
  return seen ? maTotal / seen : 0;
}

// Equal values vary by nothing, whatever the sums' rounding says.
double Averager::getVariance() {
  return count < 2 || max == min ? 0 : sampleVariance(count, total, totalSquared);
}

double Averager::getMovingVariance() {
  const unsigned seen = std::min(maWidth, totalCount);
  return seen < 2 ? 0 : sampleVariance(seen, maTotal, maTotalSquared);
}

double Averager::getStdDev() { return std::sqrt(msg::getVariance(this)); }
double Averager::getMovingStdDev() { return std::sqrt(msg::getMovingVariance(this)); }
double Averager::getTotal() { return total; }
double Averager::getMax() { return max; }
double Averager::getMin() { return min; }
unsigned Averager::getCount() { return count; }

void Averager::mapAllocations(mapalloc_t mapalloc) {
  if (maData) mapBlock(mapalloc, maData, maWidth * sizeof(double));
}

REGISTER_CLASS(Averager, MessageProbe,
  ivar(&Averager::total, "total"),
  ivar(&Averager::totalSquared, "totalSquared"),
  ivar(&Averager::max, "max"),
  ivar(&Averager::min, "min"),
  ivar(&Averager::count, "count"),
  ivar(&Averager::totalCount, "totalCount"),
  ivar(&Averager::target, "target"),
  ivar(&Averager::isList, "isList"),
  ivar(&Averager::maWidth, "maWidth"),
  ivar(&Averager::maTotal, "maTotal"),
  ivar(&Averager::maTotalSquared, "maTotalSquared"),
  ivar(&Averager::maData, "maData"),
  ivar(&Averager::nextImp, "nextImp"),
  ivar(&Averager::getLocImp, "getLocImp"),
  ivar(&Averager::callImp, "callImp"),
  ivar(&Averager::addImp, "addImp"),
  phase(Phase::Creating),
  method<&Averager::setCollection>(msg::setCollection),
  method<&Averager::setWidth>(msg::setWidth),
  method<&Averager::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&Averager::update>(msg::update),
  method<&Averager::addValueToAverage>(msg::addValueToAverage),
  method<&Averager::getAverage>(msg::getAverage),
  method<&Averager::getMovingAverage>(msg::getMovingAverage),
  method<&Averager::getVariance>(msg::getVariance),
  method<&Averager::getMovingVariance>(msg::getMovingVariance),
  method<&Averager::getStdDev>(msg::getStdDev),
  method<&Averager::getMovingStdDev>(msg::getMovingStdDev),
  method<&Averager::getTotal>(msg::getTotal),
  method<&Averager::getMax>(msg::getMax),
  method<&Averager::getMin>(msg::getMin),
  method<&Averager::getCount>(msg::getCount),
  method<&Averager::mapAllocations>(msg::mapAllocations))
