// Insertion into schedules while their activities run or wait, and the
// placing of merge actions in the synchronization schedules of broods.
#include "activity/Activities.h"
#include "activity/BroodActivity.h"
#include "activity/Schedule.h"
#include "activity/ScheduleIndex.h"
#include "activity/activity.h"

namespace {

ScheduleIndex_c* indexOf(const Activity_c* a) { return static_cast<ScheduleIndex_c*>(a->currentIndex); }

// The time before which an insertion is in the past for activity a: the
// time of the top-level brood for a merged activity, else that of the
// schedule activity performing the insertion; none outside any run.
bool nowFor(const ScheduleActivity_c* a, timeval_t& now) {
  if (a->broodActivity) {
    const ScheduleActivity_c* top = static_cast<ScheduleActivity_c*>(a->broodActivity);
    while (top->broodActivity) top = static_cast<ScheduleActivity_c*>(top->broodActivity);
    now = indexOf(top)->currentTime;
    return true;
  }
  if (!_activity_current) return false;
  id current = msg::getScheduleActivity(_activity_current);
  if (!current) _activity_context_error("getCurrentTime");
  now = msg::getCurrentTime(current);
  return true;
}

// A running activity finds the new entry by itself; the others wait or
// have completed.
template <class Visit>
void eachIdleActivity(Schedule_c* schedule, Visit visit) {
  forEachActivity(schedule->activityRefs, [&](Activity_c* a) {
    if (a->status != Running) visit(static_cast<ScheduleActivity_c*>(a));
    return true;
  });
}

// The schedule was empty: its activities start over at the new time, and
// those under a brood wake up then.
void revive(Schedule_c* schedule, timeval_t t) {
  eachIdleActivity(schedule, [&](ScheduleActivity_c* a) {
    ScheduleIndex_c* index = indexOf(a);
    timeval_t now;
    if (!nowFor(a, now)) return;
    // A repeating schedule that ran empty moved on to its next repetition,
    // which the new time may precede.
    const timeval_t interval = schedule->repeatInterval;
    if (interval && index->startTime >= interval && index->startTime - interval + t >= now)
      index->startTime -= interval;
    const timeval_t when = index->absoluteTime(t);
    if (when < now) return;
    index->MapIndex_c::setLoc(Start);
    index->currentAction = nil;
    index->currentTime = when;
    if (a->broodActivity) _update_mergeSchedules(a, when);
  });
}

// The member of the entry after time t.
id memberAfter(Schedule_c* schedule, timeval_t t) {
  id index = msg::begin(schedule, _obj_scratchZone);
  msg::setKey(index, Schedule_c::timeKey(t));
  id following = msg::next(index);
  msg::drop(index);
  return following;
}

// An activity waiting on the entry that follows the new one waits on the
// new one instead, and so does its merge action. A kept merged activity
// that has completed waits on the new entry again.
void repairIndexes(Schedule_c* schedule, timeval_t t, id member) {
  if (schedule->count == 1) {
    revive(schedule, t);
    return;
  }
  bool looked = false;
  id following = nil;
  eachIdleActivity(schedule, [&](ScheduleActivity_c* a) {
    if (!looked) following = memberAfter(schedule, t);
    looked = true;
    ScheduleIndex_c* index = indexOf(a);
    const bool waitsAfter = following && index->currentAction == following && index->MapIndex_c::get() == following;
    const bool completed = a->status == Completed && a->broodActivity;
    if (!waitsAfter && !completed) return;
    timeval_t now;
    const timeval_t when = index->absoluteTime(t);
    if (!nowFor(a, now) || when < now) return;
    // A step back from the old place would trust the list index's offset,
    // which went stale with the insertion before it.
    index->MapIndex_c::setKey(Schedule_c::timeKey(t));
    index->currentAction = member;
    index->currentTime = when;
    if (completed) a->status = Holding;
    if (a->broodActivity) _update_mergeSchedules(a, when);
  });
}

[[noreturn]] void invalidMerge() {
  raiseAt(InvalidOperation, "_update_mergeSchedules",
          "> MergeSchedule is invalid. There is no\n> mergeAction for schedule where action\n"
          "> should be inserted!\n");
  __builtin_unreachable();
}

// The time at which a merge action waits in the synchronization schedule.
timeval_t mergeTime(Schedule_c* sync, ActionMerge_c* merge) {
  id member = merge;
  if (merge->owner != sync) {
    member = msg::getActionConcurrent(merge->owner);
    id key = Schedule_c::timeKey(static_cast<uint32_t>(merge->subactivity->activationNumber));
    if (msg::at(merge->owner, key) != merge) invalidMerge();
  }
  id index = msg::createIndex_fromMember(sync, _obj_scratchZone, member);
  if (!index) invalidMerge();
  const timeval_t t = sync->keyTime(msg::getKey(index));
  msg::drop(index);
  return t;
}

// Takes a merge action out of the place it waited in, once it waits at an
// earlier time; an emptied group that no activity runs goes with it.
void leave(Schedule_c* sync, id holder, timeval_t t, ActionMerge_c* merge) {
  if (holder == sync) {
    sync->removeKey(Schedule_c::timeKey(t));
    return;
  }
  msg::remove(holder, merge);
  auto* group = static_cast<Schedule_c*>(holder);
  if (!group->count && !(group->activityRefs && msg::getCount(group->activityRefs))) {
    sync->removeKey(Schedule_c::timeKey(t));
    msg::drop(msg::getActionConcurrent(holder));
  }
}

}  // namespace

void _activity_insertAction(id schedule, timeval_t t, id action) {
  auto* s = static_cast<Schedule_c*>(schedule);
  if (_obj_debug && s->repeatInterval && t >= s->repeatInterval)
    raiseAt(InvalidArgument, "_activity_insertAction",
            "> cannot insert action at time greater than or equal to repeat interval\n");
  auto* a = static_cast<CAction*>(action);
  a->owner = schedule;
  id value = action;
  id* slot = &value;
  if (msg::at_memberSlot(schedule, Schedule_c::timeKey(t), &slot)) {
    if (s->bits & BitSingletonGroups) {
      *slot = s->makeGroup();
      a->owner = concurrentGroupOf(*slot);
      msg::addLast(a->owner, action);
    }
    repairIndexes(s, t, *slot);
    return;
  }
  id member = *slot;
  if (member == action) return;
  if (id group = concurrentGroupOf(member)) {
    a->owner = group;
    msg::addLast(group, action);
    return;
  }
  // Actions due at one time run in insertion order.
  *slot = s->makeGroup();
  id group = concurrentGroupOf(*slot);
  static_cast<CAction*>(member)->owner = group;
  msg::addLast(group, member);
  a->owner = group;
  msg::addLast(group, action);
}

void _update_mergeSchedules(id scheduleActivity, timeval_t t) {
  auto* a = static_cast<ScheduleActivity_c*>(scheduleActivity);
  auto* merge = static_cast<ActionMerge_c*>(a->mergeAction);
  auto* sync = static_cast<Schedule_c*>(a->broodActivity->plan());
  id holder = merge->owner;
  if (!holder) {
    _activity_insertAction(sync, t, merge);
    return;
  }
  const timeval_t old = mergeTime(sync, merge);
  if (old == t) return;
  // Earlier: the brood's index moves to the new place before the old one
  // goes. Later: the old place may be under the brood's index.
  if (t < old) {
    _activity_insertAction(sync, t, merge);
    leave(sync, holder, old, merge);
  } else {
    msg::remove(sync, merge);
    _activity_insertAction(sync, t, merge);
  }
}
