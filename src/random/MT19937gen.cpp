#include "random/MT19937gen.h"


namespace {
constexpr GeneratorParameters MT19937 = {"MT19937", 1320101, 32, MT19937_N, 397, 0x9908b0df,
                                         7, 0x9d2c5680, 15, 0xefc60000};
}

void MT19937gen::initState() {
  N = MT19937.N;
  M = MT19937.M;
  a[0] = 0;
  a[1] = MT19937.matrix;
  TEMPERING_MASK_B = MT19937.b;
  TEMPERING_MASK_C = MT19937.c;
  UPPER_MASK = 0x80000000;
  LOWER_MASK = 0x7fffffff;
  TEMPERING_SHIFT_U = 11;
  TEMPERING_SHIFT_S = MT19937.s;
  TEMPERING_SHIFT_T = MT19937.t;
  TEMPERING_SHIFT_L = 18;
  setParameters(MT19937);
}

void MT19937gen::regenerate() {
  auto twist = [this](uint32_t k, uint32_t next, uint32_t far) {
    const uint32_t y = (state[k] & UPPER_MASK) | (state[next] & LOWER_MASK);
    state[k] = state[far] ^ (y >> 1) ^ a[y & 1];
  };
  uint32_t k = 0;
  for (; k < N - M; k++) twist(k, k + 1, k + M);
  for (; k < N - 1; k++) twist(k, k + 1, k + M - N);
  twist(N - 1, 0, M - 1);
}

uint32_t MT19937gen::temper(uint32_t y) const {
  y ^= y >> TEMPERING_SHIFT_U;
  y ^= (y << TEMPERING_SHIFT_S) & TEMPERING_MASK_B;
  y ^= (y << TEMPERING_SHIFT_T) & TEMPERING_MASK_C;
  y ^= y >> TEMPERING_SHIFT_L;
  return y;
}

void MT19937gen::describeShifts(id stream) {
  describeText(stream, "      shift u = right %18u\n", TEMPERING_SHIFT_U);
  describeText(stream, "      shift s = left  %18u\n", TEMPERING_SHIFT_S);
  describeText(stream, "      shift t = left  %18u\n", TEMPERING_SHIFT_T);
  describeText(stream, "      shift l = right %18u\n", TEMPERING_SHIFT_L);
}

void MT19937gen::describeVectors(id stream) {
  msg::catC(stream, "\n");
  describeVector(stream, " initialSeeds[%03u] = %19u\n", initialSeeds);
  msg::catC(stream, "\n");
  describeVector(stream, "     maxSeeds[%03u] = %19u\n", maxSeedValues);
  msg::catC(stream, "\n");
  describeVector(stream, "        state[%03u] = %19u\n", state);
}

REGISTER_CLASS(MT19937gen, BroodObject,
  GENERATOR_IVARS(MT19937gen),
  ivar(&MT19937gen::N, "N"),
  ivar(&MT19937gen::M, "M"),
  ivar(&MT19937gen::a, "a"),
  ivar(&MT19937gen::TEMPERING_MASK_B, "TEMPERING_MASK_B"),
  ivar(&MT19937gen::TEMPERING_MASK_C, "TEMPERING_MASK_C"),
  ivar(&MT19937gen::UPPER_MASK, "UPPER_MASK"),
  ivar(&MT19937gen::LOWER_MASK, "LOWER_MASK"),
  ivar(&MT19937gen::TEMPERING_SHIFT_U, "TEMPERING_SHIFT_U"),
  ivar(&MT19937gen::TEMPERING_SHIFT_S, "TEMPERING_SHIFT_S"),
  ivar(&MT19937gen::TEMPERING_SHIFT_T, "TEMPERING_SHIFT_T"),
  ivar(&MT19937gen::TEMPERING_SHIFT_L, "TEMPERING_SHIFT_L"),
  ivar(&MT19937gen::index, "index"),
  ivar(&MT19937gen::state, "state"),
  ivar(&MT19937gen::unsignedSampleImp, "getUnsignedSample"),
  phase(Phase::Creating),
  GENERATOR_CREATION(MT19937gen),
  method<&MT19937gen::initState>(msg::initState),
  GENERATOR_METHODS(MT19937gen))
