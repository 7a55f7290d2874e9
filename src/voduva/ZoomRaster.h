// A raster addressed in logical cells, each drawn as a square of zoom
// pixels; the zoom follows the top-level window when the user resizes it.
#pragma once

#include "voduva/Raster.h"

struct ZoomRaster : Raster {
  unsigned zoomFactor;  // pixels per cell edge
  unsigned logicalWidth, logicalHeight;
  BOOL configureFlag;  // resizes change the zoom only once packed

  // Creating.
  id createEnd();

  // Using.
  unsigned getZoomFactor();
  id setZoomFactor(unsigned zoom);
  id increaseZoom();
  id decreaseZoom();
  unsigned getWidth();
  unsigned getHeight();
  id setWidth_Height(unsigned newWidth, unsigned newHeight);
  id pack();
  id handleConfigureWidth_Height(unsigned newWidth, unsigned newHeight);
  id handleExposeWidth_Height(unsigned newWidth, unsigned newHeight);
  id drawPointX_Y_Color(int x, int y, unsigned char color);
  id fillCenteredRectangleX0_Y0_X1_Y1_Color(int x0, int y0, int x1, int y1, unsigned char color);
  id fillRectangleX0_Y0_X1_Y1_Color(int x0, int y0, int x1, int y1, unsigned char color);
  id ellipseX0_Y0_X1_Y1_Width_Color(int x0, int y0, int x1, int y1, unsigned penWidth, unsigned char color);
  id lineX0_Y0_X1_Y1_Width_Color(int x0, int y0, int x1, int y1, unsigned penWidth, unsigned char color);
  id rectangleX0_Y0_X1_Y1_Width_Color(int x0, int y0, int x1, int y1, unsigned penWidth, unsigned char color);
  id draw_X_Y(id object, int x, int y);
  id handleButton_X_Y(int button, int x, int y);
  void drop();
};
