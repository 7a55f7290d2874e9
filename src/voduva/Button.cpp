#include "voduva/Button.h"

#include "defobj/phase.h"
#include "tclobjc/quote.h"
#include "voduva/voduva.h"

id Button::createEnd() {
  Widget::createEnd();
  msg::eval(globalTkInterp, "button %s", widgetName);
  return this;
}

id Button::setText(const char* text) {
  msg::eval(globalTkInterp, "%s configure -text %s", widgetName, tclQuote(text).c_str());
  return this;
}

// The click reaches the target through the object call protocol: its name
// as the command, the selector as the method word.
id Button::setButtonTarget_method(id target, SEL method) {
  msg::eval(globalTkInterp, "%s configure -command {%s %s}", widgetName, tclObjc_objectToName(target),
            sel_get_name(method));
  return this;
}

REGISTER_CLASS(Button, Widget,
  phase(Phase::Creating),
  method<&Button::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&Button::setText>(msg::setText),
  method<&Button::setButtonTarget_method>(msg::setButtonTarget_method))
