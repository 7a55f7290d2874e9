#include "collections/Array.h"

#include <algorithm>
#include <cstring>

#include "collections/collections.h"
#include "defobj/Class_s.h"
#include "defobj/address.h"
#include "defobj/archiving_messages.h"
#include "defobj/hdf5_messages.h"
#include "defobj/phase.h"

namespace {

// An index location stored in memPtr.
id* loc(id symbol) { return reinterpret_cast<id*>(symbol); }

Array_c* newUsingArray(Class cls, id zone) {
  return static_cast<Array_c*>(msg::allocIVars(zone, usingPhaseOf(cls)));
}

}  // namespace

size_t Array_c::blockSize(unsigned n) const {
  return (std::max(n, 1u) + ((bits & BitDefaultMember) ? 1 : 0)) * sizeof(id);
}

// --- creating ---

id Array_c::create_setCount(Class cls, id zone, unsigned count) {
  Array_c* array = newUsingArray(cls, zone);
  array->zbits |= BitInternalAlloc;
  array->count = count;
  array->buildBlock();
  return array;
}

id Array_c::create_setMemberBlock_setCount(Class cls, id zone, id* memberBlock, unsigned count) {
  Array_c* array = newUsingArray(cls, zone);
  array->bits |= BitMemberBlock;
  array->block = memberBlock;
  array->count = count;
  return array;
}

void Array_c::setInitialValue(id initial) {
  if (!msg::respondsTo(initial, msg::begin.sel)) raiseDefaultAt(InvalidArgument, "-[Array(c) _setInitialValue:]");
  if (bits & BitMemberBlock)
    raiseAt(InvalidCombination, "-[Array(c) _setInitialValue:]",
            "> cannot specify both an initial value and an external MemberAlloc\n");
  bits |= BitInitialValue;
  initialValue = initial;
}

void Array_c::setDefaultMember(id member) {
  if (bits & BitMemberBlock)
    raiseAt(InvalidCombination, "-[Array(c) _setDefaultMember:]",
            "> cannot specify both a DefaultMember and an external MemberAlloc\n");
  bits |= BitDefaultMember;
  block = reinterpret_cast<id*>(member);
}

void Array_c::setCount(unsigned n) {
  if (bits & BitMemberBlock)
    raiseAt(SourceMessage, "-[Array(c) _setCount:]", "> cannot set array count separate from an external MemberAlloc\n");
  bits |= BitCountSet;
  count = n;
}

void Array_c::setMemberBlock_setCount(id* memberBlock, unsigned n) {
  const char* function = "-[Array(c) _setMemberBlock:setCount:]";
  if (bits & BitInitialValue)
    raiseAt(InvalidCombination, function, "> cannot specify both an initial value and an external MemberAlloc\n");
  if (bits & BitDefaultMember)
    raiseAt(InvalidCombination, function, "> cannot specify both a DefaultMember and an external MemberAlloc\n");
  if (bits & BitCountSet)
    raiseAt(SourceMessage, function, "> cannot set array count separate from an external MemberAlloc\n");
  bits |= BitMemberBlock;
  block = memberBlock;
  count = n;
}

id Array_c::createEnd() {
  if (bits & BitMemberBlock) return CreateDrop_s::createEnd();  // a customized type copies this one
  if (isa->info & CLS_CUSTOMIZING) {
    msg::_setCreateByMessage_toCopy(this, msg::createEnd.sel, this);
    return this;
  }
  buildBlock();
  zbits |= BitInternalAlloc;
  return CreateDrop_s::createEnd();
}

// Takes the members of the initial value (up to a count given while
// creating), then fills the other slots with the default member or nil.
void Array_c::buildBlock() {
  const id defaultMember = (bits & BitDefaultMember) ? reinterpret_cast<id>(block) : nil;
  const id initial = (bits & BitInitialValue) ? initialValue : nil;
  initialValue = nil;
  unsigned copied = 0;
  if (initial) {
    const unsigned initialCount = msg::getCount(initial);
    if (bits & BitCountSet) copied = std::min(count, initialCount);
    else count = copied = initialCount;
  }
  const size_t slots = blockSize(count) / sizeof(id);
  block = static_cast<id*>(msg::allocBlock(zone(), blockSize(count)));
  if (copied && msg::respondsTo(initial, msg::getMemberBlock.sel)) {
    std::memcpy(static_cast<void*>(block), msg::getMemberBlock(initial), copied * sizeof(id));
  } else if (copied) {
    id index = msg::begin(initial, _obj_scratchZone);
    for (unsigned i = 0; i < copied; i++) block[i] = msg::next(index);
    msg::drop(index);
  }
  for (size_t i = copied; i < slots; i++) block[i] = i < count ? defaultMember : nil;
  if (defaultMember) block[count] = defaultMember;
}

// --- setting, after creation ---

void Array_c::resetDefaultMember(id member) {
  if (!(bits & BitDefaultMember))
    raiseAt(SourceMessage, "-[Array(c) _setDefaultMember:]",
            "> cannot reset DefaultMember unless also specified at create time\n");
  block[count] = member;
}

void Array_c::resetCount(unsigned n) {
  if (bits & BitMemberBlock)
    raiseAt(SourceMessage, "-[Array(c) _setCount:]", "> cannot set a new array count when using external MemberBlock\n");
  const id defaultMember = getDefaultMember();
  const size_t slots = blockSize(n) / sizeof(id);
  const unsigned kept = std::min(count, n);
  auto* newBlock = static_cast<id*>(msg::allocBlock(zone(), blockSize(n)));
  std::memcpy(static_cast<void*>(newBlock), block, kept * sizeof(id));
  for (size_t i = kept; i < slots; i++) newBlock[i] = i < n ? defaultMember : nil;
  if (bits & BitDefaultMember) newBlock[n] = defaultMember;
  msg::freeBlock_blockSize(zone(), block, blockSize(count));
  block = newBlock;
  count = n;
}

void Array_c::resetMemberBlock(id* memberBlock, unsigned n) {
  if (!(bits & BitMemberBlock))
    raiseAt(SourceMessage, "-[Array(c) _setMemberBlock:setCount:]",
            "> cannot reset MemberAlloc unless originally specified at create time\n");
  block = memberBlock;
  count = n;
}

// --- using ---

id* Array_c::getMemberBlock() { return block; }
id Array_c::getDefaultMember() { return (bits & BitDefaultMember) ? block[count] : nil; }

id Array_c::atOffset(unsigned offset) {
  if (offset >= count) raiseDefaultAt(OffsetOutOfRange, "-[Array(c) _atOffset:]");
  return block[offset];
}

id Array_c::atOffset_put(unsigned offset, id member) {
  if (offset >= count) raiseDefaultAt(OffsetOutOfRange, "-[Array(c) _atOffset:put:]");
  id former = block[offset];
  block[offset] = member;
  return former;
}

id Array_c::getFirst() {
  if (!count) raiseDefaultAt(OffsetOutOfRange, "-[Array(c) _getFirst]");
  return block[0];
}

id Array_c::getLast() {
  if (!count) raiseDefaultAt(OffsetOutOfRange, "-[Array(c) _getLast]");
  return block[count - 1];
}

id Array_c::begin(id zone) {
  auto* index = static_cast<ArrayIndex_c*>(msg::allocIVars(zone, reinterpret_cast<Class>(id_ArrayIndex_c)));
  index->collection = this;
  index->memPtr = loc(Start);
  return index;
}

// The copy owns a block of its own, also when this array's is external.
id Array_c::copy(id zone) {
  auto* copy = static_cast<Array_c*>(msg::copyIVars(zone, this));
  copy->bits &= ~BitMemberBlock;
  copy->zbits |= BitInternalAlloc;
  copy->block = static_cast<id*>(msg::allocBlock(zone, copy->blockSize(count)));
  std::memcpy(static_cast<void*>(copy->block), block,
              (count + ((bits & BitDefaultMember) ? 1 : 0)) * sizeof(id));
  return copy;
}

void Array_c::describe(id stream) {
  Collection_any::describe(stream);
  char text[AddressTextSize];
  if (bits & BitMemberBlock)
    describeText(stream, "> external member allocation at: %s\n", formatAddress(text, block));
  else if (bits & BitDefaultMember)
    describeText(stream, "> default member value: %s\n", formatAddress(text, getDefaultMember()));
}

void Array_c::mapAllocations(mapalloc_t mapalloc) {
  if (!(bits & BitMemberBlock)) mapBlock(mapalloc, block, blockSize(count));
}

// --- index ---

id ArrayIndex_c::next() {
  auto* array = static_cast<Array_c*>(collection);
  if (memPtr == loc(End)) raiseDefaultAt(AlreadyAtEnd, "-[ArrayIndex(c) _next]");
  id* slot = memPtr == loc(Start) ? array->block : memPtr + 1;
  if (slot >= array->block + array->count) {
    memPtr = loc(End);
    return nil;
  }
  memPtr = slot;
  return *slot;
}

id ArrayIndex_c::prev() {
  auto* array = static_cast<Array_c*>(collection);
  if (memPtr == loc(Start)) raiseDefaultAt(AlreadyAtStart, "-[ArrayIndex(c) _prev]");
  const long offset = memPtr == loc(End) ? static_cast<long>(array->count) - 1 : memPtr - array->block - 1;
  if (offset < 0) {
    memPtr = loc(Start);
    return nil;
  }
  memPtr = array->block + offset;
  return *memPtr;
}

id ArrayIndex_c::get() { return getLoc() == Member ? *memPtr : nil; }

id ArrayIndex_c::put(id member) {
  if (getLoc() != Member) return nil;
  id former = *memPtr;
  *memPtr = member;
  return former;
}

id ArrayIndex_c::getLoc() {
  if (memPtr == loc(Start)) return Start;
  return memPtr == loc(End) ? End : Member;
}

int ArrayIndex_c::getOffset() {
  return getLoc() == Member ? static_cast<int>(memPtr - static_cast<Array_c*>(collection)->block) : -1;
}

void ArrayIndex_c::setLoc(id location) {
  if (location != Start && location != End) raiseDefaultAt(InvalidArgument, "-[ArrayIndex(c) _setLoc:]");
  memPtr = loc(location);
}

id ArrayIndex_c::setOffset(int offset) {
  auto* array = static_cast<Array_c*>(collection);
  if (static_cast<unsigned>(offset) >= array->count) raiseDefaultAt(OffsetOutOfRange, "-[ArrayIndex(c) _setOffset:]");
  memPtr = array->block + offset;
  return *memPtr;
}

int ArrayIndex_c::compare(id other) {
  if (_obj_debug && (!msg::respondsTo(other, msg::getCollection.sel) || msg::getCollection(other) != collection))
    raiseDefaultAt(InvalidArgument, "-[ArrayIndex(c) _compare:]");
  return static_cast<ArrayIndex_c*>(other)->memPtr == memPtr ? 0 : 1;
}

id ArrayIndex_c::remove_() {
  raiseAt(SourceMessage, "-[ArrayIndex(c) _remove]",
          "> remove is not supported on any Array - can only replace members\n");
  return nil;
}

REGISTER_CLASS(Array_c, Collection_any,
  ivar(&Array_c::block, "block"),
  ivar(&Array_c::initialValue, "initialValue"),
  classMethod<&Array_c::create_setCount>(msg::create_setCount),
  classMethod<&Array_c::create_setMemberBlock_setCount>(msg::create_setMemberBlock_setCount),
  phase(Phase::Creating),
  method<&Array_c::setInitialValue>(msg::setInitialValue),
  method<&Array_c::setDefaultMember>(msg::setDefaultMember),
  method<&Array_c::setCount>(msg::setCount),
  method<&Array_c::setMemberBlock_setCount>(msg::setMemberBlock_setCount),
  method<&Array_c::createEnd>(msg::createEnd),
  method<&Array_c::lispInCreate>(msg::lispInCreate),
  phase(Phase::Setting),
  method<&Array_c::lispIn>(msg::lispIn),
  method<&Array_c::hdf5In>(msg::hdf5In),
  // The setting messages, once the array is made.
  phase(Phase::Using),
  method<&Array_c::resetDefaultMember>(msg::setDefaultMember),
  method<&Array_c::resetCount>(msg::setCount),
  method<&Array_c::resetMemberBlock>(msg::setMemberBlock_setCount),
  method<&Collection_any::getCount>(msg::count),
  method<&Array_c::getMemberBlock>(msg::getMemberBlock),
  method<&Array_c::getDefaultMember>(msg::getDefaultMember),
  method<&Array_c::atOffset>(msg::atOffset),
  method<&Array_c::atOffset_put>(msg::atOffset_put),
  method<&Array_c::getFirst>(msg::getFirst),
  method<&Array_c::getLast>(msg::getLast),
  method<&Array_c::begin>(msg::begin),
  method<&Array_c::copy>(msg::copy),
  method<&Array_c::describe>(msg::describe),
  method<&Array_c::mapAllocations>(msg::mapAllocations),
  method<&Array_c::lispOutShallow>(msg::lispOutShallow),
  method<&Array_c::lispOutDeep>(msg::lispOutDeep),
  method<&Array_c::hdf5OutShallow>(msg::hdf5OutShallow),
  method<&Array_c::hdf5OutDeep>(msg::hdf5OutDeep))

REGISTER_CLASS(ArrayIndex_c, Index_any,
  ivar(&ArrayIndex_c::memPtr, "memPtr"),
  phase(Phase::UsingOnly),
  method<&ArrayIndex_c::next>(msg::next),
  method<&ArrayIndex_c::prev>(msg::prev),
  method<&ArrayIndex_c::get>(msg::get),
  method<&ArrayIndex_c::put>(msg::put),
  method<&ArrayIndex_c::getLoc>(msg::getLoc),
  method<&ArrayIndex_c::getOffset>(msg::getOffset),
  method<&ArrayIndex_c::setLoc>(msg::setLoc),
  method<&ArrayIndex_c::setOffset>(msg::setOffset),
  method<&ArrayIndex_c::compare>(msg::compare),
  method<&ArrayIndex_c::remove_>(msg::remove_))
