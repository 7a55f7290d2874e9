// The per-step graph pump of a sequence: each step probes its feed and adds
// the point (current time, value) to its graph line.
#pragma once

#include "analysis/messages.h"
#include "objectbase/MessageProbe.h"

struct ActiveGraph : MessageProbe {
  double currentValue;
  id element;   // GraphElement
  id dataFeed;  // the probed object

  // Creating.
  id setElement(id anElement);
  id setDataFeed(id feed);
  id createEnd();

  // Using.
  id step();
  double getCurrentValue();
};
