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
