// The whole warmling model step written as plain C++ on plain arrays: the
// baseline that the engine's model step is measured against. It is built
// from the same seed with the same draws, so it computes the same steps.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

class PlainModel {
 public:
  struct Warmling {
    int x, y, ideal, output;
    double unhappiness;
  };

  // The model's default parameters on a width by height world.
  PlainModel(unsigned seed, int width, int height, int warmlings);
  void step();

  std::vector<intptr_t> heat;  // current values, row after row
  std::vector<int> occupants;  // the world: a warmling's index, or -1
  std::vector<Warmling> warmlings;

 private:
  struct Deposit {
    size_t cell;
    intptr_t value;
  };

  int drawInteger(int min, int max);
  double drawUnit();
  void stepWarmling(int index);

  int w, h;
  std::mt19937 words;
  std::vector<intptr_t> next;     // the diffused values the warmlings read
  std::vector<Deposit> deposits;  // the heat they leave, applied after all have stepped
};
