#include "defobj/HDF5CompoundType.h"

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "collections/Map.h"
#include "collections/collections.h"
#include "defobj/HDF5Support.h"
#include "defobj/defobj.h"
#include "defobj/lispIn.h"
#include "defobj/brood_directory.h"
#include "defobj/module.h"
#include "defobj/phase.h"
#include "defobj/runtime_classes.h"
#include "defobj/var_access.h"
#include "defobj/zstrdup.h"

namespace {

const char* const CreateEndFunction = "-[HDF5CompoundType(c) _createEnd]";
const char* const WriteLevelFunction = "-[HDF5CompoundType(c) _writeLevel:]";

id createStringMap(id zone) {
  id map = msg::createBegin(Map, zone);
  msg::setCompareFunction(map, compareCStrings);
  return msg::createEnd(map);
}

template <class F>
void forEachEntry(id map, F&& function) {
  id index = msg::begin(map, _obj_scratchZone);
  id key;
  for (id member = msg::next_(index, &key); msg::getLoc(index) == Member; member = msg::next_(index, &key))
    function(reinterpret_cast<char*>(key), member);
  msg::drop(index);
}

// One stored variable: its record member and value types.
struct RecordMember {
  size_t offset;
  hid_t type;  // to close
  fcall_type_t code;
};

RecordMember memberNamed(hid_t tid, const char* variable, id errorSymbol, const char* function) {
  const int index = H5Tget_member_index(tid, variable);
  if (index < 0) return {0, -1, fcall_type_void};
  hid_t type = H5Tget_member_type(tid, index);
  if (type < 0) raiseAt(errorSymbol, function, "unable to get compound type member type #%u", unsigned(index));
  return {H5Tget_member_offset(tid, index), type, fcall_type_for_tid(type)};
}

// Converts one value between HDF5 types through a buffer big enough for
// either.
void convertValue(const void* from, hid_t fromType, void* to, hid_t toType, id errorSymbol, const char* function) {
  unsigned char buffer[64] = {};
  std::memcpy(buffer, from, H5Tget_size(fromType));
  if (H5Tconvert(fromType, toType, 1, buffer, nullptr, H5P_DEFAULT) < 0)
    raiseAt(errorSymbol, function, "cannot convert member to native");
  std::memcpy(to, buffer, H5Tget_size(toType));
}

// The variables a record stores, with their record layout: objects are
// skipped with a warning, arrays refused, strings stored as int indices.
template <class F>
void eachStoredVariable(id prototype, F&& visit) {
  map_object_ivars(prototype, [&](const char* variable, fcall_type_t type, void*, unsigned rank, const unsigned*) {
    if (type == fcall_type_object) {
      raiseAt(SaveWarning, "insert_var", "cannot store objects in compound types -- skipping\n");
      return;
    }
    if (rank > 0) raiseAt(SaveError, "insert_var", "cannot store arrays in compound types\n");
    visit(variable, type == fcall_type_string ? fcall_type_sint : type);
  });
}

}  // namespace

// --- creating ---

id HDF5CompoundType_c::createBegin(Class cls, id zone) {
  auto* type = static_cast<HDF5CompoundType_c*>(CreateDrop_s::createBegin(cls, zone));
  type->tid = -1;
  type->did = -1;
  return type;
}

void HDF5CompoundType_c::setPrototype(id object) {
  prototype = object;
  setName(msg::getName(object));
}

void HDF5CompoundType_c::setName(const char* text) {
  if (name) msg::free(getZone(), name);
  name = zstrdup(getZone(), text);
}

void HDF5CompoundType_c::setTid(hid_t type) { tid = type; }
void HDF5CompoundType_c::setDataset(hid_t dataset) { did = dataset; }

id HDF5CompoundType_c::createEnd() {
  CreateDrop_s::createEnd();
  stringMaps = createStringMap(getZone());
  if (prototype) createFromPrototype();
  else createFromType();
  return this;
}

void HDF5CompoundType_c::createFromPrototype() {
  size_t size = 0;
  eachStoredVariable(prototype, [&](const char*, fcall_type_t type) {
    size = alignsizeto(size, fcall_type_alignment(type)) + fcall_type_size(type);
  });
  tid = H5Tcreate(H5T_COMPOUND, size ? size : 1);
  if (tid < 0) raiseAt(SaveError, "create_compound_type_from_prototype", "unable to create compound type");
  size_t offset = 0;
  eachStoredVariable(prototype, [&](const char* variable, fcall_type_t type) {
    offset = alignsizeto(offset, fcall_type_alignment(type));
    if (H5Tinsert(tid, variable, offset, tid_for_fcall_type(type)) < 0)
      raiseAt(SaveError, "create_compound_type_from_prototype", "unable to insert to compound type\n");
    offset += fcall_type_size(type);
  });
}

// The records' class is named by the file, so it passes the check that
// every class an archive names passes.
void HDF5CompoundType_c::createFromType() {
  if (tid < 0)
    raiseAt(LoadError, CreateEndFunction,
            "> a record type is made from a prototype object (setPrototype:) or from a record dataset's type\n");
  if (H5Tget_class(tid) != H5T_COMPOUND || H5Tget_nmembers(tid) < 1)
    raiseAt(LoadError, CreateEndFunction, "compound type should have at least one member");
  if (H5Tget_size(tid) == 0) raiseAt(LoadError, CreateEndFunction, "unable to get compound type size");
  Class cls = brood_directory_ensure_class_named(name);
  if (!cls) cls = classFromType();
  archive_check_creatable(cls, CreateEndFunction);
  prototype = msg::allocIVars(getZone(), cls);
  ownPrototype = YES;
  map_object_ivars(prototype, [&](const char* variable, fcall_type_t type, void*, unsigned, const unsigned*) {
    loadLevels(variable);
    if (type != fcall_type_string)
      if (id table = stringTable(variable, false))
        raiseAt(LoadError, "set_ivar", "ivar `%s' has %u strings, but not a char *", variable,
                msg::getCount(table));
  });
}

// A class of the records' own: one variable per member, strings where the
// member has a string table.
Class HDF5CompoundType_c::classFromType() {
  const char* function = "create_class_from_compound_type";
  id record = type_create(_obj_globalZone, name);
  auto* cls = static_cast<Class>(record);
  const int members = H5Tget_nmembers(tid);
  for (int i = 0; i < members; i++) {
    char* member = H5Tget_member_name(tid, i);
    hid_t type = H5Tget_member_type(tid, i);
    if (!member || type < 0) raiseAt(LoadError, function, "unable to get compound type member type #%u", unsigned(i));
    fcall_type_t code = fcall_type_for_tid(type);
    if (H5Tclose(type) < 0) raiseAt(LoadError, function, "unable to close member type");
    if (did >= 0 && H5Aexists(did, ("levels." + std::string(member)).c_str()) > 0) {
      if (code != fcall_type_sint) raiseAt(LoadError, function, "expecting int string index");
      code = fcall_type_string;
    }
    class_addVariable(cls, member, code, 0, nullptr);
    H5free_memory(member);
  }
  const Class made = static_cast<Class>(msg::createEnd(record));
  registerLocalClass(made);
  return made;
}

id HDF5CompoundType_c::stringTable(const char* variable, bool make) {
  if (id table = msg::at(stringMaps, reinterpret_cast<id>(const_cast<char*>(variable)))) return table;
  if (!make) return nil;
  id table = createStringMap(getZone());
  msg::at_insert(stringMaps, reinterpret_cast<id>(zstrdup(getZone(), variable)), table);
  return table;
}

// The "levels." attribute of the variable, when the dataset has one.
void HDF5CompoundType_c::loadLevels(const char* variable) {
  const char* function = "process_ivar";
  const std::string attributeName = "levels." + std::string(variable);
  if (did < 0 || H5Aexists(did, attributeName.c_str()) <= 0) return;
  hid_t aid = H5Aopen_name(did, attributeName.c_str());
  hid_t sid = aid < 0 ? -1 : H5Aget_space(aid);
  hid_t type = aid < 0 ? -1 : H5Aget_type(aid);
  if (sid < 0 || type < 0 || H5Tget_class(type) != H5T_STRING || H5Tis_variable_str(type) > 0)
    raiseAt(LoadError, function, "cannot read string table `%s'", attributeName.c_str());
  const hssize_t count = H5Sget_simple_extent_npoints(sid);
  const size_t size = H5Tget_size(type);
  hid_t memory = hdf5_string_type(size, LoadError, function);
  auto* block = static_cast<char*>(msg::alloc(_obj_scratchZone, count * size + 1));
  if (H5Aread(aid, memory, block) < 0) raiseAt(LoadError, function, "cannot read string table `%s'", attributeName.c_str());
  std::vector<const char*> texts(count);
  hdf5_unpack_strings(block, count, size, getZone(), texts.data());
  id table = stringTable(variable, true);
  for (hssize_t i = 0; i < count; i++)
    if (!msg::at_insert(table, reinterpret_cast<id>(const_cast<char*>(texts[i])), reinterpret_cast<id>(i + 1)))
      msg::free(getZone(), const_cast<char*>(texts[i]));
  msg::free(_obj_scratchZone, block);
  H5Tclose(memory);
  H5Tclose(type);
  H5Sclose(sid);
  H5Aclose(aid);
}

// --- using ---

hid_t HDF5CompoundType_c::getTid() { return tid; }
id HDF5CompoundType_c::getPrototype() { return prototype; }

void HDF5CompoundType_c::packBuf_to(id object, void* buffer) {
  const char* function = "-[HDF5CompoundType(c) _packBuf:to:]";
  map_object_ivars(object, [&](const char* variable, fcall_type_t type, void* address, unsigned, const unsigned*) {
    if (type == fcall_type_object) {
      raiseAt(SaveWarning, function, "skipping `%s'\n", variable);
      return;
    }
    const RecordMember member = memberNamed(tid, variable, SaveError, function);
    if (member.type < 0) raiseAt(SaveError, function, "no member for `%s'\n", variable);
    char* slot = static_cast<char*>(buffer) + member.offset;
    if (type == fcall_type_string && member.code == fcall_type_sint) {
      const char* text = *static_cast<const char**>(address);
      int index = HDF5_NIL_STRING_INDEX;
      if (text) {
        id table = stringTable(variable, true);
        index = static_cast<int>(reinterpret_cast<intptr_t>(msg::at(table, reinterpret_cast<id>(const_cast<char*>(text)))));
        if (!index) {
          index = static_cast<int>(msg::getCount(table)) + 1;
          msg::at_insert(table, reinterpret_cast<id>(zstrdup(getZone(), text)), reinterpret_cast<id>(intptr_t(index)));
        }
      }
      std::memcpy(slot, &index, sizeof index);
    } else if (hdf5_compatible_types(type, member.code)) {
      convertValue(address, tid_for_fcall_type(type), slot, member.type, SaveError, function);
    } else {
      raiseAt(SaveError, function, "differing source and target types %d/%d (%s)\n", int(type), int(member.code),
              variable);
    }
    H5Tclose(member.type);
  });
}

void HDF5CompoundType_c::packObj_to(void* buffer, id object) {
  const char* function = "-[HDF5CompoundType(c) _packObj:to:]";
  map_object_ivars(object, [&](const char* variable, fcall_type_t type, void* address, unsigned, const unsigned*) {
    const RecordMember member = memberNamed(tid, variable, LoadError, function);
    if (member.type < 0) return;  // a variable the records do not hold keeps its value
    const char* slot = static_cast<const char*>(buffer) + member.offset;
    if (type == fcall_type_string && member.code == fcall_type_sint) {
      int index;
      std::memcpy(&index, slot, sizeof index);
      const char* text = nullptr;
      if (index >= 1) {
        id table = stringTable(variable, false);
        if (!table) raiseAt(LoadError, function, "expecting string table for int -> char * conversion");
        forEachEntry(table, [&](const char* key, id value) {
          if (reinterpret_cast<intptr_t>(value) == index) text = key;
        });
        if (!text) raiseAt(LoadError, function, "string index %d of `%s' is not in its table", index, variable);
        text = zstrdup(msg::getZone(object), text);
      }
      *static_cast<const char**>(address) = text;
    } else if (hdf5_compatible_types(type, member.code)) {
      convertValue(slot, member.type, address, tid_for_fcall_type(type), LoadError, function);
    } else {
      raiseAt(LoadError, function, "ivar `%s' in `%s': `%u' != mtid: `%u'", variable, object->isa->name,
              unsigned(type), unsigned(member.code));
    }
    H5Tclose(member.type);
  });
}

void HDF5CompoundType_c::writeLevel(const char* variable) {
  id table = stringTable(variable, false);
  if (!table) return;
  const std::string attributeName = "levels." + std::string(variable);
  suppress_messages([&] { return H5Adelete(did, attributeName.c_str()); });
  const unsigned count = msg::getCount(table);
  std::vector<const char*> texts(count);
  size_t longest = 0;
  forEachEntry(table, [&](const char* text, id value) {
    texts[reinterpret_cast<intptr_t>(value) - 1] = text;
    longest = std::max(longest, std::strlen(text));
  });
  const hsize_t dims = count;
  hid_t sid = H5Screate_simple(1, &dims, nullptr);
  if (sid < 0) raiseAt(SaveError, WriteLevelFunction, "unable to create row names data space");
  hid_t type = hdf5_string_type(longest + 1, SaveError, WriteLevelFunction);
  hid_t aid = H5Acreate1(did, attributeName.c_str(), type, sid, H5P_DEFAULT);
  if (aid < 0) raiseAt(SaveError, WriteLevelFunction, "unable to create levels attribute dataset");
  char* block = hdf5_pack_strings(texts.data(), count, longest + 1);
  if (H5Awrite(aid, type, block) < 0) raiseAt(SaveError, WriteLevelFunction, "unable to write levels dataset");
  msg::free(_obj_scratchZone, block);
  if (H5Tclose(type) < 0) raiseAt(SaveError, WriteLevelFunction, "unable to close levels string type");
  if (H5Aclose(aid) < 0) raiseAt(SaveError, WriteLevelFunction, "unable to close levels dataset");
  if (H5Sclose(sid) < 0) raiseAt(SaveError, WriteLevelFunction, "unable to close levels dataspace");
}

void HDF5CompoundType_c::writeLevels() {
  map_object_ivars(prototype, [&](const char* variable, fcall_type_t type, void*, unsigned, const unsigned*) {
    if (type == fcall_type_string) writeLevel(variable);
  });
}

void HDF5CompoundType_c::drop() {
  if (tid >= 0 && H5Tclose(tid) < 0) raiseAt(SaveError, "-[HDF5CompoundType(c) _drop]", "unable to close compound type");
  forEachEntry(stringMaps, [&](char* variable, id table) {
    forEachEntry(table, [&](char* text, id) { msg::free(getZone(), text); });
    msg::drop(table);
    msg::free(getZone(), variable);
  });
  msg::drop(stringMaps);
  // A prototype made for a file's records is the type's own.
  if (ownPrototype) msg::freeIVars(getZone(), prototype);
  if (name) msg::free(getZone(), name);
  Object_s::drop();
}

REGISTER_CLASS(HDF5CompoundType_c, CreateDrop_s,
  ivar(&HDF5CompoundType_c::prototype, "prototype"),
  ivar(&HDF5CompoundType_c::name, "name"),
  ivar(&HDF5CompoundType_c::tid, "tid"),
  ivar(&HDF5CompoundType_c::did, "did"),
  ivar(&HDF5CompoundType_c::stringMaps, "stringMaps"),
  ivar(&HDF5CompoundType_c::ownPrototype, "ownPrototype"),
  phase(Phase::Creating),
  classMethod<&HDF5CompoundType_c::createBegin>(msg::createBegin),
  method<&HDF5CompoundType_c::setPrototype>(msg::setPrototype),
  method<&HDF5CompoundType_c::setName>(msg::setName),
  method<&HDF5CompoundType_c::setTid>(msg::setTid),
  method<&HDF5CompoundType_c::createEnd>(msg::createEnd),
  phase(Phase::Setting),
  method<&HDF5CompoundType_c::setDataset>(msg::setDataset),
  method<&HDF5CompoundType_c::drop>(msg::drop),
  phase(Phase::Using),
  method<&HDF5CompoundType_c::getTid>(msg::getTid),
  method<&HDF5CompoundType_c::getPrototype>(msg::getPrototype),
  method<&HDF5CompoundType_c::packObj_to>(msg::packObj_to),
  method<&HDF5CompoundType_c::packBuf_to>(msg::packBuf_to),
  method<&HDF5CompoundType_c::writeLevel>(msg::writeLevel),
  method<&HDF5CompoundType_c::writeLevels>(msg::writeLevels))
