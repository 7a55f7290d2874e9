// Messages of the widgets that probe displays are built from, and of the
// display objects their Tcl bindings call back.
#pragma once

#include "voduva/widget_messages.h"

namespace msg {
// Setters of the probe-display widgets (setProbedObject: is a probe message).
inline const Message<id(id)> setTargetWidget{"setTargetWidget:"};
inline const Message<id(id)> setProbeDisplay{"setProbeDisplay:"};
inline const Message<id(id)> setOwner{"setOwner:"};
inline const Message<id(id)> setUser{"setUser:"};
inline const Message<id(id)> setSubWidget{"setSubWidget:"};
inline const Message<id(id)> setSuperWidget{"setSuperWidget:"};
inline const Message<id(id)> setVarProbe{"setVarProbe:"};
inline const Message<id()> getVarProbe{"getVarProbe"};
inline const Message<id(BOOL)> setInteractiveFlag{"setInteractiveFlag:"};
inline const Message<id(int)> setArg{"setArg:"};
inline const Message<id(BOOL)> setIdFlag{"setIdFlag:"};
inline const Message<id(BOOL)> setHorizontalScrollbarFlag{"setHorizontalScrollbarFlag:"};
}  // namespace msg
