#include "simtoolsgui/ActionHolder.h"

#include "defobj/fcall_messages.h"
#include "defobj/phase.h"

id ActionHolder::setType(id newType) {
  type = newType;
  return this;
}

// Names are the cache's own constant texts.
id ActionHolder::setActionName(const char* newName) {
  name = newName;
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
  method<&ActionHolder::getSelector>(msg::getSelector))
