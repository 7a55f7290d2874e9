#include "runtime/dispatch.h"

#include <cstdlib>
#include <cstring>

namespace {

void allocate(sarray* t, uint32_t capacity) {
  t->capacity = capacity;
  t->count = 0;
  t->keys = static_cast<uint32_t*>(std::calloc(capacity, sizeof(uint32_t)));
  t->imps = static_cast<IMP*>(std::calloc(capacity, sizeof(IMP)));
  if (!t->keys || !t->imps) std::abort();
}

void grow(sarray* t) {
  sarray old = *t;
  allocate(t, old.capacity * 2);
  for (uint32_t i = 0; i < old.capacity; i++)
    if (old.keys[i]) sarray_at_put_safe(t, old.keys[i] - 1, old.imps[i]);
  std::free(old.keys);
  std::free(old.imps);
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
  std::memcpy(t->keys, from->keys, from->capacity * sizeof(uint32_t));
  std::memcpy(t->imps, from->imps, from->capacity * sizeof(IMP));
  t->count = from->count;
  return t;
}

void sarray_at_put_safe(sarray* t, uint32_t uid, IMP imp) {
  const uint32_t key = uid + 1;
  for (;;) {
    const uint32_t mask = t->capacity - 1;
    for (uint32_t i = uid & mask;; i = (i + 1) & mask) {
      if (t->keys[i] == key) {
        t->imps[i] = imp;
        return;
      }
      if (t->keys[i] == 0) break;
    }
    // Keep the table at most half full so that probes stay short.
    if (2 * (t->count + 1) > t->capacity) {
      grow(t);
      continue;
    }
    for (uint32_t i = uid & mask;; i = (i + 1) & mask)
      if (t->keys[i] == 0) {
        t->keys[i] = key;
        t->imps[i] = imp;
        t->count++;
        return;
      }
  }
}

void sarray_free(sarray* t) {
  if (!t) return;
  std::free(t->keys);
  std::free(t->imps);
  std::free(t);
}
