// Activities: the running state of one action plan. Activities form a
// tree: a top-level activity is run from outside; performing an action may
// start a subactivity (a nested plan, a concurrent group, a for-each
// action) that the run loop runs to its end before it goes on.
#pragma once

#include "activity/Action.h"
#include "collections/List.h"
#include "defobj/Object_s.h"

struct Activity_c : Object_s {
  Activity_c* ownerActivity;  // top level: the activity that called run, while it runs
  id topLevelAction;          // placeholder action of a top-level activity
  id status;
  void* activityRefs[2];  // link in the plan's activity set
  Activity_c* registeredOwnerActivity;
  id activitySet;  // subactivities
  void* activitySetRefs[2];  // link in the owner's activity set
  id currentIndex;
  Activity_c* currentSubactivity;
  break_t breakFunction;
  BOOL keepEmptyFlag;

  id run();
  id _run_();
  id stop();
  id terminate();
  id nextAction_();
  id stepAction();
  id getStatus();
  id getHoldType();
  id getAction();
  id getActionType();
  void setOwnerActivity(id owner);
  id getOwnerActivity();
  id getSubactivities();
  id getControllingActivity();
  id getTopLevelActivity();
  id getBroodActivity();
  id getScheduleActivity();
  void setSerialMode(BOOL flag);
  BOOL getSerialMode();
  id getCurrentSubactivity();
  void setKeepEmptyFlag(BOOL flag);
  void drop();
  void dropAllocations(BOOL componentAlloc);
  void describe(id stream);

  // The ends of a run: after a break function answered YES, and when the
  // activity was terminated (its index is put at End).
  id interrupted();
  id terminateWalk();

  // The plan being run, or nil (for-each activities, detached activities).
  id plan() const;
  // The lowest activity below this one along the current subactivities.
  Activity_c* leaf();
};

struct ScheduleActivity_c : Activity_c {
  Activity_c* broodActivity;  // the brood activity it is merged into, or nil
  id mergeAction;
  int32_t activationNumber;

  timeval_t getCurrentTime();
  id stepUntil(timeval_t t);
  void dropAllocations(BOOL componentAlloc);
};

// Registers sub in owner's set of subactivities, as run by owner.
void registerSubactivity(Activity_c* owner, Activity_c* sub);
// Makes the activity of a plan in zone: registered with its owner (or
// top-level with a placeholder action), listed by the plan, with an index
// of indexClass (a permuted one for a randomized group, when permutable).
Activity_c* createActivity(id plan, Activity_c* owner, Class indexClass, Class activityClass, id zone,
                           bool permutable = true);
// Activates a schedule: top-level without a context, else merged into the
// context's brood activity.
id activatePlan(id plan, id context, Class indexClass, Class activityClass);
// Performs a plan as an action of the current activity: its activity
// becomes the current subactivity.
id performPlan(id plan, Class indexClass, Class activityClass);
// A completed activity outlives its dropped plan without an index on it.
void detachFromPlan(Activity_c* activity);

// Visits the activities of a plan's activity set, without an index: the
// set links them through their activityRefs field. A false answer ends
// the walk.
template <class Visit>
void forEachActivity(id refs, Visit visit) {
  if (!refs) return;
  static const int offset = memberOffset(&Activity_c::activityRefs);
  link_t* const first = static_cast<List_any*>(refs)->firstLink;
  for (link_t* link = first; link;) {
    link_t* const next = link->next == first ? nullptr : link->next;
    if (!visit(reinterpret_cast<Activity_c*>(reinterpret_cast<char*>(link) - offset))) return;
    link = next;
  }
}

// YES when the object's class is cls or below it.
BOOL isKindOf(id object, id cls);
