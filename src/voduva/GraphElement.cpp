#include "voduva/GraphElement.h"

#include "defobj/phase.h"
#include "defobj/raise.h"
#include "defobj/zstrdup.h"
#include "tclobjc/quote.h"
#include "tclobjc/tclObjc.h"
#include "voduva/voduva.h"

template <class... A>
void GraphElement::configure(const char* format, A... args) {
  msg::eval(globalTkInterp, format, msg::getWidgetName(ownerGraph), name, args...);
}

id GraphElement::createOwnerGraph(Class cls, id graph) {
  id element = msg::createBegin(cls, msg::getZone(graph));
  msg::setOwnerGraph(element, graph);
  return msg::createEnd(element);
}

id GraphElement::setOwnerGraph(id graph) {
  ownerGraph = graph;
  return this;
}

id GraphElement::createEnd() {
  if (!ownerGraph) raiseAt(InvalidCombination, "-[GraphElement createEnd]", "This element has no owner graph!\n");
  name = zstrdup(getZone(), tclObjc_objectToName(this));
  Class vector = objc_get_class("BLTVector");
  xData = msg::create(vector, getZone());
  yData = msg::create(vector, getZone());
  char* xName = const_cast<char*>(msg::getName(xData));
  char* yName = const_cast<char*>(msg::getName(yData));
  // The active pen (or, with the older BLT, the active line width) is how
  // the closest-point binding highlights the line.
  if (msg::newBLTp(globalTkInterp)) {
    configure("%s pen create %s_line -symbol none -linewidth 3");
    configure("%s element create %s -xdata %s -ydata %s -symbol none -activepen %s_line", xName, yName, name);
  } else {
    configure("%s element create %s -xdata %s -ydata %s -symbol none -activelinewidth 3", xName, yName);
  }
  msg::free(_obj_scratchZone, xName);
  msg::free(_obj_scratchZone, yName);
  return CreateDrop::createEnd();
}

id GraphElement::setLabel(const char* label) {
  configure("%s element configure %s -label %s", tclQuote(label).c_str());
  return this;
}

id GraphElement::setColor(const char* color) {
  if (msg::newBLTp(globalTkInterp)) {
    configure("%s element configure %s -color %s", color);
    configure("%s pen configure %s_line -color %s -outline %s", color, color);
  } else {
    configure("%s element configure %s -color %s -activecolor %s", color, color);
  }
  return this;
}

id GraphElement::setWidth(unsigned width) {
  configure("%s element configure %s -linewidth %u", width);
  return this;
}

id GraphElement::setSymbol(const char* symbol) {
  configure("%s element configure %s -symbol %s", symbol);
  return this;
}

id GraphElement::setSymbolSize(unsigned size) {
  configure("%s element configure %s -pixels %u", size);
  return this;
}

id GraphElement::setDashes(int dashes) {
  configure("%s element configure %s -dashes %d", dashes);
  return this;
}

id GraphElement::addX_Y(double x, double y) {
  msg::append(xData, x);
  msg::append(yData, y);
  return this;
}

id GraphElement::resetData() {
  msg::resetData(xData);
  msg::resetData(yData);
  return this;
}

const char* GraphElement::getName() { return name; }
id GraphElement::getXData() { return xData; }
id GraphElement::getYData() { return yData; }

// A graph window destroyed from outside took the BLT element with it.
void GraphElement::drop() {
  if (!msg::getDestroyedFlag(ownerGraph)) configure("%s element delete %s");
  msg::drop(xData);
  msg::drop(yData);
  msg::free(getZone(), name);
  CreateDrop::drop();
}

REGISTER_CLASS(GraphElement, CreateDrop,
  ivar(&GraphElement::name, "name"),
  ivar(&GraphElement::ownerGraph, "ownerGraph"),
  ivar(&GraphElement::xData, "xData"),
  ivar(&GraphElement::yData, "yData"),
  phase(Phase::Creating),
  classMethod<&GraphElement::createOwnerGraph>(msg::createOwnerGraph),
  method<&GraphElement::setOwnerGraph>(msg::setOwnerGraph),
  method<&GraphElement::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&GraphElement::setLabel>(msg::setLabel),
  method<&GraphElement::setColor>(msg::setColor),
  method<&GraphElement::setWidth>(msg::setWidth),
  method<&GraphElement::setSymbol>(msg::setSymbol),
  method<&GraphElement::setSymbolSize>(msg::setSymbolSize),
  method<&GraphElement::setDashes>(msg::setDashes),
  method<&GraphElement::addX_Y>(msg::addX_Y),
  method<&GraphElement::resetData>(msg::resetData),
  method<&GraphElement::getName>(msg::getName),
  method<&GraphElement::getXData>(msg::getXData),
  method<&GraphElement::getYData>(msg::getYData),
  method<&GraphElement::drop>(msg::drop))
