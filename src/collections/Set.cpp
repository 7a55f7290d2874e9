#include "collections/Set.h"

#include "collections/collections.h"
#include "defobj/Zone.h"
#include "defobj/phase.h"

// --- creating ---

id Set_c::createEnd() {
  if (isa->info & CLS_CUSTOMIZING) {
    msg::_setCreateByMessage_toCopy(this, msg::createEnd.sel, this);
    return this;
  }
  list = msg::create(List, componentZoneOf(zone()));
  zbits |= BitInternalAlloc;
  return CreateDrop_s::createEnd();
}

// --- using ---

void Set_c::syncCount() { count = msg::getCount(list); }

unsigned Set_c::getCount() { return msg::getCount(list); }

void Set_c::add(id member) {
  msg::addLast(list, member);
  syncCount();
}

id Set_c::at(id member) { return msg::contains(list, member) ? member : nil; }

BOOL Set_c::containsKey(id member) { return at(member) != nil; }

id Set_c::removeKey(id member) {
  id removed = msg::remove(list, member);
  syncCount();
  return removed;
}

id Set_c::begin(id zone) {
  auto* index = static_cast<SetIndex_c*>(msg::allocIVars(zone, reinterpret_cast<Class>(id_SetIndex_c)));
  index->collection = this;
  index->listIndex = msg::begin(list, componentZoneOf(zone));
  index->zbits |= BitInternalAlloc;
  return index;
}

// The copy holds the same members, in its own inner list.
id Set_c::copy(id zone) {
  auto* copy = static_cast<Set_c*>(msg::copyIVars(zone, this));
  copy->list = msg::create(List, componentZoneOf(zone));
  id index = msg::begin(list, _obj_scratchZone);
  for (id member = msg::next(index); msg::getLoc(index) == Member; member = msg::next(index))
    msg::addLast(copy->list, member);
  msg::drop(index);
  copy->syncCount();
  return copy;
}

void Set_c::mapAllocations(mapalloc_t mapalloc) { mapInternalObject(mapalloc, list); }

id Set_c::replace(id) {
  raiseDefaultAt(NotImplemented, "-[Set(c) _replace:]");
  return nil;
}

BOOL Set_c::at_memberSlot(id, id**) {
  raiseDefaultAt(NotImplemented, "-[Set(c) _at:memberSlot:]");
  return NO;
}

id Set_c::createIndex_fromMember(id, id) {
  raiseDefaultAt(NotImplemented, "-[Set(c) _createIndex:fromMember:]");
  return nil;
}

// --- index ---

id SetIndex_c::next() { return msg::next(listIndex); }
id SetIndex_c::prev() { return msg::prev(listIndex); }
id SetIndex_c::get() { return msg::get(listIndex); }
id SetIndex_c::replace(id member) { return msg::replace(listIndex, member); }

id SetIndex_c::remove_() {
  id removed = msg::remove_(listIndex);
  static_cast<Set_c*>(collection)->syncCount();
  return removed;
}

id SetIndex_c::getLoc() { return msg::getLoc(listIndex); }
void SetIndex_c::setLoc(id location) { msg::setLoc(listIndex, location); }
int SetIndex_c::getOffset() { return msg::getOffset(listIndex); }
id SetIndex_c::setOffset(int offset) { return msg::setOffset(listIndex, offset); }
void SetIndex_c::mapAllocations(mapalloc_t mapalloc) { mapInternalObject(mapalloc, listIndex); }

REGISTER_CLASS(Set_c, Collection_any,
  ivar(&Set_c::list, "list"),
  phase(Phase::Creating),
  method<&Set_c::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&Set_c::getCount>(msg::getCount),
  method<&Set_c::add>(msg::add),
  method<&Set_c::at>(msg::at),
  method<&Set_c::containsKey>(msg::contains),
  method<&Set_c::containsKey>(msg::containsKey),
  method<&Set_c::removeKey>(msg::remove),
  method<&Set_c::removeKey>(msg::removeKey),
  method<&Collection_any::forEach>(msg::forEachKey),
  method<&Collection_any::forEach_>(msg::forEachKey_),
  method<&Collection_any::forEach__>(msg::forEachKey__),
  method<&Collection_any::forEach___>(msg::forEachKey___),
  method<&Set_c::begin>(msg::begin),
  method<&Set_c::copy>(msg::copy),
  method<&Set_c::mapAllocations>(msg::mapAllocations),
  method<&Set_c::replace>(msg::replace),
  method<&Set_c::at_memberSlot>(msg::at_memberSlot),
  method<&Set_c::createIndex_fromMember>(msg::createIndex_fromMember))

REGISTER_CLASS(SetIndex_c, Index_any,
  ivar(&SetIndex_c::listIndex, "listIndex"),
  phase(Phase::UsingOnly),
  method<&SetIndex_c::next>(msg::next),
  method<&SetIndex_c::prev>(msg::prev),
  method<&SetIndex_c::get>(msg::get),
  method<&SetIndex_c::replace>(msg::replace),
  method<&SetIndex_c::remove_>(msg::remove_),
  method<&SetIndex_c::getLoc>(msg::getLoc),
  method<&SetIndex_c::setLoc>(msg::setLoc),
  method<&SetIndex_c::getOffset>(msg::getOffset),
  method<&SetIndex_c::setOffset>(msg::setOffset),
  method<&SetIndex_c::mapAllocations>(msg::mapAllocations))
