#include "collections/MapIndex.h"

#include "collections/Map.h"
#include "collections/collections.h"
#include "defobj/phase.h"

namespace {

MapEntry* entryOf(id member) { return reinterpret_cast<MapEntry*>(member); }

// The member of the entry a list-index step answered, and its key where
// the caller asks for it.
id answer(id entry, id* key) {
  MapEntry* e = entryOf(entry);
  if (!e) return nil;
  if (key) *key = e->key;
  return e->member;
}

}  // namespace

id makeMapIndex(Class indexClass, id zone, id map, id listIndex) {
  auto* index = static_cast<MapIndex_c*>(msg::allocIVars(zone, indexClass));
  index->collection = map;
  index->listIndex = listIndex;
  index->zbits |= BitInternalAlloc;
  return index;
}

id MapIndex_c::next() { return answer(msg::next(listIndex), nullptr); }
id MapIndex_c::prev() { return answer(msg::prev(listIndex), nullptr); }
id MapIndex_c::get() { return answer(msg::get(listIndex), nullptr); }
id MapIndex_c::next_(id* key) { return answer(msg::next(listIndex), key); }
id MapIndex_c::prev_(id* key) { return answer(msg::prev(listIndex), key); }
id MapIndex_c::get_(id* key) { return answer(msg::get(listIndex), key); }

id MapIndex_c::getKey() {
  MapEntry* entry = entryOf(msg::get(listIndex));
  return entry ? entry->key : nil;
}

id MapIndex_c::replace(id member) {
  MapEntry* entry = entryOf(msg::get(listIndex));
  if (!entry) return nil;
  id former = entry->member;
  entry->member = member;
  return former;
}

// The list index is left before the gap, so next goes on with the entry
// that followed the removed one.
id MapIndex_c::remove_() {
  MapEntry* entry = entryOf(msg::remove_(listIndex));
  auto* map = static_cast<Map_c*>(collection);
  id member = entry->member;
  msg::freeBlock_blockSize(map->zone(), entry, sizeof(MapEntry));
  map->count--;
  return member;
}

id MapIndex_c::setKey(id key) {
  msg::setLoc(listIndex, Start);
  if (MapEntry* entry = static_cast<Map_c*>(collection)->seek(listIndex, key, false)) return entry->member;
  msg::setLoc(listIndex, Start);
  return nil;
}

id MapIndex_c::getLoc() { return msg::getLoc(listIndex); }
void MapIndex_c::setLoc(id location) { msg::setLoc(listIndex, location); }
int MapIndex_c::getOffset() { return msg::getOffset(listIndex); }
// The list index answers the entry; the map's caller wants its member.
id MapIndex_c::setOffset(int offset) { return answer(msg::setOffset(listIndex, offset), nullptr); }

void MapIndex_c::mapAllocations(mapalloc_t mapalloc) { mapInternalObject(mapalloc, listIndex); }

REGISTER_CLASS(MapIndex_c, Index_any,
  ivar(&MapIndex_c::listIndex, "listIndex"),
  phase(Phase::UsingOnly),
  method<&MapIndex_c::next>(msg::next),
  method<&MapIndex_c::prev>(msg::prev),
  method<&MapIndex_c::get>(msg::get),
  method<&MapIndex_c::next_>(msg::next_),
  method<&MapIndex_c::prev_>(msg::prev_),
  method<&MapIndex_c::get_>(msg::get_),
  method<&MapIndex_c::getKey>(msg::getKey),
  method<&MapIndex_c::getKey>(msg::getKeyValue),
  method<&MapIndex_c::replace>(msg::replace),
  method<&MapIndex_c::remove_>(msg::remove_),
  method<&MapIndex_c::setKey>(msg::setKey),
  method<&MapIndex_c::getLoc>(msg::getLoc),
  method<&MapIndex_c::setLoc>(msg::setLoc),
  method<&MapIndex_c::getOffset>(msg::getOffset),
  method<&MapIndex_c::setOffset>(msg::setOffset),
  method<&MapIndex_c::mapAllocations>(msg::mapAllocations))
