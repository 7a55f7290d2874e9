// The Tcl call protocol: a command line sent to an object becomes a message
// send, its words converted by the method's type codes and its result
// written back as the Tcl result.
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <type_traits>

#include "defobj/FCall.h"
#include "defobj/Zone.h"
#include "defobj/address.h"
#include "defobj/defobj.h"
#include "objectbase/signature.h"
#include "tclobjc/tclObjc.h"

namespace {

constexpr size_t MaxSelectorLength = 99;
constexpr int MaxWords = 256;
constexpr size_t ResultSize = 1024;

[[gnu::format(printf, 2, 3)]] int fail(Tcl_Interp* interp, const char* format, ...) {
  va_list args;
  va_start(args, format);
  char text[ResultSize + 128];
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  Tcl_SetResult(interp, text, TCL_VOLATILE);
  return TCL_ERROR;
}

const char* nameOf(id target) {
  return class_is_meta(target->isa) ? reinterpret_cast<Class>(target)->name : target->isa->name;
}

// A whole decimal word in the range of T; sscanf would take "3x" as 3 and
// wrap "-1" into an unsigned.
template <class T>
bool parseInteger(const char* word, T* value) {
  char* end;
  errno = 0;
  if constexpr (std::is_signed_v<T>) {
    const long long v = std::strtoll(word, &end, 10);
    if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max()) return false;
    *value = static_cast<T>(v);
  } else {
    if (std::strchr(word, '-')) return false;
    const unsigned long long v = std::strtoull(word, &end, 10);
    if (v > std::numeric_limits<T>::max()) return false;
    *value = static_cast<T>(v);
  }
  return !errno && end != word && !*end;
}

template <class T>
bool parseReal(const char* word, T* value) {
  char* end;
  errno = 0;
  *value = std::is_same_v<T, float> ? std::strtof(word, &end) : std::strtod(word, &end);
  return !errno && end != word && !*end;
}

template <class T>
using Adder = Message<void(T)>;

template <class T>
bool addNumber(id args, const Adder<T>& add, const char* word, bool (*parse)(const char*, T*)) {
  T value;
  if (!parse(word, &value)) return false;
  add(args, value);
  return true;
}

// Adds one argument word by its type code; TCL_OK, or the error set.
int addArgument(Tcl_Interp* interp, id args, char code, const char* type, const char* word) {
  bool ok;
  const char* kind;
  switch (code) {
    case '*': msg::addString(args, word); return TCL_OK;
    case '@': {
      id object = tclObjc_nameToObject(word);
      if (object == TclObjcNotFound) return fail(interp, "Expected objc object, got %s instead.\n", word);
      msg::addObject(args, object);
      return TCL_OK;
    }
    case 'c': msg::addChar(args, word[0]); return TCL_OK;
    case 'C': kind = "unsigned char"; ok = addNumber<unsigned char>(args, msg::addUnsignedChar, word, parseInteger); break;
    case 'I': kind = "unsigned int"; ok = addNumber<unsigned>(args, msg::addUnsigned, word, parseInteger); break;
    case 'L': kind = "unsigned long"; ok = addNumber<unsigned long>(args, msg::addUnsignedLong, word, parseInteger); break;
    case 'S': kind = "unsigned short"; ok = addNumber<unsigned short>(args, msg::addUnsignedShort, word, parseInteger); break;
    case 'i': kind = "int"; ok = addNumber<int>(args, msg::addInt, word, parseInteger); break;
    case 'l': kind = "long"; ok = addNumber<long>(args, msg::addLong, word, parseInteger); break;
    case 's': kind = "short"; ok = addNumber<short>(args, msg::addShort, word, parseInteger); break;
    case 'd': kind = "double"; ok = addNumber<double>(args, msg::addDouble, word, parseReal); break;
    case 'f': kind = "float"; ok = addNumber<float>(args, msg::addFloat, word, parseReal); break;
    default:
      std::fprintf(stderr, "Tcl can't handle arg type `%c' in `%s'", code, type);
      return fail(interp, "Tcl can't handle arg type %c", code);
  }
  return ok ? TCL_OK : fail(interp, "expected %s but got \"%s\"", kind, word);
}

bool returnTypeHandled(char code) { return code && std::strchr("*@CISL^cisldfv", code); }

// The name of an object result. A method may drop its own receiver and
// answer it: a receiver that is no longer a live object is named from the
// class it had before the call, and not read.
const char* resultName(id object, id target, Class targetClass) {
  static char name[ObjectNameTextSize];
  if (object == target && !_obj_isLiveObject(target)) return formatObjectName(name, targetClass, target);
  return tclObjc_objectToName(object);
}

// Writes the result by its type code; false when it does not fit.
bool formatResult(char code, const void* result, id target, Class targetClass, char (&text)[ResultSize]) {
  int n = 0;
  auto value = [result]<class T>(T*) { T v; std::memcpy(&v, result, sizeof v); return v; };
  switch (code) {
    case 'v': text[0] = '\0'; break;
    case '*': {
      const char* s = value(static_cast<const char**>(nullptr));
      n = std::snprintf(text, sizeof text, "%s", s ? s : "");
      break;
    }
    case '@':
      n = std::snprintf(text, sizeof text, "%s", resultName(value(static_cast<id*>(nullptr)), target, targetClass));
      break;
    case '^': {
      char address[AddressTextSize];
      n = std::snprintf(text, sizeof text, "%s", formatAddress(address, value(static_cast<void**>(nullptr))));
      break;
    }
    case 'C': n = std::snprintf(text, sizeof text, "%u", value(static_cast<unsigned char*>(nullptr))); break;
    case 'S': n = std::snprintf(text, sizeof text, "%u", value(static_cast<unsigned short*>(nullptr))); break;
    case 'I': n = std::snprintf(text, sizeof text, "%u", value(static_cast<unsigned*>(nullptr))); break;
    case 'L': n = std::snprintf(text, sizeof text, "%lu", value(static_cast<unsigned long*>(nullptr))); break;
    case 'c': n = std::snprintf(text, sizeof text, "%d", value(static_cast<signed char*>(nullptr))); break;
    case 's': n = std::snprintf(text, sizeof text, "%d", value(static_cast<short*>(nullptr))); break;
    case 'i': n = std::snprintf(text, sizeof text, "%d", value(static_cast<int*>(nullptr))); break;
    case 'l': n = std::snprintf(text, sizeof text, "%ld", value(static_cast<long*>(nullptr))); break;
    case 'd': n = std::snprintf(text, sizeof text, "%g", value(static_cast<double*>(nullptr))); break;
    case 'f': n = std::snprintf(text, sizeof text, "%g", value(static_cast<float*>(nullptr))); break;
  }
  return n >= 0 && static_cast<size_t>(n) < sizeof text;
}

// The method's own signature: other classes may have registered the name
// with other types.
const char* signatureOf(id target, SEL sel) {
  Method method = class_get_instance_method(target->isa, sel);
  return method && *method->method_types ? method->method_types : sel_get_type(sel);
}

}  // namespace

int tclObjc_msgSendToClientData(ClientData clientData, Tcl_Interp* interp, int argc, const char* argv[]) {
  id target = static_cast<id>(clientData);
  if (argc < 2) return fail(interp, "no method specified.");
  if (argc > MaxWords) return fail(interp, "tclObjc: more than %d words", MaxWords);

  char selector[MaxSelectorLength + 1] = "";
  const char* words[MaxWords];
  int wordCount = 0;
  size_t length = 0;
  for (int i = 1; i < argc; i++) {
    const size_t n = std::strlen(argv[i]);
    if (i == 1 || (n && argv[i][n - 1] == ':')) {
      if (length + n > MaxSelectorLength)
        return fail(interp, "tclObjc: selector longer than %zu characters", MaxSelectorLength);
      std::memcpy(selector + length, argv[i], n + 1);
      length += n;
    } else {
      words[wordCount++] = argv[i];
    }
  }

  SEL sel = sel_get_any_typed_uid(selector);
  if (!sel || !class_responds_to(target->isa, sel)) {
    std::fprintf(stderr, "%s does not respond to method %s\n", nameOf(target), selector);
    return fail(interp, "object does not respond to method");
  }
  const char* types = signatureOf(target, sel);
  const char returnCode = *skip_type_qualifiers(types);
  if (!returnTypeHandled(returnCode)) {
    std::fprintf(stderr, "Tcl can't handle ret type `%c' in `%s'", returnCode, types);
    return fail(interp, "Tcl can't handle ret type %c", returnCode);
  }
  const int argumentCount = get_number_of_arguments(types) - 2;
  if (argumentCount != wordCount || argumentCount > static_cast<int>(MAX_ARGS))
    return fail(interp, "tclObjc: %s takes %d arguments, got %d", selector, argumentCount, wordCount);

  id args = msg::createBegin(FArguments, _obj_scratchZone);
  // A pointer result travels as an untyped word.
  msg::setObjCReturnType(args, returnCode == '^' ? '*' : returnCode);
  const char* spec = skip_argspec(skip_argspec(skip_argspec(types)));
  for (int i = 0; i < wordCount; i++, spec = skip_argspec(spec)) {
    const char* type = skip_type_qualifiers(spec);
    if (addArgument(interp, args, *type, types, words[i]) != TCL_OK) {
      msg::drop(msg::createEnd(args));  // finished, so the drop frees its argument blocks
      return TCL_ERROR;
    }
  }
  args = msg::createEnd(args);

  id call = msg::createBegin(FCall, _obj_scratchZone);
  msg::setArguments(call, args);
  msg::setMethodFromSelector_inObject(call, sel, target);
  call = msg::createEnd(call);
  Class targetClass = target->isa;
  msg::performCall(call);
  char text[ResultSize];
  const bool fits = formatResult(returnCode, msg::getResult(call), target, targetClass, text);
  msg::drop(call);
  msg::drop(args);
  if (!fits) return fail(interp, "tclObjc: result of %s longer than %zu characters", selector, ResultSize - 1);
  Tcl_SetResult(interp, text, TCL_VOLATILE);
  if (tclObjc_eventHook) tclObjc_eventHook();
  return TCL_OK;
}

int tclObjc_msgSendToArgv1(ClientData, Tcl_Interp* interp, int argc, const char* argv[]) {
  if (argc < 2) return fail(interp, "no method specified.");
  id target = tclObjc_nameToObject(argv[1]);
  if (target == TclObjcNotFound || !target) return fail(interp, "tclObjc: %s not recognized as an object", argv[1]);
  return tclObjc_msgSendToClientData(target, interp, argc - 1, argv + 1);
}
