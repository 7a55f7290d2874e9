// Typed values read from memory for the numeric forms of probes: variable
// reads, array walks and the results of dynamic calls.
#pragma once

#include <cstring>
#include <limits>
#include <type_traits>

#include "defobj/fcall_type.h"
#include "misc/debugabort.h"

// Memory of any alignment, read by value.
template <class T>
inline T loadValue(const void* p) {
  T value;
  std::memcpy(&value, p, sizeof value);
  return value;
}

// Calls f with the number stored at p under the code and answers true;
// answers false for a code that holds no number.
template <class F>
inline bool withNumber(fcall_type_t type, const void* p, F&& f) {
  switch (type) {
    case fcall_type_boolean:
    case fcall_type_uchar: f(loadValue<unsigned char>(p)); return true;
    case fcall_type_schar: f(loadValue<signed char>(p)); return true;
    case fcall_type_ushort: f(loadValue<unsigned short>(p)); return true;
    case fcall_type_sshort: f(loadValue<short>(p)); return true;
    case fcall_type_uint: f(loadValue<unsigned>(p)); return true;
    case fcall_type_sint: f(loadValue<int>(p)); return true;
    case fcall_type_ulong: f(loadValue<unsigned long>(p)); return true;
    case fcall_type_slong: f(loadValue<long>(p)); return true;
    case fcall_type_ulonglong: f(loadValue<unsigned long long>(p)); return true;
    case fcall_type_slonglong: f(loadValue<long long>(p)); return true;
    case fcall_type_float: f(loadValue<float>(p)); return true;
    case fcall_type_double: f(loadValue<double>(p)); return true;
    case fcall_type_long_double: f(loadValue<long double>(p)); return true;
    default: return false;
  }
}

// The number at p as a T: integers keep their low bits, reals are cut
// toward zero (held at T's limits) when T is an integer. Codes past the
// last call type answer 0; codes that hold no number are a caller error,
// reported for function.
template <class T>
inline T numberAs(fcall_type_t type, const void* p, const char* function) {
  if (type >= FCALL_TYPE_COUNT) return T(0);
  T result = T(0);
  auto convert = [&](auto v) {
    using V = decltype(v);
    if constexpr (std::is_floating_point_v<T> || !std::is_floating_point_v<V>) {
      result = static_cast<T>(v);
    } else {
      // NaN and values beyond T's range have no integer: hold them at the limits.
      const long double x = v;
      if (x != x) result = T(0);
      else if (x <= static_cast<long double>(std::numeric_limits<T>::min())) result = std::numeric_limits<T>::min();
      else if (x >= static_cast<long double>(std::numeric_limits<T>::max())) result = std::numeric_limits<T>::max();
      else result = static_cast<T>(x);
    }
  };
  if (!withNumber(type, p, convert)) debugabort(__FILE_NAME__, __LINE__, function);
  return result;
}
