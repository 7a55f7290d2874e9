// A frame: inside its parent, or, made without one, a top-level window
// whose geometry may be archived.
#pragma once

#include "voduva/ArchivedGeometryWidget.h"

struct Frame : ArchivedGeometryWidget {
  unsigned borderWidth;
  BOOL reliefFlag;

  // Creating.
  id setBorderWidth(unsigned width);
  id setReliefFlag(BOOL flag);
  id createEnd();

  // Using.
  id withdraw();
  id deiconify();
};
