#include "defobj/fcall_type.h"

#include <cstring>

#include "defobj/defobj.h"
#include "defobj/objc_array.h"
#include "defobj/zstrdup.h"
#include "misc/debugabort.h"

const char objc_types[FCALL_TYPE_COUNT + 1] = "vCCcSsIiLlQqfdX@#*:\001\002\003^";

namespace {

struct TypeInfo {
  size_t size;       // 0: asking for it is an internal error
  size_t alignment;  // 0: likewise
  const char* lispName;
};

template <class T>
constexpr TypeInfo of(const char* lispName = nullptr) {
  return {sizeof(T), alignof(T), lispName};
}
constexpr TypeInfo invalid{0, 0, nullptr};

const TypeInfo typeInfo[FCALL_TYPE_COUNT] = {
    invalid,  // void
    of<BOOL>("boolean"),
    of<unsigned char>(),
    of<char>(),
    of<unsigned short>("unsigned short"),
    of<short>("short"),
    of<unsigned>("unsigned"),
    of<int>("int"),
    of<unsigned long>("unsigned long"),
    of<long>("long"),
    of<unsigned long long>("unsigned long long"),
    of<long long>("long long"),
    of<float>("float"),
    of<double>("double"),
    of<long double>("long double"),
    of<id>("object"),
    of<Class>(),
    of<const char*>("string"),
    of<SEL>(),
    invalid,  // jobject
    invalid,  // jstring
    invalid,  // jselector
    of<void*>(),  // iid
};

// The code of an encoding character, or -1. "r" marks a constant string;
// "D" is the older spelling of long double.
int codeOf(char objcType) {
  if (objcType == 'r') return fcall_type_string;
  if (objcType == 'D') return fcall_type_long_double;
  const void* at = objcType ? std::memchr(objc_types, objcType, FCALL_TYPE_COUNT) : nullptr;
  return at ? static_cast<const char*>(at) - objc_types : -1;
}

}  // namespace

size_t fcall_type_size(fcall_type_t type) {
  if (type >= FCALL_TYPE_COUNT || typeInfo[type].size == 0) debugabort(__FILE_NAME__, __LINE__, __func__);
  return typeInfo[type].size;
}

size_t fcall_type_alignment(fcall_type_t type) {
  if (type >= FCALL_TYPE_COUNT) return 0;
  if (typeInfo[type].alignment == 0) debugabort(__FILE_NAME__, __LINE__, __func__);
  return typeInfo[type].alignment;
}

fcall_type_t fcall_type_for_objc_type(char objcType) {
  int code = codeOf(objcType);
  if (code < 0) {
    raiseAt(InvalidArgument, "fcall_type_for_objc_type", "Could not find objc type `%c'\n", objcType);
    return fcall_type_void;
  }
  return static_cast<fcall_type_t>(code);
}

const char* objc_type_for_fcall_type(fcall_type_t type) {
  if (type >= FCALL_TYPE_COUNT) debugabort(__FILE_NAME__, __LINE__, __func__);
  const char buf[2] = {objc_types[type], '\0'};
  return zstrdup(_obj_globalZone, type == fcall_type_iid ? "^v" : buf);
}

fcall_type_t fcall_type_for_lisp_type(const char* lispType) {
  for (unsigned code = 0; code < FCALL_TYPE_COUNT; code++)
    if (typeInfo[code].lispName && std::strcmp(typeInfo[code].lispName, lispType) == 0)
      return static_cast<fcall_type_t>(code);
  // The names come from archive files.
  raiseAt(InvalidArgument, __func__, "> unknown archive type name `%s'\n", lispType);
  return fcall_type_void;
}

const char* lisp_type_for_objc_type(const char* objcType,
                                    const std::function<void(unsigned, unsigned)>& dimension) {
  const char* element;
  std::vector<unsigned> dims = objc_array_dims(objcType, &element);
  if (dimension)
    for (unsigned i = 0; i < dims.size(); i++) dimension(i, dims[i]);
  int code = codeOf(*element);
  if (code < 0 || !typeInfo[code].lispName) debugabort(__FILE_NAME__, __LINE__, __func__);
  return typeInfo[code].lispName;
}
