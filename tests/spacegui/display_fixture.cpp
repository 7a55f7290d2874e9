#include "display_fixture.h"

#include <X11/Xutil.h>

#include <algorithm>

#include "defobj/Arguments.h"
#include "defobj/Zone.h"
#include "defobj/module.h"
#include "simtoolsgui/simtoolsgui.h"

id Dot::drawOn(id r) {
  msg::drawPointX_Y_Color(r, x, y, color);
  return this;
}

REGISTER_CLASS(Dot, CreateDrop, method<&Dot::drawOn>(msg::t_drawOn))

void register_display_specimens() { objc_register_Dot(); }

void DisplayTest::SetUpTestSuite() {
  if (globalTkInterp) return;
  const char* argv[] = {"spaceguitest"};
  arguments = msg::createArgc_Argv_appName_version_bugAddress_options_optionFunc_inhibitExecutableSearchFlag(
      objc_get_class("Arguments_c"), 1, argv, "spaceguitest", "1.0", "nobody", nullptr, nullptr, YES);
  initSimtoolsGUI();
}

void DisplayTest::SetUp() {
  colormap = msg::create(objc_get_class("Colormap"), _obj_globalZone);
  // Every index its own grey, so each pixel tells its index; the raster
  // keeps the highest free index for erasing and takes the ones below the
  // next free one after it.
  for (unsigned i = 0; i < 254; i++) msg::setColor_ToGrey(colormap, static_cast<unsigned char>(i), i / 255.0);
  raster = msg::createBegin(objc_get_class("ZoomRaster"), _obj_globalZone);
  raster = msg::createEnd(raster);
  msg::setColormap(raster, colormap);
  msg::setZoomFactor(raster, zoom);
  msg::setWidth_Height(raster, 4, 3);
  msg::pack(raster);
  msg::erase(raster);
  lattice = msg::create_setSizeX_Y(objc_get_class("Discrete2d"), _obj_globalZone, 4, 3);
}

void DisplayTest::TearDown() {
  msg::drop(raster);
  msg::drop(colormap);
  msg::drop(lattice);
  while (voduva_doOneEventAsync()) {}
}

Dot* DisplayTest::dot(int x, int y, unsigned char color) {
  auto* d = static_cast<Dot*>(msg::create(objc_get_class("Dot"), _obj_globalZone));
  d->x = x;
  d->y = y;
  d->color = color;
  return d;
}

// A zoomed cell is centred on its point: it starts half a cell up and left,
// clipped at the raster's edge.
int DisplayTest::colorAt(unsigned x, unsigned y) {
  auto* r = static_cast<Raster*>(raster);
  Display* display = Tk_Display(r->private_->tkwin);
  const int half = zoom / 2;
  const int x0 = std::max(0, static_cast<int>(x * zoom) - half), y0 = std::max(0, static_cast<int>(y * zoom) - half);
  const int x1 = static_cast<int>(x * zoom) - half + zoom, y1 = static_cast<int>(y * zoom) - half + zoom;
  XImage* image = XGetImage(display, r->private_->bitmap->pixmap, x0, y0, x1 - x0, y1 - y0, AllPlanes, ZPixmap);
  const unsigned long first = XGetPixel(image, 0, 0);
  bool uniform = true;
  for (int i = 0; i < x1 - x0; i++)
    for (int j = 0; j < y1 - y0; j++) uniform = uniform && XGetPixel(image, i, j) == first;
  XDestroyImage(image);
  if (!uniform) return -1;
  for (unsigned index = 0; index < 254; index++)
    if (msg::pixelValue(colormap, static_cast<unsigned char>(index)) == first) return static_cast<int>(index);
  return -1;
}
