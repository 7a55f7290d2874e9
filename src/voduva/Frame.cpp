#include "voduva/Frame.h"

#include "defobj/phase.h"
#include "voduva/voduva.h"

id Frame::setBorderWidth(unsigned width) {
  borderWidth = width;
  return this;
}

id Frame::setReliefFlag(BOOL flag) {
  reliefFlag = flag;
  return this;
}

// A frame without a parent is a top level of its own: it is where
// Widget's createEnd gets the shell of a parentless widget.
id Frame::createEnd() {
  if (parent) {
    ArchivedGeometryWidget::createEnd();
    msg::eval(globalTkInterp, "frame %s", widgetName);
  } else {
    setWidgetNameFromParentName(".");
    CreateDrop::createEnd();
    msg::eval(globalTkInterp, "toplevel %s; wm minsize %s 1 1", widgetName, widgetName);
    msg::registerAndLoad(this);
  }
  if (reliefFlag) msg::eval(globalTkInterp, "%s configure -relief ridge -borderwidth 3", widgetName);
  if (borderWidth) msg::eval(globalTkInterp, "%s configure -bd %d", widgetName, static_cast<int>(borderWidth));
  return this;
}

id Frame::withdraw() {
  msg::eval(globalTkInterp, "wm withdraw %s", widgetName);
  return this;
}

id Frame::deiconify() {
  msg::eval(globalTkInterp, "wm deiconify %s", widgetName);
  return this;
}

REGISTER_CLASS(Frame, ArchivedGeometryWidget,
  ivar(&Frame::borderWidth, "borderWidth"),
  ivar(&Frame::reliefFlag, "reliefFlag"),
  phase(Phase::Creating),
  method<&Frame::setBorderWidth>(msg::setBorderWidth),
  method<&Frame::setReliefFlag>(msg::setReliefFlag),
  method<&Frame::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&Frame::withdraw>(msg::withdraw),
  method<&Frame::deiconify>(msg::deiconify))
