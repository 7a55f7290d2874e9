#include "collections/Permutation.h"

#include "collections/collections.h"
#include "defobj/Zone.h"
#include "defobj/phase.h"

namespace {

PermutationItem_c* itemOf(const void* item) { return static_cast<PermutationItem_c*>(const_cast<void*>(item)); }

int compareMembers(const void* a, const void* b, void*) {
  return avl_compare_pointers(itemOf(a)->item, itemOf(b)->item, nullptr);
}

}  // namespace

// --- items ---

void PermutationItem_c::setItem(id member) { item = member; }
void PermutationItem_c::setPosition(int offset) { position = offset; }
id PermutationItem_c::getItem() { return item; }
int PermutationItem_c::getPosition() { return position; }
void PermutationItem_c::setLastDirection(int direction) { lastDirection = direction; }

void PermutationItem_c::describe(id stream) {
  Object_s::describe(stream);
  msg::describe(item, stream);
  describeText(stream, "lastDirection: %d position: %u\n", lastDirection, static_cast<unsigned>(position));
}

// --- permutation ---

void Permutation_c::setCollection(id source) { collection = source; }
void Permutation_c::setLastPermutation(id last) { lastPermutation = last; }
void Permutation_c::setUniformRandom(id distribution) { rnd = distribution; }

id Permutation_c::createEnd() {
  if (!collection)
    raiseAt(InvalidArgument, "-[Permutation(c) _createEnd]", "Source collection required for Permutation");
  const unsigned n = msg::getCount(collection);
  count = n;
  Array_c::createEnd();

  const id zone = componentZoneOf(this->zone());
  shuffler = msg::createBegin(ListShuffler, zone);
  if (rnd) msg::setUniformRandom(shuffler, rnd);
  shuffler = msg::createEnd(shuffler);
  if (n == 0) return this;

  touchedFlag = untouchedFlag = NO;
  avl_tree* visited = lastPermutation ? static_cast<Permutation_c*>(lastPermutation)->createTree() : nullptr;
  id index = msg::begin(collection, _obj_scratchZone);
  unsigned i = 0;
  for (id member = msg::next(index); i < n && msg::getLoc(index) == Member; member = msg::next(index), i++) {
    id created = msg::createBegin(PermutationItem, zone);
    msg::setPosition(created, static_cast<int>(i));
    msg::setItem(created, member);
    PermutationItem_c* item = itemOf(msg::createEnd(created));
    PermutationItem_c key{};
    key.item = member;
    const PermutationItem_c* last = visited ? itemOf(avl_find(visited, &key)) : nullptr;
    if (last && last->position >= 0) {
      item->lastDirection = last->lastDirection;
      if (last->lastDirection == 1) touchedFlag = YES;
    } else {
      untouchedFlag = YES;
    }
    msg::atOffset_put(this, i, item);
  }
  if (visited) avl_destroy(visited, nullptr);
  msg::drop(index);
  msg::shuffleWholeList(shuffler, this);
  return this;
}

id Permutation_c::getCollection() { return collection; }
BOOL Permutation_c::getTouchedFlag() { return touchedFlag; }
BOOL Permutation_c::getUntouchedFlag() { return untouchedFlag; }

avl_tree* Permutation_c::createTree() {
  avl_tree* tree = avl_create(compareMembers, nullptr);
  for (unsigned i = 0; i < count; i++)
    if (PermutationItem_c* item = itemAt(i); item && item->lastDirection != 0) avl_insert(tree, item);
  return tree;
}

void Permutation_c::mapAllocations(mapalloc_t mapalloc) {
  for (unsigned i = 0; i < count; i++)
    if (PermutationItem_c* item = itemAt(i)) mapInternalObject(mapalloc, item);
  if (shuffler) mapInternalObject(mapalloc, shuffler);
  Array_c::mapAllocations(mapalloc);
}

REGISTER_CLASS(PermutationItem_c, CreateDrop_s,
  ivar(&PermutationItem_c::item, "item"),
  ivar(&PermutationItem_c::position, "position"),
  ivar(&PermutationItem_c::lastDirection, "lastDirection"),
  phase(Phase::Creating),
  method<&PermutationItem_c::setItem>(msg::setItem),
  method<&PermutationItem_c::setPosition>(msg::setPosition),
  phase(Phase::Using),
  method<&PermutationItem_c::getItem>(msg::getItem),
  method<&PermutationItem_c::getPosition>(msg::getPosition),
  method<&PermutationItem_c::setLastDirection>(msg::setLastDirection),
  method<&PermutationItem_c::describe>(msg::describe))

REGISTER_CLASS(Permutation_c, Array_c,
  ivar(&Permutation_c::collection, "collection"),
  ivar(&Permutation_c::shuffler, "shuffler"),
  ivar(&Permutation_c::rnd, "rnd"),
  ivar(&Permutation_c::lastPermutation, "lastPermutation"),
  ivar(&Permutation_c::touchedFlag, "touchedFlag"),
  ivar(&Permutation_c::untouchedFlag, "untouchedFlag"),
  phase(Phase::Creating),
  method<&Permutation_c::setCollection>(msg::setCollection),
  method<&Permutation_c::setLastPermutation>(msg::setLastPermutation),
  method<&Permutation_c::setUniformRandom>(msg::setUniformRandom),
  method<&Permutation_c::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&Permutation_c::getCollection>(msg::getCollection),
  method<&Permutation_c::getTouchedFlag>(msg::getTouchedFlag),
  method<&Permutation_c::getUntouchedFlag>(msg::getUntouchedFlag),
  method<&Permutation_c::mapAllocations>(msg::mapAllocations))
