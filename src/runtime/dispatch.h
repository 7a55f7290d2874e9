// Dispatch tables: open-addressing maps from a selector's name uid to its
// implementation, with every inherited method flattened in.
#pragma once

#include "runtime/objc.h"

struct sarray_slot {
  uint32_t key;  // uid + 1; 0 marks a free slot
  IMP imp;
};

struct sarray {
  uint32_t capacity;  // a power of two
  uint32_t count;
  sarray_slot* slots;
};

// Where a uid's probe starts. The uids of one module's selectors come in
// runs, and so do a class's methods; taken as slot numbers they would fill
// runs of slots that other probes have to walk through. Fibonacci hashing
// (the top bits of the product) scatters neighbouring uids.
inline uint32_t sarray_home(const sarray* t, uint32_t uid) {
  return static_cast<uint32_t>(uid * 0x9E3779B9u) >> (__builtin_clz(t->capacity) + 1);
}

inline IMP sarray_get(const sarray* t, uint32_t uid) {
  const uint32_t mask = t->capacity - 1, key = uid + 1;
  for (uint32_t i = sarray_home(t, uid);; i = (i + 1) & mask) {
    const sarray_slot& slot = t->slots[i];
    if (slot.key == key) return slot.imp;
    if (slot.key == 0) return nullptr;
  }
}
