// The uniform distributions over 32-bit integers, signed (UniformIntegerDist)
// and unsigned (UniformUnsignedDist). Raw draws at or above a cutoff are
// rejected, so that every value of the range is equally likely.
#pragma once

#include "random/Distribution.h"

template <class Self, class T>
struct UniformIntegral_ : Distribution_<Self, T> {
  T minimum, maximum;  // the variables "iMin", "iMax" or "uMin", "uMax"
  BOOL bSingular;
  uint32_t uRange;   // max - min + 1
  uint32_t uCutoff;  // rejection bound for raw draws

  void setMin_setMax(T min, T max);
  T getMin();
  T getMax();
  T getSample();
  T getWithMin_withMax(T min, T max);

  // What the shared distribution logic asks of its range.
  void clearRange();
  void putRange(unsigned char* record);
  void takeRange(const unsigned char* record);
  static bool rangeIsSound(const unsigned char* record);
  void fitRangeToGenerator();
  void describeRange(id stream);

 private:
  uint32_t cutoffFor(uint32_t span, const char* selector);
  T draw(T min, uint32_t range, uint32_t cutoff);
};

struct UniformIntegerDist : UniformIntegral_<UniformIntegerDist, int> {
  static constexpr const char* className = "UniformIntegerDist";
  static constexpr uint32_t magic = 2280102;
  static constexpr const char* defaultGenerator = "TT403gen";
  static constexpr const char* sampleSelector = "getIntegerSample";
  static constexpr const char* rangeSelector = "setIntegerMin:setMax:";
  static constexpr const char* withSelector = "getIntegerWithMin:withMax:";
  static constexpr const char* otherGeneratorWarning =
      "%s setState: Warning! Not using the same generator!\n";
  static constexpr const char* minFormat = "               iMin = %24d\n";
  static constexpr const char* maxFormat = "               iMax = %24d\n";
};

struct UniformUnsignedDist : UniformIntegral_<UniformUnsignedDist, unsigned> {
  static constexpr const char* className = "UniformUnsignedDist";
  static constexpr uint32_t magic = 2380102;
  static constexpr const char* defaultGenerator = "TT775gen";
  static constexpr const char* sampleSelector = "getUnsignedSample";
  static constexpr const char* rangeSelector = "setUnsignedMin:setMax:";
  static constexpr const char* withSelector = "getUnsignedWithMin:withMax:";
  static constexpr const char* otherGeneratorWarning =
      "%s setState: Warning! Not using the same generator\n";
  static constexpr const char* minFormat = "               uMin = %24u\n";
  static constexpr const char* maxFormat = "               uMax = %24u\n";
};
