#include "plain_model.h"

#include <cmath>

#include "plain_diffusion.h"
#include "support/seeded_twister.h"

namespace {

constexpr double evaporation = 0.99, diffusion = 1.0;
constexpr int minIdeal = 17000, maxIdeal = 31000, minOutput = 3000, maxOutput = 10000;
constexpr float randomMoveProbability = 0.0f;
constexpr intptr_t hottest = 32767;

inline int wrap(int v, int size) { return v < 0 ? v + size : v >= size ? v - size : v; }

constexpr int around[8][2] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}};

}  // namespace

PlainModel::PlainModel(unsigned seed, int width, int height, int count)
    : heat(static_cast<size_t>(width) * height, 0),
      occupants(heat.size(), -1),
      w(width),
      h(height),
      words(seededTwister(seed)),
      next(heat.size()) {
  warmlings.reserve(count);
  deposits.reserve(count);
  for (int i = 0; i < count; i++) {
    Warmling bug{};
    bug.ideal = drawInteger(minIdeal, maxIdeal);
    bug.output = drawInteger(minOutput, maxOutput);
    bug.y = drawInteger(0, h - 1);
    bug.x = drawInteger(0, w - 1);
    warmlings.push_back(bug);
    occupants[static_cast<size_t>(bug.y) * w + bug.x] = i;
  }
}

// Rejection below the largest multiple of the range, then the remainder.
int PlainModel::drawInteger(int min, int max) {
  if (min == max) return min;
  const uint32_t range = static_cast<uint32_t>(max) - static_cast<uint32_t>(min) + 1;
  const uint32_t cutoff = UINT32_MAX - UINT32_MAX % range;
  uint32_t u;
  do u = static_cast<uint32_t>(words());
  while (u >= cutoff);
  return static_cast<int>(static_cast<uint32_t>(min) + u % range);
}

double PlainModel::drawUnit() {
  const double high = static_cast<uint32_t>(words()), low = static_cast<uint32_t>(words());
  return std::ldexp(high, -32) + std::ldexp(low, -64);
}

void PlainModel::stepWarmling(int index) {
  Warmling& bug = warmlings[index];
  const size_t here = static_cast<size_t>(bug.y) * w + bug.x;
  const int heatHere = static_cast<int>(next[here]);
  bug.unhappiness = std::abs(bug.ideal - heatHere) / 32767.0;

  // The neighbourhood row by row, the centre too, keeping the ties for the
  // best heat in scan order.
  const bool wantHot = heatHere < bug.ideal;
  const int xs[3] = {wrap(bug.x - 1, w), bug.x, wrap(bug.x + 1, w)};
  int best = heatHere, found = 0, candidates[9][2];
  for (int dy = -1; dy <= 1; dy++) {
    const int cy = wrap(bug.y + dy, h);
    const intptr_t* row = next.data() + static_cast<size_t>(cy) * w;
    for (int cx : xs) {
      const int value = static_cast<int>(row[cx]);
      if (wantHot ? value > best : value < best) {
        found = 0;
        best = value;
      }
      if (value == best) {
        candidates[found][0] = cx;
        candidates[found++][1] = cy;
      }
    }
  }
  const int* pick = candidates[drawInteger(0, found - 1)];
  int tx = pick[0], ty = pick[1];

  if (static_cast<float>(drawUnit()) < randomMoveProbability) {
    tx = wrap(bug.x + drawInteger(-1, 1), w);
    ty = wrap(bug.y + drawInteger(-1, 1), h);
  }
  deposits.push_back({here, std::min<intptr_t>(next[here] + bug.output, hottest)});
  if (bug.unhappiness == 0) return;
  if (tx != bug.x || ty != bug.y) {
    int redraws = 0;
    for (; occupants[static_cast<size_t>(ty) * w + tx] >= 0 && redraws < 10; redraws++) {
      const int* d = around[drawInteger(1, 8) - 1];
      tx = wrap(bug.x + d[0], w);
      ty = wrap(bug.y + d[1], h);
    }
    if (redraws == 10) tx = bug.x, ty = bug.y;
  }
  occupants[here] = -1;
  bug.x = tx;
  bug.y = ty;
  occupants[static_cast<size_t>(ty) * w + tx] = index;
}

// The warmlings read the diffused heat; what they leave lands on it after
// the last of them, the last deposit on a cell winning.
void PlainModel::step() {
  plainDiffuse(heat.data(), next.data(), static_cast<unsigned>(w), static_cast<unsigned>(h), diffusion,
               evaporation);
  deposits.clear();
  for (int i = 0; i < static_cast<int>(warmlings.size()); i++) stepWarmling(i);
  for (const Deposit& d : deposits) next[d.cell] = d.value;
  heat.swap(next);
}
