// The labels of probe displays: class titles, the display's own title
// (a drag source that opens the complete display on button 3) and the
// variable names.
#pragma once

#include "voduva/Label.h"
#include "voduva/probe_widget_messages.h"

// The one probe display manager, made by the GUI tools' start-up.
extern id probeDisplayManager;

struct ClassDisplayLabel : Label {
  id createEnd();
};

struct CompleteProbeDisplayLabel : ClassDisplayLabel {
  id targetWidget;  // answers the drag callbacks
  id probedObject;

  id setTargetWidget(id widget);
  id setProbedObject(id object);
  id createEnd();
};

struct VarProbeLabel : Label {
  id createEnd();
};
