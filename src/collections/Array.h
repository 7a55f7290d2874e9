// Arrays: a fixed count of member slots in one block, addressed by offset
// in constant time. The block is the array's own or the caller's (an
// external member block); a default member fills the slots not given.
#pragma once

#include <cstddef>
#include <cstdint>

#include "collections/Collection.h"
#include "collections/Index.h"
#include "collections/keyed_messages.h"

// Option bits of an array (with BitInitialValue of every collection).
inline constexpr uint32_t BitMemberBlock = 0x04;  // the block belongs to the caller
inline constexpr uint32_t BitDefaultMember = 0x08;
inline constexpr uint32_t BitCountSet = 0x40;  // count given while creating

struct Array_c : Collection_any {
  id* block;        // the slots; while creating, the default member
  id initialValue;  // while creating: the collection to copy from

  static id create_setCount(Class cls, id zone, unsigned count);
  static id create_setMemberBlock_setCount(Class cls, id zone, id* block, unsigned count);

  // Creating.
  void setInitialValue(id initial);
  void setDefaultMember(id member);
  void setCount(unsigned count);
  void setMemberBlock_setCount(id* memberBlock, unsigned count);
  id createEnd();

  // Using.
  void resetDefaultMember(id member);
  void resetCount(unsigned count);
  void resetMemberBlock(id* memberBlock, unsigned count);
  id* getMemberBlock();
  id getDefaultMember();
  id atOffset(unsigned offset);
  id atOffset_put(unsigned offset, id member);
  id getFirst();
  id getLast();
  id begin(id zone);
  id copy(id zone);
  void describe(id stream);
  void mapAllocations(mapalloc_t mapalloc);

  // Archiving forms (CollectionArchiving.cpp).
  void lispOutShallow(id stream);
  void lispOutDeep(id stream);
  id lispInCreate(id expr);
  id lispIn(id expr);
  void hdf5OutShallow(id node);
  void hdf5OutDeep(id node);
  id hdf5In(id node);

  // Bytes of an owned block for n members: one slot at least, and the
  // default member's slot after the members.
  size_t blockSize(unsigned n) const;

 private:
  void buildBlock();
};

struct ArrayIndex_c : Index_any {
  id* memPtr;  // the current slot, or the symbol Start or End

  id next();
  id prev();
  id get();
  id put(id member);
  id getLoc();
  int getOffset();
  void setLoc(id location);
  id setOffset(int offset);
  int compare(id other);
  id remove_();
};

extern id id_Array_c, id_ArrayIndex_c;
