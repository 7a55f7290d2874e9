// The activity module: its globals, symbols, types and classes.
#include "activity/Action.h"
#include "activity/Activities.h"
#include "activity/activity.h"
#include "defobj/module.h"

#define ACTIVITY_SYMBOLS(X) X(Initialized) X(Running) X(Stopped) X(Holding) X(Released) X(Terminated) X(Completed)
#define ACTIVITY_ERRORS(X) X(InvalidBroodZone)

// (type variable, supertypes)
#define ACTIVITY_TYPES(X)                                                                            \
  X(Action, nullptr) X(ActionArgs, nullptr) X(ActionCall, _obj_creatableType)                        \
  X(ActionChanged, _obj_creatableType) X(ActionConcurrent, _obj_creatableType)                       \
  X(ActionCreating, nullptr) X(ActionCreatingCall, nullptr) X(ActionCreatingForEach, nullptr)        \
  X(ActionCreatingTo, nullptr) X(ActionForEach, _obj_creatableType)                                  \
  X(ActionForEachHomogeneous, _obj_creatableType) X(ActionGroup, _obj_creatableType)                 \
  X(ActionSelector, nullptr) X(ActionTarget, nullptr) X(ActionTo, _obj_creatableType)                \
  X(ActionType, nullptr) X(ActivationOrder, _obj_creatableType) X(Activity, nullptr)                 \
  X(ActivityIndex, nullptr) X(AutoDrop, nullptr) X(CompoundAction, nullptr)                          \
  X(ConcurrentGroup, _obj_creatableType) X(ConcurrentGroupType, nullptr)                             \
  X(ConcurrentSchedule, _obj_creatableType) X(DefaultOrder, nullptr) X(FAction, _obj_creatableType)  \
  X(FActionCreating, nullptr) X(FActionCreatingForEachHeterogeneous, nullptr)                        \
  X(FActionCreatingForEachHomogeneous, nullptr) X(FActionForEach, nullptr)                           \
  X(FActionForEachHeterogeneous, _obj_creatableType) X(FActionForEachHomogeneous, _obj_creatableType) \
  X(ForEachActivity, nullptr) X(GetSubactivityAction, nullptr) X(RelativeTime, nullptr)              \
  X(RepeatInterval, nullptr) X(Schedule, _obj_creatableType) X(ScheduleActivity, nullptr)            \
  X(SingletonGroups, nullptr) X(BroodActivity, nullptr) X(BroodProcess, _obj_creatableType)          \
  X(SynchronizationType, nullptr)

#define ACTIVITY_MODULE_CLASSES(X)                                                                   \
  X(CAction) X(PAction) X(PFAction) X(FAction_c) X(ActionCall_c) X(ActionTo_c) X(ActionForEach_c)    \
  X(ActionForEachHomogeneous_c) X(FActionForEachHeterogeneous_c) X(FActionForEachHomogeneous_c)      \
  X(ActionGroup_c) X(ConcurrentGroup_c) X(GroupIndex_c) X(GroupPermutedIndex_c) X(ForEachActivity_c) \
  X(ForEachIndex_c) X(Schedule_c) X(ActionConcurrent_c) X(ConcurrentSchedule_c) X(ActivationOrder_c) \
  X(ScheduleActivity_c) X(ScheduleIndex_c) X(ActionChanged_c) X(CBroodProcess) X(BroodActivity_c)    \
  X(ActionMerge_c) X(Activity_c)

ACTIVITY_SYMBOLS(MODULE_VARIABLE)
ACTIVITY_ERRORS(MODULE_VARIABLE)
ACTIVITY_TYPES(TYPE_VARIABLE)
ACTIVITY_MODULE_CLASSES(MODULE_CLASS_VARIABLE)
id Sequential, Randomized, Concurrent;
id _activity_activityRefsType, _activity_activitySetRefsType, _activity_broodSyncType;

TYPE_TABLE(activityTypes, ACTIVITY_TYPES)

namespace {

id* activitySymbols[] = {ACTIVITY_SYMBOLS(MODULE_SYMBOL_ADDRESS) ACTIVITY_ERRORS(MODULE_SYMBOL_ADDRESS) nullptr};
const char* const activitySymbolNames[] = {"0Symbol", ACTIVITY_SYMBOLS(MODULE_SYMBOL_NAME) "0Error",
                                           ACTIVITY_ERRORS(MODULE_SYMBOL_NAME) nullptr};
id* activityClasses[] = {ACTIVITY_MODULE_CLASSES(MODULE_CLASS_ADDRESS) nullptr};

void implementTypes() {
  msg::setTypeImplemented(id_FAction_c, FAction);
  msg::setTypeImplemented(id_ActionCall_c, ActionCall);
  msg::setTypeImplemented(id_ActionTo_c, ActionTo);
  msg::setTypeImplemented(id_ActionForEach_c, ActionForEach);
  msg::setTypeImplemented(id_ActionForEachHomogeneous_c, ActionForEachHomogeneous);
  msg::setTypeImplemented(id_FActionForEachHeterogeneous_c, FActionForEachHeterogeneous);
  msg::setTypeImplemented(id_FActionForEachHomogeneous_c, FActionForEachHomogeneous);
  msg::setTypeImplemented(id_ActionChanged_c, ActionChanged);
  msg::setTypeImplemented(id_ActionConcurrent_c, ActionConcurrent);
  msg::setTypeImplemented(id_Activity_c, Activity);
  msg::setTypeImplemented(id_ScheduleActivity_c, ScheduleActivity);
  msg::setTypeImplemented(id_BroodActivity_c, BroodActivity);
  msg::setTypeImplemented(id_ActionGroup_c, ActionGroup);
  msg::setTypeImplemented(id_Schedule_c, Schedule);
  msg::setTypeImplemented(id_CBroodProcess, BroodProcess);
  msg::setTypeImplemented(id_ConcurrentGroup_c, ConcurrentGroup);
  msg::setTypeImplemented(id_ConcurrentSchedule_c, ConcurrentSchedule);
  msg::setTypeImplemented(id_ActivationOrder_c, ActivationOrder);
}

// An ordered set whose member link lies in the given field of activities.
id activitySetType(int offset) {
  id type = msg::customizeBegin(OrderedSet, _obj_globalZone);
  msg::setIndexFromMemberLoc(type, offset);
  return msg::customizeEnd(type);
}

void initialize() {
  _activity_zone = _obj_globalZone;
  _activity_activityRefsType = activitySetType(memberOffset(&Activity_c::activityRefs));
  _activity_activitySetRefsType = activitySetType(memberOffset(&Activity_c::activitySetRefs));
  id sync = msg::customizeBegin(Schedule, _obj_globalZone);
  msg::setConcurrentGroupType(sync, ActivationOrder);
  msg::setAutoDrop(sync, YES);
  _activity_broodSyncType = msg::customizeEnd(sync);
  msg::setMessageString(InvalidBroodZone,
                        "> zone message invalid because brood was created with no internal zone\n");
  Randomized = msg::create_setName(Symbol, _obj_globalZone, "Randomized");
  Sequential = msg::create_setName(Symbol, _obj_globalZone, "Sequential");
  Concurrent = msg::create_setName(Symbol, _obj_globalZone, "Concurrent");
}

}  // namespace

MODULE_CLASS(activity, ACTIVITY_MODULE_CLASSES)

ProgramModule_c _activity_{{}, "activity", nil, nil, activityTypes, activitySymbols, activitySymbolNames,
                           activityClasses, &implementTypes, &initialize};
