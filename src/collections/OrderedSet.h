// Ordered sets: member-link lists that hold each member once.
#pragma once

#include "collections/List.h"

struct OrderedSet_c : List_mlinks {
  id createEnd();
  void add(id member);
  BOOL contains(id member);
  id remove(id member);
  id begin(id zone);
};

struct OrderedSetIndex_c : ListIndex_mlinks {};
