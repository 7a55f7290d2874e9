// Messages of the scheduling engine: actions, action plans (groups and
// schedules), activities and brood processes.
#pragma once

#include <cstdint>

#include "collections/messages.h"
#include "defobj/fcall_messages.h"

// Simulated time: an unsigned 32-bit tick count.
typedef uint32_t timeval_t;

// A break function: consulted by the run loop before each action; true
// ends the loop at that level.
typedef BOOL (*break_t)(id activity);

namespace msg {
// Order and auto-drop options of plans and for-each actions.
inline const Message<void(id)> setDefaultOrder{"setDefaultOrder:"};
inline const Message<id()> getDefaultOrder{"getDefaultOrder"};
inline const Message<void(BOOL)> setAutoDrop{"setAutoDrop:"};
inline const Message<BOOL()> getAutoDrop{"getAutoDrop"};

// Actions: setters and readers.
inline const Message<void(id)> setCall{"setCall:"};
inline const Message<void(id)> setArg1{"setArg1:"};
inline const Message<void(id)> setArg2{"setArg2:"};
inline const Message<void(id)> setArg3{"setArg3:"};
inline const Message<unsigned()> getNArgs{"getNArgs"};
inline const Message<id()> getArg1{"getArg1"};
inline const Message<id()> getArg2{"getArg2"};
inline const Message<id()> getArg3{"getArg3"};
inline const Message<void(id)> setTarget{"setTarget:"};
inline const Message<id()> getTarget{"getTarget"};
inline const Message<void(SEL)> setMessageSelector{"setMessageSelector:"};
inline const Message<SEL()> getMessageSelector{"getMessageSelector"};
inline const Message<id()> getConcurrentGroup{"getConcurrentGroup"};
inline const Message<id()> getCurrentMember{"getCurrentMember"};

// Creating actions in a group, or in a schedule at time 0.
inline const Message<id(id)> createAction{"createAction:"};
inline const Message<id(id)> createFAction{"createFAction:"};
inline const Message<id(func_t)> createActionCall{"createActionCall:"};
inline const Message<id(func_t, id)> createActionCall_{"createActionCall::"};
inline const Message<id(func_t, id, id)> createActionCall__{"createActionCall:::"};
inline const Message<id(func_t, id, id, id)> createActionCall___{"createActionCall::::"};
inline const Message<id(id, SEL)> createActionTo_message{"createActionTo:message:"};
inline const Message<id(id, SEL, id)> createActionTo_message_{"createActionTo:message::"};
inline const Message<id(id, SEL, id, id)> createActionTo_message__{"createActionTo:message:::"};
inline const Message<id(id, SEL, id, id, id)> createActionTo_message___{"createActionTo:message::::"};
inline const Message<id(id, SEL)> createActionForEach_message{"createActionForEach:message:"};
inline const Message<id(id, SEL, id)> createActionForEach_message_{"createActionForEach:message::"};
inline const Message<id(id, SEL, id, id)> createActionForEach_message__{"createActionForEach:message:::"};
inline const Message<id(id, SEL, id, id, id)> createActionForEach_message___{"createActionForEach:message::::"};
inline const Message<id(id, SEL)> createActionForEachHomogeneous_message{"createActionForEachHomogeneous:message:"};
inline const Message<id(id, id)> createFActionForEachHomogeneous_call{"createFActionForEachHomogeneous:call:"};
inline const Message<id(id, id)> createFActionForEachHeterogeneous_call{"createFActionForEachHeterogeneous:call:"};

// Creating actions in a schedule at a time.
inline const Message<id(timeval_t, id)> at_createAction{"at:createAction:"};
inline const Message<id(timeval_t, id)> at_createFAction{"at:createFAction:"};
inline const Message<id(timeval_t, func_t)> at_createActionCall{"at:createActionCall:"};
inline const Message<id(timeval_t, func_t, id)> at_createActionCall_{"at:createActionCall::"};
inline const Message<id(timeval_t, func_t, id, id)> at_createActionCall__{"at:createActionCall:::"};
inline const Message<id(timeval_t, func_t, id, id, id)> at_createActionCall___{"at:createActionCall::::"};
inline const Message<id(timeval_t, id, SEL)> at_createActionTo_message{"at:createActionTo:message:"};
inline const Message<id(timeval_t, id, SEL, id)> at_createActionTo_message_{"at:createActionTo:message::"};
inline const Message<id(timeval_t, id, SEL, id, id)> at_createActionTo_message__{"at:createActionTo:message:::"};
inline const Message<id(timeval_t, id, SEL, id, id, id)> at_createActionTo_message___{"at:createActionTo:message::::"};
inline const Message<id(timeval_t, id, SEL)> at_createActionForEach_message{"at:createActionForEach:message:"};
inline const Message<id(timeval_t, id, SEL, id)> at_createActionForEach_message_{"at:createActionForEach:message::"};
inline const Message<id(timeval_t, id, SEL, id, id)> at_createActionForEach_message__{
    "at:createActionForEach:message:::"};
inline const Message<id(timeval_t, id, SEL, id, id, id)> at_createActionForEach_message___{
    "at:createActionForEach:message::::"};
inline const Message<id(timeval_t, id, SEL)> at_createActionForEachHomogeneous_message{
    "at:createActionForEachHomogeneous:message:"};
inline const Message<id(timeval_t, id, id)> at_createFActionForEachHomogeneous_call{
    "at:createFActionForEachHomogeneous:call:"};
inline const Message<id(timeval_t, id, id)> at_createFActionForEachHeterogeneous_call{
    "at:createFActionForEachHeterogeneous:call:"};

// Schedules.
inline const Message<id(id, timeval_t)> create_setRepeatInterval{"create:setRepeatInterval:"};  // class
inline const Message<id(id, BOOL)> create_setAutoDrop{"create:setAutoDrop:"};                  // class
inline const Message<void(timeval_t)> setRepeatInterval{"setRepeatInterval:"};
inline const Message<timeval_t()> getRepeatInterval{"getRepeatInterval"};
inline const Message<void(BOOL)> setRelativeTime{"setRelativeTime:"};
inline const Message<BOOL()> getRelativeTime{"getRelativeTime"};
inline const Message<void(BOOL)> setSingletonGroups{"setSingletonGroups:"};
inline const Message<BOOL()> getSingletonGroups{"getSingletonGroups"};
inline const Message<void(id)> setConcurrentGroupType{"setConcurrentGroupType:"};
inline const Message<id()> getConcurrentGroupType{"getConcurrentGroupType"};
inline const Message<void(BOOL)> setKeepEmptyFlag{"setKeepEmptyFlag:"};  // activities too
inline const Message<id(timeval_t)> insertGroup{"insertGroup:"};
inline const Message<void(id)> setActionConcurrent{"setActionConcurrent:"};
inline const Message<id()> getActionConcurrent{"getActionConcurrent"};

// Plans: activation and performance as a nested plan.
inline const Message<id()> activate_{"activate"};
inline const Message<id(id)> activateIn{"activateIn:"};
inline const Message<id()> _performPlan_{"_performPlan_"};
inline const Message<void(id)> _performAction_{"_performAction_:"};
inline const Message<void(id)> _attachActivity_{"_attachActivity_:"};
inline const Message<void(id)> _detachActivity_{"_detachActivity_:"};
inline const Message<id(id, id)> _createPermutedIndex_activity{"_createPermutedIndex_:activity:"};

// Plan indexes.
inline const Message<id(id*)> nextAction{"nextAction:"};  // the status slot of the activity
inline const Message<void(id)> setActivity{"setActivity:"};
inline const Message<void(timeval_t)> setCurrentTime{"setCurrentTime:"};
inline const Message<timeval_t()> getCurrentTime{"getCurrentTime"};  // schedule activities too

// Activities.
inline const Message<id()> run{"run"};
inline const Message<id()> _run_{"_run_"};
inline const Message<id()> stop{"stop"};
inline const Message<id()> terminate{"terminate"};
inline const Message<id()> nextAction_{"nextAction"};
inline const Message<id()> stepAction{"stepAction"};
inline const Message<id(timeval_t)> stepUntil{"stepUntil:"};
// The per-step message of model agents and observers (graphs, pumps).
inline const Message<id()> step{"step"};
inline const Message<id()> getStatus{"getStatus"};
inline const Message<id()> getHoldType{"getHoldType"};
inline const Message<id()> getAction{"getAction"};
inline const Message<id()> getActionType{"getActionType"};
inline const Message<void(id)> setOwnerActivity{"setOwnerActivity:"};
inline const Message<id()> getOwnerActivity{"getOwnerActivity"};
inline const Message<id()> getSubactivities{"getSubactivities"};
inline const Message<id()> getControllingActivity{"getControllingActivity"};
inline const Message<id()> getTopLevelActivity{"getTopLevelActivity"};
inline const Message<id()> getBroodActivity{"getBroodActivity"};
inline const Message<id()> getScheduleActivity{"getScheduleActivity"};
inline const Message<void(BOOL)> setSerialMode{"setSerialMode:"};
inline const Message<BOOL()> getSerialMode{"getSerialMode"};
inline const Message<id()> getCurrentSubactivity{"getCurrentSubactivity"};

// Brood processes and brood activities.
inline const Message<void(id)> setInternalZoneType{"setInternalZoneType:"};
inline const Message<void(id)> setSynchronizationType{"setSynchronizationType:"};
inline const Message<id()> getSynchronizationType{"getSynchronizationType"};
inline const Message<id()> getInternalZone{"getInternalZone"};
inline const Message<id()> getActivity{"getActivity"};
inline const Message<id(id)> activate{"activate:"};
inline const Message<int()> getInternalTimeMultiplier{"getInternalTimeMultiplier"};
inline const Message<void(int)> setInternalTimeMultiplier{"setInternalTimeMultiplier:"};
inline const Message<id(timeval_t, id)> at_activate{"at:activate:"};
inline const Message<id(timeval_t, timeval_t, id)> at__activate{"at::activate:"};
inline const Message<id()> getBrood{"getBrood"};
inline const Message<id()> getSynchronizationSchedule{"getSynchronizationSchedule"};

// Broods of models and observers (subclasses override them).
inline const Message<id()> buildObjects{"buildObjects"};
inline const Message<id()> buildActions{"buildActions"};
}  // namespace msg
