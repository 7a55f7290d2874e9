// Messages of the probe displays: the display manager, the displays and
// the rows inside them (variable, message and class widgets).
#pragma once

#include "objectbase/shared_messages.h"
#include "defobj/messages.h"

namespace msg {
// Per-step refresh: probe displays, their rows, averagers and graph facades.
inline const Message<id()> update{"update"};

// ProbeDisplayManager.
inline const Message<BOOL()> getDropImmediatelyFlag{"getDropImmediatelyFlag"};
inline const Message<id(BOOL)> setDropImmediatelyFlag{"setDropImmediatelyFlag:"};
inline const Message<id(id)> createProbeDisplayFor{"createProbeDisplayFor:"};
inline const Message<id(id, const char*)> createArchivedProbeDisplayFor_variableName{
    "createArchivedProbeDisplayFor:variableName:"};
inline const Message<id(id)> createDefaultProbeDisplayFor{"createDefaultProbeDisplayFor:"};
inline const Message<id(id, const char*)> createArchivedDefaultProbeDisplayFor_variableName{
    "createArchivedDefaultProbeDisplayFor:variableName:"};
inline const Message<id(id)> createCompleteProbeDisplayFor{"createCompleteProbeDisplayFor:"};
inline const Message<id(id, const char*)> createArchivedCompleteProbeDisplayFor_variableName{
    "createArchivedCompleteProbeDisplayFor:variableName:"};
inline const Message<id(id)> addProbeDisplay{"addProbeDisplay:"};
inline const Message<id(id)> removeProbeDisplay{"removeProbeDisplay:"};
inline const Message<id(id)> dropProbeDisplaysFor{"dropProbeDisplaysFor:"};

// Probe displays and their factory.
inline const Message<id(id)> setProbeMap{"setProbeMap:"};
inline const Message<id()> getProbedObject{"getProbedObject"};
inline const Message<id()> install{"install"};
inline const Message<id()> markForDrop{"markForDrop"};
inline const Message<BOOL()> getMarkedForDropFlag{"getMarkedForDropFlag"};
inline const Message<id(BOOL)> setRemoveRef{"setRemoveRef:"};
inline const Message<id(ref_t)> setObjectRef{"setObjectRef:"};
inline const Message<int()> getStepHeight{"getStepHeight"};
inline const Message<id()> do_resize{"do_resize"};
}  // namespace msg
