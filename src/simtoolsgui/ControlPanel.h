// The run's control state and the control loop of an interactive run: the
// loop runs, steps or stops the top-level activity as the state asks, and
// while stopped waits in the Tk event loop for a request.
#pragma once

#include "objectbase/BroodObject.h"
#include "simtoolsgui/messages.h"

struct ControlPanel : BroodObject {
  id state;      // one of the control-state symbols
  BOOL waiting;  // a wait in the Tk event loop is under way

  id createEnd();

  id getState();
  id setState(id newState);
  id startInActivity(id activity);
  id setStateRunning();
  id setStateStopped();
  id setStateStepping();
  id setStateNextTime();
  id setStateQuit();
  id setStateSave();
};
