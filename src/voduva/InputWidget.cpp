#include "voduva/InputWidget.h"

#include <cstdio>
#include <cstring>

#include "defobj/phase.h"
#include "tclobjc/tclObjc.h"
#include "voduva/voduva.h"

namespace {

id relink(InputWidget* widget, void* address, int type) {
  voduva_unlinkVar(widget->variableName);
  voduva_linkVar(widget->variableName, address, type);
  return widget;
}

}  // namespace

// The variable is named before the Tk widget that shows it is made.
id InputWidget::createEnd() {
  const char* name = tclObjc_objectToName(this);
  const size_t size = std::strlen(name) + sizeof "-var";
  variableName = static_cast<char*>(msg::alloc(getZone(), size));
  std::snprintf(variableName, size, "%s-var", name);
  return Widget::createEnd();
}

id InputWidget::linkVariableInt(int* address) { return relink(this, address, TCL_LINK_INT); }
id InputWidget::linkVariableDouble(double* address) { return relink(this, address, TCL_LINK_DOUBLE); }
id InputWidget::linkVariableBoolean(int* address) { return relink(this, address, TCL_LINK_BOOLEAN); }

const char* InputWidget::getValue() {
  subclassResponsibility(selectorOf(msg::getValue));
  return nullptr;
}

id InputWidget::setValue(const char*) {
  subclassResponsibility(selectorOf(msg::setValue));
  return this;
}

// A link would outlive the widget and let Tcl write to memory the program
// may since have released.
void InputWidget::drop() {
  if (variableName) {
    voduva_unlinkVar(variableName);
    msg::free(getZone(), variableName);
  }
  Widget::drop();
}

REGISTER_CLASS(InputWidget, Widget,
  ivar(&InputWidget::variableName, "variableName"),
  phase(Phase::Creating),
  method<&InputWidget::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&InputWidget::linkVariableInt>(msg::linkVariableInt),
  method<&InputWidget::linkVariableDouble>(msg::linkVariableDouble),
  method<&InputWidget::linkVariableBoolean>(msg::linkVariableBoolean),
  method<&InputWidget::getValue>(msg::getValue),
  method<&InputWidget::setValue>(msg::setValue),
  method<&InputWidget::drop>(msg::drop))
