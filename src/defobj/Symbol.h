// Symbols: named constants compared by identity. Warnings and errors are
// symbols that can be raised: the report goes to _obj_xerror, then a
// warning returns and an error ends the process.
#pragma once

#include "defobj/CreateDrop.h"

struct Symbol_c : CreateDrop_s {
  char* name;  // owned copy

  static id create_setName(Class cls, id zone, const char* name);
  id createEnd();
  const char* getName();
  const char* getDisplayName();
  void describe(id stream);
};

// Raising an event type that is neither warning nor error does nothing.
struct EventType_c : Symbol_c {
  void raiseEvent_();
};

struct Warning_c : EventType_c {
  const char* messageString;  // default message, not owned

  void setMessageString(const char* message);
  const char* getMessageString();
  void describe(id stream);
  void raiseEvent_();
};

struct Error_c : Warning_c {
  void raiseEvent_();
};
