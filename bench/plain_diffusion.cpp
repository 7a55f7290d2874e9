#include "plain_diffusion.h"

#include <algorithm>

namespace {

// Clamped on the double so the loop vectorizes; v + 0.5 is positive where
// it is truncated, so truncation is its floor.
inline intptr_t rule(intptr_t self, intptr_t orthogonal, intptr_t diagonal, double diffusion,
                     double evaporation) {
  const auto s = static_cast<int32_t>(4 * orthogonal + diagonal - 20 * self);
  const double v = ((s / 20.0) * diffusion + static_cast<double>(self)) * evaporation;
  return static_cast<int32_t>(std::min(std::max(0.0, v + 0.5), 32767.0));
}

}  // namespace

// Row after row in storage order; the wrapped neighbour rows are found
// once per row and the two edge columns apart, so the inner loop runs
// straight.
void plainDiffuse(const intptr_t* cells, intptr_t* next, unsigned w, unsigned h, double diffusion,
                  double evaporation) {
  for (unsigned y = 0; y < h; y++) {
    const intptr_t* up = cells + static_cast<size_t>(y ? y - 1 : h - 1) * w;
    const intptr_t* row = cells + static_cast<size_t>(y) * w;
    const intptr_t* down = cells + static_cast<size_t>(y + 1 < h ? y + 1 : 0) * w;
    intptr_t* out = next + static_cast<size_t>(y) * w;
    auto cell = [&](unsigned x, unsigned left, unsigned right) {
      out[x] = rule(row[x], up[x] + row[left] + down[x] + row[right],
                    down[right] + down[left] + up[left] + up[right], diffusion, evaporation);
    };
    cell(0, w - 1, w > 1 ? 1 : 0);
    for (unsigned x = 1; x + 1 < w; x++) cell(x, x - 1, x + 1);
    if (w > 1) cell(w - 1, w - 2, 0);
  }
}
