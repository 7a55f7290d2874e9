// The base of every collection: the member count, the option bits fixed
// while the collection is being created, and the generic operations that
// work through the collection's own index.
#pragma once

#include <cstdint>

#include "defobj/CreateDrop.h"

// Option bits of Collection_any::bits.
inline constexpr uint32_t BitReplaceOnly = 0x02;
inline constexpr uint32_t BitDequeOnly = 0x04;
inline constexpr uint32_t BitIndexFromMemberLoc = 0x10;
inline constexpr uint32_t BitInitialValue = 0x80;
inline constexpr int MemberLocShift = 20;  // offset + 2044 in bits 20 to 31
inline constexpr int MemberLocBias = 2044;

struct Collection_any : CreateDrop_s {
  uint32_t count;
  uint32_t bits;

  // Creating.
  void setReplaceOnly(BOOL flag);
  void setIndexFromMemberLoc(int offset);
  void setInitialValue(id initial);

  // Using.
  BOOL getReplaceOnly();
  int getIndexFromMemberLoc();
  unsigned getCount();
  BOOL contains(id object);
  id remove(id object);
  void removeAll();
  void deleteAll();
  BOOL allSameClass();
  id begin(id zone);
  id beginPermuted(id zone);
  id copy(id zone);
  id atOffset(unsigned offset);
  id atOffset_put(unsigned offset, id object);
  id getFirst();
  id getLast();
  void forEach(SEL sel);
  void forEach_(SEL sel, id a);
  void forEach__(SEL sel, id a, id b);
  void forEach___(SEL sel, id a, id b, id c);
  void describeForEach(id stream);
  void describeForEachID(id stream);
  void describe(id stream);

  // The member-link offset, without the message.
  int memberLoc() const { return static_cast<int>(bits >> MemberLocShift) - MemberLocBias; }
};
