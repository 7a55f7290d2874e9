#include "activity/ActionHomogeneous.h"

#include "activity/CompoundAction.h"
#include "defobj/FCall.h"
#include "defobj/address.h"
#include "defobj/phase.h"

namespace {

// The members of the collection in one pass of a fresh index, in the
// scratch zone; none for an empty collection, which has no class to share.
unsigned snapshot(id collection, id zone, const char* function, id*& members) {
  members = nullptr;
  const unsigned n = msg::getCount(collection);
  if (!n) return 0;
  if (!msg::allSameClass(collection)) raiseAt(InvalidArgument, function, "Collection not homogeneous");
  members = static_cast<id*>(msg::alloc(_obj_scratchZone, n * sizeof(id)));
  id index = msg::begin(collection, zone);
  unsigned i = 0;
  for (id m = msg::next(index); i < n && msg::getLoc(index) == Member; m = msg::next(index)) members[i++] = m;
  msg::drop(index);
  return i;
}

// Fisher-Yates from the end; the order carries over to the next shuffle.
void shuffle(id* members, unsigned n) {
  for (unsigned i = n ? n - 1 : 0; i > 0; i--) {
    const unsigned j = msg::getUnsignedWithMin_withMax(uniformUnsRand, 0, i);
    id swap = members[i];
    members[i] = members[j];
    members[j] = swap;
  }
}

void release(id* members) {
  if (members) msg::free(_obj_scratchZone, members);
}

void describeFixed(id stream, id collection) {
  char text[ObjectIDTextSize];
  msg::catC(stream, "[[foreach fixed: ");
  msg::catC(stream, collection ? formatObjectID(text, collection) : "nil");
  msg::catC(stream, "]");
}

}  // namespace

// --- ActionForEachHomogeneous_c ---

void ActionForEachHomogeneous_c::setTarget(id collection) { target = collection; }
id ActionForEachHomogeneous_c::getTarget() { return target; }
SEL ActionForEachHomogeneous_c::getMessageSelector() { return selector; }

// After creation the method is looked up again for the new selector.
void ActionForEachHomogeneous_c::setMessageSelector(SEL sel) {
  selector = sel;
  if (targetCount) imp = objc_msg_lookup(objcTargets[0], selector);
}

id ActionForEachHomogeneous_c::createEnd() {
  CAction::createEnd();
  targetCount = snapshot(target, zone(), "-[ActionForEachHomogeneous_c createEnd]", objcTargets);
  if (targetCount) imp = objc_msg_lookup(objcTargets[0], selector);
  return this;
}

void ActionForEachHomogeneous_c::setDefaultOrder(id order) { setOrderBits(bits, order); }
id ActionForEachHomogeneous_c::getDefaultOrder() { return orderOfBits(bits); }

void ActionForEachHomogeneous_c::_performAction_(id) {
  if (bits & BitRandomized && !(bits & BitConcurrent)) shuffle(objcTargets, targetCount);
  auto method = imp_cast<void (*)(id, SEL)>(imp);
  for (unsigned i = 0; i < targetCount; i++) method(objcTargets[i], selector);
}

void ActionForEachHomogeneous_c::describe(id stream) { describeFixed(stream, target); }

void ActionForEachHomogeneous_c::drop() {
  release(objcTargets);
  Object_s::drop();
}

// --- FActionForEachHomogeneous_c ---

id FActionForEachHomogeneous_c::createEnd() {
  FAction_c::createEnd();
  targetCount = snapshot(target, zone(), "-[FActionForEachHomogeneous_c createEnd]", objcTargets);
  return this;
}

void FActionForEachHomogeneous_c::setDefaultOrder(id order) { setOrderBits(bits, order); }
id FActionForEachHomogeneous_c::getDefaultOrder() { return orderOfBits(bits); }

void FActionForEachHomogeneous_c::_performAction_(id) {
  if (bits & BitRandomized && !(bits & BitConcurrent)) shuffle(objcTargets, targetCount);
  for (unsigned i = 0; i < targetCount; i++) {
    updateTarget(call, objcTargets[i]);
    performCall();
  }
}

void FActionForEachHomogeneous_c::describe(id stream) { describeFixed(stream, target); }

void FActionForEachHomogeneous_c::drop() {
  release(objcTargets);
  PAction::drop();
}

REGISTER_CLASS(ActionForEachHomogeneous_c, CAction,
  ivar(&ActionForEachHomogeneous_c::selector, "selector"),
  ivar(&ActionForEachHomogeneous_c::target, "target"),
  ivar(&ActionForEachHomogeneous_c::imp, "imp"),
  ivar(&ActionForEachHomogeneous_c::targetCount, "targetCount"),
  ivar(&ActionForEachHomogeneous_c::objcTargets, "objcTargets"),
  phase(Phase::Creating),
  method<&ActionForEachHomogeneous_c::setTarget>(msg::setTarget),
  method<&ActionForEachHomogeneous_c::createEnd>(msg::createEnd),
  phase(Phase::Setting),
  method<&ActionForEachHomogeneous_c::setMessageSelector>(msg::setMessageSelector),
  method<&ActionForEachHomogeneous_c::setDefaultOrder>(msg::setDefaultOrder),
  method<&ActionForEachHomogeneous_c::getDefaultOrder>(msg::getDefaultOrder),
  phase(Phase::Using),
  method<&ActionForEachHomogeneous_c::getTarget>(msg::getTarget),
  method<&ActionForEachHomogeneous_c::getMessageSelector>(msg::getMessageSelector),
  method<&ActionForEachHomogeneous_c::_performAction_>(msg::_performAction_),
  method<&ActionForEachHomogeneous_c::describe>(msg::describe),
  method<&ActionForEachHomogeneous_c::drop>(msg::drop))

REGISTER_CLASS(FActionForEachHomogeneous_c, FAction_c,
  ivar(&FActionForEachHomogeneous_c::targetCount, "targetCount"),
  ivar(&FActionForEachHomogeneous_c::objcTargets, "objcTargets"),
  phase(Phase::Creating),
  method<&FActionForEachHomogeneous_c::createEnd>(msg::createEnd),
  phase(Phase::Setting),
  method<&FActionForEachHomogeneous_c::setDefaultOrder>(msg::setDefaultOrder),
  method<&FActionForEachHomogeneous_c::getDefaultOrder>(msg::getDefaultOrder),
  phase(Phase::Using),
  method<&FActionForEachHomogeneous_c::_performAction_>(msg::_performAction_),
  method<&FActionForEachHomogeneous_c::describe>(msg::describe),
  method<&FActionForEachHomogeneous_c::drop>(msg::drop))
