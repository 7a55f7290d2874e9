#include "defobj/HDF5Support.h"

#include <cstring>
#include <string>

#include "defobj/defobj.h"
#include "defobj/zstrdup.h"
#include "misc/debugabort.h"

namespace {

// Made once and kept for the process.
hid_t booleanType() {
  static hid_t tid = [] {
    hid_t copy = H5Tcopy(H5T_NATIVE_UINT);
    H5Tset_precision(copy, 1);
    H5Tset_size(copy, 1);
    return copy;
  }();
  return tid;
}

}  // namespace

hid_t tid_for_fcall_type(fcall_type_t type) {
  switch (type) {
    case fcall_type_boolean: return booleanType();
    case fcall_type_uchar: return H5T_NATIVE_UCHAR;
    case fcall_type_schar: return H5T_NATIVE_SCHAR;
    case fcall_type_ushort: return H5T_NATIVE_USHORT;
    case fcall_type_sshort: return H5T_NATIVE_SHORT;
    case fcall_type_uint: return H5T_NATIVE_UINT;
    case fcall_type_sint: return H5T_NATIVE_INT;
    case fcall_type_ulong: return H5T_NATIVE_ULONG;
    case fcall_type_slong: return H5T_NATIVE_LONG;
    case fcall_type_ulonglong: return H5T_NATIVE_ULLONG;
    case fcall_type_slonglong: return H5T_NATIVE_LLONG;
    case fcall_type_float: return H5T_NATIVE_FLOAT;
    case fcall_type_double: return H5T_NATIVE_DOUBLE;
    case fcall_type_long_double: return H5T_NATIVE_LDOUBLE;
    default: debugabort(__FILE_NAME__, __LINE__, "tid_for_fcall_type");
  }
}

const char* hdf5_class_name(H5T_class_t typeClass) {
  switch (typeClass) {
    case H5T_INTEGER: return "integer";
    case H5T_FLOAT: return "float";
    case H5T_TIME: return "time";
    case H5T_STRING: return "string";
    case H5T_BITFIELD: return "bitfield";
    case H5T_OPAQUE: return "opaque";
    case H5T_COMPOUND: return "compound";
    case H5T_REFERENCE: return "reference";
    case H5T_ENUM: return "enum";
    case H5T_VLEN: return "variable-length";
    case H5T_ARRAY: return "array";
    default: return "unknown";
  }
}

// Files come from outside: a type that no variable can hold is a report,
// not a programming error.
fcall_type_t fcall_type_for_tid(hid_t tid) {
  const char* function = "fcall_type_for_tid";
  const H5T_class_t typeClass = H5Tget_class(tid);
  if (typeClass < 0) raiseAt(LoadError, function, "cannot get class of tid");
  if (typeClass == H5T_STRING) return fcall_type_string;
  const size_t size = H5Tget_size(tid);
  if (size == 0) raiseAt(LoadError, function, "cannot get size of tid");
  if (typeClass == H5T_FLOAT) {
    if (size == sizeof(float)) return fcall_type_float;
    if (size == sizeof(double)) return fcall_type_double;
    // 12 bytes on 32-bit hosts, 16 here.
    if (size == 12 || size == sizeof(long double)) return fcall_type_long_double;
  } else if (typeClass == H5T_INTEGER) {
    const H5T_sign_t sign = H5Tget_sign(tid);
    if (sign < 0) raiseAt(LoadError, function, "cannot get sign type of tid");
    const bool isSigned = sign == H5T_SGN_2;
    switch (size) {
      case 1:
        if (H5Tget_precision(tid) == 1) return fcall_type_boolean;
        return isSigned ? fcall_type_schar : fcall_type_uchar;
      case 2: return isSigned ? fcall_type_sshort : fcall_type_ushort;
      case 4: return isSigned ? fcall_type_sint : fcall_type_uint;
      case 8: return isSigned ? fcall_type_slonglong : fcall_type_ulonglong;
    }
  }
  raiseAt(LoadError, function, "> HDF5 %s type of %zu bytes is not supported\n", hdf5_class_name(typeClass), size);
  return fcall_type_void;
}

void hdf5_check_version(id errorSymbol, const char* function) {
  unsigned major, minor, release;
  if (H5get_libversion(&major, &minor, &release) < 0 ||
      (major == 1 && (minor < 8 || (minor == 8 && release < 7))) || major < 1)
    raiseAt(errorSymbol, function, "HDF5 release 1.8.7 or later required");
  // An archive is one file. A link into another would open whatever is
  // there (a FIFO blocks the open for ever), so no such link is followed,
  // not even at the end of a soft link's path.
  static const bool unfollowed =
      H5Lis_registered(H5L_TYPE_EXTERNAL) <= 0 || H5Lunregister(H5L_TYPE_EXTERNAL) >= 0;
  if (!unfollowed) raiseAt(errorSymbol, function, "unable to turn off external links");
}

hid_t hdf5_string_type(size_t size, id errorSymbol, const char* function) {
  hid_t tid = H5Tcopy(H5T_C_S1);
  if (tid < 0) raiseAt(errorSymbol, function, "unable to copy string type");
  if (H5Tset_size(tid, size) < 0) raiseAt(errorSymbol, function, "unable to set string size");
  return tid;
}

char* hdf5_pack_strings(const char* const* texts, size_t count, size_t size) {
  auto* block = static_cast<char*>(msg::alloc(_obj_scratchZone, count * size + 1));
  std::memset(block, 0, count * size + 1);
  for (size_t i = 0; i < count; i++)
    if (texts[i]) std::strncpy(block + i * size, texts[i], size - 1);
  return block;
}

void hdf5_unpack_strings(const char* block, size_t count, size_t size, id zone, const char** texts) {
  for (size_t i = 0; i < count; i++) texts[i] = zstrdup(zone, std::string(block + i * size, strnlen(block + i * size, size)).c_str());
}

bool hdf5_compatible_types(fcall_type_t variable, fcall_type_t stored) {
  if (variable == stored) return true;
  auto either = [&](fcall_type_t a, fcall_type_t b) {
    return (variable == a && stored == b) || (variable == b && stored == a);
  };
  return either(fcall_type_slong, fcall_type_sint) || either(fcall_type_ulong, fcall_type_uint) ||
         either(fcall_type_slong, fcall_type_slonglong) || either(fcall_type_ulong, fcall_type_ulonglong) ||
         either(fcall_type_boolean, fcall_type_uchar);
}
