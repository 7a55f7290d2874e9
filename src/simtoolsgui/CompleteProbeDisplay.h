// The probe display of every class of an object's class chain, a section
// each; only the object's own class shows at first.
#pragma once

#include "simtoolsgui/CommonProbeDisplay.h"

struct CompleteProbeDisplay : SingleProbeDisplay {
  id widgets;  // List of the class sections, root class first

  id createEnd();
  id update();
  int getStepHeight();
  id do_resize();
  void drop();
};
