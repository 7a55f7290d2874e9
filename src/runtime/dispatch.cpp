#include "runtime/dispatch.h"

#include <cstdlib>
#include <cstring>

namespace {

void allocate(sarray* t, uint32_t capacity) {
  t->capacity = capacity;
  t->count = 0;
  t->slots = static_cast<sarray_slot*>(std::calloc(capacity, sizeof(sarray_slot)));
  if (!t->slots) std::abort();
}

void grow(sarray* t) {
  sarray old = *t;
  allocate(t, old.capacity * 2);
  for (uint32_t i = 0; i < old.capacity; i++)
    if (old.slots[i].key) sarray_at_put_safe(t, old.slots[i].key - 1, old.slots[i].imp);
  std::free(old.slots);
}

}  // namespace

sarray* sarray_new() {
  auto* t = static_cast<sarray*>(std::malloc(sizeof(sarray)));
  if (!t) std::abort();
  allocate(t, 16);
  return t;
}

sarray* sarray_lazy_copy(const sarray* from) {
  auto* t = static_cast<sarray*>(std::malloc(sizeof(sarray)));
  if (!t) std::abort();
  allocate(t, from->capacity);
  std::memcpy(t->slots, from->slots, from->capacity * sizeof(sarray_slot));
  t->count = from->count;
  return t;
}

void sarray_at_put_safe(sarray* t, uint32_t uid, IMP imp) {
  const uint32_t key = uid + 1;
  for (;;) {
    const uint32_t mask = t->capacity - 1;
    for (uint32_t i = sarray_home(t, uid);; i = (i + 1) & mask) {
      if (t->slots[i].key == key) {
        t->slots[i].imp = imp;
        return;
      }
      if (t->slots[i].key == 0) break;
    }
    // Keep the table at most half full so that probes stay short.
    if (2 * (t->count + 1) > t->capacity) {
      grow(t);
      continue;
    }
    for (uint32_t i = sarray_home(t, uid);; i = (i + 1) & mask)
      if (t->slots[i].key == 0) {
        t->slots[i] = {key, imp};
        t->count++;
        return;
      }
  }
}

void sarray_free(sarray* t) {
  if (!t) return;
  std::free(t->slots);
  std::free(t);
}
