// The brood of an interactive run: its control panel runs the top-level
// activity, and its action cache turns the run-control window's buttons
// into requests.
#pragma once

#include "objectbase/Brood.h"
#include "simtoolsgui/messages.h"

struct GUIBrood : Brood {
  id controlPanel;
  id actionCache;
  char* baseWindowGeometryRecordName;  // in the brood's zone, or null
  BOOL saveSizeFlag;

  // Creating.
  id setWindowGeometryRecordName(const char* name);
  id setSaveSizeFlag(BOOL flag);

  // Using.
  id buildObjects();
  id activateIn(id context);
  id go();
  id getControlPanel();
  id getActionCache();
  id setWindowGeometryRecordNameForComponent_widget(const char* name, id widget);
  void drop();
};
