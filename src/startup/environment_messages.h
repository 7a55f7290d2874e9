// Messages of the start-up environment.
#pragma once

#include "activity/messages.h"
#include "defobj/fcall_messages.h"

namespace msg {
inline const Message<id()> createBegin_{"createBegin"};
// The foreign start (class messages but _init_:..., which goes to the
// environment that createBegin made).
inline const Message<id(const char*, const char*, const char*, int, const char* const*)>
    initBrood_version_bugAddress_argCount_args{"initBrood:version:bugAddress:argCount:args:"};
inline const Message<id(const char*, const char*, const char*, int, const char* const*)>
    _init__version_bugAddress_argCount_args{"_init_:version:bugAddress:argCount:args:"};
inline const Message<id(const char*, const char*, const char*, const char* const*)>
    initBroodUsing_version_bugAddress_args{"initBroodUsing:version:bugAddress:args:"};
inline const Message<void(BOOL)> setBatchMode{"setBatchMode:"};
inline const Message<id()> getStart{"getStart"};
inline const Message<id()> getMember{"getMember"};
inline const Message<id()> getEnd{"getEnd"};
inline const Message<id()> getInitialized{"getInitialized"};
inline const Message<id()> getRunning{"getRunning"};
inline const Message<id()> getStopped{"getStopped"};
inline const Message<id()> getHolding{"getHolding"};
inline const Message<id()> getReleased{"getReleased"};
inline const Message<id()> getTerminated{"getTerminated"};
inline const Message<id()> getCompleted{"getCompleted"};
inline const Message<id()> getRandomized{"getRandomized"};
inline const Message<id()> getSequential{"getSequential"};
inline const Message<id()> getScratchZone{"getScratchZone"};
inline const Message<id()> getGlobalZone{"getGlobalZone"};
inline const Message<id()> getRandomGenerator{"getRandomGenerator"};
inline const Message<id()> getUniformIntRand{"getUniformIntRand"};
inline const Message<id()> getUniformDblRand{"getUniformDblRand"};
inline const Message<id()> getProbeLibrary{"getProbeLibrary"};
inline const Message<id()> getHdf5Archiver{"getHdf5Archiver"};
inline const Message<id()> getLispArchiver{"getLispArchiver"};
inline const Message<id()> getHdf5AppArchiver{"getHdf5AppArchiver"};
inline const Message<id()> getLispAppArchiver{"getLispAppArchiver"};
inline const Message<id()> getLanguageCOM{"getLanguageCOM"};
inline const Message<id()> getLanguageJava{"getLanguageJava"};
inline const Message<id()> getLanguageObjc{"getLanguageObjc"};
inline const Message<BOOL()> getGuiFlag{"getGuiFlag"};
inline const Message<id()> getCurrentBroodActivity{"getCurrentBroodActivity"};
inline const Message<void(id)> xprint{"xprint:"};
inline const Message<void(id)> xfprint{"xfprint:"};
inline const Message<const char*(const char*)> typeModule{"typeModule:"};
inline const Message<void(const char*)> verboseMessage{"verboseMessage:"};
inline const Message<void()> dumpDirectory{"dumpDirectory"};

// Interactive mode: control states, probe displays, window geometry names.
inline const Message<id()> getControlStateRunning{"getControlStateRunning"};
inline const Message<id()> getControlStateStopped{"getControlStateStopped"};
inline const Message<id()> getControlStateStepping{"getControlStateStepping"};
inline const Message<id()> getControlStateQuit{"getControlStateQuit"};
inline const Message<id()> getControlStateNextTime{"getControlStateNextTime"};
inline const Message<id()> getProbeDisplayManager{"getProbeDisplayManager"};
inline const Message<id(id)> createProbeDisplay{"createProbeDisplay:"};
inline const Message<id(id)> createCompleteProbeDisplay{"createCompleteProbeDisplay:"};
inline const Message<id(id, const char*)> createArchivedProbeDisplay_name{"createArchivedProbeDisplay:name:"};
inline const Message<id(id, const char*)> createArchivedCompleteProbeDisplay_name{
    "createArchivedCompleteProbeDisplay:name:"};
inline const Message<void()> updateDisplay{"updateDisplay"};
inline const Message<void(id, const char*)> setWindowGeometryRecordName_name{"setWindowGeometryRecordName:name:"};
inline const Message<void(id, id, const char*)> setComponentWindowGeometryRecordNameFor_widget_name{
    "setComponentWindowGeometryRecordNameFor:widget:name:"};
inline const Message<void(id, const char*)> setComponentWindowGeometryRecordName_name{
    "setComponentWindowGeometryRecordName:name:"};
}  // namespace msg
