// Messages of the keyed and random-order collections: sorted maps, sets,
// arrays, permutations, permuted indexes and the shuffler.
#pragma once

#include "collections/messages.h"
#include "defobj/symbols.h"

// Orders two map keys: negative, zero or positive as the first key comes
// before, with or after the second.
typedef int (*compare_t)(id, id);

namespace msg {
// Compare functions of sorted maps (creating phase; getCompareFunction in use).
inline const Message<void(compare_t)> setCompareFunction{"setCompareFunction:"};
inline const Message<void()> setCompareCStrings{"setCompareCStrings"};
inline const Message<void()> setCompareIDs{"setCompareIDs"};
inline const Message<void()> setCompareIntegers{"setCompareIntegers"};
inline const Message<void()> setCompareUnsignedIntegers{"setCompareUnsignedIntegers"};
inline const Message<compare_t()> getCompareFunction{"getCompareFunction"};

// Keyed collections.
inline const Message<id(id)> at{"at:"};
inline const Message<BOOL(id, id)> at_insert{"at:insert:"};
inline const Message<id(id, id)> at_replace{"at:replace:"};
inline const Message<BOOL(id, id**)> at_memberSlot{"at:memberSlot:"};
inline const Message<BOOL(id, id**, id**)> at_keySlot_memberSlot{"at:keySlot:memberSlot:"};
inline const Message<BOOL(id)> containsKey{"containsKey:"};
inline const Message<id(id)> removeKey{"removeKey:"};
inline const Message<void(SEL)> forEachKey{"forEachKey:"};
inline const Message<void(SEL, id)> forEachKey_{"forEachKey::"};
inline const Message<void(SEL, id, id)> forEachKey__{"forEachKey:::"};
inline const Message<void(SEL, id, id, id)> forEachKey___{"forEachKey::::"};
inline const Message<BOOL()> allSameKeyClass{"allSameKeyClass"};
inline const Message<id(id)> mapBegin{"mapBegin:"};

// Keyed indexes.
inline const Message<id(id)> setKey{"setKey:"};
inline const Message<id()> getKey{"getKey"};
inline const Message<id()> getKeyValue{"getKeyValue"};
inline const Message<id(id*)> next_{"next:"};
inline const Message<id(id*)> prev_{"prev:"};
inline const Message<id(id*)> get_{"get:"};

// Arrays.
inline const Message<void(unsigned)> setCount{"setCount:"};
inline const Message<unsigned()> count{"count"};
inline const Message<id(id, unsigned)> create_setCount{"create:setCount:"};
inline const Message<void(id)> setDefaultMember{"setDefaultMember:"};
inline const Message<id()> getDefaultMember{"getDefaultMember"};
inline const Message<void(id*, unsigned)> setMemberBlock_setCount{"setMemberBlock:setCount:"};
inline const Message<id*()> getMemberBlock{"getMemberBlock"};
inline const Message<id(id, id*, unsigned)> create_setMemberBlock_setCount{"create:setMemberBlock:setCount:"};

// Shuffler.
inline const Message<void(id)> setUniformRandom{"setUniformRandom:"};
inline const Message<id(id, id)> create_setUniformRandom{"create:setUniformRandom:"};
inline const Message<id(id)> shuffleWholeList{"shuffleWholeList:"};
inline const Message<id(id, unsigned)> shufflePartialList_Num{"shufflePartialList:Num:"};

// Permutations and their items.
inline const Message<void(id)> setCollection{"setCollection:"};
inline const Message<void(id)> setLastPermutation{"setLastPermutation:"};
inline const Message<BOOL()> getTouchedFlag{"getTouchedFlag"};
inline const Message<BOOL()> getUntouchedFlag{"getUntouchedFlag"};
inline const Message<void(id)> setItem{"setItem:"};
inline const Message<id()> getItem{"getItem"};
inline const Message<void(int)> setPosition{"setPosition:"};
inline const Message<int()> getPosition{"getPosition"};
inline const Message<void(int)> setLastDirection{"setLastDirection:"};

// Permuted indexes.
inline const Message<id()> reshuffle{"reshuffle"};
}  // namespace msg

// Reports to a mapAllocations: walk: an object the owner keeps inside it,
// or a block of the owner's zone.
inline void mapInternalObject(mapalloc_t mapalloc, id object) {
  mapalloc->alloc = object;
  mapalloc->mappingFunction(mapalloc, YES);
}

inline void mapBlock(mapalloc_t mapalloc, void* block, size_t size) {
  mapalloc->alloc = block;
  mapalloc->descriptor = t_ByteArray;
  mapalloc->size = size;
  mapalloc->mappingFunction(mapalloc, NO);
}
