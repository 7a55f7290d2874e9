#include "voduva/ClassDisplayHideButton.h"

#include "defobj/phase.h"
#include "voduva/voduva.h"

namespace {

// Marks the display: it hides at once and is freed when no callback of it
// is running.
void commandMarkForDrop(id button, id display) {
  msg::eval(globalTkInterp, "%s configure -command {%s markForDrop}", msg::getWidgetName(button),
            tclObjc_objectToName(display));
  voduva_configureSpecialBitmap(button);
}

}  // namespace

id SimpleProbeDisplayHideButton::setProbeDisplay(id display) {
  probeDisplay = display;
  return this;
}

id SimpleProbeDisplayHideButton::createEnd() {
  Button::createEnd();
  commandMarkForDrop(this, probeDisplay);
  msg::eval(globalTkInterp, "pack %s -side right -fill both -expand 0", widgetName);
  return this;
}

id ClassDisplayHideButton::setOwner(id display) {
  owner = display;
  return this;
}

id ClassDisplayHideButton::setUser(id widget) {
  user = widget;
  return this;
}

id ClassDisplayHideButton::setSubWidget(id widget) {
  subWidget = widget;
  return this;
}

id ClassDisplayHideButton::createEnd() {
  Button::createEnd();
  if (!subWidget) {
    commandMarkForDrop(this, owner);
    return this;
  }
  char subName[ObjectNameTextSize], ownerName[ObjectNameTextSize];
  msg::eval(globalTkInterp, "%s configure -command {pack forget %s; %s armSuperButton; %s do_resize}", widgetName,
            msg::getWidgetName(user), tclObjc_objectToNameIn(subName, subWidget),
            tclObjc_objectToNameIn(ownerName, owner));
  msg::eval(globalTkInterp, "%s configure -bitmap hide -activeforeground red -foreground red", widgetName);
  return this;
}

id SuperButton::setOwner(id display) {
  owner = display;
  return this;
}

id SuperButton::setUser(id widget) {
  user = widget;
  return this;
}

id SuperButton::setSuperWidget(id widget) {
  superWidget = widget;
  return this;
}

id SuperButton::createEnd() {
  Button::createEnd();
  msg::eval(globalTkInterp, "%s configure -bitmap super -activeforeground forestgreen -foreground forestgreen",
            widgetName);
  if (superWidget) {
    msg::eval(globalTkInterp,
              "%s configure -command { pack %s -before %s -fill both -expand 1; %s configure -state disabled; "
              "%s do_resize}",
              widgetName, msg::getWidgetName(superWidget), msg::getWidgetName(user), widgetName,
              tclObjc_objectToName(owner));
  } else {
    msg::eval(globalTkInterp, "%s configure -command { bell }", widgetName);
    setActiveFlag(NO);
  }
  return this;
}

REGISTER_CLASS(SimpleProbeDisplayHideButton, Button,
  ivar(&SimpleProbeDisplayHideButton::probeDisplay, "probeDisplay"),
  phase(Phase::Creating),
  method<&SimpleProbeDisplayHideButton::setProbeDisplay>(msg::setProbeDisplay),
  method<&SimpleProbeDisplayHideButton::createEnd>(msg::createEnd))

REGISTER_CLASS(ClassDisplayHideButton, Button,
  ivar(&ClassDisplayHideButton::owner, "owner"),
  ivar(&ClassDisplayHideButton::user, "user"),
  ivar(&ClassDisplayHideButton::subWidget, "subWidget"),
  phase(Phase::Creating),
  method<&ClassDisplayHideButton::setOwner>(msg::setOwner),
  method<&ClassDisplayHideButton::setUser>(msg::setUser),
  method<&ClassDisplayHideButton::setSubWidget>(msg::setSubWidget),
  method<&ClassDisplayHideButton::createEnd>(msg::createEnd))

REGISTER_CLASS(SuperButton, Button,
  ivar(&SuperButton::owner, "owner"),
  ivar(&SuperButton::user, "user"),
  ivar(&SuperButton::superWidget, "superWidget"),
  phase(Phase::Creating),
  method<&SuperButton::setOwner>(msg::setOwner),
  method<&SuperButton::setUser>(msg::setUser),
  method<&SuperButton::setSuperWidget>(msg::setSuperWidget),
  method<&SuperButton::createEnd>(msg::createEnd))
