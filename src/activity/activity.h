// The scheduling engine: actions, action groups, schedules, activities and
// brood processes. Plans of actions run in simulated time as a tree of
// activities; a brood merges the schedules activated in it into one
// timeline.
#pragma once

#include "activity/messages.h"
#include "collections/collections.h"
#include "random/random.h"

// Activity status symbols.
extern id Initialized, Running, Stopped, Holding, Released, Terminated, Completed;
// Order symbols of plans and for-each actions.
extern id Sequential, Randomized, Concurrent;
// The error of a zone message sent to a brood without an internal zone.
extern id InvalidBroodZone;

// Public types of the module.
extern id Action, ActionArgs, ActionCall, ActionChanged, ActionConcurrent, ActionCreating,
    ActionCreatingCall, ActionCreatingForEach, ActionCreatingTo, ActionForEach,
    ActionForEachHomogeneous, ActionGroup, ActionSelector, ActionTarget, ActionTo, ActionType,
    ActivationOrder, Activity, ActivityIndex, AutoDrop, CompoundAction, ConcurrentGroup,
    ConcurrentGroupType, ConcurrentSchedule, DefaultOrder, FAction, FActionCreating,
    FActionCreatingForEachHeterogeneous, FActionCreatingForEachHomogeneous, FActionForEach,
    FActionForEachHeterogeneous, FActionForEachHomogeneous, ForEachActivity, GetSubactivityAction,
    RelativeTime, RepeatInterval, Schedule, ScheduleActivity, SingletonGroups, BroodActivity,
    BroodProcess, SynchronizationType;

// The module's classes, looked up by name at start-up.
extern id id_CAction, id_PAction, id_PFAction, id_FAction_c, id_ActionCall_c, id_ActionTo_c,
    id_ActionForEach_c, id_ActionForEachHomogeneous_c, id_FActionForEachHeterogeneous_c,
    id_FActionForEachHomogeneous_c, id_ActionGroup_c, id_ConcurrentGroup_c, id_GroupIndex_c,
    id_GroupPermutedIndex_c, id_ForEachActivity_c, id_ForEachIndex_c, id_Schedule_c,
    id_ActionConcurrent_c, id_ConcurrentSchedule_c, id_ActivationOrder_c, id_ScheduleActivity_c,
    id_ScheduleIndex_c, id_ActionChanged_c, id_CBroodProcess, id_BroodActivity_c, id_ActionMerge_c,
    id_Activity_c;

// The activity performing an action, nil outside any run.
extern id _activity_current;
// Optional trace function that every break function calls; nil here.
extern break_t _activity_trace;
// The default zone of activities: the global zone.
extern id _activity_zone;
// Customized types: the activity sets of plans and of owner activities, and
// the synchronization schedule of broods.
extern id _activity_activityRefsType, _activity_activitySetRefsType, _activity_broodSyncType;

// The activity module record; registering it (after the object model and
// the collections) starts the module.
struct ProgramModule_c;
extern ProgramModule_c _activity_;

// Registers the classes of this library and of those it stands on.
void activity_register_classes();

// Inserts an action into a schedule at time t, grouping actions due at one
// time and repairing the indexes of the schedule's running activities.
void _activity_insertAction(id schedule, timeval_t t, id action);
// Puts a merged schedule activity's merge action at time t of its brood's
// synchronization schedule, moving it when it waits at another time.
void _update_mergeSchedules(id scheduleActivity, timeval_t t);

// Hints of for-each walks: what a member's method for a message will read
// can be fetched into the cache a few members before the walk gets there.
// A walk over a long list calls the hint given for the method that its
// message finds in a member's class on the member that many places ahead.
// A hint only reads.
using VisitHint = void (*)(id member);
void setVisitHint(IMP method, VisitHint hint);

// Reports a context query (current time, current brood) made where no
// suitable activity runs.
[[noreturn]] void _activity_context_error(const char* name);

// Break functions.
BOOL terminateFunction(id activity);
BOOL stopFunction(id activity);
BOOL nextFunction(id activity);
BOOL installNext(id activity);
BOOL installStep(id activity);
