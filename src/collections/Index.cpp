#include "collections/Index.h"

#include "collections/collections.h"
#include "defobj/phase.h"

id Index_any::getCollection() { return collection; }

id Index_any::findNext(id object) {
  while (msg::getLoc(this) != End) {
    id member = msg::next(this);
    if (member == object && msg::getLoc(this) == Member) return member;
  }
  return nil;
}

id Index_any::findPrev(id object) {
  while (msg::getLoc(this) != Start) {
    id member = msg::prev(this);
    if (member == object && msg::getLoc(this) == Member) return member;
  }
  return nil;
}

id Index_any::next() {
  raiseAt(SubclassMustImplement, "-[Index(any) _next]", "next not implemented");
  return nil;
}

id Index_any::prev() {
  raiseAt(SubclassMustImplement, "-[Index(any) _prev]", "prev not implemented");
  return nil;
}

id Index_any::get() {
  raiseAt(SubclassMustImplement, "-[Index(any) _get]", "get not implemented");
  return nil;
}

id Index_any::put(id) {
  raiseAt(SubclassMustImplement, "-[Index(any) _put:]", "put: not implemented");
  return nil;
}

id Index_any::remove_() {
  raiseAt(SubclassMustImplement, "-[Index(any) _remove]", "remove not implemented");
  return nil;
}

id Index_any::getLoc() {
  raiseAt(SubclassMustImplement, "-[Index(any) _getLoc]", "getLoc not implemented");
  return nil;
}

void Index_any::setLoc(id) { raiseAt(SubclassMustImplement, "-[Index(any) _setLoc:]", "setLoc: not implemented"); }

int Index_any::getOffset() {
  raiseAt(SubclassMustImplement, "-[Index(any) _getOffset]", "getOffset not implemented");
  return 0;
}

id Index_any::setOffset(int) {
  raiseAt(SubclassMustImplement, "-[Index(any) _setOffset:]", "setOffset: not implemented");
  return nil;
}

REGISTER_CLASS(Index_any, Object_s,
  ivar(&Index_any::collection, "collection"),
  phase(Phase::UsingOnly),
  method<&Index_any::getCollection>(msg::getCollection),
  method<&Index_any::findNext>(msg::findNext),
  method<&Index_any::findPrev>(msg::findPrev),
  method<&Index_any::next>(msg::next),
  method<&Index_any::prev>(msg::prev),
  method<&Index_any::get>(msg::get),
  method<&Index_any::put>(msg::put),
  method<&Index_any::remove_>(msg::remove_),
  method<&Index_any::getLoc>(msg::getLoc),
  method<&Index_any::setLoc>(msg::setLoc),
  method<&Index_any::getOffset>(msg::getOffset),
  method<&Index_any::setOffset>(msg::setOffset))
