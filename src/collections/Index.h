// The base of every index: the collection it walks. Indexes are made by
// their collection's begin: and have no creation phases of their own.
#pragma once

#include "defobj/Object_s.h"

struct Index_any : Object_s {
  id collection;

  id getCollection();
  id findNext(id object);
  id findPrev(id object);

  // Each concrete index supplies these; the base refuses them.
  id next();
  id prev();
  id get();
  id put(id object);
  id remove_();
  id getLoc();
  void setLoc(id location);
  int getOffset();
  id setOffset(int offset);
};
