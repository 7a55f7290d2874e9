// A raster: a frame showing a picture that the simulation draws into an
// off-screen back store and copies to the window on request, in colours of
// an attached colour map.
#pragma once

#include <tk.h>

#include "voduva/ArchivedGeometryWidget.h"
#include "voduva/raster_messages.h"

// One back-store bitmap: an X pixmap of the raster's size and the colour
// table that colour indexes are looked up in. Several owners may register
// blocks of colours in one table; an owner's index is looked up at its
// block's offset.
struct RasterBitmap {
  Pixmap pixmap;
  unsigned width, height;
  unsigned blockCount;        // colour blocks in use
  unsigned colorCount;        // entries in all blocks
  unsigned long* colors;      // colorCount pixel values, in the raster's zone
  id blockOwners[256];
  unsigned blockOffsets[256];
};

// The back-store record of a raster.
struct RasterStore {
  GC gc;
  Tk_Window tkwin;
  RasterBitmap* oldBitmap;  // kept during a resize
  RasterBitmap* bitmap;
};

struct Raster : ArchivedGeometryWidget {
  id button1Client, button2Client, button3Client;
  SEL button1Sel, button2Sel, button3Sel;
  unsigned long* map;  // the colour map's pixel table
  id colormap;
  RasterStore* private_;
  int eraseColor;  // -1 until a colour map is attached
  unsigned width, height;

  static id createBegin(Class cls, id zone);

  // Creating.
  id createEnd();

  // Using.
  id setColormap(id newColormap);
  id getColormap();
  unsigned getWidth();
  unsigned getHeight();
  id setWidth(unsigned newWidth);
  id setHeight(unsigned newHeight);
  id setWidth_Height(unsigned newWidth, unsigned newHeight);
  id setButton_Client_Message(int button, id client, SEL sel);
  id handleButton_X_Y(int button, int x, int y);
  id drawPointX_Y_Color(int x, int y, unsigned char color);
  id fillRectangleX0_Y0_X1_Y1_Color(int x0, int y0, int x1, int y1, unsigned char color);
  id ellipseX0_Y0_X1_Y1_Width_Color(int x0, int y0, int x1, int y1, unsigned penWidth, unsigned char color);
  id lineX0_Y0_X1_Y1_Width_Color(int x0, int y0, int x1, int y1, unsigned penWidth, unsigned char color);
  id rectangleX0_Y0_X1_Y1_Width_Color(int x0, int y0, int x1, int y1, unsigned penWidth, unsigned char color);
  id draw_X_Y(id object, int x, int y);
  id erase();
  id drawSelf();
  void drop();
};

// The raster layer: the back store of a raster, drawn with Xlib through
// Tk's display. Coordinates are pixels; colours are colour indexes.
void voduva_raster_create(Raster* raster);
void voduva_raster_createContext(Raster* raster);
void voduva_raster_createPixmap(Raster* raster);
void voduva_raster_setColormap(Raster* raster);
void voduva_raster_erase(Raster* raster);
void voduva_raster_drawPoint(Raster* raster, int x, int y, unsigned char color);
void voduva_raster_fillRectangle(Raster* raster, int x, int y, int width, int height, unsigned char color);
void voduva_raster_ellipse(Raster* raster, int x, int y, int width, int height, unsigned penWidth,
                           unsigned char color);
void voduva_raster_line(Raster* raster, int x0, int y0, int x1, int y1, unsigned penWidth, unsigned char color);
void voduva_raster_rectangle(Raster* raster, int x, int y, int width, int height, unsigned penWidth,
                             unsigned char color);
// Copies the back store to the window.
void voduva_raster_flush(Raster* raster);
// Paints the parts of a width by height window that the picture does not
// cover with the window's background.
void voduva_raster_clear(Raster* raster, unsigned width, unsigned height);
// A resize: keep the old bitmap, copy its top-left width by height part
// into the new one, then free it.
void voduva_raster_savePixmap(Raster* raster);
void voduva_raster_copy(Raster* raster, unsigned width, unsigned height);
void voduva_raster_dropOldPixmap(Raster* raster);
// Frees the back store (the raster's drop).
void voduva_raster_drop(Raster* raster);
