// A dense array of an archive expression: #2((1 2) (3 4)) holds a 2 by 2
// array of long long values. The node keeps the elements in row-major
// order (last index fastest) in one block of its zone.
#pragma once

#include "defobj/CreateDrop.h"

extern id ArchiverArray;
extern id id_ArchiverArray_c;

struct ArchiverArray_c : CreateDrop_s {
  unsigned rank;
  unsigned* dims;  // owned, rank counts
  unsigned elementSize;
  unsigned elementCount;
  int type;        // fcall_type_t code of the elements
  void* data;      // owned, elementCount elements

  // Takes rank, dimensions, element type and values from a nested list of
  // value nodes, which must be rectangular and of one kind of value.
  void setArray(id list);
  // Writes exactly elementCount elements of the target type to dest.
  void convertToType_dest(int target, void* dest);
  unsigned getRank();
  unsigned* getDims();
  unsigned getElementCount();
  unsigned getElementSize();
  int getArrayType();
  void* getData();
  void lispOutDeep(id stream);
  void drop();
};

// A new array node in the zone made from the nested list, which it drops
// together with its members.
id archiverArrayFromList(id zone, id list);
