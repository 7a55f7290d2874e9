// Value type codes shared by dynamic calls, archives, HDF5 records, probes
// and the Tcl bridge, with their runtime encodings, archive type names,
// sizes and alignments (those of the build target); typed values and the
// kinds of dynamic call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "runtime/objc.h"

enum fcall_type_t : unsigned {
  fcall_type_void = 0,
  fcall_type_boolean,
  fcall_type_uchar,
  fcall_type_schar,
  fcall_type_ushort,
  fcall_type_sshort,
  fcall_type_uint,
  fcall_type_sint,
  fcall_type_ulong,
  fcall_type_slong,
  fcall_type_ulonglong,
  fcall_type_slonglong,
  fcall_type_float,
  fcall_type_double,
  fcall_type_long_double,
  fcall_type_object,
  fcall_type_class,
  fcall_type_string,
  fcall_type_selector,
  fcall_type_jobject,
  fcall_type_jstring,
  fcall_type_jselector,
  fcall_type_iid
};
inline constexpr unsigned FCALL_TYPE_COUNT = fcall_type_iid + 1;

// One value of any call type.
union types_t {
  id object;
  SEL selector;
  Class _class;
  const char* string;
  BOOL boolean;
  char schar;
  unsigned char uchar;
  short sshort;
  unsigned short ushort;
  int sint;
  unsigned uint;
  long slong;
  unsigned long ulong;
  long long slonglong;
  unsigned long long ulonglong;
  float _float;
  double _double;
  long double _long_double;
  void* iid;
};

// A typed value.
struct val_t {
  fcall_type_t type;
  types_t val;
};

// The kinds of dynamic call; only ccall and objccall are native.
enum call_type_t : unsigned { ccall, COMcall, JScall, javacall, javastaticcall, objccall };

// A plain function to call dynamically, whatever its real signature.
typedef void (*func_t)();

// The runtime encoding character of each code, indexed by code; the
// three foreign-object codes hold the placeholder bytes 1, 2 and 3.
extern const char objc_types[FCALL_TYPE_COUNT + 1];

size_t fcall_type_size(fcall_type_t type);
size_t fcall_type_alignment(fcall_type_t type);
fcall_type_t fcall_type_for_objc_type(char objcType);
const char* objc_type_for_fcall_type(fcall_type_t type);  // new string in the global zone
fcall_type_t fcall_type_for_lisp_type(const char* lispType);

// The archive type name of a variable encoding. For an array encoding the
// callback (when given) sees each dimension group in order, as (dimension
// index, dimension size); the element's name is answered.
const char* lisp_type_for_objc_type(const char* objcType,
                                    const std::function<void(unsigned, unsigned)>& dimension = {});

inline size_t alignsizeto(size_t size, size_t alignment) {
  return (size + alignment - 1) & ~(alignment - 1);
}
inline void* alignptrto(void* ptr, size_t alignment) {
  return reinterpret_cast<void*>(alignsizeto(reinterpret_cast<uintptr_t>(ptr), alignment));
}
