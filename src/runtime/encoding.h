// Type encodings derived from C++ types, so that no signature is written by
// hand: "v" void, "C" unsigned char (BOOL), "c" char, "s"/"S" short, "i"/"I"
// int, "l"/"L" long, "q"/"Q" long long, "f" float, "d" double, "X" long
// double, "@" object, "#" class, "*" string, ":" selector, "^" pointer,
// "[n type]" arrays, "{name}" structures.
#pragma once

#include <string>
#include <type_traits>

#include "runtime/objc.h"

template <class T, class = void>
struct objc_encoding;

// Encodings are built by appending to one string: g++ 12 warns falsely
// (-Wrestrict) about "^" + ... in optimized builds.
template <class... S>
inline std::string appended(std::string first, const S&... rest) {
  (first += ... += rest);
  return first;
}

template <class T>
inline std::string objc_encode() {
  return objc_encoding<std::remove_cv_t<T>>::get();
}

#define OBJC_SIMPLE_ENCODING(type, code) \
  template <>                            \
  struct objc_encoding<type> {           \
    static std::string get() { return code; } \
  }

OBJC_SIMPLE_ENCODING(void, "v");
OBJC_SIMPLE_ENCODING(bool, "C");
OBJC_SIMPLE_ENCODING(char, "c");
OBJC_SIMPLE_ENCODING(signed char, "c");
OBJC_SIMPLE_ENCODING(unsigned char, "C");
OBJC_SIMPLE_ENCODING(short, "s");
OBJC_SIMPLE_ENCODING(unsigned short, "S");
OBJC_SIMPLE_ENCODING(int, "i");
OBJC_SIMPLE_ENCODING(unsigned int, "I");
OBJC_SIMPLE_ENCODING(long, "l");
OBJC_SIMPLE_ENCODING(unsigned long, "L");
OBJC_SIMPLE_ENCODING(long long, "q");
OBJC_SIMPLE_ENCODING(unsigned long long, "Q");
OBJC_SIMPLE_ENCODING(float, "f");
OBJC_SIMPLE_ENCODING(double, "d");
OBJC_SIMPLE_ENCODING(long double, "X");
OBJC_SIMPLE_ENCODING(char*, "*");
OBJC_SIMPLE_ENCODING(const char*, "*");
OBJC_SIMPLE_ENCODING(SEL, ":");
#undef OBJC_SIMPLE_ENCODING

template <class T>
struct objc_encoding<T, std::enable_if_t<std::is_enum_v<T>>> {
  static std::string get() { return objc_encode<std::underlying_type_t<T>>(); }
};

// Pointers to objects and classes are "@" and "#", other pointers "^type".
template <class T>
struct objc_encoding<T*, std::enable_if_t<!std::is_same_v<std::remove_cv_t<T>, char> &&
                                          !std::is_same_v<std::remove_cv_t<T>, objc_selector>>> {
  static std::string get() {
    using P = std::remove_cv_t<T>;
    if constexpr (std::is_base_of_v<objc_class, P>) return "#";
    else if constexpr (std::is_base_of_v<objc_object, P>) return "@";
    else if constexpr (std::is_function_v<P>) return "^?";
    else if constexpr (std::is_void_v<P>) return "^v";
    else return appended("^", objc_encode<P>());
  }
};

template <class T, size_t N>
struct objc_encoding<T[N]> {
  static std::string get() { return appended("[", std::to_string(N), objc_encode<T>(), "]"); }
};

// A structure without an encoding of its own is an opaque record.
template <class T>
struct objc_encoding<T, std::enable_if_t<std::is_class_v<T>>> {
  static std::string get() { return "{?}"; }
};

// Method signature: result, receiver, selector, arguments.
template <class R, class... A>
inline std::string objc_method_encoding() {
  return objc_encode<R>() + "@:" + (std::string() + ... + objc_encode<A>());
}
