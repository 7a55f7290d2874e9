// A frame of buttons that send their selectors to a target.
#pragma once

#include "voduva/Frame.h"

struct ButtonPanel : Frame {
  id target;  // the buttons' default target

  id setButtonTarget(id newTarget);
  id addButtonName_target_method(const char* name, id buttonTarget, SEL method);
  id addButtonName_method(const char* name, SEL method);
};
