// The scrolled canvas that holds a probe display's content; its scroll
// bars are its parent's children.
#pragma once

#include "voduva/Canvas.h"
#include "voduva/probe_widget_messages.h"

struct ProbeCanvas : Canvas {
  BOOL horizontalScrollbarFlag;

  id setHorizontalScrollbarFlag(BOOL flag);
  id createEnd();
};
