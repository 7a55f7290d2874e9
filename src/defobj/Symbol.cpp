#include "defobj/Symbol.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "collections/messages.h"
#include "defobj/Class_s.h"
#include "defobj/phase.h"
#include "defobj/zstrdup.h"
#include "misc/debugabort.h"

id Symbol_c::create_setName(Class cls, id zone, const char* name) {
  auto* symbol = static_cast<Symbol_c*>(msg::allocIVars(zone, usingPhaseOf(cls)));
  const size_t size = std::strlen(name) + 1;
  symbol->name = static_cast<char*>(msg::alloc(zone, size));
  std::memcpy(symbol->name, name, size);
  return symbol;
}

id Symbol_c::createEnd() {
  raiseAt(SourceMessage, "-[Symbol(c) _createEnd]", "> must use create:setName: to create a new symbol constant\n");
  return nil;
}

const char* Symbol_c::getName() { return zstrdup(_obj_scratchZone, name); }

// The symbol's name is its display name; taking it from the field spares
// the scratch copy that getName would answer.
const char* Symbol_c::getDisplayName() {
  if (!storedDisplayName(this)) msg::setDisplayName(this, name);
  return storedDisplayName(this);
}

void Symbol_c::describe(id stream) {
  Object_s::describe(stream);
  msg::catC(stream, ">symbol name: ");
  msg::catC(stream, name);
  msg::catC(stream, "\n");
}

void EventType_c::raiseEvent_() {}

void Warning_c::setMessageString(const char* message) { messageString = message; }
const char* Warning_c::getMessageString() { return messageString; }

void Warning_c::describe(id stream) {
  Symbol_c::describe(stream);
  if (messageString) {
    msg::catC(stream, "> default message:\n");
    msg::catC(stream, messageString);
  } else {
    msg::catC(stream, "> (no default message)\n");
  }
}

namespace {

FILE* errorStream() { return _obj_xerror ? _obj_xerror : stderr; }

void header(const Warning_c* event, const char* kind) {
  std::fprintf(errorStream(), "*** event raised for %s: %s\n", kind, event->name);
}

void defaultMessage(const Warning_c* event) {
  if (event->messageString) std::fputs(event->messageString, errorStream());
}

// The message of a report. A format that begins with "\r" is followed by
// the raising function, source file and line, then the real format; a
// null real format prints the default message, itself used as the format.
void message(const Warning_c* event, const char* format, va_list args) {
  FILE* out = errorStream();
  if (!format) {
    defaultMessage(event);
    return;
  }
  if (format[0] == '\r') {
    const char* function = va_arg(args, const char*);
    const char* file = va_arg(args, const char*);
    const int line = va_arg(args, int);
    std::fprintf(out, "*** function: %s(), file: %s, line: %d\n", function, file, line);
    format = va_arg(args, const char*);
    if (!format) format = event->messageString;
    if (!format) return;
  }
  std::vfprintf(out, format, args);
}

void continueAfter() { std::fputs("*** execution continuing...\n", errorStream()); }

[[noreturn]] void terminateAfter(unsigned line, const char* function) {
  std::fputs("*** execution terminating due to error\n", errorStream());
  debugabort("Symbol", line, function);
}

void eventTypeRaise(id, SEL, const char*, ...) {}

void warningRaise(id self, SEL, const char* format, ...) {
  header(static_cast<Warning_c*>(self), "warning");
  va_list args;
  va_start(args, format);
  message(static_cast<Warning_c*>(self), format, args);
  va_end(args);
  continueAfter();
}

void errorRaise(id self, SEL, const char* format, ...) {
  header(static_cast<Warning_c*>(self), "error");
  va_list args;
  va_start(args, format);
  message(static_cast<Warning_c*>(self), format, args);
  va_end(args);
  terminateAfter(187, "-[Error(c) _raiseEvent:]");
}

}  // namespace

void Warning_c::raiseEvent_() {
  header(this, "warning");
  defaultMessage(this);
  continueAfter();
}

void Error_c::raiseEvent_() {
  header(this, "error");
  defaultMessage(this);
  terminateAfter(175, "-[Error(c) _raiseEvent]");
}

REGISTER_CLASS(Symbol_c, CreateDrop_s,
  ivar(&Symbol_c::name, "name"),
  classMethod<&Symbol_c::create_setName>(msg::create_setName),
  phase(Phase::Creating),
  method<&Symbol_c::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&Symbol_c::getName>(msg::getName),
  method<&Symbol_c::getDisplayName>(msg::getDisplayName),
  method<&Symbol_c::describe>(msg::describe))

REGISTER_CLASS(EventType_c, Symbol_c,
  phase(Phase::Using),
  method<&EventType_c::raiseEvent_>(msg::raiseEvent_),
  rawMethod(msg::raiseEvent.sel, to_imp(&eventTypeRaise)))

REGISTER_CLASS(Warning_c, EventType_c,
  ivar(&Warning_c::messageString, "messageString"),
  phase(Phase::Using),
  method<&Warning_c::setMessageString>(msg::setMessageString),
  method<&Warning_c::getMessageString>(msg::getMessageString),
  method<&Warning_c::describe>(msg::describe),
  method<&Warning_c::raiseEvent_>(msg::raiseEvent_),
  rawMethod(msg::raiseEvent.sel, to_imp(&warningRaise)))

REGISTER_CLASS(Error_c, Warning_c,
  phase(Phase::Using),
  method<&Error_c::raiseEvent_>(msg::raiseEvent_),
  rawMethod(msg::raiseEvent.sel, to_imp(&errorRaise)))
