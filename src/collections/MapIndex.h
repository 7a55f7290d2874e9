// Indexes of sorted maps: a list index over the map's entries (a linked
// list index, or a permuted index for a random-order walk), answering the
// members and, on request, the keys.
#pragma once

#include "collections/Index.h"
#include "collections/keyed_messages.h"

struct MapIndex_c : Index_any {
  id listIndex;

  id next();
  id prev();
  id get();
  id next_(id* key);
  id prev_(id* key);
  id get_(id* key);
  id getKey();
  id replace(id member);
  id remove_();
  id setKey(id key);
  id getLoc();
  void setLoc(id location);
  int getOffset();
  id setOffset(int offset);
  void mapAllocations(mapalloc_t mapalloc);
};

// A map index of the given class in zone, at Start, over the map's
// entries through listIndex.
id makeMapIndex(Class indexClass, id zone, id map, id listIndex);

extern id id_MapIndex_c;
