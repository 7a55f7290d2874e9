#include "voduva/Entry.h"

#include "defobj/phase.h"
#include "misc/debugabort.h"
#include "tclobjc/quote.h"
#include "voduva/voduva.h"

id Entry::createEnd() {
  InputWidget::createEnd();
  msg::eval(globalTkInterp, "entry %s; %s configure -width 10 -relief sunken;", widgetName, widgetName);
  msg::eval(globalTkInterp, "%s configure -textvariable %s;", widgetName, variableName);
  return this;
}

id Entry::setValue(const char* value) {
  msg::eval(globalTkInterp, "%s delete 0 end; %s insert 0 %s; %s xview 0", widgetName, widgetName, tclQuote(value).c_str(),
            widgetName);
  return this;
}

const char* Entry::getValue() {
  msg::eval(globalTkInterp, "%s get", widgetName);
  return msg::result(globalTkInterp);
}

// An entry is one line high; Tk has no height for it.
id Entry::setHeight(unsigned) { debugabort("Entry", __LINE__, "-[Entry setHeight:]"); }

REGISTER_CLASS(Entry, InputWidget,
  phase(Phase::Creating),
  method<&Entry::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&Entry::setValue>(msg::setValue),
  method<&Entry::getValue>(msg::getValue),
  method<&Entry::setHeight>(msg::setHeight))
