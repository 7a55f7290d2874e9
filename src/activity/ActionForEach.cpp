#include "activity/ActionForEach.h"

#include <vector>

#include "activity/CompoundAction.h"
#include "defobj/Zone.h"
#include "defobj/address.h"
#include "defobj/phase.h"
#include "misc/debugabort.h"

namespace {

struct VisitHintEntry {
  IMP method;
  VisitHint hint;
};
std::vector<VisitHintEntry> visitHints;

// Hints pay when the members' data outgrows the caches, so only walks
// over lists this long give them, that many members ahead.
constexpr unsigned LongWalk = 1024, HintDistance = 4;

// Starts the subactivity that visits the members: a sequential or freshly
// permuted walk, with a copy of the action turned into the plain kind that
// performs on one member.
void startForEach(PAction* action, id activity, id memberClass) {
  auto* owner = static_cast<Activity_c*>(activity);
  id zone = owner->zone();
  auto* sub = static_cast<ForEachActivity_c*>(msg::allocIVarsComponent(zone, static_cast<Class>(id_ForEachActivity_c)));
  auto* index = static_cast<ForEachIndex_c*>(msg::allocIVarsComponent(zone, static_cast<Class>(id_ForEachIndex_c)));
  registerSubactivity(owner, sub);
  sub->status = Initialized;
  sub->breakFunction = owner->breakFunction;
  sub->currentIndex = index;

  index->activity = sub;
  id parts = componentZoneOf(zone);  // the walk's own parts, outside the zone's population
  index->memberIndex = action->bits & BitRandomized ? msg::beginPermuted(action->target, parts) : msg::begin(action->target, parts);
  index->nextMember = get_imp(index->memberIndex->isa, msg::next.sel);
  // A message action prepares its call once, on its first member; the
  // call is re-aimed at each member after that.
  if (memberClass == id_ActionTo_c && !action->call && msg::getCount(action->target))
    action->call = static_cast<ActionTo_c*>(action)->makeCall(msg::getFirst(action->target));
  auto* copy = static_cast<PAction*>(msg::copyIVarsComponent(zone, action));
  copy->isa = static_cast<Class>(memberClass);
  copy->owner = copy->target = nil;
  copy->ownerActions[0] = copy->ownerActions[1] = nullptr;
  copy->autoDropFlag = NO;  // the call stays with the action
  index->memberAction = copy;
  if (memberClass == id_ActionTo_c && !visitHints.empty() && !(action->bits & BitRandomized) &&
      msg::getCount(action->target) >= LongWalk)
    index->hintMessage = static_cast<ActionTo_c*>(action)->selector;
  owner->currentSubactivity = sub;
}

void describeCollection(id stream, const char* head, id collection) {
  char text[ObjectIDTextSize];
  msg::catC(stream, head);
  msg::catC(stream, collection ? formatObjectID(text, collection) : "nil");
  msg::catC(stream, "]");
}

}  // namespace

void setVisitHint(IMP method, VisitHint hint) {
  if (!method) return;  // then no member's class has it
  for (VisitHintEntry& entry : visitHints)
    if (entry.method == method) {
      entry.hint = hint;
      return;
    }
  visitHints.push_back({method, hint});
}

// --- ActionForEach_c ---

// No call is prepared for the collection itself.
id ActionForEach_c::createEnd() {
  protoTarget = nil;
  return ActionTo_c::createEnd();
}

void ActionForEach_c::setDefaultOrder(id order) { setOrderBits(bits, order); }
id ActionForEach_c::getDefaultOrder() { return orderOfBits(bits); }
void ActionForEach_c::_performAction_(id activity) { startForEach(this, activity, id_ActionTo_c); }

void ActionForEach_c::describe(id stream) {
  describeCollection(stream, "[[foreach: ", target);
  describeMessage(stream);
}

// --- FActionForEachHeterogeneous_c ---

void FActionForEachHeterogeneous_c::setDefaultOrder(id order) { setOrderBits(bits, order); }
id FActionForEachHeterogeneous_c::getDefaultOrder() { return orderOfBits(bits); }
void FActionForEachHeterogeneous_c::_performAction_(id activity) { startForEach(this, activity, id_FAction_c); }

void FActionForEachHeterogeneous_c::describe(id stream) {
  describeCollection(stream, "[[faction foreach: ", target);
}

// --- ForEachActivity_c ---

// A fresh walk is the general loop of an activity with what it learns from
// its classes done once: the index is a ForEachIndex_c, whose actions are
// the one member action and never merges, and the member action's
// performance is looked up before the first member. A member's method
// that stops or terminates the walk is seen where the general loop sees
// it; anything else (a resumed walk, a subactivity) goes on in the general
// loop, which takes over from any point of this one.
id ForEachActivity_c::_run_() {
  auto* index = static_cast<ForEachIndex_c*>(currentIndex);
  id action = index->memberAction;
  const auto perform = imp_cast<void (*)(id, SEL, id)>(get_imp(action->isa, msg::_performAction_.sel));
  if (status != Initialized || !perform) return Activity_c::_run_();
  // A message to each member, the common walk, is performed by a direct call.
  static const IMP messagePerform = get_imp(static_cast<Class>(id_ActionTo_c), msg::_performAction_.sel);
  auto* message = perform == imp_cast<void (*)(id, SEL, id)>(messagePerform) ? static_cast<ActionTo_c*>(action) : nullptr;
  status = Running;
  for (;;) {
    if (currentSubactivity) return Activity_c::_run_();
    if (status == Terminated) return terminateWalk();
    if (!index->nextAction(&status)) return breakFunction && breakFunction(this) ? interrupted() : status;
    if (breakFunction && breakFunction(this)) return interrupted();
    prefetchFollowing(index->memberIndex);
    if (index->hintMessage) index->hintAhead();
    if (message)
      message->_performAction_(this);
    else
      perform(action, msg::_performAction_.sel, this);
  }
}

id ForEachActivity_c::getCurrentMember() {
  return msg::getTarget(static_cast<ForEachIndex_c*>(currentIndex)->memberAction);
}

// --- ForEachIndex_c ---

// Only next goes to the member index: on a permuted index every other
// query rebuilds the permutation and draws a new order. Once it has
// answered its last member it is not asked again, so a walk stopped after
// its last member completes when it is run again.
id ForEachIndex_c::nextAction(id* status) {
  id member = ended            ? nil
              : nextMember ? imp_cast<id (*)(id, SEL)>(nextMember)(memberIndex, msg::next.sel)
                           : msg::next(memberIndex);
  static_cast<PAction*>(memberAction)->target = member;
  if (member) return memberAction;
  ended = YES;
  *status = Completed;
  return nil;
}

void ForEachIndex_c::hintAhead() {
  id member = memberAhead(memberIndex, HintDistance);
  if (!member) return;
  if (member->isa != hintClass) {
    hintClass = member->isa;
    const IMP method = get_imp(hintClass, hintMessage);
    hint = nullptr;
    for (const VisitHintEntry& entry : visitHints)
      if (entry.method == method) hint = entry.hint;
  }
  if (hint) hint(member);
}

id ForEachIndex_c::get() { return ended ? nil : memberAction; }
id ForEachIndex_c::getLoc() { return msg::getLoc(memberIndex); }

void ForEachIndex_c::drop() {
  msg::drop(memberIndex);
  msg::drop(memberAction);
  Object_s::drop();
}

#define REFUSED(signature, name, value)                           \
  signature {                                                     \
    debugabort("ActionGroup", __LINE__, "-[ForEachIndex_c " name "]"); \
    return value;                                                 \
  }

REFUSED(id ForEachIndex_c::setOffset(int), "setOffset:", nil)
REFUSED(int ForEachIndex_c::getOffset(), "getOffset", 0)
REFUSED(id ForEachIndex_c::remove_(), "remove", nil)
REFUSED(id ForEachIndex_c::put(id), "put:", nil)
REFUSED(id ForEachIndex_c::findPrev(id), "findPrev:", nil)
REFUSED(id ForEachIndex_c::findNext(id), "findNext:", nil)
REFUSED(id ForEachIndex_c::prev(), "prev", nil)
REFUSED(id ForEachIndex_c::next(), "next", nil)
REFUSED(id ForEachIndex_c::getCollection(), "getCollection", nil)
#undef REFUSED

// Termination puts every index at End; this one ends its walk.
void ForEachIndex_c::setLoc(id location) {
  if (location != End) debugabort("ActionGroup", __LINE__, "-[ForEachIndex_c setLoc:]");
  msg::setLoc(memberIndex, End);
  ended = YES;
}

REGISTER_CLASS(ActionForEach_c, ActionTo_c,
  phase(Phase::Creating),
  method<&ActionForEach_c::createEnd>(msg::createEnd),
  phase(Phase::Setting),
  method<&ActionForEach_c::setDefaultOrder>(msg::setDefaultOrder),
  method<&ActionForEach_c::getDefaultOrder>(msg::getDefaultOrder),
  phase(Phase::Using),
  method<&ActionForEach_c::_performAction_>(msg::_performAction_),
  method<&ActionForEach_c::describe>(msg::describe))

REGISTER_CLASS(FActionForEachHeterogeneous_c, FAction_c,
  phase(Phase::Setting),
  method<&FActionForEachHeterogeneous_c::setDefaultOrder>(msg::setDefaultOrder),
  method<&FActionForEachHeterogeneous_c::getDefaultOrder>(msg::getDefaultOrder),
  phase(Phase::Using),
  method<&FActionForEachHeterogeneous_c::_performAction_>(msg::_performAction_),
  method<&FActionForEachHeterogeneous_c::describe>(msg::describe))

REGISTER_CLASS(ForEachActivity_c, Activity_c,
  method<&ForEachActivity_c::_run_>(msg::_run_),
  method<&ForEachActivity_c::getCurrentMember>(msg::getCurrentMember))

REGISTER_CLASS(ForEachIndex_c, Object_s,
  ivar(&ForEachIndex_c::activity, "activity"),
  ivar(&ForEachIndex_c::memberIndex, "memberIndex"),
  ivar(&ForEachIndex_c::memberAction, "memberAction"),
  method<&ForEachIndex_c::nextAction>(msg::nextAction),
  method<&ForEachIndex_c::get>(msg::get),
  method<&ForEachIndex_c::getLoc>(msg::getLoc),
  method<&ForEachIndex_c::drop>(msg::drop),
  method<&ForEachIndex_c::setOffset>(msg::setOffset),
  method<&ForEachIndex_c::getOffset>(msg::getOffset),
  method<&ForEachIndex_c::setLoc>(msg::setLoc),
  method<&ForEachIndex_c::remove_>(msg::remove_),
  method<&ForEachIndex_c::put>(msg::put),
  method<&ForEachIndex_c::findPrev>(msg::findPrev),
  method<&ForEachIndex_c::findNext>(msg::findNext),
  method<&ForEachIndex_c::prev>(msg::prev),
  method<&ForEachIndex_c::next>(msg::next),
  method<&ForEachIndex_c::getCollection>(msg::getCollection))
