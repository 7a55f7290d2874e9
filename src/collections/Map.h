// Sorted maps: entries {key, member} in ascending key order, kept in an
// inner linked list. Keys are objects ordered by compare:, or words
// ordered by a compare function; no two keys compare equal.
#pragma once

#include "collections/Collection.h"
#include "collections/keyed_messages.h"

// One entry, a block of the map's zone. Its address, and so the address of
// its member word, stays the same while the entry is in the map.
struct MapEntry {
  id key;
  id member;
};

struct Map_c : Collection_any {
  id list;                // the inner List of entries
  compare_t compareFunc;  // null: keys are objects compared with compare:

  // Creating.
  void setCompareFunction(compare_t function);
  void setCompareCStrings();
  void setCompareIDs();
  void setCompareIntegers();
  void setCompareUnsignedIntegers();
  id createEnd();

  // Using.
  compare_t getCompareFunction();
  id at(id key);
  BOOL at_insert(id key, id member);
  id at_replace(id key, id member);
  BOOL at_memberSlot(id key, id** memberSlot);
  BOOL at_keySlot_memberSlot(id key, id** keySlot, id** memberSlot);
  BOOL containsKey(id key);
  id removeKey(id key);
  void forEachKey(SEL sel);
  void forEachKey_(SEL sel, id a);
  void forEachKey__(SEL sel, id a, id b);
  void forEachKey___(SEL sel, id a, id b, id c);
  BOOL allSameKeyClass();
  BOOL allSameClass();
  id copy(id zone);
  void mapAllocations(mapalloc_t mapalloc);
  id begin(id zone);
  id _createIndex_forIndexSubclass(id zone, Class indexClass);
  id _createPermutedIndex_forIndexSubclass(id zone, Class indexClass);
  id createIndex_fromMember(id zone, id member);

  // Archiving forms (CollectionArchiving.cpp).
  void lispOutShallow(id stream);
  void lispOutDeep(id stream);
  id lispInCreate(id expr);
  id lispIn(id expr);
  id hdf5InCreate(id node);
  void hdf5OutShallow(id node);
  void hdf5OutDeep(id node);
  id hdf5In(id node);

  // compare(entry key, searched key), by function or by compare:.
  int compareKey(id entryKey, id key) const;
  // Answers the entry whose key equals key, walking list index from its
  // current place; with stopAtGreater the walk also halts, answering
  // null, on the first greater entry, where the index is left.
  MapEntry* seek(id listIndex, id key, bool stopAtGreater) const;

 private:
  MapEntry* newEntry(id zone, id key, id member);
  BOOL findOrInsert(id key, id** keySlot, id** memberSlot);
  // Calls visit with every key in order until it answers false.
  template <class Visit>
  void eachKey(Visit visit);
};

// The ready compare functions. Integer keys are the low 32 bits of the
// key word; identities compare as unsigned addresses.
int compareCStrings(id a, id b);
int compareIntegers(id a, id b);
int compareUnsignedIntegers(id a, id b);
int compareIDs(id a, id b);

extern id id_Map_c;
