// The base class of model-level objects: agents, cells, generators,
// lattices, probes and tools. Its probe forms ask the global probe
// library about the receiver.
#pragma once

#include "defobj/CreateDrop.h"
#include "objectbase/messages.h"

struct BroodObject : CreateDrop {
  id getProbeMap();
  id getCompleteProbeMap();
  id getProbeForVariable(const char* name);
  id getProbeForMessage(const char* name);
  // The hook that probes tell about their writes; subclasses that want
  // to hear of them override it.
  void eventOccurredOn_via_withProbeType_on_ofType_withData(id object, id probe, const char* probeType,
                                                            const char* name, char type, const void* data);
};
