#include "random/TGFSRgen.h"

#include "defobj/defobj.h"

namespace {
constexpr GeneratorParameters TT403 = {"TT403", 1310101, 31, 13, 2, 0x6b5eccf6,
                                       8, 0x102d1200, 14, 0x66e50000};
constexpr GeneratorParameters TT775 = {"TT775", 1310201, 31, 25, 8, 0x6c6cb38c,
                                       6, 0x1abd5900, 14, 0x776a0000};
constexpr GeneratorParameters TT800 = {"TT800", 1310301, 32, 25, 7, 0x8ebfd028,
                                       7, 0x2b5b2500, 15, 0xdb8b0000};

uint32_t* allocVector(id zone, uint32_t n, const char* generator, const char* vector) {
  auto* words = static_cast<uint32_t*>(msg::alloc(zone, n * sizeof(uint32_t)));
  if (!words)
    raiseAt(InvalidCombination, "-[TGFSRgen initState]", "%s: Error allocating %s vector!\n",
            generator, vector);
  return words;
}
}  // namespace

void TGFSRgen::initState() {
  raiseAt(InvalidCombination, "-[TGFSRgen initState]",
          "TGFSR initState: superclass method invoked - Yell at Odrik!\n");
}

void TGFSRgen::initWith(const GeneratorParameters& p) {
  w = p.w;
  N = p.N;
  M = p.M;
  s = p.s;
  t = p.t;
  b = p.b;
  c = p.c;
  a[0] = 0;
  a[1] = p.matrix;
  id zone = msg::getZone(this);
  state = allocVector(zone, N, p.name, "state");
  initialSeeds = allocVector(zone, N, p.name, "initialSeeds");
  maxSeedValues = allocVector(zone, N, p.name, "maxSeedValues");
  setParameters(p);
}

void TT403gen::initState() { initWith(TT403); }
void TT775gen::initState() { initWith(TT775); }
void TT800gen::initState() { initWith(TT800); }

void TGFSRgen::drop() {
  id zone = msg::getZone(this);
  msg::free(zone, state);
  msg::free(zone, initialSeeds);
  msg::free(zone, maxSeedValues);
  BroodObject::drop();
}

void TGFSRgen::regenerate() {
  auto twist = [this](uint32_t k, uint32_t far) {
    state[k] = state[far] ^ (state[k] >> 1) ^ a[state[k] & 1];
  };
  uint32_t k = 0;
  for (; k < N - M; k++) twist(k, k + M);
  for (; k < N; k++) twist(k, k + M - N);
}

uint32_t TGFSRgen::temper(uint32_t y) const {
  y ^= (y << s) & b;
  y ^= (y << t) & c;
  y ^= y >> 16;
  return y;
}

void TGFSRgen::describeShifts(id stream) {
  describeText(stream, "            s = %24u\n", s);
  describeText(stream, "            t = %24u\n", t);
}

void TGFSRgen::describeVectors(id stream) {
  describeVector(stream, "     maxSeeds[%02u] = %24u\n", maxSeedValues);
  describeVector(stream, " initialSeeds[%02u] = %24u\n", initialSeeds);
  describeVector(stream, "        state[%02u] = %24u\n", state);
}

REGISTER_CLASS(TGFSRgen, BroodObject,
  GENERATOR_IVARS(TGFSRgen),
  ivar(&TGFSRgen::w, "w"),
  ivar(&TGFSRgen::N, "N"),
  ivar(&TGFSRgen::M, "M"),
  ivar(&TGFSRgen::s, "s"),
  ivar(&TGFSRgen::t, "t"),
  ivar(&TGFSRgen::b, "b"),
  ivar(&TGFSRgen::c, "c"),
  ivar(&TGFSRgen::a, "a"),
  ivar(&TGFSRgen::index, "index"),
  ivar(&TGFSRgen::state, "state"),
  ivar(&TGFSRgen::unsignedSampleImp, "getUnsignedSample"),
  phase(Phase::Creating),
  classMethod<&TGFSRgen::createNothing<id, unsigned>>(msg::create_setStateFromSeed),
  classMethod<&TGFSRgen::createNothing<id, unsigned*>>(msg::create_setStateFromSeeds),
  classMethod<&TGFSRgen::createNothing<id>>(msg::createWithDefaults),
  method<&TGFSRgen::initState>(msg::initState),
  GENERATOR_METHODS(TGFSRgen),
  method<&TGFSRgen::drop>(msg::drop))

#define TGFSR_SUBCLASS(Cls)                       \
  REGISTER_CLASS(Cls, TGFSRgen,                   \
    phase(Phase::Creating),                       \
    GENERATOR_CREATION(Cls),                      \
    method<&Cls::initState>(msg::initState))

TGFSR_SUBCLASS(TT403gen)
TGFSR_SUBCLASS(TT775gen)
TGFSR_SUBCLASS(TT800gen)
