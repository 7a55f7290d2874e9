// A push button; a click sends a selector to a target through Tcl.
#pragma once

#include "voduva/Widget.h"

struct Button : Widget {
  id createEnd();
  id setText(const char* text);
  id setButtonTarget_method(id target, SEL method);
};
