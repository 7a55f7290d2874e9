#include "voduva/Graph.h"

#include "collections/collections.h"
#include "defobj/phase.h"
#include "tclobjc/quote.h"
#include "voduva/voduva.h"

id Graph::createEnd() {
  ArchivedGeometryWidget::createEnd();
  msg::eval(globalTkInterp, "graph %s;", widgetName);
  msg::setWidth_Height(this, 400, 247);
  msg::eval(globalTkInterp, "Blt_ZoomStack %s; Blt_Crosshairs %s; Blt_ActiveLegend %s; Blt_ClosestPoint %s",
            widgetName, widgetName, widgetName, widgetName);
  msg::updateSize(this);
  elementList = msg::create(List, getZone());
  return this;
}

id Graph::setTitle(const char* title) {
  msg::eval(globalTkInterp, "%s configure -title %s;", widgetName, tclQuote(title).c_str());
  msg::setWindowTitle(this, title);
  return this;
}

id Graph::setAxisLabelsX_Y(const char* xLabel, const char* yLabel) {
  msg::eval(globalTkInterp, "%s xaxis configure -title %s; %s yaxis configure -title %s;", widgetName,
            tclQuote(xLabel).c_str(), widgetName, tclQuote(yLabel).c_str());
  return this;
}

id Graph::setRangesXMin_Max(double min, double max) {
  msg::eval(globalTkInterp, "%s xaxis configure -min %f -max %f", widgetName, min, max);
  return this;
}

id Graph::setRangesYMin_Max(double min, double max) {
  msg::eval(globalTkInterp, "%s yaxis configure -min %f -max %f", widgetName, min, max);
  return this;
}

id Graph::setRangesXMin_Max_YMin_Max(double xMin, double xMax, double yMin, double yMax) {
  msg::setRangesXMin_Max(this, xMin, xMax);
  return msg::setRangesYMin_Max(this, yMin, yMax);
}

id Graph::setScaleModeX_Y(BOOL xLoose, BOOL yLoose) {
  msg::eval(globalTkInterp, "%s xaxis configure -loose %d; %s yaxis configure -loose %d", widgetName, xLoose,
            widgetName, yLoose);
  return this;
}

id Graph::createElement() {
  id element = msg::createOwnerGraph(objc_get_class("GraphElement"), this);
  msg::addLast(elementList, element);
  return element;
}

id Graph::destroyElement(id element) {
  msg::remove(elementList, element);
  msg::drop(element);
  return this;
}

// The elements go first, each deleting its BLT element while the graph
// window still stands.
void Graph::drop() {
  while (msg::getCount(elementList)) msg::destroyElement(this, msg::getFirst(elementList));
  msg::drop(elementList);
  ArchivedGeometryWidget::drop();
}

REGISTER_CLASS(Graph, ArchivedGeometryWidget,
  ivar(&Graph::elementList, "elementList"),
  phase(Phase::Creating),
  method<&Graph::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&Graph::setTitle>(msg::setTitle),
  method<&Graph::setAxisLabelsX_Y>(msg::setAxisLabelsX_Y),
  method<&Graph::setRangesXMin_Max>(msg::setRangesXMin_Max),
  method<&Graph::setRangesYMin_Max>(msg::setRangesYMin_Max),
  method<&Graph::setRangesXMin_Max_YMin_Max>(msg::setRangesXMin_Max_YMin_Max),
  method<&Graph::setScaleModeX_Y>(msg::setScaleModeX_Y),
  method<&Graph::createElement>(msg::createElement),
  method<&Graph::destroyElement>(msg::destroyElement),
  method<&Graph::drop>(msg::drop))
