#include "objectbase/probe_text.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <type_traits>

#include "defobj/address.h"
#include "defobj/defobj.h"
#include "defobj/zstrdup.h"
#include "objectbase/objectbase.h"
#include "objectbase/probe_value.h"

id DefaultString, CharString, IntString;

namespace {

// --- value to text ---

// A character as the texts show it: itself when printable, else a
// backslash and its code in octal, so that no byte (NUL above all) cuts or
// garbles the text.
struct ShownCharacter {
  char text[5];
  explicit ShownCharacter(int number) {
    const auto c = static_cast<unsigned char>(number);
    if (c >= ' ' && c <= '~') std::snprintf(text, sizeof text, "%c", c);
    else std::snprintf(text, sizeof text, "\\%o", c);
  }
};

// A character value as number and character, character alone, or number
// alone.
void characterText(int number, id style, char* buffer, size_t size) {
  const ShownCharacter c(number);
  if (style == DefaultString) std::snprintf(buffer, size, "%d '%s'", number, c.text);
  else if (style == CharString) std::snprintf(buffer, size, "'%s'", c.text);
  else if (style == IntString) std::snprintf(buffer, size, "%d", number);
  else msg::raiseEvent(InvalidArgument, "stringReturnType set incorrectly!\n");
}

void integerText(fcall_type_t type, const void* p, char* buffer, size_t size) {
  withNumber(type, p, [&](auto v) {
    if constexpr (std::is_signed_v<decltype(v)>)
      std::snprintf(buffer, size, "%lld", static_cast<long long>(v));
    else
      std::snprintf(buffer, size, "%llu", static_cast<unsigned long long>(v));
  });
}

const char* objectText(id object) {
  if (!object) return "nil";
  if (msg::respondsTo(object, msg::getDisplayName.sel))
    if (const char* name = msg::getDisplayName(object)) return name;
  return msg::getName(object);
}

// --- text to value ---

template <class T>
BOOL store(void* p, T value) {
  std::memcpy(p, &value, sizeof value);
  return YES;
}

bool blankFrom(const char* rest) {
  while (std::isspace(static_cast<unsigned char>(*rest))) rest++;
  return *rest == '\0';
}

// A quote and a character as ShownCharacter writes it; answers the text
// after the character, or null.
const char* quotedCharacter(const char* text, char* c) {
  if (text[0] != '\'' || !text[1]) return nullptr;
  if (text[1] == '\\' && text[2] >= '0' && text[2] <= '7') {
    char* end;
    const unsigned long code = std::strtoul(text + 2, &end, 8);
    if (end - (text + 2) > 3 || code > 0xff) return nullptr;
    *c = static_cast<char>(code);
    return end;
  }
  *c = text[1];
  return text + 2;
}

// What a character value's default text puts after the number: a blank
// and the character in quotes.
bool echoFrom(const char* rest) {
  while (std::isspace(static_cast<unsigned char>(*rest))) rest++;
  char c;
  if (const char* after = quotedCharacter(rest, &c); after && *after == '\'') rest = after + 1;
  return blankFrom(rest);
}

// A decimal integer with nothing after it but end; NO when it does not
// fit in T.
template <class T>
BOOL scanInteger(const char* text, void* p) {
  const char* start = text;
  while (std::isspace(static_cast<unsigned char>(*start))) start++;
  char* end;
  errno = 0;
  if constexpr (std::is_signed_v<T>) {
    const long long v = std::strtoll(start, &end, 10);
    if (end == start || errno == ERANGE || !blankFrom(end) || v < std::numeric_limits<T>::min() ||
        v > std::numeric_limits<T>::max())
      return NO;
    return store<T>(p, static_cast<T>(v));
  } else {
    if (*start == '-') return NO;
    const unsigned long long v = std::strtoull(start, &end, 10);
    if (end == start || errno == ERANGE || !blankFrom(end) || v > std::numeric_limits<T>::max()) return NO;
    return store<T>(p, static_cast<T>(v));
  }
}

// A character code: the quoted character with CharString, else a number
// (its low byte is kept), optionally followed by the quoted character that
// the default text shows.
template <class T>
BOOL scanCharacter(const char* text, id style, void* p) {
  if (style == CharString) {
    char c;
    return quotedCharacter(text, &c) ? store<T>(p, static_cast<T>(c)) : NO;
  }
  char* end;
  errno = 0;
  const long long v = std::strtoll(text, &end, 10);
  if (end == text || errno == ERANGE || !echoFrom(end)) return NO;
  return store<T>(p, static_cast<T>(v));
}

// A real; long double is read as a double.
template <class T>
BOOL scanReal(const char* text, void* p) {
  char* end;
  errno = 0;
  if constexpr (std::is_same_v<T, float>) {
    const float v = std::strtof(text, &end);
    if (end == text || !blankFrom(end) || (errno == ERANGE && std::isinf(v))) return NO;
    return store<T>(p, v);
  } else {
    const double v = std::strtod(text, &end);
    if (end == text || !blankFrom(end) || (errno == ERANGE && std::isinf(v))) return NO;
    return store<T>(p, static_cast<T>(v));
  }
}

}  // namespace

void string_convert(fcall_type_t type, const void* p, const char* floatFormat, unsigned precision,
                    id stringReturnType, char* buffer, size_t size) {
  auto text = [&](const char* s) { std::snprintf(buffer, size, "%s", s); };
  switch (type) {
    case fcall_type_void: text("none"); break;
    case fcall_type_boolean: text(loadValue<BOOL>(p) ? "true" : "false"); break;
    case fcall_type_uchar: characterText(loadValue<unsigned char>(p), stringReturnType, buffer, size); break;
    case fcall_type_schar: characterText(loadValue<signed char>(p), stringReturnType, buffer, size); break;
    case fcall_type_ushort:
    case fcall_type_sshort:
    case fcall_type_uint:
    case fcall_type_sint:
    case fcall_type_ulong:
    case fcall_type_slong:
    case fcall_type_ulonglong:
    case fcall_type_slonglong: integerText(type, p, buffer, size); break;
    case fcall_type_float:
    case fcall_type_double:
    case fcall_type_long_double: {
      const double value = numberAs<double>(type, p, "string_convert");
      if (floatFormat) std::snprintf(buffer, size, floatFormat, value);
      else std::snprintf(buffer, size, "%.*g", static_cast<int>(precision), value);
      break;
    }
    case fcall_type_object: text(objectText(loadValue<id>(p))); break;
    case fcall_type_class: {
      const Class cls = loadValue<Class>(p);
      text(cls ? cls->name : "nil");
      break;
    }
    case fcall_type_string: {
      const char* s = loadValue<const char*>(p);
      text(s ? s : "<NULL>");
      break;
    }
    case fcall_type_selector: {
      const SEL sel = loadValue<SEL>(p);
      text(sel ? sel_get_name(sel) : "M(NULL)");
      break;
    }
    case fcall_type_iid: {
      char address[AddressTextSize];
      text(formatAddress(address, loadValue<void*>(p)));
      break;
    }
    case fcall_type_jobject:
    case fcall_type_jstring:
    case fcall_type_jselector: text(""); break;
    default: break;
  }
}

BOOL convert_from_string(fcall_type_t type, id stringReturnType, const char* text, void* p) {
  if (!text) return NO;
  switch (type) {
    case fcall_type_boolean:
      if (std::strcmp(text, "true") == 0) return store<BOOL>(p, YES);
      if (std::strcmp(text, "false") == 0) return store<BOOL>(p, NO);
      return scanCharacter<BOOL>(text, stringReturnType, p);
    case fcall_type_uchar: return scanCharacter<unsigned char>(text, stringReturnType, p);
    case fcall_type_schar: return scanCharacter<signed char>(text, stringReturnType, p);
    case fcall_type_ushort: return scanInteger<unsigned short>(text, p);
    case fcall_type_sshort: return scanInteger<short>(text, p);
    case fcall_type_uint: return scanInteger<unsigned>(text, p);
    case fcall_type_sint: return scanInteger<int>(text, p);
    case fcall_type_ulong: return scanInteger<unsigned long>(text, p);
    case fcall_type_slong: return scanInteger<long>(text, p);
    case fcall_type_ulonglong: return scanInteger<unsigned long long>(text, p);
    case fcall_type_slonglong: return scanInteger<long long>(text, p);
    case fcall_type_float: return scanReal<float>(text, p);
    case fcall_type_double: return scanReal<double>(text, p);
    case fcall_type_long_double: return scanReal<long double>(text, p);
    case fcall_type_string:
      return store<const char*>(p, std::strcmp(text, "<NULL>") == 0 ? nullptr : zstrdup(_obj_scratchZone, text));
    case fcall_type_void:
    case fcall_type_object:
    case fcall_type_class:
    case fcall_type_selector:
    case fcall_type_jobject:
    case fcall_type_jstring:
    case fcall_type_jselector:
    case fcall_type_iid: debugabort(__FILE_NAME__, __LINE__, "convert_from_string");
    default: return NO;
  }
}
