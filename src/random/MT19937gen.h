// The Mersenne twister MT19937.
#pragma once

#include "random/Generator.h"

inline constexpr unsigned MT19937_N = 624;

struct MT19937gen : Generator_<MT19937gen, uint32_t[MT19937_N]> {
  uint32_t N, M;
  uint32_t a[2];  // { 0, matrix }, indexed by the low bit of the mixed word
  uint32_t TEMPERING_MASK_B, TEMPERING_MASK_C, UPPER_MASK, LOWER_MASK;
  uint32_t TEMPERING_SHIFT_U, TEMPERING_SHIFT_S, TEMPERING_SHIFT_T, TEMPERING_SHIFT_L;
  uint32_t index;
  uint32_t state[MT19937_N];
  UnsignedSampleImp unsignedSampleImp;  // the variable "getUnsignedSample"

  void initState();

  // What the shared generator logic asks of its family.
  static constexpr const char* className = "MT19937gen";
  static constexpr unsigned firstIndex = 1;  // state word 0 is never output
  static constexpr const char* cycleLength = "2^19937";
  void regenerate();
  uint32_t temper(uint32_t y) const;
  uint32_t wordBits() const { return 32; }
  uint32_t maskB() const { return TEMPERING_MASK_B; }
  uint32_t maskC() const { return TEMPERING_MASK_C; }
  void describeShifts(id stream);
  void describeVectors(id stream);
};
