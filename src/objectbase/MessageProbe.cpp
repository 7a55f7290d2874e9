#include "objectbase/MessageProbe.h"

#include <cstdlib>
#include <cstring>

#include "collections/collections.h"
#include "defobj/FCall.h"
#include "defobj/Zone.h"
#include "defobj/module.h"
#include "defobj/phase.h"
#include "defobj/zstrdup.h"
#include "objectbase/objectbase.h"
#include "objectbase/probe_value.h"
#include "objectbase/signature.h"

namespace {

bool blankFrom(const char* rest) {
  while (*rest == ' ' || (*rest >= '\t' && *rest <= '\r')) rest++;
  return *rest == '\0';
}

// Reads the value of the argument's code from text the way the C
// conversions do (whole 64-bit values for the 64-bit codes); answers
// whether the whole text was a value.
bool parseArgument(val_t& arg, const char* text, id zone) {
  char* end = const_cast<char*>(text);
  types_t& v = arg.val;
  switch (arg.type) {
    case fcall_type_boolean:
    case fcall_type_uchar: v.uchar = static_cast<unsigned char>(std::strtoull(text, &end, 10)); break;
    case fcall_type_schar: v.schar = static_cast<char>(std::strtoll(text, &end, 10)); break;
    case fcall_type_ushort: v.ushort = static_cast<unsigned short>(std::strtoull(text, &end, 10)); break;
    case fcall_type_sshort: v.sshort = static_cast<short>(std::strtoll(text, &end, 10)); break;
    case fcall_type_uint: v.uint = static_cast<unsigned>(std::strtoull(text, &end, 10)); break;
    case fcall_type_sint: v.sint = static_cast<int>(std::strtoll(text, &end, 10)); break;
    case fcall_type_ulong: v.ulong = std::strtoul(text, &end, 10); break;
    case fcall_type_slong: v.slong = std::strtol(text, &end, 10); break;
    case fcall_type_ulonglong: v.ulonglong = std::strtoull(text, &end, 10); break;
    case fcall_type_slonglong: v.slonglong = std::strtoll(text, &end, 10); break;
    case fcall_type_float: v._float = std::strtof(text, &end); break;
    case fcall_type_double: v._double = std::strtod(text, &end); break;
    case fcall_type_long_double: v._long_double = std::strtod(text, &end); break;
    case fcall_type_object: {
      BOOL named;
      v.object = nameToObjectOrNil(text, &named);
      return named;
    }
    case fcall_type_class:
      v._class = std::strcmp(text, "nil") ? objc_lookup_class(text) : Nil;
      return v._class || !std::strcmp(text, "nil");
    case fcall_type_selector:
      v.selector = std::strcmp(text, "M(NULL)") ? sel_get_any_uid(text) : nullptr;
      return v.selector || !std::strcmp(text, "M(NULL)");
    case fcall_type_string: v.string = zstrdup(zone, text); return true;
    default: return false;  // pointers have no text
  }
  return end != text && blankFrom(end);
}

}  // namespace

// --- creating ---

id MessageProbe::create_setProbedSelector(Class cls, id zone, SEL sel) {
  id probe = msg::createBegin(cls, zone);
  msg::setProbedSelector(probe, sel);
  return msg::createEnd(probe);
}

void MessageProbe::setProbedSelector(SEL sel) {
  release(getZone(), probedMethodName);
  probedSelector = sel;
  probedMethodName = sel ? zstrdup(getZone(), sel_get_name(sel)) : nullptr;
}

void MessageProbe::setProbedMethodName(const char* name) {
  release(getZone(), probedMethodName);
  probedSelector = nullptr;
  probedMethodName = name ? zstrdup(getZone(), name) : nullptr;
}

id MessageProbe::createEnd() {
  Probe::createEnd();
  SEL sel = probedMethodName ? sel_get_any_typed_uid(probedMethodName) : nullptr;
  if (!sel) {
    msg::raiseEvent(WarningMessage, probedMethodName && sel_get_any_uid(probedMethodName)
                                        ? "Type for selector does not exist"
                                        : "Typed selector does not exist");
    msg::drop(this);
    return nil;
  }
  const char* types = sel_get_type(sel);
  // The probed class's own method decides: other classes may have
  // registered the name with other types.
  if (probedClass)
    if (Method method = class_get_instance_method(probedClass, sel); method && *method->method_types) {
      sel = method->method_name;
      types = method->method_types;
    }
  probedSelector = sel;
  probedType = zstrdup(_obj_globalZone, types);
  if (const int n = getArgCount(); n > 0) {
    arguments = static_cast<val_t*>(msg::alloc(getZone(), n * sizeof(val_t)));
    std::memset(arguments, 0, n * sizeof(val_t));  // each of type void
  }
  return this;
}

void MessageProbe::setHideResult(BOOL flag) { hideResultFlag = flag; }

// --- the signature ---

BOOL MessageProbe::isResultId() { return probedType[0] == '@'; }
BOOL MessageProbe::isArgumentId(int index) { return nth_type(probedType, index) == '@'; }
const char* MessageProbe::getProbedMessage() { return sel_get_name(probedSelector); }
BOOL MessageProbe::getHideResult() { return hideResultFlag; }

int MessageProbe::getArgCount() {
  if (!probedType) debugabort(__FILE_NAME__, __LINE__, "-[MessageProbe getArgCount]");
  return get_number_of_arguments(probedType) - 2;
}

const char* MessageProbe::getArgName(int index) {
  const char* keyword = index < 0 ? nullptr : getProbedMessage();
  for (int i = 0; keyword && i < index; i++)
    if ((keyword = std::strchr(keyword, ':'))) keyword++;
  if (!keyword || !*keyword) return nullptr;
  const char* colon = std::strchr(keyword, ':');
  const size_t length = colon ? colon - keyword + 1 : std::strlen(keyword);
  auto* name = static_cast<char*>(msg::alloc(_obj_scratchZone, length + 1));
  std::memcpy(name, keyword, length);
  name[length] = '\0';
  return name;
}

// --- arguments ---

val_t& MessageProbe::slot(int index, const char* function) {
  if (index < 0 || index >= getArgCount()) debugabort(__FILE_NAME__, __LINE__, function);
  return arguments[index];
}

// A string argument is a copy that the probe owns.
void MessageProbe::releaseSlot(val_t& arg) {
  if (arg.type == fcall_type_string) release(getZone(), arg.val.string);
  arg = val_t{};
}

val_t MessageProbe::getArg(int index) { return slot(index, "-[MessageProbe getArg:]"); }

void MessageProbe::setArg_ToString(int index, const char* text) {
  val_t& arg = slot(index, "-[MessageProbe setArg:ToString:]");
  releaseSlot(arg);
  arg.type = fcall_type_for_objc_type(nth_type(probedType, index));
  if (!text) text = "";
  if (!parseArgument(arg, text, getZone()))
    msg::raiseEvent(WarningMessage, "Error scanning for value in string %s\n", text);
}

void MessageProbe::setArg_ToUnsigned(int index, unsigned value) {
  val_t& arg = slot(index, "-[MessageProbe setArg:ToUnsigned:]");
  releaseSlot(arg);
  arg.type = fcall_type_uint;
  arg.val.uint = value;
}

// --- calls ---

val_t MessageProbe::dynamicCallOn(id object) {
  id prepared = call;
  if (prepared) {
    updateTarget(prepared, object);
  } else {
    msg::setProbedObject(this, object);
    id zone = componentZoneOf(getZone());
    id args = msg::createBegin(FArguments, zone);
    msg::setSelector(args, probedSelector);  // and the result type from the signature
    const int n = getArgCount();
    for (int i = 0; i < n; i++) msg::addArgument_ofType(args, &arguments[i].val, arguments[i].type);
    args = msg::createEnd(args);
    prepared = msg::create_target_methodName_arguments(FCall, zone, object, probedMethodName, args);
    if (n == 0) call = prepared;
  }
  msg::performCall(prepared);
  id args = msg::getArguments(prepared);
  const val_t result = msg::getRetVal(args);
  if (prepared != call) {
    msg::drop(prepared);
    msg::drop(args);
  }
  return result;
}

double MessageProbe::doubleDynamicCallOn(id object) {
  val_t result = dynamicCallOn(object);
  return numberAs<double>(result.type, &result.val, "-[MessageProbe doubleDynamicCallOn:]");
}

long MessageProbe::longDynamicCallOn(id object) {
  val_t result = dynamicCallOn(object);
  return numberAs<long>(result.type, &result.val, "-[MessageProbe longDynamicCallOn:]");
}

const char* MessageProbe::stringDynamicCallOn(id object) {
  val_t result = dynamicCallOn(object);
  if (result.type != fcall_type_string) debugabort(__FILE_NAME__, __LINE__, "-[MessageProbe stringDynamicCallOn:]");
  return result.val.string;
}

id MessageProbe::objectDynamicCallOn(id object) {
  val_t result = dynamicCallOn(object);
  if (result.type != fcall_type_object && result.type != fcall_type_selector)
    debugabort(__FILE_NAME__, __LINE__, "-[MessageProbe objectDynamicCallOn:]");
  return result.val.object;
}

// --- copies, descriptions, drop ---

id MessageProbe::clone(id zone) {
  id copy = msg::createBegin(objc_get_class("MessageProbe"), zone);
  msg::setProbedClass(copy, probedClass);
  msg::setProbedSelector(copy, probedSelector);
  if (objectToNotify) msg::setObjectToNotify(copy, objectToNotify);
  return msg::createEnd(copy);
}

void MessageProbe::describe(id stream) {
  Object_s::describe(stream);
  msg::catC(stream, "selector: ");
  msg::catC(stream, getProbedMessage());
  msg::catC(stream, "\n");
}

void MessageProbe::drop() {
  if (call) {
    id args = msg::getArguments(call);
    msg::drop(call);
    msg::drop(args);
  }
  if (arguments) {
    for (int i = 0, n = getArgCount(); i < n; i++) releaseSlot(arguments[i]);
    release(getZone(), arguments);
  }
  release(getZone(), probedMethodName);
  Probe::drop();
}

REGISTER_CLASS(MessageProbe, Probe,
  ivar(&MessageProbe::probedSelector, "probedSelector"),
  ivar(&MessageProbe::probedMethodName, "probedMethodName"),
  ivar(&MessageProbe::hideResultFlag, "hideResultFlag"),
  ivar(&MessageProbe::arguments, "arguments"),
  ivar(&MessageProbe::call, "call"),
  phase(Phase::Creating),
  classMethod<&MessageProbe::create_setProbedSelector>(msg::create_setProbedSelector),
  method<&MessageProbe::setProbedSelector>(msg::setProbedSelector),
  method<&MessageProbe::setProbedMethodName>(msg::setProbedMethodName),
  method<&MessageProbe::createEnd>(msg::createEnd),
  phase(Phase::Setting),
  method<&MessageProbe::setHideResult>(msg::setHideResult),
  phase(Phase::Using),
  method<&MessageProbe::isResultId>(msg::isResultId),
  method<&MessageProbe::isArgumentId>(msg::isArgumentId),
  method<&MessageProbe::getProbedMessage>(msg::getProbedMessage),
  method<&MessageProbe::getArgCount>(msg::getArgCount),
  method<&MessageProbe::getArg>(msg::getArg),
  method<&MessageProbe::getArgName>(msg::getArgName),
  method<&MessageProbe::getHideResult>(msg::getHideResult),
  method<&MessageProbe::setArg_ToString>(msg::setArg_ToString),
  method<&MessageProbe::setArg_ToUnsigned>(msg::setArg_ToUnsigned),
  method<&MessageProbe::dynamicCallOn>(msg::dynamicCallOn),
  method<&MessageProbe::doubleDynamicCallOn>(msg::doubleDynamicCallOn),
  method<&MessageProbe::longDynamicCallOn>(msg::longDynamicCallOn),
  method<&MessageProbe::stringDynamicCallOn>(msg::stringDynamicCallOn),
  method<&MessageProbe::objectDynamicCallOn>(msg::objectDynamicCallOn),
  method<&MessageProbe::clone>(msg::clone),
  method<&MessageProbe::describe>(msg::describe),
  method<&MessageProbe::drop>(msg::drop))
