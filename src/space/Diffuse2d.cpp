#include "space/Diffuse2d.h"

#include <cmath>

#include "defobj/phase.h"

namespace {

constexpr int32_t maxValue = 0x7FFF;

// A cell as the automaton's 32-bit value.
inline uint32_t word(intptr_t cell) { return static_cast<uint32_t>(cell); }

inline intptr_t roundedValue(double v) {
  if (!(v >= 0.0)) return 0;  // negative, or NaN from a NaN rate
  if (v + 0.5 >= maxValue) return maxValue;
  return static_cast<intptr_t>(std::floor(v + 0.5));
}

}  // namespace

id Diffuse2d::createBegin(Class cls, id zone) {
  auto* ca = static_cast<Diffuse2d*>(Ca2d::createBegin(cls, zone));
  ca->diffusionConstant = 1.0;
  ca->evaporationRate = 1.0;
  ca->numStates = maxValue;
  return ca;
}

id Diffuse2d::create_setSizeX_Y_setDiffusionConstant_setEvaporationRate(
    Class cls, id zone, unsigned x, unsigned y, double diffusion, double evaporation) {
  auto* ca = static_cast<Diffuse2d*>(msg::createBegin(cls, zone));
  ca->xsize = x;
  ca->ysize = y;
  ca->diffusionConstant = diffusion;
  ca->evaporationRate = evaporation;
  ca->numStates = maxValue;
  return msg::createEnd(ca);
}

id Diffuse2d::initializeLattice() {
  msg::fillWithValue(this, 0);
  msg::updateLattice(this);
  return this;
}

id Diffuse2d::setDiffusionConstant(double rate) {
  diffusionConstant = rate;
  return this;
}

id Diffuse2d::setEvaporationRate(double rate) {
  evaporationRate = rate;
  return this;
}

// The model's hottest loop: straight over the cell arrays, no message per
// cell. The weighted sum is the rule's 32-bit signed sum; it is formed in
// unsigned arithmetic, which wraps where signed overflow would be undefined.
id Diffuse2d::stepRule() {
  const intptr_t* cells = lattice;
  const intptr_t* rows = offsets;
  intptr_t* next = newLattice;
  const unsigned w = xsize, h = ysize;
  const double twenty = 20.0, diffusion = diffusionConstant, evaporation = evaporationRate;
  for (unsigned x = 0; x < w; x++) {
    const unsigned left = x == 0 ? w - 1 : x - 1, right = x + 1 == w ? 0 : x + 1;
    for (unsigned y = 0; y < h; y++) {
      const unsigned up = y == 0 ? h - 1 : y - 1, down = y + 1 == h ? 0 : y + 1;
      const intptr_t* above = cells + rows[up];
      const intptr_t* row = cells + rows[y];
      const intptr_t* below = cells + rows[down];
      const uint32_t orth = word(above[x]) + word(row[left]) + word(below[x]) + word(row[right]);
      const uint32_t diag =
          word(below[right]) + word(below[left]) + word(above[left]) + word(above[right]);
      const auto self = static_cast<int32_t>(word(row[x]));
      const auto sum = static_cast<int32_t>(4u * orth + diag - 20u * word(row[x]));
      next[rows[y] + x] = roundedValue(((sum / twenty) * diffusion + self) * evaporation);
    }
  }
  msg::updateLattice(this);
  return this;
}

REGISTER_CLASS(Diffuse2d, Ca2d,
  ivar(&Diffuse2d::diffusionConstant, "diffusionConstant"),
  ivar(&Diffuse2d::evaporationRate, "evaporationRate"),
  phase(Phase::Creating),
  classMethod<&Diffuse2d::createBegin>(msg::createBegin),
  classMethod<&Diffuse2d::create_setSizeX_Y_setDiffusionConstant_setEvaporationRate>(
      msg::create_setSizeX_Y_setDiffusionConstant_setEvaporationRate),
  method<&Diffuse2d::initializeLattice>(msg::initializeLattice),
  phase(Phase::Setting),
  method<&Diffuse2d::setDiffusionConstant>(msg::setDiffusionConstant),
  method<&Diffuse2d::setEvaporationRate>(msg::setEvaporationRate),
  phase(Phase::Using),
  method<&Diffuse2d::stepRule>(msg::stepRule))
