#include "collections/ArchiverArray.h"

#include <cstdint>
#include <cstring>

#include "collections/collections.h"
#include "collections/predicates.h"
#include "collections/stream_messages.h"
#include "defobj/fcall_type.h"
#include "defobj/lisp_array.h"
#include "defobj/phase.h"

namespace {

const char* const SetArray = "-[ArchiverArray(c) _setArray:]";

BOOL isReal(unsigned type) { return type >= fcall_type_float && type <= fcall_type_long_double; }

// Whether a leaf of one value type may be stored in an array of another:
// integers and reals widen into reals, and nil fills a class array.
BOOL leafConverts(int leafType, int elementType) {
  if (leafType == elementType) return YES;
  if (isReal(elementType)) return leafType == fcall_type_slonglong || isReal(leafType);
  return elementType == fcall_type_class && leafType == fcall_type_object;
}

long double realOf(id leaf) {
  switch (msg::getValueType(leaf)) {
    case fcall_type_slonglong: return msg::getLongLong(leaf);
    case fcall_type_float: return msg::getFloat(leaf);
    case fcall_type_double: return msg::getDouble(leaf);
    default: return msg::getLongDouble(leaf);
  }
}

long double realAt(int type, const void* data, unsigned i) {
  switch (type) {
    case fcall_type_slonglong: return static_cast<const long long*>(data)[i];
    case fcall_type_float: return static_cast<const float*>(data)[i];
    case fcall_type_double: return static_cast<const double*>(data)[i];
    default: return static_cast<const long double*>(data)[i];
  }
}

void putReal(int type, void* data, unsigned i, long double v) {
  switch (type) {
    case fcall_type_float: static_cast<float*>(data)[i] = static_cast<float>(v); break;
    case fcall_type_double: static_cast<double*>(data)[i] = static_cast<double>(v); break;
    default: static_cast<long double*>(data)[i] = v; break;
  }
}

// Integers narrow to the target's width, as scalar variables do.
void putInteger(size_t size, void* data, unsigned i, long long v) {
  switch (size) {
    case 2: static_cast<int16_t*>(data)[i] = static_cast<int16_t>(v); break;
    case 4: static_cast<int32_t*>(data)[i] = static_cast<int32_t>(v); break;
    default: static_cast<int64_t*>(data)[i] = v; break;
  }
}

template <class F>
void forEachMember(id list, F&& function) {
  id index = msg::begin(list, _obj_scratchZone);
  for (id member = msg::next(index); msg::getLoc(index) == Member; member = msg::next(index)) function(member);
  msg::drop(index);
}

// Visits the leaves in row-major order. Every list at depth d must have
// dims[d] members and every leaf must sit at depth rank.
template <class F>
void forEachLeaf(id node, unsigned depth, unsigned rank, const unsigned* dims, F&& leaf) {
  if (depth == rank) {
    if (archiver_list_p(node)) raiseAt(InvalidArgument, SetArray, "Array is not rectangular");
    leaf(node);
    return;
  }
  if (!archiver_list_p(node) || msg::getCount(node) != dims[depth])
    raiseAt(InvalidArgument, SetArray, "Array is not rectangular");
  forEachMember(node, [&](id member) { forEachLeaf(member, depth + 1, rank, dims, leaf); });
}

void storeLeaf(id leaf, int type, void* data, unsigned i) {
  switch (type) {
    case fcall_type_boolean: static_cast<BOOL*>(data)[i] = msg::getBoolean(leaf); break;
    case fcall_type_schar: static_cast<char*>(data)[i] = msg::getChar(leaf); break;
    case fcall_type_slonglong: static_cast<long long*>(data)[i] = msg::getLongLong(leaf); break;
    case fcall_type_float:
    case fcall_type_double:
    case fcall_type_long_double: putReal(type, data, i, realOf(leaf)); break;
    case fcall_type_object: static_cast<id*>(data)[i] = msg::getObject(leaf); break;
    case fcall_type_class:
      static_cast<Class*>(data)[i] = msg::getValueType(leaf) == fcall_type_class ? msg::getClass(leaf) : Nil;
      break;
  }
}

void dropTree(id node) {
  if (archiver_list_p(node)) forEachMember(node, dropTree);
  msg::drop(node);
}

}  // namespace

void ArchiverArray_c::setArray(id list) {
  if (!archiver_list_p(list)) raiseAt(InvalidArgument, SetArray, "Array elements are not in a list");
  id zone = getZone();
  if (dims) msg::freeBlock_blockSize(zone, dims, rank * sizeof(unsigned));
  if (data) msg::freeBlock_blockSize(zone, data, static_cast<size_t>(elementCount) * elementSize);
  dims = nullptr;
  data = nullptr;

  // The first members down to the first leaf give rank and dimensions.
  id first = list;
  for (rank = 0; archiver_list_p(first); rank++) {
    if (msg::getCount(first) == 0) raiseAt(InvalidArgument, SetArray, "Array has no elements");
    first = msg::getFirst(first);
  }
  if (!valuep(first)) raiseAt(InvalidArgument, SetArray, "Array element not numeric");
  type = msg::getValueType(first);
  dims = static_cast<unsigned*>(msg::allocBlock(zone, rank * sizeof(unsigned)));
  id level = list;
  for (unsigned d = 0; d < rank; d++, level = msg::getFirst(level)) dims[d] = msg::getCount(level);

  // Checked whole before the block is sized from the dimensions.
  elementCount = 0;
  forEachLeaf(list, 0, rank, dims, [&](id leaf) {
    if (!valuep(leaf)) raiseAt(InvalidArgument, SetArray, "Array element not a number");
    if (!leafConverts(msg::getValueType(leaf), type))
      raiseAt(InvalidArgument, SetArray, "Array element of type %d in an array of type %d",
              msg::getValueType(leaf), type);
    elementCount++;
  });
  elementSize = fcall_type_size(static_cast<fcall_type_t>(type));
  const size_t size = static_cast<size_t>(elementCount) * elementSize;
  data = msg::allocBlock(zone, size);
  std::memset(data, 0, size);
  unsigned i = 0;
  forEachLeaf(list, 0, rank, dims, [&](id leaf) { storeLeaf(leaf, type, data, i++); });
}

void ArchiverArray_c::convertToType_dest(int target, void* dest) {
  const fcall_type_t to = static_cast<fcall_type_t>(target);
  const BOOL integerTarget = to >= fcall_type_ushort && to <= fcall_type_slonglong;
  if (type == fcall_type_slonglong && integerTarget) {
    for (unsigned i = 0; i < elementCount; i++)
      putInteger(fcall_type_size(to), dest, i, static_cast<const long long*>(data)[i]);
  } else if ((type == fcall_type_slonglong || isReal(type)) && isReal(target)) {
    for (unsigned i = 0; i < elementCount; i++) putReal(target, dest, i, realAt(type, data, i));
  } else if (target == type || (type == fcall_type_schar && target == fcall_type_uchar) ||
             (type == fcall_type_boolean && target == fcall_type_uchar)) {
    std::memcpy(dest, data, static_cast<size_t>(elementCount) * elementSize);
  } else if (type == fcall_type_object && (target == fcall_type_class || target == fcall_type_string)) {
    // Only nil objects are ever stored: they become null references.
    std::memset(dest, 0, static_cast<size_t>(elementCount) * fcall_type_size(to));
  } else {
    raiseAt(InvalidArgument, "-[ArchiverArray(c) _convertToType:dest:]",
            "Array of type %d does not convert to type %d", type, target);
  }
}

unsigned ArchiverArray_c::getRank() { return rank; }
unsigned* ArchiverArray_c::getDims() { return dims; }
unsigned ArchiverArray_c::getElementCount() { return elementCount; }
unsigned ArchiverArray_c::getElementSize() { return elementSize; }
int ArchiverArray_c::getArrayType() { return type; }
void* ArchiverArray_c::getData() { return data; }

void ArchiverArray_c::lispOutDeep(id stream) {
  lisp_process_array(rank, dims, static_cast<fcall_type_t>(type), data, stream, YES);
}

void ArchiverArray_c::drop() {
  id zone = getZone();
  if (dims) msg::freeBlock_blockSize(zone, dims, rank * sizeof(unsigned));
  if (data) msg::freeBlock_blockSize(zone, data, static_cast<size_t>(elementCount) * elementSize);
  Object_s::drop();
}

id archiverArrayFromList(id zone, id list) {
  id array = msg::create(ArchiverArray, zone);
  msg::setArray(array, list);
  dropTree(list);
  return array;
}

REGISTER_CLASS(ArchiverArray_c, CreateDrop_s,
  ivar(&ArchiverArray_c::rank, "rank"),
  ivar(&ArchiverArray_c::dims, "dims"),
  ivar(&ArchiverArray_c::elementSize, "elementSize"),
  ivar(&ArchiverArray_c::elementCount, "elementCount"),
  ivar(&ArchiverArray_c::type, "type"),
  ivar(&ArchiverArray_c::data, "data"),
  phase(Phase::Setting),
  method<&ArchiverArray_c::setArray>(msg::setArray),
  method<&ArchiverArray_c::drop>(msg::drop),
  phase(Phase::Using),
  method<&ArchiverArray_c::convertToType_dest>(msg::convertToType_dest),
  method<&ArchiverArray_c::getRank>(msg::getRank),
  method<&ArchiverArray_c::getDims>(msg::getDims),
  method<&ArchiverArray_c::getElementCount>(msg::getElementCount),
  method<&ArchiverArray_c::getElementSize>(msg::getElementSize),
  method<&ArchiverArray_c::getArrayType>(msg::getArrayType),
  method<&ArchiverArray_c::getData>(msg::getData),
  method<&ArchiverArray_c::lispOutDeep>(msg::lispOutShallow),
  method<&ArchiverArray_c::lispOutDeep>(msg::lispOutDeep))
