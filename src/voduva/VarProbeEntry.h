// The entries of probe displays: a variable's value, and a method's
// argument or result.
#pragma once

#include "voduva/Entry.h"
#include "voduva/probe_widget_messages.h"

struct VarProbeEntry : Entry {
  id owner;  // the variable row, which answers the callbacks
  id varProbe;
  BOOL interactiveFlag;

  id setOwner(id row);
  id setVarProbe(id probe);
  id setInteractiveFlag(BOOL flag);
  id getVarProbe();
  id createEnd();
};

struct MessageProbeEntry : Entry {
  int arg;      // argument number; -1 for the result
  BOOL idFlag;  // the value is an object

  static id createBegin(Class cls, id zone);
  id setArg(int number);
  id setIdFlag(BOOL flag);
  id createEnd();
};
