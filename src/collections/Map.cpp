#include "collections/Map.h"

#include <cstdint>
#include <cstring>

#include "collections/List.h"
#include "collections/MapIndex.h"
#include "collections/collections.h"
#include "defobj/Zone.h"
#include "defobj/archiving_messages.h"
#include "defobj/hdf5_messages.h"
#include "defobj/phase.h"

namespace {

int32_t signedWord(id key) { return static_cast<int32_t>(reinterpret_cast<uintptr_t>(key)); }
uint32_t unsignedWord(id key) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(key)); }

template <class T>
int order(T a, T b) {
  return a < b ? -1 : a > b ? 1 : 0;
}

MapEntry* entryOf(id member) { return reinterpret_cast<MapEntry*>(member); }

// Keyed searches make their list index without a message send and drop it
// with the root object's drop.
void dropIndex(id index) { static_cast<Object_s*>(index)->drop(); }

}  // namespace

int compareCStrings(id a, id b) {
  return std::strcmp(reinterpret_cast<const char*>(a), reinterpret_cast<const char*>(b));
}
int compareIntegers(id a, id b) { return order(signedWord(a), signedWord(b)); }
int compareUnsignedIntegers(id a, id b) { return order(unsignedWord(a), unsignedWord(b)); }
int compareIDs(id a, id b) { return order(reinterpret_cast<uintptr_t>(a), reinterpret_cast<uintptr_t>(b)); }

// --- creating ---

void Map_c::setCompareFunction(compare_t function) { compareFunc = function; }
void Map_c::setCompareCStrings() { compareFunc = compareCStrings; }
void Map_c::setCompareIDs() { compareFunc = compareIDs; }
void Map_c::setCompareIntegers() { compareFunc = compareIntegers; }
void Map_c::setCompareUnsignedIntegers() { compareFunc = compareUnsignedIntegers; }

id Map_c::createEnd() {
  if (isa->info & CLS_CUSTOMIZING) {
    msg::_setCreateByMessage_toCopy(this, msg::createEnd.sel, this);
    return this;
  }
  list = msg::create(List, componentZoneOf(zone()));
  zbits |= BitInternalAlloc;
  return CreateDrop_s::createEnd();
}

// --- keyed operations ---

compare_t Map_c::getCompareFunction() { return compareFunc; }

int Map_c::compareKey(id entryKey, id key) const {
  return compareFunc ? compareFunc(entryKey, key) : msg::compare(entryKey, key);
}

MapEntry* Map_c::seek(id listIndex, id key, bool stopAtGreater) const {
  while (MapEntry* entry = entryOf(msg::next(listIndex))) {
    const int c = compareKey(entry->key, key);
    if (c == 0) return entry;
    if (c > 0 && stopAtGreater) break;
  }
  return nullptr;
}

MapEntry* Map_c::newEntry(id zone, id key, id member) {
  auto* entry = static_cast<MapEntry*>(msg::allocBlock(zone, sizeof(MapEntry)));
  entry->key = key;
  entry->member = member;
  return entry;
}

id Map_c::at(id key) {
  id index = beginLinkedList(list);
  MapEntry* entry = seek(index, key, false);
  dropIndex(index);
  return entry ? entry->member : nil;
}

BOOL Map_c::at_insert(id key, id member) {
  id index = beginLinkedList(list);
  const BOOL inserted = !seek(index, key, true);
  if (inserted) {
    // The index stands on the first greater entry, or at End.
    msg::addBefore(index, reinterpret_cast<id>(newEntry(zone(), key, member)));
    count++;
  }
  dropIndex(index);
  return inserted;
}

id Map_c::at_replace(id key, id member) {
  id index = beginLinkedList(list);
  MapEntry* entry = seek(index, key, false);
  dropIndex(index);
  if (!entry) return nil;
  id former = entry->member;
  entry->member = member;
  return former;
}

BOOL Map_c::findOrInsert(id key, id** keySlot, id** memberSlot) {
  id index = beginLinkedList(list);
  MapEntry* entry = seek(index, key, true);
  const BOOL inserted = !entry;
  if (inserted) {
    entry = newEntry(zone(), key, *memberSlot ? **memberSlot : nil);
    msg::addBefore(index, reinterpret_cast<id>(entry));
    count++;
  }
  dropIndex(index);
  *memberSlot = &entry->member;
  if (keySlot) *keySlot = &entry->key;
  return inserted;
}

BOOL Map_c::at_memberSlot(id key, id** memberSlot) { return findOrInsert(key, nullptr, memberSlot); }

BOOL Map_c::at_keySlot_memberSlot(id key, id** keySlot, id** memberSlot) {
  return findOrInsert(key, keySlot, memberSlot);
}

BOOL Map_c::containsKey(id key) {
  id index = beginLinkedList(list);
  const BOOL found = seek(index, key, false) != nullptr;
  dropIndex(index);
  return found;
}

id Map_c::removeKey(id key) {
  id index = beginLinkedList(list);
  MapEntry* entry = seek(index, key, true);
  id member = nil;
  if (entry) {
    msg::remove_(index);
    member = entry->member;
    msg::freeBlock_blockSize(zone(), entry, sizeof(MapEntry));
    count--;
  }
  dropIndex(index);
  return member;
}

// --- walks over the keys ---

template <class Visit>
void Map_c::eachKey(Visit visit) {
  id index = beginLinkedList(list);
  while (MapEntry* entry = entryOf(msg::next(index)))
    if (!visit(entry->key)) break;
  dropIndex(index);
}

void Map_c::forEachKey(SEL sel) {
  eachKey([&](id key) { return msg::perform(key, sel), true; });
}

void Map_c::forEachKey_(SEL sel, id a) {
  eachKey([&](id key) { return msg::perform_with(key, sel, a), true; });
}

void Map_c::forEachKey__(SEL sel, id a, id b) {
  eachKey([&](id key) { return msg::perform_with_with(key, sel, a, b), true; });
}

void Map_c::forEachKey___(SEL sel, id a, id b, id c) {
  eachKey([&](id key) { return msg::perform_with_with_with(key, sel, a, b, c), true; });
}

// An empty map has no two keys of different classes.
BOOL Map_c::allSameKeyClass() {
  BOOL same = YES, first = YES;
  Class firstClass = nil;
  eachKey([&](id key) {
    Class cls = key ? key->isa : nil;
    if (first) {
      firstClass = cls;
      first = NO;
      return true;
    }
    same = cls == firstClass;
    return static_cast<bool>(same);
  });
  return same;
}

BOOL Map_c::allSameClass() {
  if (!Collection_any::allSameClass()) return NO;
  return compareFunc ? YES : allSameKeyClass();
}

// --- copies, indexes, allocations ---

// The copy owns its entries and inner list in its own zone, so either map
// can be dropped without the other.
id Map_c::copy(id zone) {
  auto* copy = static_cast<Map_c*>(msg::copyIVars(zone, this));
  copy->zbits |= BitInternalAlloc;
  copy->list = msg::create(List, componentZoneOf(zone));
  id index = beginLinkedList(list);
  while (MapEntry* entry = entryOf(msg::next(index)))
    msg::addLast(copy->list, reinterpret_cast<id>(newEntry(zone, entry->key, entry->member)));
  dropIndex(index);
  return copy;
}

void Map_c::mapAllocations(mapalloc_t mapalloc) {
  id index = beginLinkedList(list);
  while (MapEntry* entry = entryOf(msg::next(index))) mapBlock(mapalloc, entry, sizeof(MapEntry));
  dropIndex(index);
  mapInternalObject(mapalloc, list);
}

id Map_c::begin(id zone) {
  return makeMapIndex(reinterpret_cast<Class>(id_MapIndex_c), zone, this, beginLinkedList(list));
}

id Map_c::_createIndex_forIndexSubclass(id zone, Class indexClass) {
  return makeMapIndex(indexClass, componentZoneOf(zone), this, beginLinkedList(list));
}

id Map_c::_createPermutedIndex_forIndexSubclass(id zone, Class indexClass) {
  id indexZone = componentZoneOf(zone);
  return makeMapIndex(indexClass, indexZone, this, msg::beginPermuted(list, indexZone));
}

id Map_c::createIndex_fromMember(id zone, id member) {
  id index = _createIndex_forIndexSubclass(zone, reinterpret_cast<Class>(id_MapIndex_c));
  id listIndex = static_cast<MapIndex_c*>(index)->listIndex;
  while (MapEntry* entry = entryOf(msg::next(listIndex)))
    if (entry->member == member) return index;
  msg::drop(index);
  return nil;
}

REGISTER_CLASS(Map_c, Collection_any,
  ivar(&Map_c::list, "list"),
  ivar(&Map_c::compareFunc, "compareFunc"),
  phase(Phase::Creating),
  method<&Map_c::setCompareFunction>(msg::setCompareFunction),
  method<&Map_c::setCompareCStrings>(msg::setCompareCStrings),
  method<&Map_c::setCompareIDs>(msg::setCompareIDs),
  method<&Map_c::setCompareIntegers>(msg::setCompareIntegers),
  method<&Map_c::setCompareUnsignedIntegers>(msg::setCompareUnsignedIntegers),
  method<&Map_c::createEnd>(msg::createEnd),
  method<&Map_c::lispInCreate>(msg::lispInCreate),
  method<&Map_c::hdf5InCreate>(msg::hdf5InCreate),
  phase(Phase::Setting),
  method<&Map_c::lispIn>(msg::lispIn),
  method<&Map_c::hdf5In>(msg::hdf5In),
  phase(Phase::Using),
  method<&Map_c::getCompareFunction>(msg::getCompareFunction),
  method<&Map_c::at>(msg::at),
  method<&Map_c::at_insert>(msg::at_insert),
  method<&Map_c::at_replace>(msg::at_replace),
  method<&Map_c::at_memberSlot>(msg::at_memberSlot),
  method<&Map_c::at_keySlot_memberSlot>(msg::at_keySlot_memberSlot),
  method<&Map_c::containsKey>(msg::containsKey),
  method<&Map_c::removeKey>(msg::removeKey),
  method<&Map_c::forEachKey>(msg::forEachKey),
  method<&Map_c::forEachKey_>(msg::forEachKey_),
  method<&Map_c::forEachKey__>(msg::forEachKey__),
  method<&Map_c::forEachKey___>(msg::forEachKey___),
  method<&Map_c::allSameKeyClass>(msg::allSameKeyClass),
  method<&Map_c::allSameClass>(msg::allSameClass),
  method<&Map_c::copy>(msg::copy),
  method<&Map_c::mapAllocations>(msg::mapAllocations),
  method<&Map_c::begin>(msg::begin),
  method<&Map_c::begin>(msg::mapBegin),
  method<&Map_c::_createIndex_forIndexSubclass>(msg::_createIndex_forIndexSubclass),
  method<&Map_c::_createPermutedIndex_forIndexSubclass>(msg::_createPermutedIndex_forIndexSubclass),
  method<&Map_c::createIndex_fromMember>(msg::createIndex_fromMember),
  method<&Map_c::lispOutShallow>(msg::lispOutShallow),
  method<&Map_c::lispOutDeep>(msg::lispOutDeep),
  method<&Map_c::hdf5OutShallow>(msg::hdf5OutShallow),
  method<&Map_c::hdf5OutDeep>(msg::hdf5OutDeep))
