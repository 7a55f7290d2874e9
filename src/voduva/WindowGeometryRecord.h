// The archived size and position of a top-level window. Either part may be
// absent: the flags say which the record holds.
#pragma once

#include "defobj/CreateDrop.h"
#include "voduva/widget_messages.h"

struct WindowGeometryRecord : CreateDrop {
  BOOL positionFlag;
  BOOL sizeFlag;
  unsigned width;
  unsigned height;
  int x;
  int y;

  // Creating.
  id setX_Y(int newX, int newY);
  id setWidth_Height(unsigned newWidth, unsigned newHeight);

  // Using.
  BOOL getPositionFlag();
  BOOL getSizeFlag();
  unsigned getWidth();
  unsigned getHeight();
  int getX();
  int getY();
  id lispIn(id expr);
  void lispOutShallow(id stream);
  void lispOutDeep(id stream);
};
