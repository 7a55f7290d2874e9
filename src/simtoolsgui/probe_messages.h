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

// The rows of a display and the class sections of a complete one.
inline const Message<id(id)> setObject{"setObject:"};
inline const Message<id(id)> setProbe{"setProbe:"};
inline const Message<id(id)> setMyLeft{"setMyLeft:"};
inline const Message<id(id)> setMyRight{"setMyRight:"};
inline const Message<id(int)> setMaxLabelWidth{"setMaxLabelWidth:"};
inline const Message<id(int)> setMaxReturnWidth{"setMaxReturnWidth:"};
inline const Message<id(id)> setMySuperclass{"setMySuperclass:"};
inline const Message<id(id)> setMySubclass{"setMySubclass:"};
inline const Message<id(Class)> setClassToDisplay{"setClassToDisplay:"};

// Tcl callbacks of the rows, sections and displays. The first argument is
// the Tk path of the window the binding fired in, passed as text; an
// argument number follows for a method's argument entries.
inline const Message<void(const char*)> setVariableValue{"setVariableValue:"};
inline const Message<void()> dynamic{"dynamic"};
inline const Message<void()> armSuperButton{"armSuperButton"};
inline const Message<void(const char*)> Spawn{"Spawn:"};
inline const Message<void(const char*, int)> argSpawn_arg{"argSpawn:arg:"};
inline const Message<const char*(const char*)> package{"package:"};
inline const Message<const char*(const char*, int)> package_arg{"package:arg:"};
inline const Message<const char*(const char*)> getId{"getId:"};
inline const Message<const char*(const char*, int)> getId_arg{"getId:arg:"};
inline const Message<void(const char*)> idReceive{"idReceive:"};
inline const Message<void(const char*, int)> idReceive_arg{"idReceive:arg:"};
}  // namespace msg
