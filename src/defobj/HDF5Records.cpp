// The record datasets and vectors of HDF5 nodes: records with their row
// names ("row.names") and string tables, and vectors of doubles written a
// block of HDF5_VECTOR_BLOCK values at a time.
#include <cstdio>
#include <cstring>
#include <vector>

#include "defobj/HDF5.h"
#include "defobj/HDF5Support.h"
#include "defobj/defobj.h"
#include "defobj/zstrdup.h"
#include "misc/debugabort.h"

// --- record datasets ---

const char* HDF5_c::nameRecord_name(unsigned record, const char* recordName) {
  if (!c_rnbuf || record >= c_count)
    raiseAt(InvalidArgument, "-[HDF5(c) _nameRecord:name:]", "record %u is not a record being written", record);
  if (c_rnbuf[record]) msg::free(getZone(), c_rnbuf[record]);
  c_rnbuf[record] = zstrdup(getZone(), recordName);
  c_rnmlen = std::max<unsigned long long>(c_rnmlen, std::strlen(recordName));
  return c_rnbuf[record];
}

const char* HDF5_c::numberRecord(unsigned record) {
  char format[16], text[24];
  std::snprintf(format, sizeof format, "%%0%uu", static_cast<unsigned>(c_rnnlen));
  std::snprintf(text, sizeof text, format, record);
  const unsigned long long longest = c_rnmlen;
  const char* copy = nameRecord_name(record, text);
  c_rnmlen = longest;
  return copy;
}

void HDF5_c::selectRecord(unsigned record) {
  const hsize_t coordinate = record;
  if (c_sid < 0 || record >= c_count || H5Sselect_elements(c_sid, H5S_SELECT_SET, 1, &coordinate) < 0)
    raiseAt(InvalidArgument, "-[HDF5(c) _selectRecord:]", "unable to select record: %u", record);
}

void HDF5_c::shallowStoreObject(id object) {
  const char* function = "-[HDF5(c) _shallowStoreObject:]";
  if (!compoundType) raiseAt(SaveError, function, "shallow datasets are expected to have compound type");
  const hid_t tid = msg::getTid(compoundType);
  const size_t size = H5Tget_size(tid);
  std::vector<unsigned char> buffer(size);
  msg::packBuf_to(compoundType, object, buffer.data());
  if (H5Dwrite(loc_id, tid, psid, c_sid, H5P_DEFAULT, buffer.data()) < 0)
    raiseAt(SaveError, function, "unable to store record");
}

void HDF5_c::shallowLoadObject(id object) {
  const char* function = "-[HDF5(c) _shallowLoadObject:]";
  if (!compoundType) raiseAt(LoadError, function, "shallow datasets are expected to have compound type");
  const hid_t tid = msg::getTid(compoundType);
  const size_t size = H5Tget_size(tid);
  if (size == 0) raiseAt(LoadError, function, "unable to get compound type size");
  std::vector<unsigned char> buffer(size);
  if (H5Dread(loc_id, tid, psid, c_sid, H5P_DEFAULT, buffer.data()) < 0)
    raiseAt(LoadError, function, "unable to load record");
  msg::packObj_to(compoundType, buffer.data(), object);
}

void HDF5_c::writeRowNames() {
  const char* function = "-[HDF5(c) _writeRowNames]";
  if (!c_rnbuf) raiseAt(SaveError, function, "shallow datasets are expected to have compound type");
  suppress_messages([&] { return H5Adelete(loc_id, "row.names"); });
  const hsize_t count = c_count;
  hid_t sid = H5Screate_simple(1, &count, nullptr);
  if (sid < 0) raiseAt(SaveError, function, "unable to create row names data space");
  const size_t size = (c_rnmlen ? c_rnmlen : c_rnnlen) + 1;
  hid_t tid = hdf5_string_type(size, SaveError, function);
  hid_t aid = H5Acreate1(loc_id, "row.names", tid, sid, H5P_DEFAULT);
  if (aid < 0) raiseAt(SaveError, function, "unable to create row names attribute dataset");
  char* block = hdf5_pack_strings(c_rnbuf, c_count, size);
  if (H5Awrite(aid, tid, block) < 0) raiseAt(SaveError, function, "unable to write row names dataset");
  msg::free(_obj_scratchZone, block);
  if (H5Tclose(tid) < 0) raiseAt(SaveError, function, "unable to close row names string type");
  if (H5Aclose(aid) < 0) raiseAt(SaveError, function, "unable to close row names dataset");
  if (H5Sclose(sid) < 0) raiseAt(SaveError, function, "unable to close row names dataspace");
}

// The names are copies in the scratch zone; the array is of the node's
// zone, and the caller frees both.
const char** HDF5_c::readRowNames() {
  const char* function = "-[HDF5(c) _readRowNames]";
  hid_t aid = suppress_messages([&] { return H5Aopen_name(loc_id, "row.names"); });
  if (aid < 0) raiseAt(LoadError, function, "could not get row names attribute");
  hid_t sid = H5Aget_space(aid);
  if (sid < 0) raiseAt(LoadError, function, "could not get row names space");
  const int rank = H5Sget_simple_extent_ndims(sid);
  if (rank < 0) raiseAt(LoadError, function, "could not get row names space rank");
  if (rank != 1) raiseAt(LoadError, function, "row names space rank should be 1");
  hsize_t count;
  if (H5Sget_simple_extent_dims(sid, &count, nullptr) < 0)
    raiseAt(LoadError, function, "could not get dimensions for row names space");
  if (count != c_count) raiseAt(LoadError, function, "row names vector different size from table");
  hid_t tid = H5Aget_type(aid);
  if (tid < 0) raiseAt(LoadError, function, "could not get row names type");
  if (H5Tget_class(tid) != H5T_STRING || H5Tis_variable_str(tid) > 0)
    raiseAt(LoadError, function, "could not get row names vector");
  const size_t size = H5Tget_size(tid);
  hid_t memory = hdf5_string_type(size, LoadError, function);
  auto* block = static_cast<char*>(msg::alloc(getZone(), c_count * size + 1));
  if (H5Aread(aid, memory, block) < 0) raiseAt(LoadError, function, "could not get row names vector");
  auto** names = static_cast<const char**>(msg::alloc(getZone(), c_count * sizeof(char*)));
  hdf5_unpack_strings(block, c_count, size, _obj_scratchZone, names);
  msg::free(getZone(), block);
  H5Tclose(memory);
  if (H5Aclose(aid) < 0) raiseAt(LoadError, function, "could not close row names attribute");
  if (H5Sclose(sid) < 0) raiseAt(LoadError, function, "could not close row names space");
  if (H5Tclose(tid) < 0) raiseAt(LoadError, function, "could not close reference type");
  return names;
}

void HDF5_c::writeLevels() {
  if (!compoundType) raiseAt(SaveError, "-[HDF5(c) _writeLevels]", "shallow datasets are expected to have compound type");
  msg::setDataset(compoundType, loc_id);
  msg::writeLevels(compoundType);
}

// --- vectors ---

void HDF5_c::addDoubleToVector(double value) {
  if (!isVector()) raiseAt(InvalidArgument, "-[HDF5(c) _addDoubleToVector:]", "node `%s' is not a vector", name);
  vector_buf[c_count % HDF5_VECTOR_BLOCK] = value;
  c_count++;
  if (c_count % HDF5_VECTOR_BLOCK == 0) flushVector();
}

// Writes the current block, full or not; without values nothing.
void HDF5_c::flushVector() {
  const char* function = "-[HDF5(c) _flushVector]";
  if (!isVector() || c_count == 0) return;
  const hsize_t n = c_count % HDF5_VECTOR_BLOCK ? c_count % HDF5_VECTOR_BLOCK : HDF5_VECTOR_BLOCK;
  const hsize_t size = c_count;
  if (H5Dextend(loc_id, &size) < 0 || H5Sset_extent_simple(bsid, 1, &n, nullptr) < 0 ||
      H5Sset_extent_simple(c_sid, 1, &size, nullptr) < 0)
    debugabort(__FILE_NAME__, __LINE__, function);
  const hsize_t start = size - n;
  if (H5Sselect_hyperslab(c_sid, H5S_SELECT_SET, &start, nullptr, &n, nullptr) < 0)
    raiseAt(InvalidArgument, function, "unable to select elements");
  if (H5Dwrite(loc_id, H5T_NATIVE_DOUBLE, bsid, c_sid, H5P_DEFAULT, vector_buf) < 0)
    raiseAt(InvalidArgument, function, "unable to write to vector");
}
