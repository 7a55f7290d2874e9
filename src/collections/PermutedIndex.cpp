#include "collections/PermutedIndex.h"

#include "collections/collections.h"
#include "defobj/Zone.h"
#include "defobj/phase.h"
#include "misc/debugabort.h"

namespace {

PermutationItem_c* itemOf(id item) { return reinterpret_cast<PermutationItem_c*>(item); }

}  // namespace

// --- creating ---

// Like every index the permuted index has no phase classes: it is made
// from its class directly and keeps that class.
id PermutedIndex_c::createBegin(Class cls, id zone) {
  auto* index = static_cast<PermutedIndex_c*>(msg::allocIVars(zone, cls));
  index->collection = msg::createBegin(Permutation, componentZoneOf(zone));
  return index;
}

void PermutedIndex_c::setCollection(id source) { msg::setCollection(collection, source); }
void PermutedIndex_c::setUniformRandom(id distribution) { msg::setUniformRandom(collection, distribution); }

id PermutedIndex_c::createEnd() {
  collection = msg::createEnd(collection);
  index = msg::begin(collection, componentZoneOf(zone()));
  zbits |= BitInternalAlloc;
  return this;
}

// --- the walk ---

id PermutedIndex_c::location() const {
  const Permutation_c* p = permutation();
  if (!p->count) return End;
  if (!p->touchedFlag) return Start;
  return p->untouchedFlag || nextFlag ? Member : End;
}

void PermutedIndex_c::updatePermutation() {
  Permutation_c* old = permutation();
  id fresh = msg::createBegin(Permutation, componentZoneOf(zone()));
  msg::setCollection(fresh, old->collection);
  msg::setLastPermutation(fresh, old);
  msg::setUniformRandom(fresh, old->rnd);
  collection = msg::createEnd(fresh);

  const id where = location();
  PermutationItem_c* current = where == Member ? itemOf(msg::get(index)) : nullptr;
  const id currentMember = current ? current->item : nil;
  reshuffle();
  if (where == Member) {
    for (;;) {
      PermutationItem_c* item = itemOf(msg::next(index));
      if (msg::getLoc(index) == End || (item && item->item == currentMember)) break;
    }
  } else {
    msg::setLoc(index, where);
  }
  msg::drop(old);
}

// The location is computed anew on every pass: once no member is left to
// visit it is End, and the walk ends there.
id PermutedIndex_c::next() {
  updatePermutation();
  nextFlag = NO;
  while (location() != End) {
    PermutationItem_c* item = itemOf(msg::next(index));
    if (msg::getLoc(index) == End) {
      msg::setLoc(index, Start);
    } else if (item && item->position >= 0 && item->lastDirection != 1) {
      item->lastDirection = 1;
      nextFlag = YES;
      return item->item;
    }
  }
  return nil;
}

id PermutedIndex_c::prev() {
  updatePermutation();
  while (getLoc() != Start) {
    PermutationItem_c* item = itemOf(msg::prev(index));
    if (msg::getLoc(index) == Start) {
      msg::setLoc(index, End);
    } else if (item && item->position >= 0) {
      item->lastDirection = -1;
      return item->item;
    }
  }
  return nil;
}

id PermutedIndex_c::get() {
  PermutationItem_c* item = itemOf(msg::get(index));
  return item ? item->item : nil;
}

id PermutedIndex_c::getLoc() {
  updatePermutation();
  return location();
}

int PermutedIndex_c::getOffset() {
  updatePermutation();
  return msg::getOffset(index);
}

// A new location starts a new walk.
void PermutedIndex_c::clearDirections() {
  Permutation_c* p = permutation();
  for (unsigned i = 0; i < p->count; i++)
    if (PermutationItem_c* item = p->itemAt(i)) item->lastDirection = 0;
}

void PermutedIndex_c::setLoc(id where) {
  updatePermutation();
  clearDirections();
  msg::setLoc(index, where);
}

id PermutedIndex_c::setOffset(int offset) {
  updatePermutation();
  clearDirections();
  PermutationItem_c* item = itemOf(msg::setOffset(index, offset));
  return item ? item->item : nil;
}

id PermutedIndex_c::put(id member) {
  PermutationItem_c* item = itemOf(msg::get(index));
  if (!item || item->position < 0) debugabort(__FILE_NAME__, __LINE__, "-[PermutedIndex(c) _put:]");
  item->item = member;
  return msg::atOffset_put(permutation()->collection, static_cast<unsigned>(item->position), member);
}

id PermutedIndex_c::remove_() {
  PermutationItem_c* item = itemOf(msg::get(index));
  if (!item) debugabort(__FILE_NAME__, __LINE__, "-[PermutedIndex(c) _remove]");
  id at = msg::begin(permutation()->collection, _obj_scratchZone);
  msg::setOffset(at, item->position);
  id removed = msg::remove_(at);
  msg::drop(at);
  item->item = nil;
  item->position = -1;
  return removed;
}

id PermutedIndex_c::reshuffle() {
  msg::shuffleWholeList(permutation()->shuffler, collection);
  msg::drop(index);
  index = msg::begin(collection, componentZoneOf(zone()));
  return this;
}

void PermutedIndex_c::mapAllocations(mapalloc_t mapalloc) {
  mapInternalObject(mapalloc, collection);
  mapInternalObject(mapalloc, index);
}

REGISTER_CLASS(PermutedIndex_c, Index_any,
  ivar(&PermutedIndex_c::index, "index"),
  ivar(&PermutedIndex_c::nextFlag, "nextFlag"),
  classMethod<&PermutedIndex_c::createBegin>(msg::createBegin),
  phase(Phase::UsingOnly),
  method<&PermutedIndex_c::setCollection>(msg::setCollection),
  method<&PermutedIndex_c::setUniformRandom>(msg::setUniformRandom),
  method<&PermutedIndex_c::createEnd>(msg::createEnd),
  method<&PermutedIndex_c::next>(msg::next),
  method<&PermutedIndex_c::prev>(msg::prev),
  method<&PermutedIndex_c::get>(msg::get),
  method<&PermutedIndex_c::getLoc>(msg::getLoc),
  method<&PermutedIndex_c::setLoc>(msg::setLoc),
  method<&PermutedIndex_c::getOffset>(msg::getOffset),
  method<&PermutedIndex_c::setOffset>(msg::setOffset),
  method<&PermutedIndex_c::put>(msg::put),
  method<&PermutedIndex_c::remove_>(msg::remove_),
  method<&PermutedIndex_c::reshuffle>(msg::reshuffle),
  method<&PermutedIndex_c::mapAllocations>(msg::mapAllocations))
