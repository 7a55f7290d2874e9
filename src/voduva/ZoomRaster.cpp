#include "voduva/ZoomRaster.h"

#include <algorithm>

#include "defobj/phase.h"
#include "defobj/raise.h"
#include "runtime/registration.h"
#include "voduva/voduva.h"

namespace {

const char* parentPath(ZoomRaster* raster) { return msg::getWidgetName(raster->parent); }

// Half a cell in pixels: the offset of the centred cells.
int half(const ZoomRaster* raster) { return static_cast<int>(raster->zoomFactor / 2); }
int zoom(const ZoomRaster* raster) { return static_cast<int>(raster->zoomFactor); }

const char* const parentEvents[] = {"Configure", "Expose"};

}  // namespace

id ZoomRaster::createEnd() {
  Raster::createEnd();
  if (!msg::isSubclass(msg::getClass(parent), objc_get_class("Frame")) || msg::getParent(parent))
    raiseAt(WindowCreation, "-[ZoomRaster createEnd]",
            "Warning: ZoomRaster created as child of non toplevel.\nResize code probably\nwill not work.\n");
  logicalWidth = width;
  logicalHeight = height;
  zoomFactor = 1;
  const char* name = msg::getObjectName(this);
  for (const char* event : parentEvents)
    msg::eval(globalTkInterp, "bind %s <%s> { %s handle%sWidth: %s Height: %s }", parentPath(this), event, name,
              event, "%w", "%h");
  return this;
}

unsigned ZoomRaster::getZoomFactor() { return zoomFactor; }

// A zoom of 0 would make the raster vanish and its clicks divide by zero.
id ZoomRaster::setZoomFactor(unsigned newZoom) {
  if (newZoom == 0) {
    raiseAt(WarningMessage, "-[ZoomRaster setZoomFactor:]", "Zoom factor 0 ignored; the zoom stays %u.\n",
            zoomFactor);
    return this;
  }
  zoomFactor = newZoom;
  return msg::setWidth_Height(this, logicalWidth, logicalHeight);
}

id ZoomRaster::increaseZoom() { return msg::setZoomFactor(this, zoomFactor + 1); }

id ZoomRaster::decreaseZoom() {
  if (zoomFactor > 1) msg::setZoomFactor(this, zoomFactor - 1);
  return this;
}

unsigned ZoomRaster::getWidth() { return logicalWidth; }
unsigned ZoomRaster::getHeight() { return logicalHeight; }

// Before createEnd the size is the pixel size, as the zoom is 1 then.
id ZoomRaster::setWidth_Height(unsigned newWidth, unsigned newHeight) {
  if (!private_) return Raster::setWidth_Height(newWidth, newHeight);
  logicalWidth = newWidth;
  logicalHeight = newHeight;
  Raster::setWidth_Height(newWidth * zoomFactor, newHeight * zoomFactor);
  const char* top = parentPath(this);
  msg::eval(globalTkInterp, "wm grid %s %u %u %u %u; wm aspect %s %u %u %u %u", top, zoomFactor, zoomFactor,
            logicalWidth, logicalHeight, top, logicalWidth, logicalHeight, logicalWidth, logicalHeight);
  return this;
}

id ZoomRaster::pack() {
  while (voduva_doOneEventAsync()) {}
  configureFlag = YES;
  return Raster::pack();
}

id ZoomRaster::handleConfigureWidth_Height(unsigned newWidth, unsigned newHeight) {
  if (!configureFlag || !logicalWidth || !logicalHeight) return this;
  const unsigned newZoom = std::max({newWidth / logicalWidth, newHeight / logicalHeight, 1u});
  return msg::setZoomFactor(this, newZoom);
}

id ZoomRaster::handleExposeWidth_Height(unsigned newWidth, unsigned newHeight) {
  if (newWidth > width || newHeight > height) voduva_raster_clear(this, newWidth, newHeight);
  return this;
}

id ZoomRaster::drawPointX_Y_Color(int x, int y, unsigned char color) {
  return msg::fillCenteredRectangleX0_Y0_X1_Y1_Color(this, x, y, x + 1, y + 1, color);
}

id ZoomRaster::fillCenteredRectangleX0_Y0_X1_Y1_Color(int x0, int y0, int x1, int y1, unsigned char color) {
  const int z = zoom(this), o = half(this);
  voduva_raster_fillRectangle(this, x0 * z - o, y0 * z - o, (x1 - x0) * z, (y1 - y0) * z, color);
  return this;
}

id ZoomRaster::fillRectangleX0_Y0_X1_Y1_Color(int x0, int y0, int x1, int y1, unsigned char color) {
  const int z = zoom(this);
  return Raster::fillRectangleX0_Y0_X1_Y1_Color(x0 * z, y0 * z, x1 * z, y1 * z, color);
}

id ZoomRaster::ellipseX0_Y0_X1_Y1_Width_Color(int x0, int y0, int x1, int y1, unsigned penWidth,
                                              unsigned char color) {
  const int z = zoom(this);
  return Raster::ellipseX0_Y0_X1_Y1_Width_Color(x0 * z, y0 * z, x1 * z, y1 * z, penWidth * zoomFactor, color);
}

id ZoomRaster::lineX0_Y0_X1_Y1_Width_Color(int x0, int y0, int x1, int y1, unsigned penWidth, unsigned char color) {
  const int z = zoom(this);
  return Raster::lineX0_Y0_X1_Y1_Width_Color(x0 * z, y0 * z, x1 * z, y1 * z, penWidth * zoomFactor, color);
}

id ZoomRaster::rectangleX0_Y0_X1_Y1_Width_Color(int x0, int y0, int x1, int y1, unsigned penWidth,
                                                unsigned char color) {
  const int z = zoom(this), o = half(this);
  return Raster::rectangleX0_Y0_X1_Y1_Width_Color(x0 * z - o, y0 * z - o, x1 * z - o, y1 * z - o,
                                                  penWidth * zoomFactor, color);
}

id ZoomRaster::draw_X_Y(id object, int x, int y) { return Raster::draw_X_Y(object, x * zoom(this), y * zoom(this)); }

id ZoomRaster::handleButton_X_Y(int button, int x, int y) {
  const int z = zoom(this), o = half(this);
  return Raster::handleButton_X_Y(button, (x + o) / z, (y + o) / z);
}

// The bindings on the parent name the raster, and an explicit parent
// outlives it.
void ZoomRaster::drop() {
  if (!destroyedFlag)
    for (const char* event : parentEvents)
      msg::eval(globalTkInterp, "if {[winfo exists %s]} {bind %s <%s> {}}", parentPath(this), parentPath(this),
                event);
  Raster::drop();
}

REGISTER_CLASS(ZoomRaster, Raster,
  ivar(&ZoomRaster::zoomFactor, "zoomFactor"),
  ivar(&ZoomRaster::logicalWidth, "logicalWidth"),
  ivar(&ZoomRaster::logicalHeight, "logicalHeight"),
  ivar(&ZoomRaster::configureFlag, "configureFlag"),
  phase(Phase::Creating),
  method<&ZoomRaster::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&ZoomRaster::getZoomFactor>(msg::getZoomFactor),
  method<&ZoomRaster::setZoomFactor>(msg::setZoomFactor),
  method<&ZoomRaster::increaseZoom>(msg::increaseZoom),
  method<&ZoomRaster::decreaseZoom>(msg::decreaseZoom),
  method<&ZoomRaster::getWidth>(msg::getWidth),
  method<&ZoomRaster::getHeight>(msg::getHeight),
  method<&ZoomRaster::setWidth_Height>(msg::setWidth_Height),
  method<&ZoomRaster::pack>(msg::pack),
  method<&ZoomRaster::handleConfigureWidth_Height>(msg::handleConfigureWidth_Height),
  method<&ZoomRaster::handleExposeWidth_Height>(msg::handleExposeWidth_Height),
  method<&ZoomRaster::drawPointX_Y_Color>(msg::drawPointX_Y_Color),
  method<&ZoomRaster::fillCenteredRectangleX0_Y0_X1_Y1_Color>(msg::fillCenteredRectangleX0_Y0_X1_Y1_Color),
  method<&ZoomRaster::fillRectangleX0_Y0_X1_Y1_Color>(msg::fillRectangleX0_Y0_X1_Y1_Color),
  method<&ZoomRaster::ellipseX0_Y0_X1_Y1_Width_Color>(msg::ellipseX0_Y0_X1_Y1_Width_Color),
  method<&ZoomRaster::lineX0_Y0_X1_Y1_Width_Color>(msg::lineX0_Y0_X1_Y1_Width_Color),
  method<&ZoomRaster::rectangleX0_Y0_X1_Y1_Width_Color>(msg::rectangleX0_Y0_X1_Y1_Width_Color),
  method<&ZoomRaster::draw_X_Y>(msg::draw_X_Y),
  method<&ZoomRaster::handleButton_X_Y>(msg::handleButton_X_Y),
  method<&ZoomRaster::drop>(msg::drop))
