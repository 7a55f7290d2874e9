#include "tclobjc/TclObject.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "defobj/address.h"
#include "objectbase/signature.h"
#include "runtime/registration.h"
#include "tclobjc/quote.h"
#include "tclobjc/tclObjc.h"

namespace {

template <class T>
T valueAt(const void* address) {
  T value;
  std::memcpy(&value, address, sizeof value);
  return value;
}

// One argument as a Tcl word by its type code; false for a code the proxy
// does not convert.
bool argumentText(char code, const void* address, std::string* text) {
  char buffer[64];
  switch (code) {
    case '*': {
      const char* s = valueAt<const char*>(address);
      *text = s ? s : "";
      return true;
    }
    case '@': *text = tclObjc_objectToName(valueAt<id>(address)); return true;
    case '^': {
      char pointer[AddressTextSize];
      *text = formatAddress(pointer, valueAt<void*>(address));
      return true;
    }
    case 'C': std::snprintf(buffer, sizeof buffer, "%u", valueAt<unsigned char>(address)); break;
    case 'I': std::snprintf(buffer, sizeof buffer, "%u", valueAt<unsigned>(address)); break;
    case 'S': std::snprintf(buffer, sizeof buffer, "%u", valueAt<unsigned short>(address)); break;
    case 'c': std::snprintf(buffer, sizeof buffer, "%c", valueAt<char>(address)); break;
    case 'd': std::snprintf(buffer, sizeof buffer, "%f", valueAt<double>(address)); break;
    case 'f': std::snprintf(buffer, sizeof buffer, "%f", valueAt<float>(address)); break;
    case 'i': std::snprintf(buffer, sizeof buffer, "%d", valueAt<int>(address)); break;
    case 's': std::snprintf(buffer, sizeof buffer, "%d", valueAt<short>(address)); break;
    default: return false;
  }
  *text = buffer;
  return true;
}

}  // namespace

id TclObject::newName(Class cls, const char* name) {
  auto* proxy = static_cast<TclObject*>(class_create_instance(cls));
  // Preserved, so a proxy that outlives its interpreter can still ask
  // whether it was deleted.
  proxy->_interp = tclObjc_lastInterp;
  if (proxy->_interp) Tcl_Preserve(proxy->_interp);
  const size_t length = std::strlen(name ? name : "") + 1;
  proxy->_tclName = static_cast<char*>(objc_malloc(length));
  std::memcpy(proxy->_tclName, name ? name : "", length);
  return proxy;
}

BOOL TclObject::respondsTo(SEL sel) {
  if (class_responds_to(isa, sel)) return YES;
  if (!_interp || Tcl_InterpDeleted(_interp)) return NO;
  Tcl_CmdInfo info;
  return Tcl_GetCommandInfo(_interp, (std::string(_tclName) + sel_get_name(sel)).c_str(), &info) ? YES : NO;
}

id TclObject::forward(SEL sel, void* frame) { return msg::performv(this, sel, frame); }

id TclObject::performv(SEL sel, void* frame) {
  const char* name = sel_get_name(sel);
  if (!_interp || Tcl_InterpDeleted(_interp)) {
    std::fprintf(stderr, "interp not set yet, %s\n", name);
    return nil;
  }
  if (Tcl_GetVar(_interp, "objcdebug", TCL_GLOBAL_ONLY)) std::printf("selector: %s\n", name);
  const char* types = sel_get_type(sel);
  if (!types) {
    SEL typed = sel_get_any_typed_uid(name);
    if (!typed) {
      std::fprintf(stderr, "method not found, %s\n", name);
      return nil;
    }
    types = sel_get_type(typed);
  }

  std::string command = tclQuote(_tclName) + ' ' + tclQuote(name);
  const void* const* argument = static_cast<const void* const*>(frame);
  std::string word;
  for (const char* spec = skip_argspec(skip_argspec(skip_argspec(types))); spec; spec = skip_argspec(spec)) {
    // A send through a bare implementation pointer carries no arguments.
    if (!argument || !*argument) {
      std::fprintf(stderr, "TclObject: the arguments of %s are not known\n", name);
      return nil;
    }
    const char code = *skip_type_qualifiers(spec);
    if (!argumentText(code, *argument++, &word)) {
      std::fprintf(stderr, "TclObject can't handle arg type %c\n", code);
      return nil;
    }
    command += ' ' + tclQuote(word.c_str());
  }
  command += '\n';
  return Tcl_EvalEx(_interp, command.c_str(), -1, TCL_EVAL_GLOBAL) == TCL_OK ? this : nil;
}

id TclObject::free_() {
  if (_interp) Tcl_Release(_interp);
  objc_free(_tclName);
  object_dispose(this);
  return nil;
}

REGISTER_ROOT_CLASS(TclObject,
  ivar(&TclObject::_interp, "_interp"),
  ivar(&TclObject::_tclName, "_tclName"),
  classMethod<&TclObject::newName>(msg::newName),
  method<&TclObject::respondsTo>(msg::respondsTo),
  method<&TclObject::forward>(msg::forward),
  method<&TclObject::performv>(msg::performv),
  method<&TclObject::free_>(msg::free_))
