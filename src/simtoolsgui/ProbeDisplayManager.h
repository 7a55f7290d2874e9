// The one keeper of the open probe displays: it makes them, refreshes them
// at every display tick and drops those whose windows were closed.
#pragma once

#include "objectbase/BroodObject.h"
#include "simtoolsgui/probe_messages.h"

struct ProbeDisplayManager : BroodObject {
  id probeList;  // List of the open displays, in creation order
  BOOL dropImmediatelyFlag;

  id createEnd();

  BOOL getDropImmediatelyFlag();
  id createProbeDisplayFor(id object);
  id createArchivedProbeDisplayFor_variableName(id object, const char* name);
  id createDefaultProbeDisplayFor(id object);
  id createArchivedDefaultProbeDisplayFor_variableName(id object, const char* name);
  id createCompleteProbeDisplayFor(id object);
  id createArchivedCompleteProbeDisplayFor_variableName(id object, const char* name);
  id addProbeDisplay(id display);
  id removeProbeDisplay(id display);
  id dropProbeDisplaysFor(id object);
  id update();
  id setDropImmediatelyFlag(BOOL flag);

  // Drops every display marked for dropping.
  void dropMarkedProbeDisplays();
};

// Held by code that uses probe displays or their rows while Tk events may
// run (Tcl callbacks, creation, refresh): displays marked for dropping are
// freed only when none is held, so no callback outlives its receiver.
struct ProbeDisplaysBusy {
  ProbeDisplaysBusy();
  ~ProbeDisplaysBusy();
  ProbeDisplaysBusy(const ProbeDisplaysBusy&) = delete;
  ProbeDisplaysBusy& operator=(const ProbeDisplaysBusy&) = delete;
  static bool held();
};

// Asks for the marked displays to be dropped from the event loop, at the
// first moment no ProbeDisplaysBusy is held.
void dropMarkedProbeDisplaysSoon();
