// The archive forms of lists, arrays, sorted maps and strings: what each
// writes through an OutputStream and reads back from expression nodes,
// and what each stores in HDF5 nodes and loads back. Everything goes
// through the stream's node operations, so a node-mode stream (an
// archiver's) keeps every form that text shows.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "collections/Array.h"
#include "collections/List.h"
#include "collections/Map.h"
#include "collections/String.h"
#include "collections/collections.h"
#include "collections/predicates.h"
#include "collections/stream_messages.h"
#include "defobj/defobj.h"
#include "defobj/fcall_type.h"
#include "defobj/hdf5In.h"
#include "defobj/hdf5_messages.h"
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

// --- HDF5 ---

// A node under the parent, for writing: a group, or a record dataset of
// the type and count.
id makeWriteNode(id parent, const char* name, id recordType = nil, unsigned count = 0) {
  id node = msg::createBegin(HDF5, msg::getZone(parent));
  msg::setName(node, name);
  msg::setWriteFlag(node, YES);
  msg::setParent(node, parent);
  if (recordType) {
    msg::setCompoundType(node, recordType);
    msg::setCount(node, count);
  }
  return msg::createEnd(node);
}

// Each non-nil member in a group named by its offset.
void hdf5WriteMembersDeep(id collection, id node) {
  msg::storeTypeName(node, msg::getTypeName(collection));
  unsigned offset = 0;
  id index = msg::begin(collection, _obj_scratchZone);
  for (id member = msg::next(index); msg::getLoc(index) == Member; member = msg::next(index), offset++) {
    if (!member) continue;
    char name[16];
    std::snprintf(name, sizeof name, "%u", offset);
    id child = makeWriteNode(node, name);
    msg::hdf5OutDeep(member, child);
    msg::drop(child);
  }
  msg::drop(index);
}

// One record per member in a dataset named like the node, of the record
// type the first member gives. label() names or numbers the record of
// each member; a nil member has no record, so it is not of the same class.
// Keyed collections (maps) give label() each member's key.
template <class L>
void hdf5WriteMembersShallow(id collection, id node, const char* function, const char* sameTypeMessage,
                             bool keyed, L&& label) {
  const unsigned count = msg::getCount(collection);
  id first = count ? msg::getFirst(collection) : nil;
  if (!msg::allSameClass(collection) || (count && !first)) raiseAt(SaveError, function, "%s", sameTypeMessage);
  if (!count) {
    msg::storeTypeName(node, msg::getTypeName(collection));
    return;
  }
  id zone = msg::getZone(node);
  id recordType = msg::createBegin(HDF5CompoundType, zone);
  msg::setPrototype(recordType, first);
  recordType = msg::createEnd(recordType);
  id dataset = makeWriteNode(node, msg::getHDF5Name(node), recordType, count);
  msg::storeTypeName(dataset, msg::getTypeName(collection));
  msg::storeComponentTypeName(dataset, msg::getTypeName(first));
  label(dataset, nil, 0u, true);
  unsigned offset = 0;
  id index = msg::begin(collection, _obj_scratchZone);
  id key = nil;
  const auto next = [&] { return keyed ? msg::next_(index, &key) : msg::next(index); };
  for (id member = next(); msg::getLoc(index) == Member; member = next(), offset++) {
    label(dataset, key, offset, false);
    msg::selectRecord(dataset, offset);
    msg::hdf5OutShallow(member, dataset);
  }
  msg::drop(index);
  msg::writeRowNames(dataset);
  msg::writeLevels(dataset);
  msg::drop(dataset);
  msg::drop(recordType);
}

// Each record of a dataset node as a new object of its record class.
template <class F>
void hdf5ReadRecords(id node, id zone, F&& take) {
  const unsigned count = msg::getCount(node);
  id cls = msg::getClass(node);
  for (unsigned record = 0; record < count; record++) {
    id object = msg::createEnd(msg::createBegin(cls, zone));
    msg::selectRecord(node, record);
    msg::shallowLoadObject(node, object);
    take(record, object);
  }
}

// Each child of a group node, made into an object, with its name.
template <class F>
void hdf5ReadChildren(id node, id zone, F&& take) {
  const hdf5_member_visitor visit = [&](id child) {
    take(msg::getHDF5Name(child), ::hdf5In(zone, child));
    return 0;
  };
  msg::iterate(node, &visit);
}

// Each entry of the map with its offset.
template <class F>
void forEachEntry(id map, F&& take) {
  id index = msg::begin(map, _obj_scratchZone);
  id key = nil;
  unsigned offset = 0;
  for (id member = msg::next_(index, &key); msg::getLoc(index) == Member; member = msg::next_(index, &key))
    take(key, member, offset++);
  msg::drop(index);
}

bool wordKeys(compare_t function) {
  return function == compareCStrings || function == compareIntegers || function == compareUnsignedIntegers;
}

// The text of a key the compare function orders as a word.
const char* wordKeyName(compare_t function, id key, char (&buffer)[24]) {
  if (function == compareCStrings) return reinterpret_cast<const char*>(key);
  const auto word = reinterpret_cast<uintptr_t>(key);
  if (function == compareIntegers) std::snprintf(buffer, sizeof buffer, "%d", static_cast<int32_t>(word));
  else std::snprintf(buffer, sizeof buffer, "%u", static_cast<uint32_t>(word));
  return buffer;
}

// Object keys that are all strings of one class.
bool allStringKeys(Map_c* map) {
  bool strings = msg::allSameKeyClass(map);
  forEachEntry(map, [&](id key, id, unsigned) { strings = strings && key && stringp(key); });
  return strings;
}

void storeCompareFunction(Map_c* map, id node) {
  if (const char* name = compareFunctionName(map->compareFunc))
    msg::storeAttribute_value(node, "compare-function", name);
}

// The key a member's name in a file stands for.
id mapKeyFromName(Map_c* map, const char* name) {
  const compare_t function = map->compareFunc;
  if (function == compareCStrings) return reinterpret_cast<id>(zstrdup(map->getZone(), name));
  if (function == compareIntegers || function == compareUnsignedIntegers) {
    char* end;
    const long long value = std::strtoll(name, &end, 10);
    if (!*name || *end) raiseAt(LoadError, "-[Map(c) _hdf5In:]", "map key `%s' is not an integer", name);
    return function == compareIntegers ? reinterpret_cast<id>(static_cast<intptr_t>(static_cast<int32_t>(value)))
                                       : reinterpret_cast<id>(static_cast<uintptr_t>(static_cast<uint32_t>(value)));
  }
  return msg::create_setC(String, map->getZone(), name);
}

// A member of a group for reading; nil when it is missing.
id readChild(id parent, const char* name) {
  id node = msg::createBegin(HDF5, msg::getZone(parent));
  msg::setParent(node, parent);
  msg::setName(node, name);
  return msg::createEnd(node);
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

void List_any::hdf5OutDeep(id node) { hdf5WriteMembersDeep(this, node); }

void List_any::hdf5OutShallow(id node) {
  hdf5WriteMembersShallow(this, node, "-[List(any) _hdf5OutShallow:]",
                          "shallow HDF5 serialization on Collections must be same type", false,
                          [](id dataset, id, unsigned offset, bool start) {
                            if (!start) msg::numberRecord(dataset, offset);
                          });
}

id List_any::hdf5In(id node) {
  if (msg::getDatasetFlag(node))
    hdf5ReadRecords(node, getZone(), [&](unsigned, id object) { msg::addLast(this, object); });
  else
    hdf5ReadChildren(node, getZone(), [&](const char*, id object) { msg::addLast(this, object); });
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

void Array_c::hdf5OutDeep(id node) { hdf5WriteMembersDeep(this, node); }

void Array_c::hdf5OutShallow(id node) {
  hdf5WriteMembersShallow(this, node, "-[Array(c) _hdf5OutShallow:]",
                          "shallow HDF5 serialization on Collections must be same type", false,
                          [](id dataset, id, unsigned offset, bool start) {
                            if (!start) msg::numberRecord(dataset, offset);
                          });
}

// One slot per record, or per child in the order of the offsets that
// name them (a group lists its children by name, so "10" before "2").
id Array_c::hdf5In(id node) {
  if (msg::getDatasetFlag(node)) {
    msg::setCount(this, msg::getCount(node));
    hdf5ReadRecords(node, getZone(), [&](unsigned record, id object) { msg::atOffset_put(this, record, object); });
    return this;
  }
  std::vector<std::pair<unsigned long, id>> members;
  hdf5ReadChildren(node, getZone(), [&](const char* name, id object) {
    char* end;
    const unsigned long offset = std::strtoul(name, &end, 10);
    if (!*name || *end) raiseAt(LoadError, "-[Array(c) _hdf5In:]", "array member `%s' is not named by an offset", name);
    members.emplace_back(offset, object);
  });
  std::sort(members.begin(), members.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  msg::setCount(this, static_cast<unsigned>(members.size()));
  unsigned slot = 0;
  for (const auto& member : members) msg::atOffset_put(this, slot++, member.second);
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

// The entries go in sorted, from the greatest key: an insertion walks the
// map from its first entry, so a large map loads in near-linear time. Of
// entries under one key the first stays, as with at:insert: in turn.
id Map_c::lispIn(id expr) {
  std::vector<std::pair<id, id>> entries;
  walkMembers(expr, [&](id element) {
    id pair = quotedp(element) ? msg::getQuotedObject(element) : element;
    if (!pairp(pair))
      raiseAt(InvalidArgument, "-[Map(c) _lispIn:]", "Expecting quoted dotted pair or cons expression");
    id key = readMapKey(this, msg::getCar(pair));
    entries.emplace_back(key, ::lispIn(getZone(), msg::getCdr(pair)));
  });
  std::stable_sort(entries.begin(), entries.end(),
                   [&](const auto& a, const auto& b) { return compareKey(a.first, b.first) < 0; });
  for (size_t i = entries.size(); i-- > 0;)
    if (i == 0 || compareKey(entries[i - 1].first, entries[i].first) != 0)
      msg::at_insert(this, entries[i].first, entries[i].second);
  return this;
}

id Map_c::hdf5InCreate(id node) {
  if (const char* name = msg::getAttribute(node, "compare-function")) {
    setCompareFunctionByName(this, name);
    msg::free(_obj_scratchZone, const_cast<char*>(name));
  }
  return this;
}

void Map_c::hdf5OutDeep(id node) {
  msg::storeTypeName(node, msg::getTypeName(this));
  const compare_t function = compareFunc;
  const auto writeChild = [](id parent, const char* name, id object) {
    id child = makeWriteNode(parent, name);
    msg::hdf5OutDeep(object, child);
    msg::drop(child);
  };
  if (function && function != compareIDs) {
    if (!wordKeys(function)) debugabort(__FILE_NAME__, __LINE__, "-[Map(c) _hdf5OutDeep:]");
    storeCompareFunction(this, node);
    char buffer[24];
    forEachEntry(this, [&](id key, id member, unsigned) { writeChild(node, wordKeyName(function, key, buffer), member); });
  } else if (allStringKeys(this)) {
    storeCompareFunction(this, node);
    forEachEntry(this, [&](id key, id member, unsigned) { writeChild(node, msg::getC(key), member); });
  } else {
    id keys = makeWriteNode(node, "keys"), values = makeWriteNode(node, "values");
    forEachEntry(this, [&](id key, id member, unsigned offset) {
      char name[16];
      std::snprintf(name, sizeof name, "%u", offset);
      writeChild(keys, name, key);
      writeChild(values, name, member);
    });
    msg::drop(keys);
    msg::drop(values);
    storeCompareFunction(this, node);
  }
}

// Each record is named by its key.
void Map_c::hdf5OutShallow(id node) {
  const compare_t function = compareFunc;
  hdf5WriteMembersShallow(
      this, node, "-[Map(c) _hdf5OutShallow:]", "shallow HDF5 serialization on Map must be same type", true,
      [&](id dataset, id key, unsigned offset, bool start) {
        if (start) {
          const bool objectKeys = !function || function == compareIDs;
          id firstKey = nil;
          forEachEntry(this, [&](id entryKey, id, unsigned entry) { firstKey = entry ? firstKey : entryKey; });
          if (!wordKeys(function) && !(objectKeys && firstKey && stringp(firstKey)))
            raiseAt(SaveError, "-[Map(c) _hdf5OutShallow:]", "cannot shallow-serialize Map %s", msg::getHDF5Name(node));
          storeCompareFunction(this, dataset);
          return;
        }
        // An unsigned key is a name too: numbering a record by its key
        // would fail for every key past the last record.
        char buffer[24];
        msg::nameRecord_name(dataset, offset, wordKeys(function) ? wordKeyName(function, key, buffer) : msg::getC(key));
      });
}

id Map_c::hdf5In(id node) {
  id zone = getZone();
  if (msg::getDatasetFlag(node)) {
    // The names are copies in the node's zone, one block each.
    const char** names = msg::readRowNames(node);
    hdf5ReadRecords(node, zone, [&](unsigned record, id object) { at_insert(mapKeyFromName(this, names[record]), object); });
    id nodeZone = msg::getZone(node);
    for (unsigned record = 0; record < msg::getCount(node); record++)
      msg::free(nodeZone, const_cast<char*>(names[record]));
    msg::free(nodeZone, names);
    return this;
  }
  if (id keys = readChild(node, "keys")) {
    id values = readChild(node, "values");
    if (!values) raiseAt(LoadError, "-[Map(c) _hdf5In:]", "map `%s' has keys but no values", msg::getHDF5Name(node));
    hdf5ReadChildren(keys, zone, [&](const char* name, id key) {
      id value = readChild(values, name);
      if (!value) raiseAt(LoadError, "-[Map(c) _hdf5In:]", "map value `%s' is missing", name);
      at_insert(key, ::hdf5In(zone, value));
      msg::drop(value);
    });
    msg::drop(keys);
    msg::drop(values);
    return this;
  }
  hdf5ReadChildren(node, zone, [&](const char* name, id member) { at_insert(mapKeyFromName(this, name), member); });
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

// The text as a string dataset named like the node.
void String_c::hdf5OutShallow(id node) {
  msg::storeAsDataset_typeName_type_rank_dims_ptr(node, msg::getHDF5Name(node), msg::getTypeName(this),
                                                   fcall_type_string, 0, nullptr, &string);
}

// A group is the deep form every object writes (the text as a variable);
// a dataset holds one text only, since more would fill more than the one
// pointer.
id String_c::hdf5In(id node) {
  if (!msg::getDatasetFlag(node)) return Object_s::hdf5In(node);
  const bool text = !msg::getCompoundType(node) && msg::getDatasetType(node) == fcall_type_string;
  const unsigned rank = text ? msg::getDatasetRank(node) : 0;
  if (!text || rank > 1 || (rank == 1 && msg::getDatasetDimension(node, 0) != 1))
    raiseAt(LoadError, "-[String(c) _hdf5In:]", "HDF5 object `%s' is not a text", msg::getHDF5Name(node));
  char* loaded = nullptr;
  msg::loadDataset(node, &loaded);
  msg::setC(this, loaded ? loaded : "");
  if (loaded) msg::free(_obj_scratchZone, loaded);
  return this;
}
