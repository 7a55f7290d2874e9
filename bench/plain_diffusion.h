// The diffusion step written as a plain loop over plain cell arrays: the
// baseline that the heat lattice is measured against.
#pragma once

#include <cstddef>
#include <cstdint>

// One step from cells into next (w by h, row after row, wrapping at the
// edges), with the rounding and clamping of the heat lattice.
void plainDiffuse(const intptr_t* cells, intptr_t* next, unsigned w, unsigned h, double diffusion,
                  double evaporation);
