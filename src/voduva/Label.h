// A line of text.
#pragma once

#include "voduva/Widget.h"

struct Label : Widget {
  id createEnd();
  id setText(const char* text);
};
