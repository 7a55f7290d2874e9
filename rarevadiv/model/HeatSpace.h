// The model's heat lattice: a diffusing, evaporating Diffuse2d that
// warmlings read (current buffer) and heat up (pending buffer).
#pragma once

#include "model/messages.h"
#include "space/Diffuse2d.h"

// A coordinate of a lattice that wraps around at its edges. Coordinates
// are at most one lattice off, so the two divisions are only the fallback.
inline int wrapCoordinate(int v, int size) {
  if (v < 0) {
    if (v >= -size) return v + size;
  } else if (v < size) {
    return v;
  } else if (v - size < size) {
    return v - size;
  }
  return (v % size + size) % size;
}

// The cells of a 3x3 neighbourhood.
inline constexpr int neighbourhoodSize = 9;

struct HeatSpace : Diffuse2d {
  id addHeat_X_Y(HeatValue heat, int x, int y);
  HeatValue findExtremeType_X_Y(HeatExtremeType type, int* px, int* py);

  HeatValue heatAt(int x, int y) const { return static_cast<HeatValue>(lattice[offsets[y] + x]); }
};
