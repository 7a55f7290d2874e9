// Shuffles a collection with offsets in place, with the draws of a uniform
// unsigned distribution (the shared uniformUnsRand unless one is given).
#pragma once

#include "defobj/CreateDrop.h"

struct ListShuffler_c : CreateDrop_s {
  id uniformRandom;

  static id create_setUniformRandom(Class cls, id zone, id distribution);

  // Creating.
  void setUniformRandom(id distribution);
  id createEnd();

  // Using.
  id shuffleWholeList(id list);
  id shufflePartialList_Num(id list, unsigned num);

 private:
  void shuffleFirst(id list, unsigned n);
};

extern id id_ListShuffler_c;
