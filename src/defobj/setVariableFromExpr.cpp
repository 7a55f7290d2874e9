#include "defobj/setVariableFromExpr.h"

#include <climits>
#include <cmath>
#include <cstring>
#include <vector>

#include "collections/predicates.h"
#include "collections/stream_messages.h"
#include "defobj/defobj.h"
#include "defobj/lispIn.h"
#include "defobj/objc_array.h"
#include "defobj/var_access.h"
#include "defobj/zstrdup.h"

// Every misfit is reported from here, as coming from the archive's
// interpretation rather than from a source file.
#define raiseMisfit(...) \
  msg::raiseEvent(InvalidArgument, "\r", "object_setVariableFromExpr", "internal", __LINE__, __VA_ARGS__)

namespace {

struct Variable {
  const char* name;
  fcall_type_t type;  // the element's type for an array, iid for a pointer
  unsigned count;     // elements of an array, 1 for a scalar
  bool array;
  bool pointer;
  const char* pointee;  // after the "^" of a pointer
};

Variable variableOf(id object, const char* name) {
  objc_ivar* ivar = find_ivar(object->isa, name);
  if (!ivar)
    raiseMisfit("Cannot find ivar `%s' (non-existent ivar name in archiver file?)\n", name);
  return {name, object_ivar_type(object, name), object_getVariableElementCount(object, name),
          get_rank(ivar->ivar_type) > 0, ivar->ivar_type[0] == '^', ivar->ivar_type + 1};
}

void requireScalar(const Variable& v) {
  if (v.array) raiseMisfit("instance variable `%s' is an array of %u elements\n", v.name, v.count);
}

[[noreturn]] void mismatch(const Variable& v, unsigned got) {
  raiseMisfit("for instance variable `%s' expected type %u and got %u\n", v.name, v.type, got);
  __builtin_unreachable();
}

// A real as a signed 64-bit integer: truncated toward zero and clamped, so
// that no conversion is undefined; NaN gives 0.
long long realToInteger(long double r) {
  if (std::isnan(r)) return 0;
  if (r >= 0x1p63L) return LLONG_MAX;
  if (r <= -0x1p63L) return LLONG_MIN;
  return static_cast<long long>(r);
}

// Unsigned 64-bit variables take the reals up to 2^64 as they are; the
// others go through the signed value, so -1.0 gives all bits set.
unsigned long long realToUnsigned64(long double r) {
  if (r >= 0x1p64L) return ULLONG_MAX;
  if (r >= 0x1p63L) return static_cast<unsigned long long>(r);
  return static_cast<unsigned long long>(realToInteger(r));
}

template <class T>
void put(unsigned char* buffer, T value) {
  std::memcpy(buffer, &value, sizeof value);
}

// A number node of type v converted to the variable's type t; integers
// narrow to the variable's width.
void convertNumber(id node, unsigned v, fcall_type_t t, unsigned char* buffer) {
  long double real = 0;
  switch (v) {
    case fcall_type_float: real = msg::getFloat(node); break;
    case fcall_type_double: real = msg::getDouble(node); break;
    case fcall_type_long_double: real = msg::getLongDouble(node); break;
  }
  const bool isInteger = v == fcall_type_slonglong;
  if (t == fcall_type_float || t == fcall_type_double || t == fcall_type_long_double) {
    const long double value = isInteger ? static_cast<long double>(msg::getLongLong(node)) : real;
    if (t == fcall_type_float) put(buffer, static_cast<float>(value));
    else if (t == fcall_type_double) put(buffer, static_cast<double>(value));
    else put(buffer, value);
    return;
  }
  const unsigned long long bits =
      isInteger ? static_cast<unsigned long long>(msg::getLongLong(node))
      : t == fcall_type_ulonglong ? realToUnsigned64(real)
                                  : static_cast<unsigned long long>(realToInteger(real));
  switch (fcall_type_size(t)) {
    case 2: put(buffer, static_cast<uint16_t>(bits)); break;
    case 4: put(buffer, static_cast<uint32_t>(bits)); break;
    default: put(buffer, static_cast<uint64_t>(bits)); break;
  }
}

void setFromValue(id object, const Variable& v, id node) {
  requireScalar(v);
  alignas(16) unsigned char buffer[16] = {};
  const unsigned got = msg::getValueType(node);
  switch (got) {
    case fcall_type_boolean:
      if (v.type != fcall_type_boolean) mismatch(v, got);
      put(buffer, msg::getBoolean(node));
      break;
    case fcall_type_schar:
      if (v.type != fcall_type_uchar && v.type != fcall_type_schar) mismatch(v, got);
      put(buffer, msg::getChar(node));
      break;
    case fcall_type_slonglong:
    case fcall_type_float:
    case fcall_type_double:
    case fcall_type_long_double:
      if (v.type < fcall_type_ushort || v.type > fcall_type_long_double) mismatch(v, got);
      convertNumber(node, got, v.type, buffer);
      break;
    case fcall_type_object:
      // Only nil is ever an object value: it clears any reference.
      if (v.type != fcall_type_object && v.type != fcall_type_class && v.type != fcall_type_string)
        mismatch(v, got);
      break;
    case fcall_type_class:
      if (v.type != fcall_type_class) mismatch(v, got);
      put(buffer, msg::getClass(node));
      break;
    default: raiseMisfit("Unknown value type %d\n", static_cast<int>(got));
  }
  object_setVariable(object, v.name, buffer);
}

void setFromArray(id object, const Variable& v, id node) {
  const unsigned count = msg::getElementCount(node);
  if (v.pointer) {
    const fcall_type_t element = fcall_type_for_objc_type(*v.pointee);
    void* block = msg::alloc(msg::getZone(object), fcall_type_size(element) * count);
    msg::convertToType_dest(node, element, block);
    std::memcpy(ivar_ptr_for_name(object, v.name), &block, sizeof block);
    return;
  }
  if (!v.array) raiseMisfit("instance variable `%s' holds one value, not an array\n", v.name);
  if (count != v.count)
    raiseMisfit("for instance variable `%s' expected %u elements and got %u\n", v.name, v.count, count);
  msg::convertToType_dest(node, v.type, ivar_ptr_for_name(object, v.name));
}

void setFromString(id object, const Variable& v, id node) {
  if (v.type != fcall_type_string && v.type != fcall_type_jstring) raiseMisfit("`%s' is not a string", v.name);
  requireScalar(v);
  const char* copy = zstrdup(msg::getZone(object), msg::getC(node));
  object_setVariable(object, v.name, &copy);
}

void setFromList(id object, const Variable& v, id list) {
  id head = msg::getCount(list) ? msg::getFirst(list) : nil;
  if (!stringp(head)) raiseMisfit("argument not a string\n");
  const char* word = msg::getC(head);
  if (std::strcmp(word, "parse") == 0) {
    // Zero, however wide the variable.
    std::vector<unsigned char> zero(fcall_type_size(v.type) * v.count);
    object_setVariable(object, v.name, zero.data());
    return;
  }
  const bool instance = std::strcmp(word, "make-instance") == 0;
  if (!instance && std::strcmp(word, "make-class") != 0)
    raiseMisfit("function not %s\n", "make-instance or make-class");
  const fcall_type_t made = instance ? fcall_type_object : fcall_type_class;
  if (v.type != made) mismatch(v, made);
  requireScalar(v);
  id value = lispIn(msg::getZone(object), list);
  object_setVariable(object, v.name, &value);
}

}  // namespace

void object_setVariableFromExpr(id object, const char* name, id expr) {
  const Variable v = variableOf(object, name);
  if (quotedp(expr)) expr = msg::getQuotedObject(expr);
  if (arrayp(expr)) setFromArray(object, v, expr);
  else if (valuep(expr)) setFromValue(object, v, expr);
  else if (stringp(expr)) setFromString(object, v, expr);
  else if (archiver_list_p(expr)) setFromList(object, v, expr);
  else raiseMisfit("Unknown type `%s'\n", expr ? expr->isa->name : "nil");
}
