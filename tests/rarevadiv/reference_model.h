// The warmling model written again in plain C++, for the tests to hold the
// model brood against: the seeding, the draws, the diffusion, the
// neighbourhood search and the warmling step, with the sequential update
// order. The twister itself is the standard library's.
#pragma once

#include <random>
#include <vector>

struct ModelParameters {
  int numBugs = 100;
  double evaporationRate = 0.99;
  double diffuseConstant = 1.0;
  int worldXSize = 80, worldYSize = 80;
  int minIdealTemp = 17000, maxIdealTemp = 31000;
  int minOutputHeat = 3000, maxOutputHeat = 10000;
  double randomMoveProbability = 0.0;
};

class ReferenceModel {
 public:
  struct Bug {
    int x, y, ideal, output;
    double unhappiness;
  };

  ReferenceModel(const ModelParameters& p, unsigned seed);
  void step();
  double averageUnhappiness() const;

  std::vector<Bug> bugs;
  std::vector<int> heat;       // current values, row after row
  std::vector<int> occupants;  // the world: a bug's index, or -1

 private:
  int cell(int x, int y) const { return wrap(y, h) * w + wrap(x, w); }
  static int wrap(int v, int size) { return (v % size + size) % size; }
  int drawInteger(int min, int max);
  double drawUnit();
  void diffuse();
  void stepBug(int index);
  void addHeat(int output, int x, int y);

  ModelParameters params;
  int w, h;
  std::mt19937 words;
  std::vector<int> pending;
};
