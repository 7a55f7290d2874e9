// Asks the objects on a lattice (or of a collection) to draw themselves on
// a raster, and opens a probe display on the object in a clicked cell.
#pragma once

#include "objectbase/BroodObject.h"
#include "space/gui/messages.h"

struct Object2dDisplay : BroodObject {
  id displayWidget;
  id discrete2d;
  SEL displayMessage;  // sent to each object with the widget
  id objectCollection;

  static id create_setDisplayWidget_setDiscrete2dToDisplay_setDisplayMessage(Class cls, id zone, id widget,
                                                                             id lattice, SEL message);
  // Creating.
  id setDisplayWidget(id widget);
  id setDiscrete2dToDisplay(id lattice);
  id setDisplayMessage(SEL message);
  id createEnd();

  // Using.
  id setObjectCollection(id collection);
  id display();
  id makeProbeAtX_Y(int x, int y);
};
