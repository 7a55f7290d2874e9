// The HDF5 node: opening and creating files, groups and datasets, plain
// datasets, attributes, member visits and the classes that nodes stand
// for. Record datasets and vectors are in HDF5Records.cpp.
#include "defobj/HDF5.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "defobj/archive_file.h"
#include "defobj/HDF5CompoundType.h"
#include "defobj/HDF5Support.h"
#include "defobj/defobj.h"
#include "defobj/brood_directory.h"
#include "defobj/hdf5In.h"
#include "defobj/phase.h"
#include "defobj/runtime_classes.h"
#include "defobj/var_access.h"
#include "defobj/zstrdup.h"
#include "misc/debugabort.h"

namespace {

const char* const CreateEndFunction = "-[HDF5(c) _createEnd]";
const char* const StoreFunction = "store";
const char* const DropFunction = "-[HDF5(c) _drop]";

hid_t pointSpace() {
  const hsize_t one = 1;
  return H5Screate_simple(1, &one, nullptr);
}

// The chunked, deflated creation list: whole dimensions up to 163840, a
// tenth of larger ones.
hid_t chunk_deflate_plist(unsigned rank, const hsize_t* dims) {
  const char* function = "chunk_deflate_plist";
  std::vector<hsize_t> chunk(dims, dims + rank);
  for (hsize_t& d : chunk)
    if (d > 0x28000) d /= 10;
    else if (d == 0) d = 1;
  hid_t plist = H5Pcreate(H5P_DATASET_CREATE);
  if (plist < 0) raiseAt(SaveError, function, "unable to create (vector) property list");
  if (H5Pset_layout(plist, H5D_CHUNKED) < 0) raiseAt(SaveError, function, "unable to set chunking");
  if (H5Pset_chunk(plist, rank, chunk.data()) < 0) raiseAt(SaveError, function, "unable to set chunk sizes");
  if (H5Pset_deflate(plist, 6) < 0) raiseAt(SaveError, function, "unable to set deflate value");
  return plist;
}

void unlinkMember(hid_t location, const char* member) {
  suppress_messages([&] { return H5Gunlink(location, member); });
}

void deleteAttribute(hid_t location, const char* attribute) {
  suppress_messages([&] { return H5Adelete(location, attribute); });
}

// A one-element string attribute, replacing one of the same name.
void storeStringAttribute(hid_t location, const char* attributeName, const char* value) {
  const char* function = "hdf5_store_attribute";
  deleteAttribute(location, attributeName);
  const size_t size = std::strlen(value) + 1;
  hid_t tid = hdf5_string_type(size, SaveError, function);
  hid_t sid = pointSpace();
  if (sid < 0) raiseAt(SaveError, function, "unable to create attribute data space");
  hid_t aid = H5Acreate1(location, attributeName, tid, sid, H5P_DEFAULT);
  if (aid < 0) raiseAt(SaveError, function, "unable to create type attribute dataset");
  if (H5Awrite(aid, tid, value) < 0) raiseAt(SaveError, function, "unable to write type name attribute");
  if (H5Aclose(aid) < 0) raiseAt(SaveError, function, "unable to close type name attribute");
  if (H5Tclose(tid) < 0) raiseAt(SaveError, function, "unable to close type name type");
  if (H5Sclose(sid) < 0) raiseAt(SaveError, function, "unable to close type name space");
}

// Links to other files are never followed (hdf5_check_version), so the
// library no longer knows their kind; one that an archive holds is
// reported by its name.
void refuseExternalLink(hid_t location, const char* member) {
  H5L_info_t link;
  const bool inFile = suppress_messages([&] { return H5Lget_info(location, member, &link, H5P_DEFAULT); }) >= 0 &&
                      (link.type == H5L_TYPE_HARD || link.type == H5L_TYPE_SOFT);
  if (!inFile && suppress_messages([&] { return H5Lexists(location, member, H5P_DEFAULT); }) > 0)
    raiseAt(LoadError, "process_object",
            "> HDF5 member `%s' is a link to another file, which archives do not follow\n", member);
}

BOOL memberInfo(hid_t location, const char* member, H5G_stat_t* info) {
  refuseExternalLink(location, member);
  return suppress_messages([&] { return H5Gget_objinfo(location, member, 1, info); }) >= 0;
}

// The value type of a dataset, and its element count.
struct DatasetShape {
  fcall_type_t type;
  hssize_t elements;
};

DatasetShape datasetShape(hid_t did) {
  const char* function = "-[HDF5(c) _getDatasetType]";
  hid_t tid = H5Dget_type(did);
  if (tid < 0) raiseAt(LoadError, function, "cannot get dataset type");
  const fcall_type_t type = fcall_type_for_tid(tid);
  if (H5Tclose(tid) < 0) raiseAt(LoadError, function, "cannot close dataset type");
  hid_t sid = H5Dget_space(did);
  if (sid < 0) raiseAt(LoadError, function, "could not get dataset space");
  const hssize_t elements = H5Sget_simple_extent_npoints(sid);
  if (H5Sclose(sid) < 0) raiseAt(LoadError, function, "could not close dataset sid");
  return {type, elements};
}

}  // namespace

// --- creating ---

id HDF5_c::createBegin(Class cls, id zone) {
  auto* node = static_cast<HDF5_c*>(CreateDrop_s::createBegin(cls, zone));
  node->c_sid = -1;
  node->loc_id = -1;
  node->psid = -1;
  node->bsid = -1;
  return node;
}

void HDF5_c::setParent(id node) { parent = node; }
void HDF5_c::setWriteFlag(BOOL flag) { writeFlag = flag; }
void HDF5_c::setDatasetFlag(BOOL flag) { datasetFlag = flag; }

// Values are always added as doubles, so a vector holds doubles.
void HDF5_c::setExtensibleVectorType(unsigned type) {
  if (type != fcall_type_double)
    raiseAt(InvalidArgument, "-[HDF5(c) _setExtensibleVectorType:]", "only vectors of doubles are supported");
  vector_type = type;
}

void HDF5_c::setExtensibleDoubleVector() { setExtensibleVectorType(fcall_type_double); }

void HDF5_c::setCompoundType(id type) {
  compoundType = type;
  c_count = 1;
}

// The digits of the count name the records "0".."9", "00".."99", ...
void HDF5_c::setCount(unsigned count) {
  if (count == 0) raiseAt(InvalidArgument, "-[HDF5(c) _setCount:]", "record count must be at least 1");
  c_count = count;
  c_rnnlen = std::to_string(count).size();
}

void HDF5_c::setId(hid_t identifier) { loc_id = identifier; }

void HDF5_c::setName(const char* text) {
  if (name) msg::free(getZone(), name);
  name = text ? zstrdup(getZone(), text) : nullptr;
}

void HDF5_c::setBaseTypeObject(id object) { baseTypeObject = object; }

bool HDF5_c::isPlaceholder() const { return parent && datasetFlag && !compoundType && !isVector(); }

hid_t HDF5_c::createDataset(hid_t type, hid_t space, hid_t creationList) {
  const hid_t where = static_cast<HDF5_c*>(parent)->loc_id;
  unlinkMember(where, name);
  hid_t did = H5Dcreate1(where, name, type, space, creationList);
  if (did < 0) raiseAt(SaveError, "hdf5_open_dataset", "unable to create dataset");
  return did;
}

void HDF5_c::createForWriting() {
  if (!parent) {
    hdf5_check_version(SaveError, CreateEndFunction);
    // A file that exists but does not open is kept: only a missing one is
    // created. Nothing but a regular file is opened, since a FIFO would
    // block the open.
    struct stat status;
    if (stat(name, &status) == 0 && !S_ISREG(status.st_mode))
      raiseAt(SaveError, CreateEndFunction, "failed to open HDF5 file for r/w`%s'", name);
    loc_id = suppress_messages([&] { return H5Fopen(name, H5F_ACC_RDWR, H5P_DEFAULT); });
    if (loc_id < 0 && access(name, F_OK) != 0) loc_id = H5Fcreate(name, H5F_ACC_EXCL, H5P_DEFAULT, H5P_DEFAULT);
    if (loc_id < 0) raiseAt(SaveError, CreateEndFunction, "failed to open HDF5 file for r/w`%s'", name);
  } else if (compoundType) {
    const hsize_t count = c_count;
    c_sid = H5Screate_simple(1, &count, nullptr);
    if (c_sid < 0) raiseAt(SaveError, CreateEndFunction, "unable to create (compound) space");
    loc_id = createDataset(msg::getTid(compoundType), c_sid, H5P_DEFAULT);
    c_rnbuf = static_cast<char**>(msg::alloc(getZone(), c_count * sizeof(char*)));
    std::memset(c_rnbuf, 0, c_count * sizeof(char*));
  } else if (datasetFlag && isVector()) {
    vector_buf = static_cast<double*>(msg::alloc(getZone(), HDF5_VECTOR_BLOCK * sizeof(double)));
    const hsize_t size = 1, unlimited = H5S_UNLIMITED, block = HDF5_VECTOR_BLOCK;
    c_sid = H5Screate_simple(1, &size, &unlimited);
    if (c_sid < 0) raiseAt(SaveError, CreateEndFunction, "unable to create (vector) space");
    plist = chunk_deflate_plist(1, &block);
    loc_id = createDataset(tid_for_fcall_type(fcall_type_double), c_sid, plist);
    bsid = H5Screate_simple(1, &block, nullptr);
    if (bsid < 0) raiseAt(SaveError, CreateEndFunction, "unable to create block space");
  } else if (datasetFlag) {
    loc_id = static_cast<HDF5_c*>(parent)->loc_id;
  } else {
    const hid_t where = static_cast<HDF5_c*>(parent)->loc_id;
    loc_id = msg::checkName(parent, name) ? H5Gopen1(where, name) : H5Gcreate1(where, name, 0);
    if (loc_id < 0) raiseAt(SaveError, CreateEndFunction, "failed to open HDF5 group `%s' r/w\n", name);
  }
}

bool HDF5_c::openForReading() {
  if (!parent) {
    hdf5_check_version(LoadError, CreateEndFunction);
    if (!name || !archive_file_present(name, CreateEndFunction)) return false;
    loc_id = suppress_messages([&] { return H5Fopen(name, H5F_ACC_RDONLY, H5P_DEFAULT); });
    return loc_id >= 0;
  }
  if (loc_id < 0) {
    const hid_t where = static_cast<HDF5_c*>(parent)->loc_id;
    loc_id = suppress_messages([&] { return datasetFlag ? H5Dopen1(where, name) : H5Gopen1(where, name); });
    if (loc_id < 0) return false;
  }
  if (datasetFlag) openRecordType();
  return true;
}

// Records hold numbers only (strings as indexes into their tables): a
// member of any other kind has no variable to go to.
void HDF5_c::checkRecordMembers(hid_t tid) {
  const int members = H5Tget_nmembers(tid);
  for (int i = 0; i < members; i++) {
    hid_t type = H5Tget_member_type(tid, i);
    if (type < 0) raiseAt(LoadError, CreateEndFunction, "unable to get compound type member type #%u", unsigned(i));
    const H5T_class_t typeClass = H5Tget_class(type);
    if (typeClass != H5T_INTEGER && typeClass != H5T_FLOAT) {
      char* member = H5Tget_member_name(tid, i);
      raiseAt(LoadError, CreateEndFunction, "> member `%s' of record dataset `%s' is of the unsupported HDF5 %s type\n",
              member ? member : "?", name, hdf5_class_name(typeClass));
    }
    fcall_type_for_tid(type);  // a number of a width no variable has is reported
    H5Tclose(type);
  }
}

// A dataset of compound type is a record dataset; its record type is named
// by the "component-type" attribute, else for a single record by "type".
void HDF5_c::openRecordType() {
  hid_t tid = H5Dget_type(loc_id);
  if (tid < 0) raiseAt(LoadError, CreateEndFunction, "failed to get type of dataset");
  const H5T_class_t typeClass = H5Tget_class(tid);
  if (typeClass < 0) raiseAt(LoadError, CreateEndFunction, "failed to get class of dataset type");
  if (typeClass != H5T_COMPOUND) {
    H5Tclose(tid);
    return;
  }
  checkRecordMembers(tid);
  c_sid = H5Dget_space(loc_id);
  if (c_sid < 0) raiseAt(LoadError, CreateEndFunction, "failed to get space of dataset");
  const int rank = H5Sget_simple_extent_ndims(c_sid);
  if (rank < 0) raiseAt(LoadError, CreateEndFunction, "could not get rank of space");
  if (rank != 1) raiseAt(LoadError, CreateEndFunction, "expected rank of 1");
  hsize_t extent;
  if (H5Sget_simple_extent_dims(c_sid, &extent, nullptr) < 0)
    raiseAt(LoadError, CreateEndFunction, "could not get extent of space");
  if (extent > UINT_MAX)
    raiseAt(LoadError, CreateEndFunction, "> record dataset `%s' holds more records than a count can\n", name);
  c_count = static_cast<unsigned>(extent);
  const char* typeName = getAttribute("component-type");
  if (!typeName && c_count < 2) {
    typeName = getAttribute("type");
    if (c_count != 1) raiseAt(LoadError, CreateEndFunction, "expecting a point space");
  }
  if (!typeName) typeName = class_generate_name();
  compoundType = msg::createBegin(HDF5CompoundType, getZone());
  msg::setTid(compoundType, tid);
  msg::setDataset(compoundType, loc_id);
  msg::setName(compoundType, typeName);
  compoundType = msg::createEnd(compoundType);
  msg::free(_obj_scratchZone, const_cast<char*>(typeName));
}

id HDF5_c::createEnd() {
  CreateDrop_s::createEnd();
  if (writeFlag) {
    createForWriting();
  } else if (!openForReading()) {
    msg::drop(this);
    return nil;
  }
  psid = pointSpace();
  if (psid < 0) raiseAt(SaveError, CreateEndFunction, "unable to create point space");
  return this;
}

// --- members ---

BOOL HDF5_c::checkName(const char* member) {
  H5G_stat_t info;
  return memberInfo(loc_id, member, &info);
}

BOOL HDF5_c::checkDatasetName(const char* member) {
  H5G_stat_t info;
  return memberInfo(loc_id, member, &info) && info.type == H5G_DATASET;
}

int HDF5_c::iterate(const hdf5_member_visitor* visitor) { return iterate_drop(visitor, YES); }

int HDF5_c::iterate_drop(const hdf5_member_visitor* visitor, BOOL dropFlag) {
  const char* function = "process_object";
  struct Visit {
    HDF5_c* self;
    const hdf5_member_visitor* visitor;
    BOOL dropFlag;
  } visit{this, visitor, dropFlag};
  auto process = [](hid_t group, const char* member, void* data) -> herr_t {
    auto* v = static_cast<Visit*>(data);
    H5G_stat_t info;
    if (!memberInfo(group, member, &info)) raiseAt(LoadError, "process_object", "Cannot query object `%s'", member);
    hid_t opened = -1;
    if (info.type == H5G_GROUP) {
      opened = H5Gopen1(group, member);
      if (opened < 0) raiseAt(LoadError, "process_object", "cannot open group `%s'", member);
    } else if (info.type == H5G_DATASET) {
      opened = H5Dopen1(group, member);
      if (opened < 0) raiseAt(LoadError, "process_object", "cannot open dataset `%s'", member);
    } else {
      raiseAt(LoadError, "process_object", "Cannot process HDF5 type %u", static_cast<unsigned>(info.type));
    }
    id child = msg::createBegin(HDF5, v->self->getZone());
    msg::setParent(child, v->self);
    msg::setWriteFlag(child, NO);
    msg::setDatasetFlag(child, info.type == H5G_DATASET);
    msg::setName(child, member);
    msg::setId(child, opened);
    child = msg::createEnd(child);
    const int result = (*v->visitor)(child);
    if (v->dropFlag) msg::drop(child);
    return result;
  };
  const herr_t result = H5Giterate(loc_id, ".", nullptr, process, &visit);
  if (result < 0) raiseAt(LoadError, function, "cannot iterate over HDF5 objects");
  return result;
}

// --- queries ---

BOOL HDF5_c::getDatasetFlag() { return datasetFlag; }
BOOL HDF5_c::getWriteFlag() { return writeFlag; }
unsigned HDF5_c::getCount() { return c_count; }
const char* HDF5_c::getHDF5Name() { return name; }
id HDF5_c::getCompoundType() { return compoundType; }
id HDF5_c::getParent() { return parent; }

unsigned HDF5_c::getDatasetRank() {
  const char* function = "-[HDF5(c) _getDatasetRank]";
  if (!datasetFlag) debugabort(__FILE_NAME__, __LINE__, function);
  hid_t sid = H5Dget_space(loc_id);
  if (sid < 0) raiseAt(LoadError, function, "could not get dataset space");
  const int rank = H5Sget_simple_extent_ndims(sid);
  if (H5Sclose(sid) < 0 || rank < 0) raiseAt(LoadError, function, "could not close dataset sid");
  return rank;
}

unsigned HDF5_c::getDatasetDimension(unsigned index) {
  const char* function = "-[HDF5(c) _getDatasetDimension:]";
  const unsigned rank = getDatasetRank();
  if (index >= rank) raiseAt(InvalidArgument, function, "requested dimension number not less than rank");
  std::vector<hsize_t> dims(rank);
  hid_t sid = H5Dget_space(loc_id);
  if (sid < 0) raiseAt(LoadError, function, "could not get dataset space");
  if (H5Sget_simple_extent_dims(sid, dims.data(), nullptr) < 0)
    raiseAt(LoadError, function, "could not get dataset dimensions");
  if (H5Sclose(sid) < 0) raiseAt(LoadError, function, "could not close dataset sid");
  return static_cast<unsigned>(dims[index]);
}

unsigned HDF5_c::getDatasetType() { return datasetShape(loc_id).type; }

// A record dataset stands for its records' class, a group for the class its
// "type" attribute names or one made from its members.
Class HDF5_c::getClass() {
  if (compoundType) return msg::getClass(msg::getPrototype(compoundType));
  if (datasetFlag) debugabort(__FILE_NAME__, __LINE__, "-[HDF5(c) _getClass]");
  const char* typeName = getAttribute("type");
  if (typeName)
    if (Class known = brood_directory_ensure_class_named(typeName)) {
      msg::free(_obj_scratchZone, const_cast<char*>(typeName));
      return known;
    }
  char* generated = typeName ? nullptr : class_generate_name();
  id record = type_create(_obj_globalZone, typeName ? typeName : generated);
  auto* cls = static_cast<Class>(record);
  const hdf5_member_visitor addVariable = [&](id child) {
    auto* node = static_cast<HDF5_c*>(child);
    if (!node->datasetFlag || node->compoundType) {
      class_addVariable(cls, node->name, fcall_type_object, 0, nullptr);
      return 0;
    }
    const unsigned rank = node->getDatasetRank();
    std::vector<unsigned> dims(rank);
    for (unsigned i = 0; i < rank; i++) dims[i] = node->getDatasetDimension(i);
    class_addVariable(cls, node->name, static_cast<fcall_type_t>(node->getDatasetType()), rank, dims.data());
    return 0;
  };
  iterate(&addVariable);
  msg::free(_obj_scratchZone, typeName ? const_cast<char*>(typeName) : generated);
  return static_cast<Class>(msg::createEnd(record));
}

// --- plain datasets ---

void HDF5_c::readDataset(void* buffer, hid_t memoryType, id stringZone) {
  const char* function = "-[HDF5(c) _loadDataset:]";
  hid_t sid = H5Dget_space(loc_id);
  if (sid < 0) raiseAt(LoadError, function, "cannot get dataset space");
  hid_t tid = H5Dget_type(loc_id);
  if (tid < 0) raiseAt(LoadError, function, "cannot get dataset type");
  const H5T_class_t typeClass = H5Tget_class(tid);
  if (typeClass < 0) raiseAt(LoadError, function, "cannot get class of type");
  const hssize_t elements = H5Sget_simple_extent_npoints(sid);
  if (typeClass == H5T_STRING) {
    if (H5Tis_variable_str(tid) > 0) raiseAt(LoadError, function, "cannot read dataset");
    const size_t size = H5Tget_size(tid);
    hid_t memory = hdf5_string_type(size, LoadError, function);
    auto* block = static_cast<char*>(msg::alloc(_obj_scratchZone, elements * size + 1));
    if (H5Dread(loc_id, memory, H5S_ALL, H5S_ALL, H5P_DEFAULT, block) < 0)
      raiseAt(LoadError, function, "cannot read dataset");
    hdf5_unpack_strings(block, elements, size, stringZone, static_cast<const char**>(buffer));
    msg::free(_obj_scratchZone, block);
    if (H5Tclose(memory) < 0) raiseAt(LoadError, function, "cannot close dataset mem type");
  } else {
    if (!memoryType) memoryType = tid_for_fcall_type(fcall_type_for_tid(tid));
    if (H5Dread(loc_id, memoryType, H5S_ALL, H5S_ALL, H5P_DEFAULT, buffer) < 0)
      raiseAt(LoadError, function, "cannot read dataset");
  }
  if (H5Tclose(tid) < 0) raiseAt(LoadError, function, "cannot close dataset type");
  if (H5Sclose(sid) < 0) raiseAt(LoadError, function, "cannot close dataset space");
}

void HDF5_c::loadDataset(void* buffer) { readDataset(buffer, 0, _obj_scratchZone); }

// The variable named like this node: a group gives the object it holds; a
// dataset is read as the variable's own type, and must match it in kind
// and element count.
void HDF5_c::assignIvar(id object) {
  const char* function = "-[HDF5(c) _assignIvar:]";
  objc_ivar* ivar = find_ivar(object->isa, name);
  if (!ivar)
    raiseAt(LoadError, function, "no variable `%s' in `%s'", name, object->isa->name);
  void* address = reinterpret_cast<char*>(object) + ivar->ivar_offset;
  const fcall_type_t type = object_ivar_type(object, name);
  if (!datasetFlag || compoundType) {
    if (type != fcall_type_object)
      raiseAt(LoadError, function, "variable `%s' is not an object but the archive holds a group", name);
    *static_cast<id*>(address) = ::hdf5In(msg::getZone(object), this);
    return;
  }
  const DatasetShape shape = datasetShape(loc_id);
  const bool bothStrings = type == fcall_type_string && shape.type == fcall_type_string;
  const bool bothNumbers = type != fcall_type_string && shape.type != fcall_type_string &&
                           type != fcall_type_object && type < fcall_type_class;
  if (!bothStrings && !bothNumbers)
    raiseAt(LoadError, function, "variable `%s' of type %u cannot hold a dataset of type %u", name, type,
            shape.type);
  if (shape.elements != object_getVariableElementCount(object, name))
    raiseAt(LoadError, function, "variable `%s' holds %u values, the dataset %lld", name,
            object_getVariableElementCount(object, name), static_cast<long long>(shape.elements));
  if (bothStrings) readDataset(address, 0, msg::getZone(object));
  else readDataset(address, tid_for_fcall_type(type), nil);
}

void HDF5_c::storeAsDataset_typeName_type_rank_dims_ptr(const char* datasetName, const char* typeName,
                                                         unsigned type, unsigned rank, const unsigned* dims,
                                                         const void* ptr) {
  const char* function = "-[HDF5(c) _storeAsDataset:typeName:type:rank:dims:ptr:]";
  hid_t space = psid, creationList = H5P_DEFAULT;
  hsize_t elements = 1;
  if (rank > 0) {
    std::vector<hsize_t> sizes(dims, dims + rank);
    for (hsize_t d : sizes) elements *= d;
    space = H5Screate_simple(rank, sizes.data(), nullptr);
    if (space < 0) raiseAt(SaveError, function, "unable to create array dataspace");
    creationList = chunk_deflate_plist(rank, sizes.data());
  }
  hid_t fileType, memoryType;
  char* packed = nullptr;
  if (type == fcall_type_string) {
    // Every text is cut to the size of the first.
    auto texts = static_cast<const char* const*>(ptr);
    const size_t size = (texts[0] ? std::strlen(texts[0]) : 0) + 1;
    fileType = memoryType = hdf5_string_type(size, SaveError, "store_string");
    packed = hdf5_pack_strings(texts, elements, size);
    ptr = packed;
  } else {
    fileType = memoryType = tid_for_fcall_type(static_cast<fcall_type_t>(type));
  }
  hid_t did = suppress_messages([&] { return H5Dopen1(loc_id, datasetName); });
  if (did < 0) did = H5Dcreate1(loc_id, datasetName, fileType, space, creationList);
  if (did < 0) raiseAt(SaveError, StoreFunction, "unable to create reopened dataset `%s'", datasetName);
  if (H5Dwrite(did, memoryType, H5S_ALL, H5S_ALL, H5P_DEFAULT, ptr) < 0)
    raiseAt(SaveError, StoreFunction, "unable to write to dataset `%s'", datasetName);
  if (typeName) storeStringAttribute(did, "type", typeName);
  if (H5Dclose(did) < 0) raiseAt(SaveError, StoreFunction, "unable to close dataset `%s'", datasetName);
  if (packed) {
    msg::free(_obj_scratchZone, packed);
    if (H5Tclose(fileType) < 0) raiseAt(SaveError, "store_string", "unable to close string type");
  }
  if (rank > 0) {
    H5Sclose(space);
    H5Pclose(creationList);
  }
}

// --- attributes ---

void HDF5_c::storeAttribute_value(const char* attributeName, const char* value) {
  storeStringAttribute(loc_id, attributeName, value);
}

void HDF5_c::storeTypeName(const char* typeName) { storeAttribute_value("type", typeName); }
void HDF5_c::storeComponentTypeName(const char* typeName) { storeAttribute_value("component-type", typeName); }

// A copy in the scratch zone, or nil for a missing attribute.
const char* HDF5_c::getAttribute(const char* attributeName) {
  const char* function = "get_attribute";
  hid_t aid = suppress_messages([&] { return H5Aopen_name(loc_id, attributeName); });
  if (aid < 0) return nullptr;
  hid_t sid = H5Aget_space(aid);
  hid_t tid = H5Aget_type(aid);
  if (sid < 0 || tid < 0) raiseAt(LoadError, function, "unable to get attribute space or type");
  const hssize_t count = H5Sget_simple_extent_npoints(sid);
  const char* result = nullptr;
  if (H5Tget_class(tid) != H5T_STRING || H5Tis_variable_str(tid) > 0) {
    raiseAt(LoadError, function, "attribute `%s' is not a fixed-length string", attributeName);
  } else if (count != 1) {
    raiseAt(LoadError, function, "attribute `%s' string list should be of length 1 (%u)", attributeName,
            static_cast<unsigned>(count));
  } else {
    const size_t size = H5Tget_size(tid);
    hid_t memory = hdf5_string_type(size, LoadError, function);
    auto* block = static_cast<char*>(msg::alloc(_obj_scratchZone, size + 1));
    if (H5Aread(aid, memory, block) < 0) raiseAt(LoadError, function, "unable to read attribute `%s'", attributeName);
    hdf5_unpack_strings(block, 1, size, _obj_scratchZone, &result);
    msg::free(_obj_scratchZone, block);
    H5Tclose(memory);
  }
  H5Tclose(tid);
  H5Sclose(sid);
  H5Aclose(aid);
  return result;
}

// Row names and string tables are the records' own, not attributes of the
// object.
int HDF5_c::iterateAttributes(const hdf5_attribute_visitor* visitor) {
  struct Visit {
    HDF5_c* self;
    const hdf5_attribute_visitor* visitor;
  } visit{this, visitor};
  auto process = [](hid_t, const char* attributeName, void* data) -> herr_t {
    auto* v = static_cast<Visit*>(data);
    if (std::strcmp(attributeName, "row.names") == 0 || std::strcmp(attributeName, "names") == 0 ||
        std::strncmp(attributeName, "levels.", 7) == 0)
      return 0;
    const char* value = v->self->getAttribute(attributeName);
    const int result = (*v->visitor)(attributeName, value);
    if (value) msg::free(_obj_scratchZone, const_cast<char*>(value));
    return result;
  };
  unsigned start = 0;
  const herr_t result = H5Aiterate1(loc_id, &start, process, &visit);
  if (result < 0) raiseAt(LoadError, "-[HDF5(c) _iterateAttributes:]", "unable to iterate over attributes");
  return result;
}

// --- flushing and closing ---

void HDF5_c::flush() {
  if (isVector()) flushVector();
  if (loc_id >= 0 && H5Fflush(loc_id, H5F_SCOPE_GLOBAL) < 0)
    raiseAt(SaveError, "-[HDF5(c) _flush]", "Failed to flush HDF5 file");
}

void HDF5_c::drop() {
  if (loc_id >= 0) {
    if (writeFlag) flush();
    if (compoundType && writeFlag && c_rnbuf) {
      for (unsigned i = 0; i < c_count; i++)
        if (c_rnbuf[i]) msg::free(getZone(), c_rnbuf[i]);
      msg::free(getZone(), c_rnbuf);
    }
    if (!parent) {
      if (H5Fclose(loc_id) < 0) raiseAt(SaveError, DropFunction, "Failed to close HDF5 file");
    } else if (compoundType) {
      if (H5Dclose(loc_id) < 0) raiseAt(SaveError, DropFunction, "Failed to close (compound) dataset");
    } else if (datasetFlag) {
      if (!isPlaceholder() || !writeFlag)
        if (H5Dclose(loc_id) < 0) raiseAt(SaveError, DropFunction, "Failed to close HDF5 dataset");
    } else if (H5Gclose(loc_id) < 0) {
      raiseAt(SaveError, DropFunction, "Failed to close HDF5 group");
    }
  }
  if (psid >= 0 && H5Sclose(psid) < 0) raiseAt(SaveError, DropFunction, "Failed to close point space");
  if (bsid >= 0 && H5Sclose(bsid) < 0) raiseAt(SaveError, DropFunction, "Failed to close block space");
  if (c_sid >= 0 && H5Sclose(c_sid) < 0) raiseAt(SaveError, DropFunction, "Failed to close vector space");
  if (plist > 0 && H5Pclose(plist) < 0)
    raiseAt(SaveError, DropFunction, "unable to dispose of chunk/deflate property");
  // A record type read from the file belongs to the node.
  if (compoundType && !writeFlag) msg::drop(compoundType);
  if (vector_buf) msg::free(getZone(), vector_buf);
  if (name) msg::free(getZone(), name);
  Object_s::drop();
}

REGISTER_CLASS(HDF5_c, CreateDrop_s,
  ivar(&HDF5_c::parent, "parent"),
  ivar(&HDF5_c::name, "name"),
  ivar(&HDF5_c::writeFlag, "writeFlag"),
  ivar(&HDF5_c::datasetFlag, "datasetFlag"),
  ivar(&HDF5_c::loc_id, "loc_id"),
  ivar(&HDF5_c::psid, "psid"),
  ivar(&HDF5_c::bsid, "bsid"),
  ivar(&HDF5_c::plist, "plist"),
  ivar(&HDF5_c::vector_type, "vector_type"),
  ivar(&HDF5_c::vector_buf, "vector_buf"),
  ivar(&HDF5_c::baseTypeObject, "baseTypeObject"),
  ivar(&HDF5_c::compoundType, "compoundType"),
  ivar(&HDF5_c::c_count, "c_count"),
  ivar(&HDF5_c::c_sid, "c_sid"),
  ivar(&HDF5_c::c_rnnlen, "c_rnnlen"),
  ivar(&HDF5_c::c_rnmlen, "c_rnmlen"),
  ivar(&HDF5_c::c_rnbuf, "c_rnbuf"),
  phase(Phase::Creating),
  classMethod<&HDF5_c::createBegin>(msg::createBegin),
  method<&HDF5_c::setParent>(msg::setParent),
  method<&HDF5_c::setWriteFlag>(msg::setWriteFlag),
  method<&HDF5_c::setDatasetFlag>(msg::setDatasetFlag),
  method<&HDF5_c::setExtensibleVectorType>(msg::setExtensibleVectorType),
  method<&HDF5_c::setExtensibleDoubleVector>(msg::setExtensibleDoubleVector),
  method<&HDF5_c::setCompoundType>(msg::setCompoundType),
  method<&HDF5_c::setCount>(msg::setCount),
  method<&HDF5_c::setId>(msg::setId),
  method<&HDF5_c::createEnd>(msg::createEnd),
  phase(Phase::Setting),
  method<&HDF5_c::setName>(msg::setName),
  method<&HDF5_c::setBaseTypeObject>(msg::setBaseTypeObject),
  method<&HDF5_c::drop>(msg::drop),
  phase(Phase::Using),
  method<&HDF5_c::iterate>(msg::iterate),
  method<&HDF5_c::iterate_drop>(msg::iterate_drop),
  method<&HDF5_c::getDatasetFlag>(msg::getDatasetFlag),
  method<&HDF5_c::getWriteFlag>(msg::getWriteFlag),
  method<&HDF5_c::getDatasetRank>(msg::getDatasetRank),
  method<&HDF5_c::getDatasetDimension>(msg::getDatasetDimension),
  method<&HDF5_c::getDatasetType>(msg::getDatasetType),
  method<&HDF5_c::getCount>(msg::getCount),
  method<&HDF5_c::getHDF5Name>(msg::getHDF5Name),
  method<&HDF5_c::getCompoundType>(msg::getCompoundType),
  method<&HDF5_c::getClass>(msg::getClass),
  method<&HDF5_c::assignIvar>(msg::assignIvar),
  method<&HDF5_c::checkName>(msg::checkName),
  method<&HDF5_c::checkDatasetName>(msg::checkDatasetName),
  method<&HDF5_c::loadDataset>(msg::loadDataset),
  method<&HDF5_c::storeAsDataset_typeName_type_rank_dims_ptr>(msg::storeAsDataset_typeName_type_rank_dims_ptr),
  method<&HDF5_c::addDoubleToVector>(msg::addDoubleToVector),
  method<&HDF5_c::flushVector>(msg::flushVector),
  method<&HDF5_c::storeTypeName>(msg::storeTypeName),
  method<&HDF5_c::storeComponentTypeName>(msg::storeComponentTypeName),
  method<&HDF5_c::shallowLoadObject>(msg::shallowLoadObject),
  method<&HDF5_c::shallowStoreObject>(msg::shallowStoreObject),
  method<&HDF5_c::nameRecord_name>(msg::nameRecord_name),
  method<&HDF5_c::numberRecord>(msg::numberRecord),
  method<&HDF5_c::selectRecord>(msg::selectRecord),
  method<&HDF5_c::readRowNames>(msg::readRowNames),
  method<&HDF5_c::writeRowNames>(msg::writeRowNames),
  method<&HDF5_c::writeLevels>(msg::writeLevels),
  method<&HDF5_c::storeAttribute_value>(msg::storeAttribute_value),
  method<&HDF5_c::iterateAttributes>(msg::iterateAttributes),
  method<&HDF5_c::getAttribute>(msg::getAttribute),
  method<&HDF5_c::flush>(msg::flush),
  method<&HDF5_c::getParent>(msg::getParent))
