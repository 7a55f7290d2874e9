// Permutations: an array of items, one per member of a source collection,
// in shuffled order. Each item remembers in which direction a permuted
// walk last visited its member, and a permutation made to continue another
// carries those marks over by member identity.
#pragma once

#include <cstdint>

#include "collections/Array.h"
#include "misc/avl.h"

struct PermutationItem_c : CreateDrop_s {
  id item;                // the member
  int32_t position;       // its offset in the source; -1 once removed through a walk
  int32_t lastDirection;  // 1 visited by next, -1 by prev, 0 not visited

  // Creating.
  void setItem(id member);
  void setPosition(int offset);

  // Using.
  id getItem();
  int getPosition();
  void setLastDirection(int direction);
  void describe(id stream);
};

struct Permutation_c : Array_c {
  id collection;       // the source
  id shuffler;         // its own ListShuffler
  id rnd;              // the distribution given, or nil
  id lastPermutation;  // the permutation this one continues, or nil
  BOOL touchedFlag;    // an item was carried over with direction 1
  BOOL untouchedFlag;  // an item has direction 0

  // Creating.
  void setCollection(id source);
  void setLastPermutation(id last);
  void setUniformRandom(id distribution);
  id createEnd();

  // Using.
  id getCollection();
  BOOL getTouchedFlag();
  BOOL getUntouchedFlag();
  void mapAllocations(mapalloc_t mapalloc);

  // The items that a walk has visited, ordered by member address.
  avl_tree* createTree();
  PermutationItem_c* itemAt(unsigned offset) const { return reinterpret_cast<PermutationItem_c*>(block[offset]); }
};

extern id PermutationItem;  // the public type of the items
extern id id_PermutationItem_c, id_Permutation_c;
