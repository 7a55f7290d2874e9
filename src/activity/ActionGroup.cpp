#include "activity/ActionGroup.h"

#include "activity/Action.h"
#include "activity/Activities.h"
#include "activity/BroodActivity.h"
#include "activity/CompoundAction.h"
#include "collections/Permutation.h"
#include "defobj/phase.h"

// --- creating ---

id ActionGroup_c::createEnd() {
  if (isa->info & CLS_CUSTOMIZING) {
    msg::_setCreateByMessage_toCopy(this, msg::createEnd.sel, this);
    return this;
  }
  Collection_any::setIndexFromMemberLoc(memberOffset(&CAction::ownerActions));
  return OrderedSet_c::createEnd();
}

void ActionGroup_c::setDefaultOrder(id order) { setOrderBits(bits, order); }
id ActionGroup_c::getDefaultOrder() { return orderOfBits(bits); }

void ActionGroup_c::setAutoDrop(BOOL flag) {
  if (flag) bits |= BitAutoDrop;
  else bits &= ~BitAutoDrop;
}

BOOL ActionGroup_c::getAutoDrop() { return (bits & BitAutoDrop) != 0; }

// --- actions ---

namespace {

id append(id group, id action) {
  msg::addLast(group, action);
  return action;
}

}  // namespace

id ActionGroup_c::createAction(id plan) {
  return append(this, newPlanAction(this, plan, "-[ActionGroup_c createAction:]"));
}

id ActionGroup_c::createFAction(id call) { return append(this, newFAction(this, call)); }

template <class... A>
id ActionGroup_c::createActionCall(func_t function, A... args) {
  ArgList<A...> list(args...);
  return append(this, newActionCall(this, function, list.count, list.values));
}

template <class... A>
id ActionGroup_c::createActionTo(id target, SEL sel, A... args) {
  ArgList<A...> list(args...);
  return append(this, newActionTo(this, ActionTo, target, sel, list.count, list.values));
}

template <class... A>
id ActionGroup_c::createActionForEach(id collection, SEL sel, A... args) {
  ArgList<A...> list(args...);
  return append(this, newActionTo(this, ActionForEach, collection, sel, list.count, list.values));
}

id ActionGroup_c::createActionForEachHomogeneous(id collection, SEL sel) {
  return append(this, newActionForEachHomogeneous(this, collection, sel));
}

id ActionGroup_c::createFActionForEachHomogeneous(id collection, id call) {
  return append(this, newFActionForEach(this, FActionForEachHomogeneous, collection, call));
}

id ActionGroup_c::createFActionForEachHeterogeneous(id collection, id call) {
  return append(this, newFActionForEach(this, FActionForEachHeterogeneous, collection, call));
}

// --- activation ---

id ActionGroup_c::activate_() { return activateIn(nil); }

// In a brood a group runs from a schedule that holds it at time 0.
id ActionGroup_c::activateIn(id context) {
  if (!context)
    return createActivity(this, nullptr, static_cast<Class>(id_GroupIndex_c), static_cast<Class>(id_Activity_c),
                          _activity_zone);
  id broodActivity = contextBroodActivity(context);
  id wrapper = msg::createBegin(Schedule, msg::getZone(context));
  msg::setRelativeTime(wrapper, YES);
  wrapper = msg::createEnd(wrapper);
  msg::at_createAction(wrapper, 0, this);
  return msg::activateIn(wrapper, broodActivity);
}

id ActionGroup_c::_performPlan_() {
  return performPlan(this, static_cast<Class>(id_GroupIndex_c), static_cast<Class>(id_Activity_c));
}

void ActionGroup_c::_attachActivity_(id activity) { attachActivity(activityRefs, this, activity); }
void ActionGroup_c::_detachActivity_(id activity) { detachActivity(activityRefs, activity); }

id ActionGroup_c::_createPermutedIndex_activity(id zone, id activity) {
  id index = msg::createBegin(id_GroupPermutedIndex_c, zone);
  msg::setCollection(index, this);
  msg::setActivity(index, activity);
  return msg::createEnd(index);
}

void ActionGroup_c::describeForEach(id stream) {
  id index = msg::begin(this, _obj_scratchZone);
  for (id action = msg::next(index); action; action = msg::next(index)) {
    msg::catC(stream, "action is: ");
    msg::describe(action, stream);
  }
  msg::drop(index);
}

// The actions are internal allocations of the group.
void ActionGroup_c::drop() {
  releaseActivities(activityRefs);
  activityRefs = nil;
  while (count) msg::drop(removeFirst());
  Object_s::drop();
}

// --- concurrent groups ---

void ConcurrentGroup_c::setActionConcurrent(id action) { actionConcurrent = action; }
id ConcurrentGroup_c::getActionConcurrent() { return actionConcurrent; }

// An emptied group that no activity runs answers the action that stands
// for it, for its schedule to remove. A member that a group activity
// stands on leaves through its index.
id ConcurrentGroup_c::remove(id action) {
  if (Activity_c* a = activityOn(activityRefs, action)) msg::remove_(a->currentIndex);
  else OrderedSet_c::remove(action);
  return count || (activityRefs && msg::getCount(activityRefs)) ? action : actionConcurrent;
}

// --- indexes ---

void GroupIndex_c::setActivity(id owner) { activity = owner; }

// With auto-drop the member just performed goes as the index moves on.
id GroupIndex_c::nextAction(id* status) {
  if ((static_cast<ActionGroup_c*>(collection)->bits & BitAutoDrop) && position > 0) msg::drop(remove_());
  id action = position == 0 && link == End ? nil : next();
  if (!action) *status = Completed;
  return action;
}

void GroupPermutedIndex_c::setActivity(id owner) { activity = owner; }

id GroupPermutedIndex_c::getCollection() { return static_cast<Permutation_c*>(collection)->collection; }

id GroupPermutedIndex_c::nextAction(id* status) {
  auto* group = static_cast<ActionGroup_c*>(getCollection());
  if ((group->bits & BitAutoDrop) && getLoc() == Member) msg::drop(remove_());
  id action = next();
  if (!action) *status = Completed;
  return action;
}

REGISTER_CLASS(ActionGroup_c, OrderedSet_c,
  ivar(&ActionGroup_c::activityRefs, "activityRefs"),
  phase(Phase::Creating),
  method<&ActionGroup_c::createEnd>(msg::createEnd),
  phase(Phase::Setting),
  method<&ActionGroup_c::setDefaultOrder>(msg::setDefaultOrder),
  method<&ActionGroup_c::setAutoDrop>(msg::setAutoDrop),
  phase(Phase::Using),
  method<&ActionGroup_c::getDefaultOrder>(msg::getDefaultOrder),
  method<&ActionGroup_c::getAutoDrop>(msg::getAutoDrop),
  method<&ActionGroup_c::createAction>(msg::createAction),
  method<&ActionGroup_c::createFAction>(msg::createFAction),
  method<&ActionGroup_c::createActionCall<>>(msg::createActionCall),
  method<&ActionGroup_c::createActionCall<id>>(msg::createActionCall_),
  method<&ActionGroup_c::createActionCall<id, id>>(msg::createActionCall__),
  method<&ActionGroup_c::createActionCall<id, id, id>>(msg::createActionCall___),
  method<&ActionGroup_c::createActionTo<>>(msg::createActionTo_message),
  method<&ActionGroup_c::createActionTo<id>>(msg::createActionTo_message_),
  method<&ActionGroup_c::createActionTo<id, id>>(msg::createActionTo_message__),
  method<&ActionGroup_c::createActionTo<id, id, id>>(msg::createActionTo_message___),
  method<&ActionGroup_c::createActionForEach<>>(msg::createActionForEach_message),
  method<&ActionGroup_c::createActionForEach<id>>(msg::createActionForEach_message_),
  method<&ActionGroup_c::createActionForEach<id, id>>(msg::createActionForEach_message__),
  method<&ActionGroup_c::createActionForEach<id, id, id>>(msg::createActionForEach_message___),
  method<&ActionGroup_c::createActionForEachHomogeneous>(msg::createActionForEachHomogeneous_message),
  method<&ActionGroup_c::createFActionForEachHomogeneous>(msg::createFActionForEachHomogeneous_call),
  method<&ActionGroup_c::createFActionForEachHeterogeneous>(msg::createFActionForEachHeterogeneous_call),
  method<&ActionGroup_c::activate_>(msg::activate_),
  method<&ActionGroup_c::activateIn>(msg::activateIn),
  method<&ActionGroup_c::_performPlan_>(msg::_performPlan_),
  method<&ActionGroup_c::_attachActivity_>(msg::_attachActivity_),
  method<&ActionGroup_c::_detachActivity_>(msg::_detachActivity_),
  method<&ActionGroup_c::_createPermutedIndex_activity>(msg::_createPermutedIndex_activity),
  method<&ActionGroup_c::describeForEach>(msg::describeForEach),
  method<&ActionGroup_c::drop>(msg::drop))

REGISTER_CLASS(ConcurrentGroup_c, ActionGroup_c,
  ivar(&ConcurrentGroup_c::actionConcurrent, "actionConcurrent"),
  phase(Phase::Using),
  method<&ConcurrentGroup_c::setActionConcurrent>(msg::setActionConcurrent),
  method<&ConcurrentGroup_c::getActionConcurrent>(msg::getActionConcurrent),
  method<&ConcurrentGroup_c::remove>(msg::remove))

REGISTER_CLASS(GroupIndex_c, ListIndex_mlinks,
  ivar(&GroupIndex_c::activity, "activity"),
  method<&GroupIndex_c::setActivity>(msg::setActivity),
  method<&GroupIndex_c::nextAction>(msg::nextAction))

REGISTER_CLASS(GroupPermutedIndex_c, PermutedIndex_c,
  ivar(&GroupPermutedIndex_c::activity, "activity"),
  method<&GroupPermutedIndex_c::setActivity>(msg::setActivity),
  method<&GroupPermutedIndex_c::nextAction>(msg::nextAction),
  method<&GroupPermutedIndex_c::getCollection>(msg::getCollection))
