// Window snapshots: a top-level window captured as an RGB image and written
// as a PNG file.
#pragma once

#include "runtime/objc.h"

// A captured image, 3 bytes (red, green, blue) per pixel, row after row;
// the record and its pixels live in the zone it was made in.
struct PixmapImage {
  id zone;
  unsigned width, height;
  unsigned char* rgb;
};

// A black image of the size.
PixmapImage* voduva_pixmap_create(id zone, unsigned width, unsigned height);
// Captures the top-level window of a widget, with the window manager's
// frame when decorationsFlag is set; the window is deiconified and moved
// inside the screen first.
PixmapImage* voduva_pixmap_create_from_widget(id zone, id widget, BOOL decorationsFlag);
// Writes the image as a PNG file: with a palette when it has at most 256
// colours, and marked as sRGB.
void voduva_pixmap_save(PixmapImage* pixmap, const char* filename);
void voduva_pixmap_drop(PixmapImage* pixmap);
