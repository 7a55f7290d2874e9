#include "voduva/ProbeCanvas.h"

#include "defobj/phase.h"
#include "voduva/voduva.h"

id ProbeCanvas::setHorizontalScrollbarFlag(BOOL flag) {
  horizontalScrollbarFlag = flag;
  return this;
}

id ProbeCanvas::createEnd() {
  Canvas::createEnd();
  const char *c = widgetName, *p = msg::getWidgetName(parent);
  if (!horizontalScrollbarFlag)
    msg::eval(globalTkInterp,
              "%s configure -width 10 -height 10 -yscrollcommand {%s.yscroll set} ;"
              "scrollbar %s.yscroll -orient vertical -command {%s yview} ;pack %s.yscroll -side right -fill y ;"
              "pack %s -side left -fill both -expand true",
              c, p, p, c, p, c);
  else
    msg::eval(globalTkInterp,
              "%s configure -xscrollcommand {%s.xscroll set} -yscrollcommand {%s.yscroll set};"
              "scrollbar %s.xscroll -orient horizontal -command {%s xview} ;"
              "scrollbar %s.yscroll -orient vertical -command {%s yview} ;pack %s.xscroll -side bottom -fill x ;"
              "pack %s.yscroll -side right -fill y ;pack %s -side left -fill both -expand true ;"
              "pack %s -side top -fill both -expand true",
              c, p, p, p, c, p, c, p, p, c, p);
  return this;
}

REGISTER_CLASS(ProbeCanvas, Canvas,
  ivar(&ProbeCanvas::horizontalScrollbarFlag, "horizontalScrollbarFlag"),
  phase(Phase::Creating),
  method<&ProbeCanvas::setHorizontalScrollbarFlag>(msg::setHorizontalScrollbarFlag),
  method<&ProbeCanvas::createEnd>(msg::createEnd))
