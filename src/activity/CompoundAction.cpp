#include "activity/CompoundAction.h"

#include "activity/Action.h"
#include "activity/Activities.h"
#include "collections/List.h"
#include "defobj/Zone.h"

void setOrderBits(uint32_t& bits, id order) {
  if (order == Concurrent) bits |= BitConcurrent;
  else if (order == Randomized) bits |= BitRandomized;
  else if (order == Sequential) bits &= ~BitOrder;
  else raiseDefaultAt(InvalidArgument, "setDefaultOrder");
}

id orderOfBits(uint32_t bits) {
  if (bits & BitConcurrent) return Concurrent;
  if (bits & BitRandomized) return Randomized;
  return Sequential;
}

id actionZoneOf(id plan) { return componentZoneOf(msg::getZone(plan)); }

namespace {

template <class Setup>
id makeAction(id plan, id type, Setup setup) {
  id action = msg::createBegin(type, actionZoneOf(plan));
  setup(action);
  return msg::createEnd(action);
}

void setArguments(id action, unsigned n, const id* args) {
  const Message<void(id)>* setters[] = {&msg::setArg1, &msg::setArg2, &msg::setArg3};
  for (unsigned i = 0; i < n; i++) (*setters[i])(action, args[i]);
}

}  // namespace

id newPlanAction(id plan, id subplan, const char* function) {
  if (!msg::respondsTo(subplan, msg::_performPlan_.sel)) raiseDefaultAt(InvalidArgument, function);
  return newActionTo(plan, ActionTo, subplan, msg::_performPlan_.sel, 0, nullptr);
}

id newFAction(id plan, id call) {
  return makeAction(plan, FAction, [&](id a) { msg::setCall(a, call); });
}

id newActionCall(id plan, func_t function, unsigned n, const id* args) {
  return makeAction(plan, ActionCall, [&](id a) {
    msg::setFunctionPointer(a, function);
    setArguments(a, n, args);
  });
}

id newActionTo(id plan, id type, id target, SEL sel, unsigned n, const id* args) {
  return makeAction(plan, type, [&](id a) {
    msg::setTarget(a, target);
    msg::setMessageSelector(a, sel);
    setArguments(a, n, args);
  });
}

id newActionForEachHomogeneous(id plan, id collection, SEL sel) {
  return makeAction(plan, ActionForEachHomogeneous, [&](id a) {
    msg::setTarget(a, collection);
    msg::setMessageSelector(a, sel);
  });
}

id newFActionForEach(id plan, id type, id collection, id call) {
  return makeAction(plan, type, [&](id a) {
    msg::setTarget(a, collection);
    msg::setCall(a, call);
  });
}

void attachActivity(id& refs, id plan, id activity) {
  if (!refs) refs = msg::create(_activity_activityRefsType, componentZoneOf(msg::getZone(plan)));
  msg::addLast(refs, activity);
}

// The set links its members in place: no index is needed to take one out.
void detachActivity(id refs, id activity) {
  if (refs) removeMlinksMember(refs, activity);
}

void releaseActivities(id refs) {
  if (!refs) return;
  forEachActivity(refs, [](Activity_c* a) {
    if (a->status != Completed)
      raiseAt(SourceMessage, "-[CompoundAction drop]",
              "> cannot drop action plan still referenced by an uncompleted activity\n");
    return true;
  });
  while (msg::getCount(refs)) detachFromPlan(static_cast<Activity_c*>(msg::removeFirst(refs)));
  msg::drop(refs);
}

Activity_c* activityOn(id refs, id member) {
  Activity_c* found = nullptr;
  forEachActivity(refs, [&](Activity_c* a) {
    if (msg::get(a->currentIndex) == member) found = a;
    return !found;
  });
  return found;
}
