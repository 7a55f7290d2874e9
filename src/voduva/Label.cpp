#include "voduva/Label.h"

#include "defobj/phase.h"
#include "tclobjc/quote.h"
#include "voduva/voduva.h"

id Label::createEnd() {
  Widget::createEnd();
  msg::eval(globalTkInterp, "label %s", widgetName);
  return this;
}

id Label::setText(const char* text) {
  msg::eval(globalTkInterp, "%s configure -text %s", widgetName, tclQuote(text).c_str());
  return this;
}

REGISTER_CLASS(Label, Widget,
  phase(Phase::Creating),
  method<&Label::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&Label::setText>(msg::setText))
