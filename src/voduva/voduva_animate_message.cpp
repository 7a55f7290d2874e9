// A message bitmap that flies from one widget to another.
#include <unistd.h>

#include "misc/debugabort.h"
#include "voduva/voduva.h"

namespace {

constexpr int steps = 20;
constexpr useconds_t stepPause = 10000;  // between steps
constexpr const char* window = ".animatedMessage";

void evalOrAbort(const char* format, int x = 0, int y = 0) {
  msg::eval(globalTkInterp, format, window, x, y);
  if (msg::code(globalTkInterp) != TCL_OK) debugabort("internal", __LINE__, "voduva_animate_message");
}

void rootPosition(id widget, int& x, int& y) {
  Tk_Window tkwin = voduva_nameToWindow(msg::getWidgetName(widget));
  if (!tkwin) debugabort("internal", __LINE__, "voduva_animate_message");
  Tk_GetRootCoords(tkwin, &x, &y);
}

}  // namespace

void voduva_animate_message(id from, id to) {
  int x0, y0, x1, y1;
  rootPosition(from, x0, y0);
  rootPosition(to, x1, y1);
  evalOrAbort("toplevel %1$s -class AnimatedMessage; wm overrideredirect %1$s 1; wm title %1$s {Message Window};"
              " pack [label %1$s.bitmap -bitmap info]; wm geometry %1$s +%2$d+%3$d; update idletasks",
              x0, y0);
  for (int i = 1; i <= steps; i++) {
    evalOrAbort("wm geometry %s +%d+%d", x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
    while (voduva_doOneEventAsync()) {}
    usleep(stepPause);
  }
  evalOrAbort("destroy %s");
}
