// Messages of the simulation GUI tools: composites of archived windows.
#pragma once

#include "objectbase/shared_messages.h"
#include "activity/messages.h"
#include "simtoolsgui/probe_messages.h"

namespace msg {
// Archived window geometry: composites and the widgets they name.
inline const Message<id(const char*, id)> setWindowGeometryRecordNameForComponent_widget{
    "setWindowGeometryRecordNameForComponent:widget:"};

// ControlPanel: the control state and the control loop.
inline const Message<id()> getState{"getState"};
inline const Message<id(id)> setState_{"setState:"};
inline const Message<id(id)> startInActivity{"startInActivity:"};
inline const Message<id()> setStateRunning{"setStateRunning"};
inline const Message<id()> setStateStopped{"setStateStopped"};
inline const Message<id()> setStateStepping{"setStateStepping"};
inline const Message<id()> setStateNextTime{"setStateNextTime"};
inline const Message<id()> setStateQuit{"setStateQuit"};
inline const Message<id()> setStateSave{"setStateSave"};

// ActionHolder: one queued request (setSelector: and getType come from
// the object model).
inline const Message<id(id)> setType{"setType:"};
inline const Message<id(const char*)> setActionName{"setActionName:"};
inline const Message<id(id)> setActionTarget{"setActionTarget:"};
inline const Message<const char*()> getActionName{"getActionName"};
inline const Message<id()> getActionTarget{"getActionTarget"};
inline const Message<SEL()> getSelector{"getSelector"};

// ActionCache: the queue between the run-control window and the run.
inline const Message<id(id)> setControlPanel{"setControlPanel:"};
inline const Message<id()> createProcCtrl{"createProcCtrl"};
inline const Message<id(id)> setScheduleContext{"setScheduleContext:"};
inline const Message<id(id)> insertAction{"insertAction:"};
inline const Message<id()> deliverActions{"deliverActions"};
inline const Message<id(id, const char*)> sendActionOfType_toExecute{"sendActionOfType:toExecute:"};
inline const Message<id()> sendStartAction{"sendStartAction"};
inline const Message<id()> sendStopAction{"sendStopAction"};
inline const Message<id()> sendStepAction{"sendStepAction"};
inline const Message<id()> sendNextAction{"sendNextAction"};
inline const Message<id()> sendSaveAction{"sendSaveAction"};
inline const Message<id()> sendQuitAction{"sendQuitAction"};
inline const Message<id()> verifyActions{"verifyActions"};
inline const Message<id()> getPanel{"getPanel"};
inline const Message<id()> doTkEvents{"doTkEvents"};
inline const Message<id()> waitForControlEvent{"waitForControlEvent"};
// What the cache schedules for itself: the per-step delivery and a Stop
// that takes effect at the next time.
inline const Message<id()> _deliverActions_{"_deliverActions_"};
inline const Message<id()> _deliverStop_{"_deliverStop_"};

// GUIBrood: the interactive brood; go also runs the batch brood.
inline const Message<id()> go{"go"};
inline const Message<id()> getControlPanel{"getControlPanel"};
inline const Message<id()> getActionCache{"getActionCache"};
}  // namespace msg
