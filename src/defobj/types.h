// Types shared by the object model's messages.
#pragma once

#include <cstdint>

#include "runtime/objc.h"

// The word after the class pointer: the owning zone (or the object's
// reference list) with flag bits in its low bits.
typedef uintptr_t zbits_t;
inline constexpr zbits_t BitComponentAlloc = 1;
inline constexpr zbits_t BitHasRefs = 2;
inline constexpr zbits_t BitInternalAlloc = 4;
inline constexpr zbits_t ZbitsFlags = 7;

// A reference notification: called with the dropped object, nil (or its
// new address) and the argument given to addRef:withArgument:.
typedef void (*notify_t)(id object, id reallocAddress, void* arg);
// A reference record: a notification to call when the object is dropped,
// or (without a function) a block the object owns, whose first word is its
// size. The last two words are the reference list's member link.
struct ref_s {
  notify_t function;
  void* argument;
  void* links[2];
};
typedef ref_s* ref_t;
inline constexpr int RefListLinkOffset = 16;

// The record with which an object reports its internal allocations.
typedef struct mapalloc_s* mapalloc_t;
struct mapalloc_s {
  void (*mappingFunction)(mapalloc_t mapalloc, BOOL objectAllocation);
  void* alloc;       // the allocation being reported
  id descriptor;     // t_ByteArray, t_LeafObject, t_PopulationObject
  id zone;           // the zone the allocation came from
  size_t size;       // block size, for t_ByteArray
};
