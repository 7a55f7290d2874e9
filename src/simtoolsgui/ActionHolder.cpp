#include "simtoolsgui/ActionHolder.h"

#include "defobj/fcall_messages.h"
#include "defobj/phase.h"
#include "defobj/zstrdup.h"

id ActionHolder::setType(id newType) {
  type = newType;
  return this;
}

// A request may come from Tcl, whose argument text lasts only for the call.
id ActionHolder::setActionName(const char* newName) {
  zreplace(getZone(), name, newName);
  return this;
}

id ActionHolder::setActionTarget(id newTarget) {
  target = newTarget;
  return this;
}

void ActionHolder::setSelector(SEL newSelector) { selector = newSelector; }
id ActionHolder::getType() { return type; }
const char* ActionHolder::getActionName() { return name; }
id ActionHolder::getActionTarget() { return target; }
SEL ActionHolder::getSelector() { return selector; }

void ActionHolder::drop() {
  setActionName(nullptr);
  BroodObject::drop();
}

REGISTER_CLASS(ActionHolder, BroodObject,
  ivar(&ActionHolder::type, "type"),
  ivar(&ActionHolder::name, "name"),
  ivar(&ActionHolder::target, "target"),
  ivar(&ActionHolder::selector, "selector"),
  phase(Phase::Setting),
  method<&ActionHolder::setType>(msg::setType),
  method<&ActionHolder::setActionName>(msg::setActionName),
  method<&ActionHolder::setActionTarget>(msg::setActionTarget),
  method<&ActionHolder::setSelector>(msg::setSelector),
  method<&ActionHolder::getType>(msg::getType),
  method<&ActionHolder::getActionName>(msg::getActionName),
  method<&ActionHolder::getActionTarget>(msg::getActionTarget),
  method<&ActionHolder::getSelector>(msg::getSelector),
  method<&ActionHolder::drop>(msg::drop))
