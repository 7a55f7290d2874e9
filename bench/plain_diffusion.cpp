#include "plain_diffusion.h"

namespace {

inline intptr_t rule(intptr_t self, intptr_t orthogonal, intptr_t diagonal, double diffusion,
                     double evaporation) {
  const auto s = static_cast<int32_t>(4 * orthogonal + diagonal - 20 * self);
  const double v = ((s / 20.0) * diffusion + static_cast<double>(self)) * evaporation;
  if (v < 0) return 0;
  if (v + 0.5 >= 32767.0) return 32767;
  return static_cast<intptr_t>(v + 0.5);  // floor, as v + 0.5 is positive
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
