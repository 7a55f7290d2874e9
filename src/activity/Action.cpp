#include "activity/Action.h"

#include <cstring>

#include "activity/activity.h"
#include "defobj/FCall.h"
#include "defobj/address.h"
#include "defobj/module.h"
#include "defobj/phase.h"

namespace {

// The number of arguments a selector takes: one per colon of its name.
unsigned selectorArity(SEL sel) {
  unsigned n = 0;
  for (const char* c = sel_get_name(sel); *c; c++) n += *c == ':';
  return n;
}

}  // namespace

void dropCallAndArguments(id call) {
  id arguments = msg::getArguments(call);
  msg::drop(call);
  msg::drop(arguments);
}

// --- CAction ---

id CAction::createEnd() {
  autoDropFlag = YES;
  return CreateDrop_s::createEnd();
}

id CAction::getOwner() { return owner; }
void CAction::setAutoDrop(BOOL flag) { autoDropFlag = flag; }
BOOL CAction::getAutoDrop() { return autoDropFlag; }
void CAction::_performAction_(id) {}

// --- PAction ---

id PAction::createEnd() {
  CAction::createEnd();
  perform_imp = get_imp(static_cast<Class>(id_FCall_c), msg::performCall.sel);
  return this;
}

void PAction::dropCall() {
  if (call) dropCallAndArguments(call);
  call = nil;
}

void PAction::drop() {
  if (autoDropFlag) dropCall();
  Object_s::drop();
}

// --- PFAction ---

void PFAction::setArg1(id a) {
  arg1 = a;
  if (argCount < 1) argCount = 1;
}

void PFAction::setArg2(id a) {
  arg2 = a;
  if (argCount < 2) argCount = 2;
}

void PFAction::setArg3(id a) {
  arg3 = a;
  argCount = 3;
}

unsigned PFAction::getNArgs() { return argCount; }
id PFAction::getArg1() { return arg1; }
id PFAction::getArg2() { return arg2; }
id PFAction::getArg3() { return arg3; }

void PFAction::describe(id stream) { msg::catC(stream, "PFAction"); }

id PFAction::makeArguments(SEL sel) {
  id arguments = msg::createBegin(FArguments, zone());
  if (sel) {
    msg::setSelector(arguments, sel);
    static SEL isJavaProxy = sel_register_name("isJavaProxy");
    msg::setLanguage(arguments, msg::respondsTo(target, isJavaProxy) ? LanguageJava : LanguageObjc);
  } else {
    msg::setObjCReturnType(arguments, 'v');
  }
  const id args[] = {arg1, arg2, arg3};
  for (unsigned i = 0; i < argCount; i++) msg::addObject(arguments, args[i]);
  return msg::createEnd(arguments);
}

void PFAction::describeArguments(id stream, const char* first, const char* rest) {
  const id args[] = {arg1, arg2, arg3};
  char address[AddressTextSize];
  for (unsigned i = 0; i < argCount; i++) {
    msg::catC(stream, i ? rest : first);
    msg::catC(stream, formatAddress(address, args[i]));
  }
}

// --- ActionCall_c ---

void ActionCall_c::setFunctionPointer(func_t function) { funcPtr = function; }
func_t ActionCall_c::getFunctionPointer() { return funcPtr; }

id ActionCall_c::createEnd() {
  if (!funcPtr) raiseAt(InvalidArgument, "-[ActionCall_c createEnd]", "> function to be called not set\n");
  id arguments = makeArguments(nullptr);
  call = msg::createBegin(FCall, zone());
  msg::setFunctionPointer(call, funcPtr);
  msg::setArguments(call, arguments);
  call = msg::createEnd(call);
  return PAction::createEnd();
}

void ActionCall_c::_performAction_(id) { performCall(); }

void ActionCall_c::describe(id stream) {
  char address[AddressTextSize];
  describeText(stream, "(function at %s)(", formatAddress(address, reinterpret_cast<const void*>(funcPtr)));
  describeArguments(stream, "", ", ");
  msg::catC(stream, ")\n");
}

// --- ActionTo_c ---

void ActionTo_c::setTarget(id object) { target = protoTarget = object; }
id ActionTo_c::getTarget() { return target; }
SEL ActionTo_c::getMessageSelector() { return selector; }

id ActionTo_c::makeCall(id object) {
  return msg::create_target_selector_arguments(FCall, zone(), object, selector, makeArguments(selector));
}

// A message with fewer or more arguments than its selector takes would
// read arguments that were never passed.
void ActionTo_c::checkArity(const char* function, SEL sel) {
  if (sel && selectorArity(sel) == argCount) return;
  raiseAt(InvalidArgument, function, "> message selector %s takes %u arguments, but the action has %u\n",
          sel ? sel_get_name(sel) : "nil", sel ? selectorArity(sel) : 0, argCount);
}

// The arguments follow the selector while the action is being created.
void ActionTo_c::setMessageSelector(SEL sel) {
  if (perform_imp) checkArity("-[ActionTo_c setMessageSelector:]", sel);
  selector = sel;
  if (!call) return;
  dropCall();
  if (target) call = makeCall(target);
}

id ActionTo_c::createEnd() {
  checkArity("-[ActionTo_c createEnd]", selector);
  if (protoTarget) call = makeCall(protoTarget);
  return PAction::createEnd();
}

// Without a prepared call (no target at creation) the call is made for
// this performance only. A nil target answers nothing, as a message to nil.
void ActionTo_c::_performAction_(id) {
  if (!target) return;
  if (call) {
    // Inline, not through perform_imp: a for-each action performs once
    // for every member.
    updateTarget(call, target);
    static_cast<FCall_c*>(call)->performCall();
    return;
  }
  call = makeCall(target);
  performCall();
  dropCall();
}

void ActionTo_c::describeMessage(id stream) {
  describeText(stream, " %s", sel_get_name(selector));
  describeArguments(stream, " ", " ");
  msg::catC(stream, "]\n");
}

void ActionTo_c::describe(id stream) {
  char text[ObjectIDTextSize];
  msg::catC(stream, formatObjectID(text, this));
  msg::catC(stream, "[");
  msg::catC(stream, target ? formatObjectID(text, target) : "nil");
  describeMessage(stream);
}

// --- FAction_c ---

void FAction_c::setCall(id aCall) { call = aCall; }
void FAction_c::setTarget(id object) { target = object; }
id FAction_c::getTarget() { return target; }

// The call belongs to its creator unless setAutoDrop: YES hands it over.
id FAction_c::createEnd() {
  if (!call) raiseAt(InvalidArgument, "-[FAction_c createEnd]", "> FAction requires a call\n");
  PAction::createEnd();
  autoDropFlag = NO;
  return this;
}

void FAction_c::_performAction_(id) {
  if (target) updateTarget(call, target);
  performCall();
}

void FAction_c::describe(id stream) { msg::catC(stream, "FAction\n"); }

REGISTER_CLASS(CAction, CreateDrop_s,
  ivar(&CAction::owner, "owner"),
  ivar(&CAction::ownerActions, "ownerActions"),
  ivar(&CAction::bits, "bits"),
  ivar(&CAction::autoDropFlag, "autoDropFlag"),
  phase(Phase::Creating),
  method<&CAction::createEnd>(msg::createEnd),
  phase(Phase::Setting),
  method<&CAction::setAutoDrop>(msg::setAutoDrop),
  phase(Phase::Using),
  method<&CAction::getAutoDrop>(msg::getAutoDrop),
  method<&CAction::getOwner>(msg::getOwner),
  method<&CAction::_performAction_>(msg::_performAction_))

REGISTER_CLASS(PAction, CAction,
  ivar(&PAction::call, "call"),
  ivar(&PAction::perform_imp, "perform_imp"),
  ivar(&PAction::target, "target"),
  phase(Phase::Creating),
  method<&PAction::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&PAction::drop>(msg::drop))

REGISTER_CLASS(PFAction, PAction,
  ivar(&PFAction::argCount, "argCount"),
  ivar(&PFAction::arg1, "arg1"),
  ivar(&PFAction::arg2, "arg2"),
  ivar(&PFAction::arg3, "arg3"),
  phase(Phase::Setting),
  method<&PFAction::setArg1>(msg::setArg1),
  method<&PFAction::setArg2>(msg::setArg2),
  method<&PFAction::setArg3>(msg::setArg3),
  phase(Phase::Using),
  method<&PFAction::getNArgs>(msg::getNArgs),
  method<&PFAction::getArg1>(msg::getArg1),
  method<&PFAction::getArg2>(msg::getArg2),
  method<&PFAction::getArg3>(msg::getArg3),
  method<&PFAction::describe>(msg::describe))

REGISTER_CLASS(ActionCall_c, PFAction,
  ivar(&ActionCall_c::funcPtr, "funcPtr"),
  phase(Phase::Creating),
  method<&ActionCall_c::setFunctionPointer>(msg::setFunctionPointer),
  method<&ActionCall_c::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&ActionCall_c::getFunctionPointer>(msg::getFunctionPointer),
  method<&ActionCall_c::_performAction_>(msg::_performAction_),
  method<&ActionCall_c::describe>(msg::describe))

REGISTER_CLASS(ActionTo_c, PFAction,
  ivar(&ActionTo_c::selector, "selector"),
  ivar(&ActionTo_c::protoTarget, "protoTarget"),
  phase(Phase::Creating),
  method<&ActionTo_c::createEnd>(msg::createEnd),
  phase(Phase::Setting),
  method<&ActionTo_c::setTarget>(msg::setTarget),
  method<&ActionTo_c::setMessageSelector>(msg::setMessageSelector),
  phase(Phase::Using),
  method<&ActionTo_c::getTarget>(msg::getTarget),
  method<&ActionTo_c::getMessageSelector>(msg::getMessageSelector),
  method<&ActionTo_c::_performAction_>(msg::_performAction_),
  method<&ActionTo_c::describe>(msg::describe))

REGISTER_CLASS(FAction_c, PAction,
  phase(Phase::Creating),
  method<&FAction_c::createEnd>(msg::createEnd),
  phase(Phase::Setting),
  method<&FAction_c::setCall>(msg::setCall),
  method<&FAction_c::setTarget>(msg::setTarget),
  phase(Phase::Using),
  method<&FAction_c::getTarget>(msg::getTarget),
  method<&FAction_c::_performAction_>(msg::_performAction_),
  method<&FAction_c::describe>(msg::describe))
