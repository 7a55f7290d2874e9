// One request queued by the action cache: its type symbol, its name, and
// the message that carries it out.
#pragma once

#include "objectbase/BroodObject.h"
#include "simtoolsgui/messages.h"

struct ActionHolder : BroodObject {
  id type;  // Control, Probing or Spatial
  const char* name;  // a copy in the holder's zone
  id target;
  SEL selector;

  id setType(id newType);
  id setActionName(const char* newName);
  id setActionTarget(id newTarget);
  void setSelector(SEL newSelector);
  id getType();
  const char* getActionName();
  id getActionTarget();
  SEL getSelector();
  void drop();
};
