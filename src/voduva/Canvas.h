// A canvas that holds other widgets, scrolled over a region as large as
// what it holds.
#pragma once

#include "voduva/ArchivedGeometryWidget.h"

struct Canvas : ArchivedGeometryWidget {
  id createEnd();
  id addWidget_X_Y_centerFlag(id widget, int x, int y, BOOL centerFlag);
  id removeWidget(id widget);
  id checkGeometry(id widget);
};
