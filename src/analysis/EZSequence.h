// One series of a graph facade: each step reads its feed through its pumps
// and sends the value to a graph line and to a file. An average sequence
// updates its averager first, so the pumps read that step's statistics.
#pragma once

#include "analysis/messages.h"
#include "objectbase/BroodObject.h"

struct EZSequence : BroodObject {
  id activeOutFile;  // ActiveOutFile, or nil
  id activeGrapher;  // ActiveGraph, or nil

  id setActiveOutFile(id pump);
  id setActiveGrapher(id pump);
  id setUnsignedArg(unsigned value);
  id step();
  id update();
  id outputGraph();
  id outputToFile();
  double getCurrentValue();
  void drop();
};

struct EZAverageSequence : EZSequence {
  id averager;

  id setAverager(id anAverager);
  id getAverager();
  id setUnsignedArg(unsigned value);
  id step();
  id update();
  void drop();
};
