// The probe display of one probe map: a title row, a row per variable and
// a row per method.
#pragma once

#include "simtoolsgui/CommonProbeDisplay.h"

struct SimpleProbeDisplay : SingleProbeDisplay {
  id probeMap;
  id top_top_Frame, raisedFrame, leftFrame, rightFrame, middleFrame, bottomFrame;
  id title;  // CompleteProbeDisplayLabel
  id hideB;  // SimpleProbeDisplayHideButton
  unsigned count;
  id* widgets;  // count rows, in the display's zone
  id emptyLabel;  // says so when the map has no probes

  id setProbeMap(id map);
  id createEnd();
  id getProbeMap();
  id update();
  void drop();
};
