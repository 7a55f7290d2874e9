#include "collections/Collection.h"

#include "collections/collections.h"
#include "collections/PermutedIndex.h"
#include "collections/keyed_messages.h"
#include "defobj/phase.h"

namespace {

// Every generic operation walks the collection with its own index from
// _obj_scratchZone. The visitor answers NO to stop the walk.
template <class Visit>
void walk(Collection_any* collection, Visit visit) {
  id index = msg::begin(collection, _obj_scratchZone);
  for (id member = msg::next(index); msg::getLoc(index) == Member; member = msg::next(index))
    if (!visit(index, member)) break;
  msg::drop(index);
}

// An index standing on the member at the offset; the caller drops it.
id indexAtOffset(Collection_any* collection, unsigned offset) {
  if (offset >= collection->count) raiseDefaultAt(OffsetOutOfRange, "indexAtOffset");
  id index = msg::begin(collection, _obj_scratchZone);
  for (unsigned i = 0; i <= offset; i++) msg::next(index);
  return index;
}

}  // namespace

// --- creating ---

void Collection_any::setReplaceOnly(BOOL flag) {
  if (flag) bits |= BitReplaceOnly;
  else bits &= ~BitReplaceOnly;
}

void Collection_any::setIndexFromMemberLoc(int offset) {
  if (offset < -MemberLocBias || offset > 2048)
    raiseAt(InvalidArgument, "-[Collection(any) _setIndexFromMemberLoc:]",
            "> IndexFromMemberLoc must be within range of -2044 to +2048\n> value specified: %d\n", offset);
  bits = (bits & ((1u << MemberLocShift) - 1)) | static_cast<uint32_t>(offset + MemberLocBias) << MemberLocShift |
         BitIndexFromMemberLoc;
}

void Collection_any::setInitialValue(id) {
  raiseAt(SubclassMustImplement, "-[Collection(any) _setInitialValue:]", "setInitialValue: not implemented");
}

// --- using ---

BOOL Collection_any::getReplaceOnly() { return (bits & BitReplaceOnly) != 0; }
int Collection_any::getIndexFromMemberLoc() { return memberLoc(); }
unsigned Collection_any::getCount() { return count; }

BOOL Collection_any::contains(id object) {
  BOOL found = NO;
  walk(this, [&](id, id member) { return !(found = member == object); });
  return found;
}

id Collection_any::remove(id object) {
  id removed = nil;
  walk(this, [&](id index, id member) {
    if (member != object) return true;
    removed = msg::remove_(index);
    return false;
  });
  return removed;
}

void Collection_any::removeAll() {
  walk(this, [](id index, id) {
    msg::remove_(index);
    return true;
  });
}

void Collection_any::deleteAll() {
  walk(this, [](id index, id member) {
    msg::remove_(index);
    msg::drop(member);
    return true;
  });
}

// An empty collection has no two members of different classes.
BOOL Collection_any::allSameClass() {
  if (!count) return YES;
  BOOL same = YES, first = YES;
  Class firstClass = nil;
  walk(this, [&](id, id member) {
    Class cls = member ? member->isa : nil;
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

id Collection_any::begin(id) {
  raiseAt(SubclassMustImplement, "-[Collection(any) _begin:]", "begin: not implemented");
  return nil;
}

id Collection_any::beginPermuted(id zone) {
  id permuted = msg::createBegin(id_PermutedIndex_c, zone);
  msg::setCollection(permuted, this);
  return msg::createEnd(permuted);
}

id Collection_any::copy(id) {
  raiseAt(SubclassMustImplement, "-[Collection(any) _copy:]", "copy: not implemented");
  return nil;
}

id Collection_any::atOffset(unsigned offset) {
  id index = indexAtOffset(this, offset);
  id member = msg::get(index);
  msg::drop(index);
  return member;
}

id Collection_any::atOffset_put(unsigned offset, id object) {
  id index = indexAtOffset(this, offset);
  id former = msg::replace(index, object);
  msg::drop(index);
  return former;
}

id Collection_any::getFirst() { return atOffset(0); }
id Collection_any::getLast() { return atOffset(count - 1); }

void Collection_any::forEach(SEL sel) {
  walk(this, [&](id, id member) {
    if (member) msg::perform(member, sel);
    return true;
  });
}

void Collection_any::forEach_(SEL sel, id a) {
  walk(this, [&](id, id member) {
    if (member) msg::perform_with(member, sel, a);
    return true;
  });
}

void Collection_any::forEach__(SEL sel, id a, id b) {
  walk(this, [&](id, id member) {
    if (member) msg::perform_with_with(member, sel, a, b);
    return true;
  });
}

void Collection_any::forEach___(SEL sel, id a, id b, id c) {
  walk(this, [&](id, id member) {
    if (member) msg::perform_with_with_with(member, sel, a, b, c);
    return true;
  });
}

void Collection_any::describeForEach(id stream) {
  walk(this, [&](id, id member) {
    msg::describe(member, stream);
    return true;
  });
}

void Collection_any::describeForEachID(id stream) {
  walk(this, [&](id, id member) {
    msg::describeID(member, stream);
    return true;
  });
}

void Collection_any::describe(id stream) {
  Object_s::describe(stream);
  describeText(stream, "> number of members: %d\n", static_cast<int>(count));
}

REGISTER_CLASS(Collection_any, CreateDrop_s,
  ivar(&Collection_any::count, "count"),
  ivar(&Collection_any::bits, "bits"),
  phase(Phase::Creating),
  method<&Collection_any::setReplaceOnly>(msg::setReplaceOnly),
  method<&Collection_any::setIndexFromMemberLoc>(msg::setIndexFromMemberLoc),
  method<&Collection_any::setInitialValue>(msg::setInitialValue),
  phase(Phase::Setting),
  method<&Collection_any::getIndexFromMemberLoc>(msg::getIndexFromMemberLoc),
  phase(Phase::Using),
  method<&Collection_any::getReplaceOnly>(msg::getReplaceOnly),
  method<&Collection_any::getCount>(msg::getCount),
  method<&Collection_any::contains>(msg::contains),
  method<&Collection_any::remove>(msg::remove),
  method<&Collection_any::removeAll>(msg::removeAll),
  method<&Collection_any::deleteAll>(msg::deleteAll),
  method<&Collection_any::allSameClass>(msg::allSameClass),
  method<&Collection_any::begin>(msg::begin),
  method<&Collection_any::beginPermuted>(msg::beginPermuted),
  method<&Collection_any::copy>(msg::copy),
  method<&Collection_any::atOffset>(msg::atOffset),
  method<&Collection_any::atOffset_put>(msg::atOffset_put),
  method<&Collection_any::getFirst>(msg::getFirst),
  method<&Collection_any::getLast>(msg::getLast),
  method<&Collection_any::forEach>(msg::forEach),
  method<&Collection_any::forEach_>(msg::forEach_),
  method<&Collection_any::forEach__>(msg::forEach__),
  method<&Collection_any::forEach___>(msg::forEach___),
  method<&Collection_any::describeForEach>(msg::describeForEach),
  method<&Collection_any::describeForEachID>(msg::describeForEachID),
  method<&Collection_any::describe>(msg::describe))
