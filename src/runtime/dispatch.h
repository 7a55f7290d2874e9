// Dispatch tables: open-addressing maps from a selector's name uid to its
// implementation, with every inherited method flattened in.
#pragma once

#include "runtime/objc.h"

struct sarray {
  uint32_t capacity;  // a power of two
  uint32_t count;
  uint32_t* keys;     // uid + 1; 0 marks a free slot
  IMP* imps;
};

inline IMP sarray_get(const sarray* t, uint32_t uid) {
  const uint32_t mask = t->capacity - 1, key = uid + 1;
  for (uint32_t i = uid & mask;; i = (i + 1) & mask) {
    if (t->keys[i] == key) return t->imps[i];
    if (t->keys[i] == 0) return nullptr;
  }
}
