// Permuted indexes: visit every member of a collection once in random
// order, also while the collection changes between steps. Every step
// rebuilds the permutation from the collection as it is, carrying the
// visited marks over, and reshuffles it.
#pragma once

#include "collections/Index.h"
#include "collections/Permutation.h"

// The inherited collection field holds the current Permutation.
struct PermutedIndex_c : Index_any {
  id index;       // an array index over the permutation's items
  BOOL nextFlag;  // the last step was a successful next

  static id createBegin(Class cls, id zone);
  void setCollection(id source);
  void setUniformRandom(id distribution);
  id createEnd();

  id next();
  id prev();
  id get();
  id getLoc();
  void setLoc(id location);
  int getOffset();
  id setOffset(int offset);
  id put(id member);
  id remove_();
  id reshuffle();
  void mapAllocations(mapalloc_t mapalloc);

 private:
  Permutation_c* permutation() const { return static_cast<Permutation_c*>(collection); }
  id location() const;
  void updatePermutation();
  void clearDirections();
};

extern id id_PermutedIndex_c;
