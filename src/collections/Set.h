// Sets: keyed collections whose keys are their members, compared by
// identity, over an inner linked list. A set keeps duplicates.
#pragma once

#include "collections/Collection.h"
#include "collections/Index.h"
#include "collections/keyed_messages.h"

struct Set_c : Collection_any {
  id list;  // the inner List

  // Creating.
  id createEnd();

  // Using.
  unsigned getCount();
  void add(id member);
  id at(id member);
  BOOL containsKey(id member);
  id removeKey(id member);
  id begin(id zone);
  id copy(id zone);
  void mapAllocations(mapalloc_t mapalloc);
  id replace(id member);
  BOOL at_memberSlot(id key, id** memberSlot);
  id createIndex_fromMember(id zone, id member);

  // Keeps the inherited count equal to the inner list's, so the generic
  // operations that read it (offsets, allSameClass) see every member.
  void syncCount();
};

struct SetIndex_c : Index_any {
  id listIndex;

  id next();
  id prev();
  id get();
  id replace(id member);
  id remove_();
  id getLoc();
  void setLoc(id location);
  int getOffset();
  id setOffset(int offset);
  void mapAllocations(mapalloc_t mapalloc);
};

extern id id_Set_c, id_SetIndex_c;
