// The uniform distribution over doubles in [min, max).
#pragma once

#include "random/Distribution.h"

struct UniformDoubleDist : Distribution_<UniformDoubleDist, double> {
  double doubleMin, doubleMax;
  BOOL bSingular;
  double doubleRange;  // max - min

  void setMin_setMax(double min, double max);
  double getMin();
  double getMax();
  double getSample();
  double getWithMin_withMax(double min, double max);

  // What the shared distribution logic asks of its range.
  static constexpr const char* className = "UniformDoubleDist";
  static constexpr uint32_t magic = 2480102;
  static constexpr const char* defaultGenerator = "TT800gen";
  static constexpr const char* otherGeneratorWarning =
      "%s setState: Warning! Not using the same generator!\n";
  void clearRange();
  void putRange(unsigned char* record);
  void takeRange(const unsigned char* record);
  static bool rangeIsSound(const unsigned char* record);
  void fitRangeToGenerator() {}  // a real range fits every generator
  void describeRange(id stream);
};
