#include "defobj/setVariableFromExpr.h"

#include <cfloat>
#include <cstdio>
#include <cmath>
#include <cstring>
#include <vector>

#include "collections/predicates.h"
#include "collections/stream_messages.h"
#include "defobj/defobj.h"
#include "defobj/Object_s.h"
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

// A real in the range of its 64-bit unsigned variable: those from 2^63 up
// do not fit the signed conversion.
unsigned long long realToUnsigned64(long double r) {
  if (r >= 0x1p63L) return static_cast<unsigned long long>(r);
  return static_cast<unsigned long long>(static_cast<long long>(r));
}

template <class T>
void put(unsigned char* buffer, T value) {
  std::memcpy(buffer, &value, sizeof value);
}

[[noreturn]] void outOfRange(const Variable& v, const char* value) {
  raiseMisfit("value %s is out of the range of instance variable `%s'\n", value, v.name);
  __builtin_unreachable();
}

bool isUnsigned(fcall_type_t t) {
  return t == fcall_type_ushort || t == fcall_type_uint || t == fcall_type_ulong || t == fcall_type_ulonglong;
}

// The integers that an integer variable of type t holds, exactly (a long
// double has 64 bits of mantissa).
void integerRange(fcall_type_t t, long double& low, long double& high) {
  const int bits = 8 * static_cast<int>(fcall_type_size(t));
  low = isUnsigned(t) ? 0 : -std::ldexp(1.0L, bits - 1);
  high = std::ldexp(1.0L, isUnsigned(t) ? bits : bits - 1) - 1;
}

// A value that its variable cannot hold is refused rather than narrowed.
// Unsigned 64-bit variables take every integer: the reader gives those
// from 2^63 up as the negative numbers of the same bits.
void checkInteger(const Variable& v, long long n) {
  if (fcall_type_size(v.type) == 8) return;
  long double low, high;
  integerRange(v.type, low, high);
  if (n >= low && n <= high) return;
  char text[32];
  std::snprintf(text, sizeof text, "%lld", n);
  outOfRange(v, text);
}

void checkRange(const Variable& v, id node, unsigned got, long double real) {
  char text[64];
  const fcall_type_t t = v.type;
  if (got == fcall_type_slonglong) {
    if (t < fcall_type_float) checkInteger(v, msg::getLongLong(node));
    return;
  }
  bool fits;
  if (t == fcall_type_float) fits = std::fabs(real) <= FLT_MAX;
  else if (t == fcall_type_double) fits = std::fabs(real) <= DBL_MAX;
  else if (t == fcall_type_long_double) fits = !std::isnan(real);
  else {
    long double low, high;
    integerRange(t, low, high);
    fits = std::trunc(real) >= low && std::trunc(real) <= high;
  }
  if (!fits) {
    std::snprintf(text, sizeof text, "%Lg", real);
    outOfRange(v, text);
  }
}

// A number node of type v converted to the variable's type t, once the
// variable is known to hold it; reals go to integers truncated.
void convertNumber(id node, unsigned v, const Variable& var, unsigned char* buffer) {
  const fcall_type_t t = var.type;
  long double real = 0;
  switch (v) {
    case fcall_type_float: real = msg::getFloat(node); break;
    case fcall_type_double: real = msg::getDouble(node); break;
    case fcall_type_long_double: real = msg::getLongDouble(node); break;
  }
  checkRange(var, node, v, real);
  const bool isInteger = v == fcall_type_slonglong;
  if (t == fcall_type_float || t == fcall_type_double || t == fcall_type_long_double) {
    const long double value = isInteger ? static_cast<long double>(msg::getLongLong(node)) : real;
    if (t == fcall_type_float) put(buffer, static_cast<float>(value));
    else if (t == fcall_type_double) put(buffer, static_cast<double>(value));
    else put(buffer, value);
    return;
  }
  const unsigned long long bits = isInteger ? static_cast<unsigned long long>(msg::getLongLong(node))
                                  : fcall_type_size(t) == 8 && isUnsigned(t)
                                      ? realToUnsigned64(real)
                                      : static_cast<unsigned long long>(static_cast<long long>(real));
  switch (fcall_type_size(t)) {
    case 2: put(buffer, static_cast<uint16_t>(bits)); break;
    case 4: put(buffer, static_cast<uint32_t>(bits)); break;
    default: put(buffer, static_cast<uint64_t>(bits)); break;
  }
}

// What creation put into an object variable (a brood's synchronization
// type and zone among them) is what the engine relies on: an archive may
// replace it, never clear it.
void refuseClearing(id object, const Variable& v) {
  if (v.type != fcall_type_object) return;
  const id* slots = static_cast<const id*>(ivar_ptr_for_name(object, v.name));
  for (unsigned i = 0; i < v.count; i++)
    if (slots[i]) raiseMisfit("instance variable `%s' holds an object that an archive may not clear\n", v.name);
}

// The object that a scalar object variable holds (creation made it when
// an archive is read), or nil.
id madeObject(id object, const Variable& v) {
  return v.type == fcall_type_object ? *static_cast<const id*>(ivar_ptr_for_name(object, v.name)) : nil;
}

// An object that creation made is used as what it is (a brood's
// synchronization type is sent create:): an archive may replace it only
// with one of the same kind.
void checkReplacement(id object, const Variable& v, id value) {
  const id made = madeObject(object, v);
  if (!made || !value || Object_s::isSubclass(value->isa, made->isa)) return;
  const bool isClass = (made->isa->info & CLS_META) != 0;
  raiseMisfit(
      "instance variable `%s' holds %s `%s', which an archive may replace only with one of its kind, not a %s\n",
      v.name, isClass ? "the class" : "an object of class",
      isClass ? static_cast<Class>(made)->name : made->isa->name, value->isa->name);
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
      convertNumber(node, got, v, buffer);
      break;
    case fcall_type_object:
      // Only nil is ever an object value: it clears any reference, except
      // an object that creation made, which a shallow form (writing every
      // object as nil) did not archive.
      if (v.type != fcall_type_object && v.type != fcall_type_class && v.type != fcall_type_string)
        mismatch(v, got);
      if (madeObject(object, v)) return;
      break;
    case fcall_type_class:
      if (v.type != fcall_type_class) mismatch(v, got);
      put(buffer, msg::getClass(node));
      break;
    default: raiseMisfit("Unknown value type %d\n", static_cast<int>(got));
  }
  object_setVariable(object, v.name, buffer);
}

// Integer elements go into integer elements of the variable's width.
void checkElements(const Variable& v, id node) {
  if (msg::getArrayType(node) != fcall_type_slonglong || v.type < fcall_type_ushort || v.type > fcall_type_slonglong)
    return;
  const auto* elements = static_cast<const long long*>(msg::getData(node));
  for (unsigned i = 0; i < v.count; i++) checkInteger(v, elements[i]);
}

void setFromArray(id object, const Variable& v, id node) {
  const unsigned count = msg::getElementCount(node);
  if (v.pointer) {
    const fcall_type_t element = fcall_type_for_objc_type(*v.pointee);
    checkElements({v.name, element, count, true, false, nullptr}, node);
    void* block = msg::alloc(msg::getZone(object), fcall_type_size(element) * count);
    msg::convertToType_dest(node, element, block);
    std::memcpy(ivar_ptr_for_name(object, v.name), &block, sizeof block);
    return;
  }
  if (!v.array) raiseMisfit("instance variable `%s' holds one value, not an array\n", v.name);
  if (count != v.count)
    raiseMisfit("for instance variable `%s' expected %u elements and got %u\n", v.name, v.count, count);
  checkElements(v, node);
  msg::convertToType_dest(node, v.type, ivar_ptr_for_name(object, v.name));
}

// What the archive must give a variable of the type, for the reports.
const char* expectedValue(fcall_type_t t) {
  if (t == fcall_type_boolean) return "#t or #f";
  if (t == fcall_type_uchar || t == fcall_type_schar) return "a character";
  if (t >= fcall_type_ushort && t <= fcall_type_long_double) return "a number";
  if (t == fcall_type_object) return "an object (make-instance) or nil";
  if (t == fcall_type_class) return "a class";
  return "a value of its type";
}

void setFromString(id object, const Variable& v, id node) {
  if (v.type != fcall_type_string && v.type != fcall_type_jstring)
    raiseMisfit("instance variable `%s' takes %s, not the text `%s'\n", v.name, expectedValue(v.type),
                msg::getC(node));
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
    refuseClearing(object, v);
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
  checkReplacement(object, v, value);
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
