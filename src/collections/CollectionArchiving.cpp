// The archive-expression forms of lists, arrays, sorted maps and strings:
// what each writes through an OutputStream and reads back from nodes.
// Everything goes through the stream's node operations, so a node-mode
// stream (an archiver's) keeps every form that text shows.
#include <cstdint>
#include <cstring>

#include "collections/Array.h"
#include "collections/List.h"
#include "collections/Map.h"
#include "collections/String.h"
#include "collections/collections.h"
#include "collections/predicates.h"
#include "collections/stream_messages.h"
#include "defobj/fcall_type.h"
#include "defobj/lispIn.h"
#include "defobj/zstrdup.h"
#include "misc/debugabort.h"

namespace {

// A member or key of a collection; nil stays nil when read back.
void writeObject(id object, id stream, BOOL deep) {
  if (!object) msg::catNil(stream);
  else if (deep) msg::lispOutDeep(object, stream);
  else msg::lispOutShallow(object, stream);
}

void writeKeyword(id stream, const char* name) {
  msg::catSeparator(stream);
  msg::catKeyword(stream, name);
  msg::catSeparator(stream);
}

// " #:replace-only #t" when the option is set.
void writeAttributes(Collection_any* collection, id stream) {
  if (!(collection->bits & BitReplaceOnly)) return;
  writeKeyword(stream, "replace-only");
  msg::catBoolean(stream, YES);
}

bool isKeyword(id node, const char* name) { return std::strcmp(msg::getKeywordName(node), name) == 0; }

// The shared options of every collection, for the keyword under the index
// (whose value the index then passes); NO for any other keyword.
BOOL readAttribute(id collection, id index) {
  if (!isKeyword(msg::get(index), "replace-only")) return NO;
  msg::setReplaceOnly(collection, lispInBoolean(index));
  return YES;
}

void readOtherKeyword(id collection, id index, const char* function) {
  if (!readAttribute(collection, index))
    raiseAt(InvalidArgument, function, "unknown keyword `%s'", msg::getKeywordName(msg::get(index)));
}

// Walks the elements after the type: each keyword goes to keyword() with
// the index on it, which takes the keyword's value; every other element
// goes to member().
template <class K, class M>
void walkElements(id expr, K&& keyword, M&& member) {
  id index = msg::begin(expr, _obj_scratchZone);
  for (id element = msg::next(index); msg::getLoc(index) == Member; element = msg::next(index)) {
    if (keywordp(element)) keyword(element, index);
    else member(element);
  }
  msg::drop(index);
}

// Members only: each keyword is passed with its value.
template <class M>
void walkMembers(id expr, M&& member) {
  walkElements(expr, [](id, id index) { msg::next(index); }, member);
}

const struct {
  const char* name;
  compare_t function;
} compareNames[] = {{"compare-ids", compareIDs},
                    {"compare-integers", compareIntegers},
                    {"compare-unsigned-integers", compareUnsignedIntegers},
                    {"compare-c-strings", compareCStrings}};

const char* compareFunctionName(compare_t function) {
  for (const auto& entry : compareNames)
    if (entry.function == function) return entry.name;
  return nullptr;
}

void setCompareFunctionByName(id map, const char* name) {
  for (const auto& entry : compareNames)
    if (std::strcmp(entry.name, name) == 0) {
      msg::setCompareFunction(map, entry.function);
      return;
    }
  raiseAt(InvalidArgument, "setCompareFunctionByName", "Unknown compare function: %s", name);
}

void writeList(List_any* list, id stream, BOOL deep) {
  msg::catStartMakeInstance(stream, msg::getTypeName(list));
  msg::catSeparator(stream);
  id index = msg::begin(list, _obj_scratchZone);
  for (id member = msg::next(index); msg::getLoc(index) == Member; member = msg::next(index))
    if (member) writeObject(member, stream, deep);
  msg::drop(index);
  writeAttributes(list, stream);
  if (list->bits & BitIndexFromMemberLoc) {
    writeKeyword(stream, "index-from-member-loc");
    msg::catInt(stream, list->memberLoc());
  }
  msg::catEndExpr(stream);
}

void writeArray(Array_c* array, id stream, BOOL deep) {
  msg::catStartMakeInstance(stream, msg::getTypeName(array));
  msg::catSeparator(stream);
  if (array->bits & BitDefaultMember) {
    msg::catKeyword(stream, "default-value-set");
    msg::catSeparator(stream);
    writeObject(array->getDefaultMember(), stream, deep);
  }
  msg::catSeparator(stream);
  for (unsigned i = 0; i < array->count; i++)
    if (id member = array->block[i]) writeObject(member, stream, deep);
  writeAttributes(array, stream);
  msg::catEndExpr(stream);
}

void writeMapKey(compare_t function, id key, id stream, BOOL deep) {
  const auto word = reinterpret_cast<uintptr_t>(key);
  if (function == compareUnsignedIntegers) msg::catUnsigned(stream, static_cast<uint32_t>(word));
  else if (function == compareIntegers) msg::catInt(stream, static_cast<int32_t>(word));
  else if (function == compareCStrings) msg::catString(stream, reinterpret_cast<const char*>(key));
  else if (!function || function == compareIDs) writeObject(key, stream, deep);
  else debugabort(__FILE_NAME__, __LINE__, "-[Map(c) __lispOut::deep:]");
}

void writeMap(Map_c* map, id stream, BOOL deep) {
  msg::catStartMakeInstance(stream, msg::getTypeName(map));
  id index = msg::begin(map, _obj_scratchZone);
  id key;
  for (id member = msg::next_(index, &key); msg::getLoc(index) == Member; member = msg::next_(index, &key)) {
    msg::catSeparator(stream);
    msg::catStartCons(stream);
    msg::catSeparator(stream);
    writeMapKey(map->compareFunc, key, stream, deep);
    msg::catSeparator(stream);
    writeObject(member, stream, deep);
    msg::catEndCons(stream);
  }
  msg::drop(index);
  writeAttributes(map, stream);
  if (map->compareFunc) {
    const char* name = compareFunctionName(map->compareFunc);
    if (!name) raiseAt(InvalidArgument, "-[Map(c) __lispOut::deep:]", "Unknown compare function");
    writeKeyword(stream, "compare-function");
    msg::catKeyword(stream, name);
  }
  msg::catEndExpr(stream);
}

// A map key from its node: an integer, a C string or String copy, or an
// object.
id readMapKey(Map_c* map, id node) {
  id zone = map->getZone();
  if (valuep(node)) {
    if (msg::getValueType(node) != fcall_type_slonglong)
      raiseAt(InvalidArgument, "-[Map(c) _lispIn:]", "ArchiverValue not integer");
    return reinterpret_cast<id>(static_cast<intptr_t>(msg::getLongLong(node)));
  }
  if (stringp(node))
    return map->compareFunc == compareCStrings ? reinterpret_cast<id>(zstrdup(zone, msg::getC(node)))
                                               : msg::copy(node, zone);
  return lispIn(zone, node);
}

}  // namespace

// --- lists ---

void List_any::lispOutShallow(id stream) { writeList(this, stream, NO); }
void List_any::lispOutDeep(id stream) { writeList(this, stream, YES); }

id List_any::lispInCreate(id expr) {
  walkElements(
      expr,
      [&](id keyword, id index) {
        if (isKeyword(keyword, "index-from-member-loc"))
          msg::setIndexFromMemberLoc(this, lispInInteger(index));
        else if (isKeyword(keyword, "initial-value-set"))
          msg::setInitialValue(this, ::lispIn(getZone(), msg::next(index)));
        else
          readOtherKeyword(this, index, "-[List(any) _lispInCreate:]");
      },
      [](id) {});
  return this;
}

id List_any::lispIn(id expr) {
  walkMembers(expr, [&](id element) {
    if (id member = ::lispIn(getZone(), element)) msg::addLast(this, member);
  });
  return this;
}

// --- arrays ---

void Array_c::lispOutShallow(id stream) { writeArray(this, stream, NO); }
void Array_c::lispOutDeep(id stream) { writeArray(this, stream, YES); }

id Array_c::lispInCreate(id expr) {
  walkElements(
      expr,
      [&](id keyword, id index) {
        if (isKeyword(keyword, "default-value-set"))
          msg::setDefaultMember(this, ::lispIn(getZone(), msg::next(index)));
        else
          readOtherKeyword(this, index, "-[Array(c) _lispInCreate:]");
      },
      [](id) {});
  return this;
}

// One slot per member element, in order.
id Array_c::lispIn(id expr) {
  unsigned members = 0;
  walkMembers(expr, [&](id) { members++; });
  msg::setCount(this, members);
  unsigned slot = 0;
  walkMembers(expr, [&](id element) { msg::atOffset_put(this, slot++, ::lispIn(getZone(), element)); });
  return this;
}

// --- maps ---

void Map_c::lispOutShallow(id stream) { writeMap(this, stream, NO); }
void Map_c::lispOutDeep(id stream) { writeMap(this, stream, YES); }

id Map_c::lispInCreate(id expr) {
  walkElements(
      expr,
      [&](id keyword, id index) {
        if (isKeyword(keyword, "compare-function"))
          setCompareFunctionByName(this, msg::getKeywordName(lispInKeyword(index)));
        else
          readOtherKeyword(this, index, "-[Map(c) _lispInCreate:]");
      },
      [](id) {});
  return this;
}

id Map_c::lispIn(id expr) {
  walkMembers(expr, [&](id element) {
    id pair = quotedp(element) ? msg::getQuotedObject(element) : element;
    if (!pairp(pair))
      raiseAt(InvalidArgument, "-[Map(c) _lispIn:]", "Expecting quoted dotted pair or cons expression");
    id key = readMapKey(this, msg::getCar(pair));
    msg::at_insert(this, key, ::lispIn(getZone(), msg::getCdr(pair)));
  });
  return this;
}

// --- strings ---

// A string constant writes its text alone; any other string is an object.
void String_c::lispOutShallow(id stream) {
  if (literalFlag) {
    msg::catString(stream, string);
    return;
  }
  msg::catStartMakeInstance(stream, msg::getTypeName(this));
  msg::catSeparator(stream);
  msg::catSeparator(stream);
  msg::catString(stream, string);
  msg::catEndMakeInstance(stream);
}

id String_c::lispIn(id expr) {
  id index = msg::begin(expr, _obj_scratchZone);
  msg::setC(this, lispInString(index));
  msg::drop(index);
  return this;
}
