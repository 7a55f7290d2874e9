// Running statistics of one probed numeric method. Over a collection every
// member is probed at each update and the plain statistics describe that
// step; over a single object they accumulate across updates. A moving
// window keeps the most recent values in either case.
#pragma once

#include "analysis/messages.h"
#include "objectbase/MessageProbe.h"

struct Averager : MessageProbe {
  double total, totalSquared;  // since the last reset
  double max, min;
  unsigned count;       // values since the last reset
  unsigned totalCount;  // values since creation
  id target;
  BOOL isList;
  unsigned maWidth;  // window capacity in values
  double maTotal, maTotalSquared;
  double* maData;  // the window as a ring, in the averager's zone
  // Cached at creation: update runs them once per member and step.
  IMP nextImp, getLocImp, callImp, addImp;

  // Creating.
  void setCollection(id aTarget);
  id setWidth(unsigned width);
  id createEnd();

  // Using.
  id update();
  id addValueToAverage(double value);
  double getAverage();
  double getMovingAverage();
  double getVariance();
  double getMovingVariance();
  double getStdDev();
  double getMovingStdDev();
  double getTotal();
  double getMax();
  double getMin();
  unsigned getCount();
  void mapAllocations(mapalloc_t mapalloc);
};
