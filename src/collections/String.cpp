#include "collections/String.h"

#include <cstring>

#include "collections/collections.h"
#include "collections/keyed_messages.h"
#include "collections/stream_messages.h"
#include "defobj/Class_s.h"
#include "defobj/archiving_messages.h"
#include "defobj/hdf5_messages.h"
#include "defobj/phase.h"

namespace {

// Every empty string points here; no string owns it.
const char emptyText[] = "";

}  // namespace

// --- creating ---

id String_c::createBegin(Class cls, id zone) {
  auto* s = static_cast<String_c*>(CreateDrop_s::createBegin(cls, zone));
  s->string = emptyText;
  return s;
}

id String_c::create_setC(Class cls, id zone, const char* text) {
  id s = msg::create(cls, zone);
  msg::setC(s, text);
  return s;
}

id String_c::createEnd() {
  // Later strings of a customized type are copies of this one.
  if (isa->info & CLS_CUSTOMIZING) msg::_setCreateByMessage_to(this, msg::copy.sel, this);
  zbits |= BitInternalAlloc;
  const id next = _obj_getNextPhase(isa);
  if (next && next != CreatingOnly && next != UsingOnly) isa = static_cast<Class>(next);
  return this;
}

// --- setting ---

void String_c::replaceText(char* text, int newCount) {
  if (count > 0) msg::freeBlock_blockSize(getZone(), const_cast<char*>(string), count + 1);
  string = text ? text : emptyText;
  count = newCount;
}

void String_c::setC(const char* text) {
  if (!text) raiseAt(InvalidArgument, "-[String(c) _setC:]", "> argument is nil\n");
  const size_t length = std::strlen(text);
  char* block = nullptr;
  if (length > 0) {
    block = static_cast<char*>(msg::allocBlock(getZone(), length + 1));
    std::memcpy(block, text, length + 1);
  }
  replaceText(block, static_cast<int>(length));
}

void String_c::setLiteralFlag(BOOL flag) { literalFlag = flag; }

void String_c::mapAllocations(mapalloc_t mapalloc) {
  if (count == 0) return;
  mapalloc->alloc = const_cast<char*>(string);
  mapalloc->descriptor = t_ByteArray;
  mapalloc->size = count + 1;
  mapalloc->mappingFunction(mapalloc, NO);
}

// --- using ---

const char* String_c::getC() { return string; }

void String_c::catC(const char* text) {
  if (!text) raiseAt(InvalidArgument, "-[String(c) _catC:]", "> argument is nil\n");
  const size_t length = std::strlen(text);
  if (count + length == 0) return;
  // Exactly the new length: strings keep no spare capacity.
  auto* block = static_cast<char*>(msg::allocBlock(getZone(), count + length + 1));
  std::memcpy(block, string, count);
  std::memcpy(block + count, text, length + 1);
  replaceText(block, count + static_cast<int>(length));
}

unsigned String_c::getCount() { return count; }
BOOL String_c::getLiteralFlag() { return literalFlag; }

id String_c::copy(id zone) {
  auto* s = static_cast<String_c*>(msg::copyIVars(zone, this));
  s->zbits |= BitInternalAlloc;
  if (count > 0) {
    auto* block = static_cast<char*>(msg::allocBlock(zone, count + 1));
    std::memcpy(block, string, count + 1);
    s->string = block;
  }
  return s;
}

int String_c::compare(id other) { return std::strcmp(string, msg::getC(other)); }

void String_c::describe(id stream) {
  Object_s::describe(stream);
  describeText(stream, "> number of characters: %d\n", count);
  if (count <= 64) describeText(stream, "> string value: %s\n", string);
  else describeText(stream, "> string value (first 50 characters): \"%.50s\"\n", string);
}

REGISTER_CLASS(String_c, CreateDrop_s,
  ivar(&String_c::string, "string"),
  ivar(&String_c::count, "count"),
  ivar(&String_c::literalFlag, "literalFlag"),
  classMethod<&String_c::createBegin>(msg::createBegin),
  classMethod<&String_c::create_setC>(msg::create_setC),
  phase(Phase::Creating),
  method<&String_c::createEnd>(msg::createEnd),
  phase(Phase::Setting),
  method<&String_c::setC>(msg::setC),
  method<&String_c::setLiteralFlag>(msg::setLiteralFlag),
  method<&String_c::mapAllocations>(msg::mapAllocations),
  method<&String_c::lispIn>(msg::lispIn),
  method<&String_c::hdf5In>(msg::hdf5In),
  phase(Phase::Using),
  method<&String_c::getC>(msg::getC),
  method<&String_c::catC>(msg::catC),
  method<&String_c::getCount>(msg::getCount),
  method<&String_c::getCount>(msg::count),
  method<&String_c::getCount>(msg::length),
  method<&String_c::getLiteralFlag>(msg::getLiteralFlag),
  method<&String_c::copy>(msg::copy),
  method<&String_c::compare>(msg::compare),
  method<&String_c::describe>(msg::describe),
  method<&String_c::lispOutShallow>(msg::lispOutShallow),
  method<&String_c::lispOutShallow>(msg::lispOutDeep),
  method<&String_c::hdf5OutShallow>(msg::hdf5OutShallow))
