#include "activity/ScheduleIndex.h"

#include "activity/Activities.h"
#include "activity/activity.h"
#include "activity/Schedule.h"
#include "collections/Map.h"
#include "collections/PermutedIndex.h"
#include "defobj/phase.h"
#include "misc/debugabort.h"

namespace {

Schedule_c* scheduleOf(const ScheduleIndex_c* index) { return static_cast<Schedule_c*>(index->collection); }

// A permuted walk answers nil at its end; asking it for its location would
// rebuild it and draw a new order, so only a sequential walk is asked.
bool walkAtEnd(id listIndex) {
  return !isKindOf(listIndex, id_PermutedIndex_c) && msg::getLoc(listIndex) == End;
}

bool isChanged(id action) { return action && action->isa == static_cast<Class>(id_ActionChanged_c); }

}  // namespace

void ScheduleIndex_c::setActivity(id owner) { activity = owner; }

timeval_t ScheduleIndex_c::absoluteTime(timeval_t t) const {
  return scheduleOf(this)->relative() ? startTime + t : t;
}

id ScheduleIndex_c::nextAction(id* status) {
  Schedule_c* schedule = scheduleOf(this);
  if (currentAction && currentAction != Removed) {
    id atIndex = MapIndex_c::get();
    if (atIndex != currentAction) {
      auto* changed = static_cast<ActionChanged_c*>(
          msg::allocIVarsComponent(msg::getZone(activity), static_cast<Class>(id_ActionChanged_c)));
      changed->actionAtIndex = atIndex;
      return currentAction = changed;
    }
    if (schedule->bits & BitAutoDrop) {
      // A group that still holds actions (merge actions put back at this
      // time after its activity passed) runs again before it may go.
      id group = concurrentGroupOf(currentAction);
      if (group && msg::getCount(group)) return currentAction;
      MapIndex_c::remove_();
      msg::drop(currentAction);
    }
  }

  id key = nil, action = nil;
  if (!walkAtEnd(listIndex)) action = MapIndex_c::next_(&key);
  if (action) {
    currentTime = absoluteTime(schedule->keyTime(key));
  } else if (schedule->repeatInterval) {
    startTime += schedule->repeatInterval;
    if (startTime < currentTime)
      raiseAt(SourceMessage, "-[ScheduleIndex_c nextAction:]",
              "> schedule did not complete soon enough for its scheduled repeat\n");
    MapIndex_c::setLoc(Start);
    action = MapIndex_c::next_(&key);
    if (action) currentTime = startTime + schedule->keyTime(key);
  }
  currentAction = action;

  auto* owner = static_cast<ScheduleActivity_c*>(activity);
  if (!owner->broodActivity) {
    if (!action) *status = Completed;
    return action;
  }
  if (!action && owner->broodActivity->status != Initialized) {
    *status = Completed;
    return nil;
  }
  // Under a brood the activity waits for its time in the brood.
  _update_mergeSchedules(owner, currentTime);
  if (action) *status = Holding;
  else MapIndex_c::setLoc(Start);
  return nil;
}

id ScheduleIndex_c::get() { return currentAction == Removed ? nil : currentAction; }

// A single action changed into a group while it ran is that group's first
// member; it leaves the group and belongs to the schedule again.
id ScheduleIndex_c::remove_() {
  id member = MapIndex_c::get();
  id removed;
  id group = concurrentGroupOf(member);
  if (group && currentAction != member && currentAction != Removed) {
    removed = msg::getFirst(group);
    msg::remove(group, removed);
    static_cast<CAction*>(removed)->owner = collection;
  } else {
    removed = MapIndex_c::remove_();
  }
  currentAction = Removed;
  return removed;
}

void ScheduleIndex_c::setCurrentTime(timeval_t t) {
  if (!MapIndex_c::setKey(Schedule_c::timeKey(t))) debugabort("Schedule", __LINE__, "-[ScheduleIndex_c setCurrentTime:]");
  currentAction = MapIndex_c::get();
  currentTime = t;
}

timeval_t ScheduleIndex_c::getCurrentTime() {
  if (MapIndex_c::getLoc() == Start) return startTime;
  return absoluteTime(scheduleOf(this)->keyTime(getKey()));
}

void ScheduleIndex_c::describe(id stream) {
  Object_s::describe(stream);
  describeText(stream, "  current time: %ld start time: %ld\n", static_cast<long>(currentTime),
               static_cast<long>(startTime));
}

void ScheduleIndex_c::mapAllocations(mapalloc_t mapalloc) {
  if (isChanged(currentAction)) mapInternalObject(mapalloc, currentAction);
  MapIndex_c::mapAllocations(mapalloc);
}

void ScheduleIndex_c::detach() {
  if (isChanged(currentAction)) msg::drop(currentAction);
  currentAction = nil;
  msg::drop(listIndex);
  listIndex = nil;
  collection = nil;
}

REGISTER_CLASS(ScheduleIndex_c, MapIndex_c,
  ivar(&ScheduleIndex_c::activity, "activity"),
  ivar(&ScheduleIndex_c::currentAction, "currentAction"),
  ivar(&ScheduleIndex_c::currentTime, "currentTime"),
  ivar(&ScheduleIndex_c::startTime, "startTime"),
  method<&ScheduleIndex_c::setActivity>(msg::setActivity),
  method<&ScheduleIndex_c::nextAction>(msg::nextAction),
  method<&ScheduleIndex_c::get>(msg::get),
  method<&ScheduleIndex_c::remove_>(msg::remove_),
  method<&ScheduleIndex_c::setCurrentTime>(msg::setCurrentTime),
  method<&ScheduleIndex_c::getCurrentTime>(msg::getCurrentTime),
  method<&ScheduleIndex_c::describe>(msg::describe),
  method<&ScheduleIndex_c::mapAllocations>(msg::mapAllocations))
