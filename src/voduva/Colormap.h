// A colour map: colour indexes 0 to 255 turned into the display's pixel
// values, allocated in the default colour map of the main window's screen.
#pragma once

#include <tk.h>

#include "defobj/CreateDrop.h"
#include "voduva/raster_messages.h"

// Xlib names its colour-map handle Colormap at global scope, so the class
// lives in a namespace of its own; the runtime knows it as "Colormap".
namespace voduva {

struct Colormap : CreateDrop {
  unsigned long white, black;
  unsigned long map[256];  // pixel value per index; white where unset
  unsigned char isSet[256];
  ::Colormap cmap;  // the display's colour map
  Tk_Window tkwin;  // the main window, whose screen gives both

  // Creating.
  id createEnd();

  // Using.
  unsigned long* getMap();
  unsigned long getWhite();
  unsigned long getBlack();
  BOOL colorIsSet(unsigned char index);
  id unsetColor(unsigned char index);
  unsigned long pixelValue(unsigned char index);
  BOOL setColor_ToName(unsigned char index, const char* name);
  BOOL setColor_ToRed_Green_Blue(unsigned char index, double red, double green, double blue);
  BOOL setColor_ToGrey(unsigned char index, double grey);
  unsigned char nextFreeColor();
};

// Parses and allocates the named colour in the colour map's display colour
// map; on failure warns and puts white in *pixel. Answers whether the colour
// was allocated.
BOOL voduva_setColor(Colormap* colormap, const char* name, unsigned long* pixel);

}  // namespace voduva
