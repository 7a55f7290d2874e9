// The diffusion-with-evaporation automaton on a toroidal lattice of values
// 0..32767: each step moves every cell toward the weighted mean of its
// eight neighbours, then scales it by the evaporation rate.
#pragma once

#include "space/Ca2d.h"

struct Diffuse2d : Ca2d {
  double diffusionConstant;
  double evaporationRate;

  static id createBegin(Class cls, id zone);
  static id create_setSizeX_Y_setDiffusionConstant_setEvaporationRate(
      Class cls, id zone, unsigned x, unsigned y, double diffusion, double evaporation);
  id initializeLattice();
  id setDiffusionConstant(double rate);
  id setEvaporationRate(double rate);
  id stepRule();
};
