#include "rarevadiv/reference_model.h"

#include <cmath>
#include <cstdint>

#include "support/seeded_twister.h"

namespace {

constexpr int hottest = 32767;

}  // namespace

ReferenceModel::ReferenceModel(const ModelParameters& p, unsigned seed)
    : params(p), w(p.worldXSize), h(p.worldYSize), words(seededTwister(seed)) {
  heat.assign(static_cast<size_t>(w) * h, 0);
  pending = heat;
  occupants.assign(heat.size(), -1);
  for (int i = 0; i < p.numBugs; i++) {
    Bug bug{};
    bug.ideal = drawInteger(p.minIdealTemp, p.maxIdealTemp);
    bug.output = drawInteger(p.minOutputHeat, p.maxOutputHeat);
    bug.y = drawInteger(0, h - 1);
    bug.x = drawInteger(0, w - 1);
    bugs.push_back(bug);
    occupants[cell(bug.x, bug.y)] = i;
  }
}

// Rejection below the largest multiple of the range, then the remainder.
int ReferenceModel::drawInteger(int min, int max) {
  if (min == max) return min;
  const int low = std::min(min, max);
  const uint32_t range = static_cast<uint32_t>(std::max(min, max)) - static_cast<uint32_t>(low) + 1;
  const uint32_t cutoff = UINT32_MAX - UINT32_MAX % range;
  uint32_t u;
  do u = static_cast<uint32_t>(words());
  while (u >= cutoff);
  return static_cast<int>(static_cast<uint32_t>(low) + u % range);
}

double ReferenceModel::drawUnit() {
  const double high = static_cast<uint32_t>(words()), low = static_cast<uint32_t>(words());
  return std::ldexp(high, -32) + std::ldexp(low, -64);
}

void ReferenceModel::diffuse() {
  std::vector<int> next(heat.size());
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      auto at = [&](int dx, int dy) { return heat[cell(x + dx, y + dy)]; };
      const int self = at(0, 0);
      const int orthogonal = at(0, -1) + at(-1, 0) + at(0, 1) + at(1, 0);
      const int diagonal = at(1, 1) + at(-1, 1) + at(-1, -1) + at(1, -1);
      const int s = 4 * orthogonal + diagonal - 20 * self;
      const double v = ((s / 20.0) * params.diffuseConstant + self) * params.evaporationRate;
      next[cell(x, y)] = v < 0 ? 0 : v + 0.5 >= hottest ? hottest : static_cast<int>(std::floor(v + 0.5));
    }
  heat = pending = next;
}

// Deposits start from the current value; the last one on a cell wins.
void ReferenceModel::addHeat(int output, int x, int y) {
  const int here = heat[cell(x, y)];
  pending[cell(x, y)] = hottest - here < output ? hottest : here + output;
}

void ReferenceModel::stepBug(int index) {
  Bug& bug = bugs[index];
  const int heatHere = heat[cell(bug.x, bug.y)];
  bug.unhappiness = std::abs(bug.ideal - heatHere) / 32767.0;

  // Every cell of the neighbourhood (the centre too) that ties for the
  // best heat, in scan order.
  const bool wantHot = heatHere < bug.ideal;
  int best = heatHere;
  std::vector<std::pair<int, int>> candidates;
  for (int y = bug.y - 1; y <= bug.y + 1; y++)
    for (int x = bug.x - 1; x <= bug.x + 1; x++) {
      const int value = heat[cell(x, y)];
      if (wantHot ? value > best : value < best) {
        candidates.clear();
        best = value;
      }
      if (value == best) candidates.emplace_back(x, y);
    }
  auto [tx, ty] = candidates[drawInteger(0, static_cast<int>(candidates.size()) - 1)];
  tx = wrap(tx, w);
  ty = wrap(ty, h);

  if (static_cast<float>(drawUnit()) < static_cast<float>(params.randomMoveProbability)) {
    tx = wrap(bug.x + drawInteger(-1, 1), w);
    ty = wrap(bug.y + drawInteger(-1, 1), h);
  }
  if (bug.unhappiness == 0) {
    addHeat(bug.output, bug.x, bug.y);
    return;
  }
  static const int around[8][2] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}};
  if (tx != bug.x || ty != bug.y) {
    int redraws = 0;
    for (; occupants[cell(tx, ty)] >= 0 && redraws < 10; redraws++) {
      const int* d = around[drawInteger(1, 8) - 1];
      tx = wrap(bug.x + d[0], w);
      ty = wrap(bug.y + d[1], h);
    }
    if (redraws == 10) tx = bug.x, ty = bug.y;
  }
  addHeat(bug.output, bug.x, bug.y);
  occupants[cell(bug.x, bug.y)] = -1;
  bug.x = tx;
  bug.y = ty;
  occupants[cell(tx, ty)] = index;
}

void ReferenceModel::step() {
  diffuse();
  for (int i = 0; i < static_cast<int>(bugs.size()); i++) stepBug(i);
  heat = pending;
}

double ReferenceModel::averageUnhappiness() const {
  double sum = 0;
  for (const Bug& bug : bugs) sum += bug.unhappiness;
  return bugs.empty() ? 0 : sum / static_cast<double>(bugs.size());
}
