// The queue between the run-control window and the run: each button press
// becomes a queued request, delivered to the control panel once per time
// step by an action of the cache's own schedule, or at once for Stop,
// Save and Quit.
#pragma once

#include "simtoolsgui/GUIComposite.h"

// Request types, and the errors of unknown requests; made by the first
// cache and shared by all.
extern id Control, Probing, Spatial;
extern id InvalidActionType, ActionTypeNotImplemented;

struct ActionCache : GUIComposite {
  id actionCache;          // List of queued ActionHolders, oldest first
  id destinationSchedule;  // the delivery actions (auto-drop)
  id ctrlPanel;
  id panel;                // the window's ButtonPanel
  BOOL stopPending;        // a Stop waits for the next time

  // Creating.
  id setControlPanel(id controlPanel);
  id createEnd();

  // Using.
  id createProcCtrl();
  id setScheduleContext(id context);
  id insertAction(id holder);
  id deliverActions();
  id _deliverActions_();
  id _deliverStop_();
  id sendActionOfType_toExecute(id type, const char* name);
  template <const char* Name>
  id sendAction() {
    return sendActionOfType_toExecute(Control, Name);
  }
  id verifyActions();
  id getPanel();
  id doTkEvents();
  id waitForControlEvent();
  void drop();
};
