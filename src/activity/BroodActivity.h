// The activity of a brood: it runs the brood's synchronization schedule,
// whose merge actions resume the schedules merged into the brood, at each
// time in the order of their activation.
#pragma once

#include "activity/Action.h"
#include "activity/Activities.h"

struct BroodActivity_c : ScheduleActivity_c {
  id brood;
  int32_t nextActivation;  // activation number of the next merged schedule

  id getBrood();
  id getSynchronizationSchedule();
  id getSubactivities();
  id terminate();
  void dropAllocations(BOOL componentAlloc);
};

// One per merged schedule activity; it waits in the synchronization
// schedule at the time of that activity's next action.
struct ActionMerge_c : CAction {
  ScheduleActivity_c* subactivity;
  id collectionOfActions;  // the merged schedule

  void _performAction_(id activity);
  void describe(id stream);
};

// The brood activity a context stands for (a brood, a brood activity, an
// activity under a brood); the refusals of activation for anything else.
Activity_c* contextBroodActivity(id context);
// Merges a schedule into a brood activity.
Activity_c* activateUnderBrood(id plan, Activity_c* broodActivity, Class indexClass, Class activityClass,
                               id zone);
// A merge action whose activity has completed and is not kept.
bool finishedMerge(id action);
