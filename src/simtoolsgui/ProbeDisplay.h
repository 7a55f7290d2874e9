// The factory of probe displays: a simple display of a probe map, or,
// without one, a complete display of the object's class chain.
#pragma once

#include "objectbase/BroodObject.h"
#include "simtoolsgui/probe_messages.h"

struct ProbeDisplay : BroodObject {
  id probedObject;
  id probeMap;
  const char* windowGeometryRecordName;  // not copied

  id setProbedObject(id object);
  id setProbeMap(id map);
  id setWindowGeometryRecordName(const char* name);
  id createEnd();  // the display, not the factory
  id getProbedObject();
  id getProbeMap();
};

// Told when a displayed object is dropped: its display closes.
void notifyObjectDropped(id object, id reallocAddress, void* display);
