// Paints a lattice of integers on a raster: each cell's value, divided by
// a factor and shifted by a constant, is the colour index of its point.
#pragma once

#include "objectbase/BroodObject.h"
#include "space/gui/messages.h"

struct Value2dDisplay : BroodObject {
  id displayWidget;
  IMP drawPointImp;  // the widget's drawPointX:Y:Color:, looked up once
  id colormap;
  id discrete2d;
  int numCaStates;
  int modFactor;
  int colorConstant;

  static id createBegin(Class cls, id zone);
  static id create_setDisplayWidget_colormap_setDiscrete2dToDisplay(Class cls, id zone, id widget, id colormap,
                                                                    id lattice);
  // Creating.
  id setDisplayWidget_colormap(id widget, id newColormap);
  id setDiscrete2dToDisplay(id lattice);
  id createEnd();

  // Using.
  id setDisplayMappingM_C(int factor, int constant);
  id display();
};
