// Raising events from library code. The report names the function (written
// "-[Zone(c) _free:]" or as a plain function's bare name), the source file
// and the line, then the formatted message; a null format prints the
// symbol's default message.
#pragma once

#include "defobj/messages.h"
#include "defobj/symbols.h"

#define raiseAt(symbol, function, ...) \
  msg::raiseEvent((symbol), "\r", (function), __FILE_NAME__, __LINE__, __VA_ARGS__)

// A raise with the symbol's default message.
#define raiseDefaultAt(symbol, function) \
  msg::raiseEvent((symbol), "\r", (function), __FILE_NAME__, __LINE__, static_cast<const char*>(nullptr))
