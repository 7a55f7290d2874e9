#include "activity/Schedule.h"

#include "activity/Activities.h"
#include "activity/BroodActivity.h"
#include "activity/CompoundAction.h"
#include "activity/ScheduleIndex.h"
#include "defobj/address.h"
#include "defobj/phase.h"

id concurrentGroupOf(id action) {
  return action && action->isa == static_cast<Class>(id_ActionConcurrent_c)
             ? static_cast<ActionConcurrent_c*>(action)->concurrentGroup
             : nil;
}

// --- creating ---

id Schedule_c::createBegin(Class cls, id zone) {
  auto* schedule = static_cast<Schedule_c*>(CreateDrop_s::createBegin(cls, zone));
  schedule->keepEmptyFlag = YES;
  return schedule;
}

id Schedule_c::create_setRepeatInterval(Class cls, id zone, timeval_t interval) {
  id schedule = msg::createBegin(cls, zone);
  msg::setRepeatInterval(schedule, interval);
  return msg::createEnd(schedule);
}

id Schedule_c::create_setAutoDrop(Class cls, id zone, BOOL flag) {
  id schedule = msg::createBegin(cls, zone);
  msg::setAutoDrop(schedule, flag);
  return msg::createEnd(schedule);
}

void Schedule_c::setRelativeTime(BOOL flag) {
  bits = (flag ? bits | BitRelativeTime : bits & ~BitRelativeTime) | BitRelativeTimeSet;
}

void Schedule_c::setSingletonGroups(BOOL flag) {
  bits = flag ? bits | BitSingletonGroups : bits & ~BitSingletonGroups;
}

void Schedule_c::setConcurrentGroupType(id type) { concurrentGroupType = type; }
void Schedule_c::setKeepEmptyFlag(BOOL flag) { keepEmptyFlag = flag; }

// A repeating schedule is relative to the start of each repetition.
id Schedule_c::createEnd() {
  if (repeatInterval) {
    if ((bits & (BitRelativeTime | BitRelativeTimeSet)) == BitRelativeTimeSet)
      raiseAt(InvalidCombination, "-[Schedule_c createEnd]",
              "> cannot specify both a repeat interval and absolute time\n");
    bits |= BitRelativeTime;
  }
  compareFunc = compareUnsignedIntegers;
  if (!(isa->info & CLS_CUSTOMIZING) && !concurrentGroupType) concurrentGroupType = ConcurrentGroup;
  return Map_c::createEnd();
}

// --- options ---

// The inner list exists once the schedule is created.
void Schedule_c::setRepeatInterval(timeval_t interval) {
  if (!interval)
    raiseAt(InvalidArgument, "-[Schedule_c setRepeatInterval:]", "> repeat interval must be greater than zero\n");
  if (list && !relative())
    raiseAt(InvalidCombination, "-[Schedule_c setRepeatInterval:]",
            "> cannot specify a repeat interval after schedule created without it\n");
  repeatInterval = interval;
}

void Schedule_c::setDefaultOrder(id order) { setOrderBits(bits, order); }

void Schedule_c::setAutoDrop(BOOL flag) { bits = flag ? bits | BitAutoDrop : bits & ~BitAutoDrop; }

timeval_t Schedule_c::getRepeatInterval() { return repeatInterval; }
BOOL Schedule_c::getAutoDrop() { return (bits & BitAutoDrop) != 0; }
BOOL Schedule_c::getRelativeTime() { return relative(); }
BOOL Schedule_c::getSingletonGroups() { return (bits & BitSingletonGroups) != 0; }
id Schedule_c::getConcurrentGroupType() { return concurrentGroupType; }
id Schedule_c::getDefaultOrder() { return orderOfBits(bits); }

// --- actions ---

namespace {

id insertAt(id schedule, timeval_t t, id action) {
  _activity_insertAction(schedule, t, action);
  return action;
}

}  // namespace

id Schedule_c::at_createAction(timeval_t t, id plan) {
  return insertAt(this, t, newPlanAction(this, plan, "-[Schedule_c at:createAction:]"));
}

id Schedule_c::at_createFAction(timeval_t t, id call) { return insertAt(this, t, newFAction(this, call)); }

template <class... A>
id Schedule_c::at_createActionCall(timeval_t t, func_t function, A... args) {
  ArgList<A...> list(args...);
  return insertAt(this, t, newActionCall(this, function, list.count, list.values));
}

template <class... A>
id Schedule_c::at_createActionTo(timeval_t t, id target, SEL sel, A... args) {
  ArgList<A...> list(args...);
  return insertAt(this, t, newActionTo(this, ActionTo, target, sel, list.count, list.values));
}

template <class... A>
id Schedule_c::at_createActionForEach(timeval_t t, id collection, SEL sel, A... args) {
  ArgList<A...> list(args...);
  return insertAt(this, t, newActionTo(this, ActionForEach, collection, sel, list.count, list.values));
}

id Schedule_c::at_createActionForEachHomogeneous(timeval_t t, id collection, SEL sel) {
  return insertAt(this, t, newActionForEachHomogeneous(this, collection, sel));
}

id Schedule_c::at_createFActionForEachHomogeneous(timeval_t t, id collection, id call) {
  return insertAt(this, t, newFActionForEach(this, FActionForEachHomogeneous, collection, call));
}

id Schedule_c::at_createFActionForEachHeterogeneous(timeval_t t, id collection, id call) {
  return insertAt(this, t, newFActionForEach(this, FActionForEachHeterogeneous, collection, call));
}

// --- groups at one time ---

id Schedule_c::makeGroup() {
  id zone = actionZoneOf(this);
  id group = msg::create(concurrentGroupType, zone);
  auto* g = static_cast<Collection_any*>(group);
  g->bits = (g->bits & ~(BitAutoDrop | BitOrder)) | BitTimeGroup | (bits & (BitAutoDrop | BitOrder));
  auto* concurrent = static_cast<ActionConcurrent_c*>(msg::allocIVarsComponent(zone, static_cast<Class>(id_ActionConcurrent_c)));
  concurrent->owner = this;
  concurrent->concurrentGroup = group;
  msg::setActionConcurrent(group, concurrent);
  return concurrent;
}

id Schedule_c::insertGroup(timeval_t t) {
  id* slot = nullptr;
  msg::at_memberSlot(this, timeKey(t), &slot);
  if (id group = concurrentGroupOf(*slot)) return group;
  id single = *slot;
  *slot = makeGroup();
  id group = concurrentGroupOf(*slot);
  if (single) {
    static_cast<CAction*>(single)->owner = group;
    msg::addLast(group, single);
  }
  return group;
}

// A member that an activity waits or runs on leaves through its index,
// which goes on from the gap.
void Schedule_c::removeMember(id member) {
  if (Activity_c* a = activityOn(activityRefs, member)) msg::remove_(a->currentIndex);
  else Collection_any::remove(member);
}

id Schedule_c::remove(id action) {
  auto* a = static_cast<CAction*>(action);
  if (!a) return nil;
  if (a->owner == this) {
    removeMember(action);
  } else if (id group = a->owner) {
    id answer = msg::remove(group, action);
    if (answer && answer == msg::getActionConcurrent(group)) {
      removeMember(answer);
      msg::drop(answer);
    }
  }
  a->owner = nil;
  return action;
}

// --- activation ---

id Schedule_c::activate_() { return activateIn(nil); }

id Schedule_c::activateIn(id context) {
  return activatePlan(this, context, static_cast<Class>(id_ScheduleIndex_c), static_cast<Class>(id_ScheduleActivity_c));
}

id Schedule_c::_performPlan_() {
  return performPlan(this, static_cast<Class>(id_ScheduleIndex_c), static_cast<Class>(id_ScheduleActivity_c));
}

void Schedule_c::_attachActivity_(id activity) { attachActivity(activityRefs, this, activity); }
void Schedule_c::_detachActivity_(id activity) { detachActivity(activityRefs, activity); }

void Schedule_c::describeForEach(id stream) {
  id index = msg::begin(this, _obj_scratchZone);
  id key = nil;
  for (id member = msg::next_(index, &key); member; member = msg::next_(index, &key)) {
    describeText(stream, "at time: %lu action is: ", static_cast<unsigned long>(keyTime(key)));
    msg::describe(member, stream);
  }
  msg::drop(index);
}

// The members are internal allocations of the schedule.
void Schedule_c::drop() {
  releaseActivities(activityRefs);
  activityRefs = nil;
  id index = msg::begin(this, _obj_scratchZone);
  for (id member = msg::next(index); member; member = msg::next(index)) msg::drop(member);
  msg::drop(index);
  Object_s::drop();
}

// --- concurrent schedules ---

id ConcurrentSchedule_c::createBegin(Class cls, id zone) {
  auto* schedule = static_cast<Schedule_c*>(Schedule_c::createBegin(cls, zone));
  schedule->keepEmptyFlag = NO;
  return schedule;
}

void ConcurrentSchedule_c::addLast(id) {
  raiseAt(SourceMessage, "-[ConcurrentSchedule_c addLast:]",
          "> A concurrent schedule requires either that a subclass override the method\n"
          "> that adds a new action, or that all actions be added to the group by\n"
          "> explicit operations rather than by automatic addition at a key value.\n");
}

void ConcurrentSchedule_c::setActionConcurrent(id action) { actionConcurrent = action; }
id ConcurrentSchedule_c::getActionConcurrent() { return actionConcurrent; }

// An emptied group that no activity runs answers the action that stands
// for it, for its schedule to remove.
id ConcurrentSchedule_c::remove(id action) {
  Schedule_c::remove(action);
  return count || (activityRefs && msg::getCount(activityRefs)) ? action : actionConcurrent;
}

id ConcurrentSchedule_c::_createPermutedIndex_activity(id zone, id activity) {
  id index = _createPermutedIndex_forIndexSubclass(zone, static_cast<Class>(id_ScheduleIndex_c));
  msg::setActivity(index, activity);
  return index;
}

namespace {

id activationKey(id action) {
  if (!action || action->isa != static_cast<Class>(id_ActionMerge_c))
    raiseAt(InvalidArgument, "-[ActivationOrder_c addLast:]", "> activation order holds only merge actions\n");
  return Schedule_c::timeKey(static_cast<uint32_t>(static_cast<ActionMerge_c*>(action)->subactivity->activationNumber));
}

}  // namespace

void ActivationOrder_c::addLast(id action) { at_insert(activationKey(action), action); }

// The group stays in its schedule while it runs, also when emptied.
id ActivationOrder_c::remove(id action) {
  removeKey(activationKey(action));
  return action;
}

// --- the actions that stand for groups ---

id ActionConcurrent_c::getConcurrentGroup() { return concurrentGroup; }

void ActionConcurrent_c::_performAction_(id) { msg::_performPlan_(concurrentGroup); }

void ActionConcurrent_c::describe(id stream) {
  char text[ObjectIDTextSize];
  describeText(stream, "[ActionConcurrent_c %s concurrentGroup:\n", formatObjectID(text, this));
  msg::describeForEach(concurrentGroup, stream);
  msg::catC(stream, "]\n");
}

void ActionConcurrent_c::drop() {
  msg::drop(concurrentGroup);
  Object_s::drop();
}

// The action that first ran at this time is already done: the group's
// activity starts past it, in insertion order.
void ActionChanged_c::_performAction_(id activity) {
  auto* performer = static_cast<Activity_c*>(activity);
  static_cast<ScheduleIndex_c*>(performer->currentIndex)->currentAction = actionAtIndex;
  if (id group = concurrentGroupOf(actionAtIndex)) {
    const bool keyed = isKindOf(group, id_ConcurrentSchedule_c);
    Activity_c* sub = createActivity(
        group, performer, static_cast<Class>(keyed ? id_ScheduleIndex_c : id_GroupIndex_c),
        static_cast<Class>(keyed ? id_ScheduleActivity_c : id_Activity_c), performer->zone(), false);
    performer->currentSubactivity = sub;
    msg::next(sub->currentIndex);
  } else {
    msg::_performAction_(actionAtIndex, activity);
  }
  Object_s::drop();
}

void ActionChanged_c::describe(id stream) {
  char text[ObjectIDTextSize];
  describeText(stream, "[ActionChanged: %s actionAtIndex: ", formatObjectID(text, this));
  msg::describe(actionAtIndex, stream);
  msg::catC(stream, "]\n");
}

REGISTER_CLASS(Schedule_c, Map_c,
  ivar(&Schedule_c::activityRefs, "activityRefs"),
  ivar(&Schedule_c::concurrentGroupType, "concurrentGroupType"),
  ivar(&Schedule_c::repeatInterval, "repeatInterval"),
  ivar(&Schedule_c::keepEmptyFlag, "keepEmptyFlag"),
  classMethod<&Schedule_c::createBegin>(msg::createBegin),
  classMethod<&Schedule_c::create_setRepeatInterval>(msg::create_setRepeatInterval),
  classMethod<&Schedule_c::create_setAutoDrop>(msg::create_setAutoDrop),
  phase(Phase::Creating),
  method<&Schedule_c::setRelativeTime>(msg::setRelativeTime),
  method<&Schedule_c::setSingletonGroups>(msg::setSingletonGroups),
  method<&Schedule_c::setConcurrentGroupType>(msg::setConcurrentGroupType),
  method<&Schedule_c::setKeepEmptyFlag>(msg::setKeepEmptyFlag),
  method<&Schedule_c::createEnd>(msg::createEnd),
  phase(Phase::Setting),
  method<&Schedule_c::setRepeatInterval>(msg::setRepeatInterval),
  method<&Schedule_c::setDefaultOrder>(msg::setDefaultOrder),
  method<&Schedule_c::setAutoDrop>(msg::setAutoDrop),
  method<&Schedule_c::getRepeatInterval>(msg::getRepeatInterval),
  method<&Schedule_c::getAutoDrop>(msg::getAutoDrop),
  method<&Schedule_c::getRelativeTime>(msg::getRelativeTime),
  method<&Schedule_c::getSingletonGroups>(msg::getSingletonGroups),
  method<&Schedule_c::getConcurrentGroupType>(msg::getConcurrentGroupType),
  method<&Schedule_c::getDefaultOrder>(msg::getDefaultOrder),
  phase(Phase::Using),
  method<&Schedule_c::at_createAction>(msg::at_createAction),
  method<&Schedule_c::at_createFAction>(msg::at_createFAction),
  method<&Schedule_c::at_createActionCall<>>(msg::at_createActionCall),
  method<&Schedule_c::at_createActionCall<id>>(msg::at_createActionCall_),
  method<&Schedule_c::at_createActionCall<id, id>>(msg::at_createActionCall__),
  method<&Schedule_c::at_createActionCall<id, id, id>>(msg::at_createActionCall___),
  method<&Schedule_c::at_createActionTo<>>(msg::at_createActionTo_message),
  method<&Schedule_c::at_createActionTo<id>>(msg::at_createActionTo_message_),
  method<&Schedule_c::at_createActionTo<id, id>>(msg::at_createActionTo_message__),
  method<&Schedule_c::at_createActionTo<id, id, id>>(msg::at_createActionTo_message___),
  method<&Schedule_c::at_createActionForEach<>>(msg::at_createActionForEach_message),
  method<&Schedule_c::at_createActionForEach<id>>(msg::at_createActionForEach_message_),
  method<&Schedule_c::at_createActionForEach<id, id>>(msg::at_createActionForEach_message__),
  method<&Schedule_c::at_createActionForEach<id, id, id>>(msg::at_createActionForEach_message___),
  method<&Schedule_c::at_createActionForEachHomogeneous>(msg::at_createActionForEachHomogeneous_message),
  method<&Schedule_c::at_createFActionForEachHomogeneous>(msg::at_createFActionForEachHomogeneous_call),
  method<&Schedule_c::at_createFActionForEachHeterogeneous>(msg::at_createFActionForEachHeterogeneous_call),
  method<&Schedule_c::atZero<&Schedule_c::at_createAction, id>>(msg::createAction),
  method<&Schedule_c::atZero<&Schedule_c::at_createFAction, id>>(msg::createFAction),
  method<&Schedule_c::atZero<&Schedule_c::at_createActionCall<>, func_t>>(msg::createActionCall),
  method<&Schedule_c::atZero<&Schedule_c::at_createActionCall<id>, func_t, id>>(msg::createActionCall_),
  method<&Schedule_c::atZero<&Schedule_c::at_createActionCall<id, id>, func_t, id, id>>(msg::createActionCall__),
  method<&Schedule_c::atZero<&Schedule_c::at_createActionCall<id, id, id>, func_t, id, id, id>>(
      msg::createActionCall___),
  method<&Schedule_c::atZero<&Schedule_c::at_createActionTo<>, id, SEL>>(msg::createActionTo_message),
  method<&Schedule_c::atZero<&Schedule_c::at_createActionTo<id>, id, SEL, id>>(msg::createActionTo_message_),
  method<&Schedule_c::atZero<&Schedule_c::at_createActionTo<id, id>, id, SEL, id, id>>(
      msg::createActionTo_message__),
  method<&Schedule_c::atZero<&Schedule_c::at_createActionTo<id, id, id>, id, SEL, id, id, id>>(
      msg::createActionTo_message___),
  method<&Schedule_c::atZero<&Schedule_c::at_createActionForEach<>, id, SEL>>(msg::createActionForEach_message),
  method<&Schedule_c::atZero<&Schedule_c::at_createActionForEach<id>, id, SEL, id>>(
      msg::createActionForEach_message_),
  method<&Schedule_c::atZero<&Schedule_c::at_createActionForEach<id, id>, id, SEL, id, id>>(
      msg::createActionForEach_message__),
  method<&Schedule_c::atZero<&Schedule_c::at_createActionForEach<id, id, id>, id, SEL, id, id, id>>(
      msg::createActionForEach_message___),
  method<&Schedule_c::atZero<&Schedule_c::at_createActionForEachHomogeneous, id, SEL>>(
      msg::createActionForEachHomogeneous_message),
  method<&Schedule_c::atZero<&Schedule_c::at_createFActionForEachHomogeneous, id, id>>(
      msg::createFActionForEachHomogeneous_call),
  method<&Schedule_c::atZero<&Schedule_c::at_createFActionForEachHeterogeneous, id, id>>(
      msg::createFActionForEachHeterogeneous_call),
  method<&Schedule_c::insertGroup>(msg::insertGroup),
  method<&Schedule_c::remove>(msg::remove),
  method<&Schedule_c::activate_>(msg::activate_),
  method<&Schedule_c::activateIn>(msg::activateIn),
  method<&Schedule_c::_performPlan_>(msg::_performPlan_),
  method<&Schedule_c::_attachActivity_>(msg::_attachActivity_),
  method<&Schedule_c::_detachActivity_>(msg::_detachActivity_),
  method<&Schedule_c::describeForEach>(msg::describeForEach),
  method<&Schedule_c::drop>(msg::drop))

REGISTER_CLASS(ConcurrentSchedule_c, Schedule_c,
  ivar(&ConcurrentSchedule_c::actionConcurrent, "actionConcurrent"),
  classMethod<&ConcurrentSchedule_c::createBegin>(msg::createBegin),
  phase(Phase::Using),
  method<&ConcurrentSchedule_c::addLast>(msg::addLast),
  method<&ConcurrentSchedule_c::setActionConcurrent>(msg::setActionConcurrent),
  method<&ConcurrentSchedule_c::getActionConcurrent>(msg::getActionConcurrent),
  method<&ConcurrentSchedule_c::remove>(msg::remove),
  method<&ConcurrentSchedule_c::_createPermutedIndex_activity>(msg::_createPermutedIndex_activity))

REGISTER_CLASS(ActivationOrder_c, ConcurrentSchedule_c,
  phase(Phase::Using),
  method<&ActivationOrder_c::addLast>(msg::addLast),
  method<&ActivationOrder_c::remove>(msg::remove))

REGISTER_CLASS(ActionConcurrent_c, CAction,
  ivar(&ActionConcurrent_c::concurrentGroup, "concurrentGroup"),
  phase(Phase::Using),
  method<&ActionConcurrent_c::getConcurrentGroup>(msg::getConcurrentGroup),
  method<&ActionConcurrent_c::_performAction_>(msg::_performAction_),
  method<&ActionConcurrent_c::describe>(msg::describe),
  method<&ActionConcurrent_c::drop>(msg::drop))

REGISTER_CLASS(ActionChanged_c, CAction,
  ivar(&ActionChanged_c::actionAtIndex, "actionAtIndex"),
  phase(Phase::Using),
  method<&ActionChanged_c::_performAction_>(msg::_performAction_),
  method<&ActionChanged_c::describe>(msg::describe))
