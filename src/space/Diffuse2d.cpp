#include "space/Diffuse2d.h"

#include <algorithm>
#include <cstring>

#include "defobj/phase.h"

namespace {

constexpr int32_t maxValue = 0x7FFF;

// A cell as the automaton's 32-bit value.
inline uint32_t word(intptr_t cell) { return static_cast<uint32_t>(cell); }

// Values below zero and NaN (from a NaN rate) give 0, values rounding to
// the top or beyond give the top, the rest round half up. The clamping is
// min and max on the double (std::max(0.0, NaN) is 0.0), so the loop holds
// no branch and vectorizes; truncation is the floor, the value being
// positive by then.
inline intptr_t roundedValue(double v) {
  return static_cast<int32_t>(std::min(std::max(0.0, v + 0.5), static_cast<double>(maxValue)));
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

namespace {

// The model's hottest loop: straight over the cell arrays, no message per
// cell, in storage order (rows outer) with each row's wrapped neighbour rows
// found once and the two edge columns apart, so the inner loop runs straight.
// Reads come only from the current buffer and writes go only to the pending
// one, so the order changes no result. The weighted sum is the rule's 32-bit
// signed sum; it is formed in unsigned arithmetic, which wraps where signed
// overflow would be undefined. With keepCopy the new values of each row also
// go into the current buffer once no later row reads its old ones: those of
// row y - 2 in the pass over row y, where the copy hides behind the
// division, and the last two rows and row 0 (which the last row reads) at
// the end. The plain loop is compiled apart.
template <bool keepCopy>
void diffuseRows(intptr_t* cells, intptr_t* next, const intptr_t* rows, unsigned w, unsigned h, double diffusion,
                 double evaporation) {
  const double twenty = 20.0;
  auto keepRow = [&](unsigned y) { std::copy_n(next + rows[y], w, cells + rows[y]); };
  for (unsigned y = 0; y < h; y++) {
    const intptr_t* above = cells + rows[y == 0 ? h - 1 : y - 1];
    const intptr_t* row = cells + rows[y];
    const intptr_t* below = cells + rows[y + 1 == h ? 0 : y + 1];
    intptr_t* out = next + rows[y];
    auto cell = [&](unsigned x, unsigned left, unsigned right) {
      const uint32_t orth = word(above[x]) + word(row[left]) + word(below[x]) + word(row[right]);
      const uint32_t diag =
          word(below[right]) + word(below[left]) + word(above[left]) + word(above[right]);
      const uint32_t selfWord = word(row[x]);
      const auto self = static_cast<int32_t>(selfWord);
      // 4 orth + diag - 20 self, grouped for the fewest instructions.
      const auto sum = static_cast<int32_t>(4u * (orth - 5u * selfWord) + diag);
      out[x] = roundedValue(((sum / twenty) * diffusion + self) * evaporation);
    };
    cell(0, w - 1, w > 1 ? 1 : 0);
    // Two cells a turn, and with the copy both of them in one move.
    const bool keeping = keepCopy && y >= 3;
    const intptr_t* kept = keeping ? next + rows[y - 2] : nullptr;
    intptr_t* keep = keeping ? cells + rows[y - 2] : nullptr;
    if (keeping) keep[0] = kept[0];
    unsigned x = 1;
    for (; x + 2 < w; x += 2) {
      cell(x, x - 1, x + 1);
      cell(x + 1, x, x + 2);
      if (keeping) std::memcpy(keep + x, kept + x, 2 * sizeof(intptr_t));
    }
    for (; x + 1 < w; x++) {
      cell(x, x - 1, x + 1);
      if (keeping) keep[x] = kept[x];
    }
    if (keeping && w > 1) keep[w - 1] = kept[w - 1];
    if (w > 1) cell(w - 1, w - 2, 0);
  }
  if (keepCopy) {
    keepRow(0);
    for (unsigned y = h > 3 ? h - 2 : 1; y < h; y++) keepRow(y);
  }
}

}  // namespace

// The pending cells are wanted after the update when somebody reached them
// since the last step; the step then keeps them a copy as it goes.
id Diffuse2d::stepRule() {
  const bool keepCopy = shouldKeepCopyAcrossUpdate();
  intptr_t* next = pendingCellsToOverwrite();
  (keepCopy ? diffuseRows<true> : diffuseRows<false>)(lattice, next, offsets, xsize, ysize, diffusionConstant,
                                                      evaporationRate);
  msg::updateLattice(this);
  if (keepCopy) keptCopyAcrossUpdate(next);
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
