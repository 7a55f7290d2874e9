#include "voduva/Canvas.h"

#include "defobj/phase.h"
#include "voduva/voduva.h"

id Canvas::createEnd() {
  ArchivedGeometryWidget::createEnd();
  msg::eval(globalTkInterp, "canvas %s", widgetName);
  return msg::updateSize(this);
}

id Canvas::addWidget_X_Y_centerFlag(id widget, int x, int y, BOOL centerFlag) {
  msg::eval(globalTkInterp, "%s create window %d %d -anchor %s -window %s", widgetName, x, y,
            centerFlag ? "w" : "nw", msg::getWidgetName(widget));
  return this;
}

id Canvas::removeWidget(id widget) {
  msg::eval(globalTkInterp, "%s delete %s", widgetName, msg::getWidgetName(widget));
  return this;
}

// The scroll region covers the whole widget; the visible part is capped.
// Waiting for the widget to become visible would never end for one that is
// visible already or never will be (withdrawn); so nothing waits for an
// event. Pending geometry work is done first (idle tasks only); a widget on
// screen then gives its size, one that is not its requested size, which is
// the size a canvas window item gives it.
id Canvas::checkGeometry(id widget) {
  const char* w = msg::getWidgetName(widget);
  msg::eval(globalTkInterp,
            "update idletasks ;if {[winfo viewable %s]} {set width [winfo width %s] ;set height [winfo height %s]} "
            "else {set width [winfo reqwidth %s] ;set height [winfo reqheight %s]} ;"
            "%s configure -scrollregion [list 0 0 $width $height] ;if {$height > 500} {set height 500} ;"
            "if {$width > 809} {set width 809} ;%s configure -width $width -height $height",
            w, w, w, w, w, widgetName, widgetName);
  return this;
}

REGISTER_CLASS(Canvas, ArchivedGeometryWidget,
  phase(Phase::Creating),
  method<&Canvas::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&Canvas::addWidget_X_Y_centerFlag>(msg::addWidget_X_Y_centerFlag),
  method<&Canvas::removeWidget>(msg::removeWidget),
  method<&Canvas::checkGeometry>(msg::checkGeometry))
