// The batch driver: reads its parameters and the model brood from the
// application archive, logs the average unhappiness to a file and stops
// the run after a fixed number of time steps.
#pragma once

#include "objectbase/Brood.h"

struct WarmlingBatchBrood : Brood {
  int loggingFrequency;  // 0 turns logging off
  int experimentDuration;
  id displayActions;
  id displaySchedule;
  id stopSchedule;
  id warmlingModelBrood;
  id unhappyGraph;

  static id createBegin(Class cls, id zone);
  id buildObjects();
  id buildActions();
  id activateIn(id context);
  id go();
  id stopRunning();
};

// The brood kept under the key of the application archive, made in the
// zone. A missing entry, or one of another class than the one named (a
// batch brood under "modelBrood" would read itself again and again), ends
// the process with a report from the function.
id archivedBrood(id zone, const char* key, const char* className, const char* function);
