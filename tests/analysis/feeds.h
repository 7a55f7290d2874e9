// Objects the averagers and sequences read: each answers its value, or its
// value times an argument.
#pragma once

#include <initializer_list>

#include "analysis/analysis.h"
#include "objectbase/BroodObject.h"

struct Feed : BroodObject {
  double value;

  double feedValue();
  double feedValueTimes(unsigned factor);
};

namespace msg {
inline const Message<double()> feedValue{"feedValue"};
inline const Message<double(unsigned)> feedValueTimes{"feedValueTimes:"};
}  // namespace msg

void analysis_register_test_classes();

Feed* newFeed(double value);
// A List of new feeds with these values; dropList drops the feeds too.
id feedList(std::initializer_list<double> values);
void dropList(id list);
