#include "voduva/ButtonPanel.h"

#include "defobj/phase.h"
#include "voduva/voduva.h"

id ButtonPanel::setButtonTarget(id newTarget) {
  target = newTarget;
  return this;
}

id ButtonPanel::addButtonName_target_method(const char* name, id buttonTarget, SEL method) {
  id button = msg::createParent(objc_get_class("Button"), this);
  msg::setText(button, name);
  msg::setButtonTarget_method(button, buttonTarget, method);
  msg::pack(button);
  return this;
}

id ButtonPanel::addButtonName_method(const char* name, SEL method) {
  return addButtonName_target_method(name, target, method);
}

REGISTER_CLASS(ButtonPanel, Frame,
  ivar(&ButtonPanel::target, "target"),
  method<&ButtonPanel::setButtonTarget>(msg::setButtonTarget),
  method<&ButtonPanel::addButtonName_target_method>(msg::addButtonName_target_method),
  method<&ButtonPanel::addButtonName_method>(msg::addButtonName_method))
