#include "activity/BroodActivity.h"

#include "activity/Schedule.h"
#include "activity/ScheduleIndex.h"
#include "activity/activity.h"
#include "defobj/address.h"
#include "defobj/phase.h"

Activity_c* contextBroodActivity(id context) {
  if (msg::respondsTo(context, msg::getBroodActivity.sel)) {
    id broodActivity = msg::getBroodActivity(context);
    if (!broodActivity)
      raiseAt(InvalidArgument, "activateIn:", "> requested brood context has not yet been activated\n");
    return static_cast<Activity_c*>(broodActivity);
  }
  if (!msg::respondsTo(context, msg::getBrood.sel))
    raiseAt(InvalidArgument, "activateIn:", "> argument is neither nil nor a valid brood context\n");
  return static_cast<Activity_c*>(context);
}

Activity_c* activateUnderBrood(id plan, Activity_c* broodActivity, Class indexClass, Class activityClass, id zone) {
  auto* a = static_cast<ScheduleActivity_c*>(createActivity(plan, broodActivity, indexClass, activityClass, zone));
  a->keepEmptyFlag = static_cast<Schedule_c*>(plan)->keepEmptyFlag;
  a->ownerActivity = nullptr;  // each performance of its merge action sets it
  auto* brood = static_cast<BroodActivity_c*>(broodActivity);
  a->broodActivity = brood;
  a->activationNumber = brood->nextActivation++;
  auto* merge = static_cast<ActionMerge_c*>(msg::allocIVarsComponent(zone, static_cast<Class>(id_ActionMerge_c)));
  merge->subactivity = a;
  merge->collectionOfActions = plan;
  a->mergeAction = merge;
  // Relative schedules start at the brood's present time.
  auto* index = static_cast<ScheduleIndex_c*>(a->currentIndex);
  index->startTime = index->currentTime = static_cast<ScheduleIndex_c*>(brood->currentIndex)->currentTime;
  msg::nextAction(index, &a->status);
  return a;
}

bool finishedMerge(id action) {
  if (!action || action->isa != static_cast<Class>(id_ActionMerge_c)) return false;
  const ScheduleActivity_c* a = static_cast<ActionMerge_c*>(action)->subactivity;
  return a->status == Completed && !a->keepEmptyFlag;
}

// --- merge actions ---

// The merged activity runs below the performer until it waits for its
// next time, where its index puts this action back.
void ActionMerge_c::_performAction_(id activity) {
  auto* performer = static_cast<Activity_c*>(activity);
  msg::remove_(performer->currentIndex);
  owner = nil;
  subactivity->ownerActivity = performer;
  performer->currentSubactivity = subactivity;
  subactivity->breakFunction = performer->breakFunction;
  if (subactivity->status == Holding) subactivity->status = Released;
}

void ActionMerge_c::describe(id stream) {
  char text[ObjectIDTextSize];
  describeText(stream, "[%s in schedule: ", formatObjectID(text, this));
  describeText(stream, "%s subactivity: ", formatObjectID(text, collectionOfActions));
  msg::catC(stream, formatObjectID(text, subactivity));
  if (isKindOf(subactivity, id_BroodActivity_c)) {
    id brood = static_cast<BroodActivity_c*>(static_cast<Activity_c*>(subactivity))->brood;
    char address[AddressTextSize];
    describeText(stream, " in Brood %s", formatAddress(address, brood));
    if (brood) describeText(stream, " (%s)\n", msg::getName(brood));
  } else {
    msg::catC(stream, " non-Brood ScheduleActivity\n");
  }
  msg::catC(stream, "]\n");
}

// --- brood activities ---

id BroodActivity_c::getBrood() { return brood; }
id BroodActivity_c::getSynchronizationSchedule() { return plan(); }
id BroodActivity_c::getSubactivities() { return plan(); }

namespace {

void terminateMerged(id action) {
  if (action && action->isa == static_cast<Class>(id_ActionMerge_c))
    msg::terminate(static_cast<ActionMerge_c*>(action)->subactivity);
}

}  // namespace

// Every merged schedule ends, those waiting for their time as well.
id BroodActivity_c::terminate() {
  id index = msg::begin(plan(), _obj_scratchZone);
  for (id member = msg::next(index); member; member = msg::next(index)) {
    terminateMerged(member);
    if (id group = concurrentGroupOf(member)) {
      id members = msg::begin(group, _obj_scratchZone);
      for (id m = msg::next(members); m; m = msg::next(members)) terminateMerged(m);
      msg::drop(members);
    }
  }
  msg::drop(index);
  return Activity_c::terminate();
}

// The synchronization schedule belongs to the activity.
void BroodActivity_c::dropAllocations(BOOL componentAlloc) {
  id sync = plan();
  ScheduleActivity_c::dropAllocations(componentAlloc);
  msg::drop(sync);
}

REGISTER_CLASS(ActionMerge_c, CAction,
  ivar(&ActionMerge_c::subactivity, "subactivity"),
  ivar(&ActionMerge_c::collectionOfActions, "collectionOfActions"),
  method<&ActionMerge_c::_performAction_>(msg::_performAction_),
  method<&ActionMerge_c::describe>(msg::describe))

REGISTER_CLASS(BroodActivity_c, ScheduleActivity_c,
  ivar(&BroodActivity_c::brood, "brood"),
  ivar(&BroodActivity_c::nextActivation, "nextActivation"),
  method<&BroodActivity_c::getBrood>(msg::getBrood),
  method<&BroodActivity_c::getSynchronizationSchedule>(msg::getSynchronizationSchedule),
  method<&BroodActivity_c::getSubactivities>(msg::getSubactivities),
  method<&BroodActivity_c::terminate>(msg::terminate),
  method<&BroodActivity_c::dropAllocations>(msg::dropAllocations))
