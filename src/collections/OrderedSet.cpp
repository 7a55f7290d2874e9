#include "collections/OrderedSet.h"

#include "collections/collections.h"
#include "defobj/Zone.h"
#include "defobj/phase.h"

// A set without its member offset would have nowhere to keep its links.
id OrderedSet_c::createEnd() {
  if (!(bits & BitIndexFromMemberLoc))
    raiseAt(InvalidCombination, "-[OrderedSet(c) _createEnd]", "> an ordered set requires IndexFromMemberLoc\n");
  return CreateDrop_s::createEnd();
}

void OrderedSet_c::add(id member) { msg::addLast(this, member); }

BOOL OrderedSet_c::contains(id member) {
  id index = msg::begin(this, componentZoneOf(zone()));
  const BOOL found = msg::findNext(index, member) != nil;
  msg::drop(index);
  return found;
}

id OrderedSet_c::remove(id member) {
  id index = msg::createIndex_fromMember(this, componentZoneOf(zone()), member);
  msg::remove_(index);
  msg::drop(index);
  return member;
}

id OrderedSet_c::begin(id zone) {
  static Class indexClass = objc_get_class("OrderedSetIndex_c");
  return _createIndex_forIndexSubclass(zone, indexClass);
}

REGISTER_CLASS(OrderedSet_c, List_mlinks,
  phase(Phase::Creating),
  method<&OrderedSet_c::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&OrderedSet_c::add>(msg::add),
  method<&OrderedSet_c::contains>(msg::contains),
  method<&OrderedSet_c::remove>(msg::remove),
  method<&OrderedSet_c::begin>(msg::begin))

REGISTER_CLASS(OrderedSetIndex_c, ListIndex_mlinks)
