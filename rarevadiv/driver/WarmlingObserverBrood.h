// The top-level brood of an interactive run: creates the model, opens
// probe displays on it and on itself, waits for the user before the model
// builds its objects, then shows the heat with the warmlings on a zoomed
// raster and a live graph of their average unhappiness.
#pragma once

#include "simtoolsgui/GUIBrood.h"

struct WarmlingObserverBrood : GUIBrood {
  int displayFrequency;  // display every that many time steps
  id displayActions;
  id displaySchedule;
  id warmlingModelBrood;
  id colormap;
  id worldRaster;
  id unhappyGraph;
  id heatDisplay;
  id warmlingDisplay;
  id closedWindows;  // objects whose windows were closed, dropped at the next display tick

  static id createBegin(Class cls, id zone);
  id createEnd();

  id buildObjects();
  id buildActions();
  id activateIn(id context);
  id _update_();
  id graphBug(id warmling);
  id _worldRasterDeath_(id widget);
  id _unhappyGraphDeath_(id widget);
};
