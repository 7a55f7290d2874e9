#include "voduva/Raster.h"

#include <algorithm>
#include <cstring>

#include "defobj/Zone.h"
#include "defobj/phase.h"
#include "defobj/raise.h"
#include "runtime/registration.h"
#include "voduva/voduva.h"

namespace {

Display* displayOf(Raster* raster) { return Tk_Display(raster->private_->tkwin); }

Tk_Window topLevelOf(Tk_Window window) {
  while (window && !Tk_IsTopLevel(window)) window = Tk_Parent(window);
  return window;
}

// The pixel value of a colour index: shifted by the raster's newest block;
// beyond the table it is black.
unsigned long pixelFor(Raster* raster, unsigned char color) {
  const RasterBitmap* bitmap = raster->private_->bitmap;
  unsigned index = color;
  for (unsigned block = bitmap->blockCount; block-- > 0;)
    if (bitmap->blockOwners[block] == raster) {
      index += bitmap->blockOffsets[block];
      break;
    }
  if (index < bitmap->colorCount) return bitmap->colors[index];
  return BlackPixelOfScreen(Tk_Screen(raster->private_->tkwin));
}

// Readies the graphics context to draw in a colour with a pen width.
void usePen(Raster* raster, unsigned char color, unsigned penWidth) {
  GC gc = raster->private_->gc;
  XSetForeground(displayOf(raster), gc, pixelFor(raster, color));
  XSetLineAttributes(displayOf(raster), gc, penWidth, LineSolid, CapButt, JoinMiter);
}

Drawable backStore(Raster* raster) { return raster->private_->bitmap->pixmap; }

// Clips the span [from, to) to [0, limit); answers whether anything is left.
bool clip(int& from, int& to, unsigned limit) {
  from = std::max(from, 0);
  to = std::min<long>(to, limit);
  return from < to;
}

void freeBitmap(Raster* raster, RasterBitmap* bitmap) {
  if (!bitmap) return;
  id zone = msg::getZone(raster);
  XFreePixmap(displayOf(raster), bitmap->pixmap);
  if (bitmap->colors) msg::free(zone, bitmap->colors);
  msg::free(zone, bitmap);
}

bool sameColors(const RasterBitmap* bitmap, unsigned block, const unsigned long* colors, unsigned count) {
  const unsigned offset = bitmap->blockOffsets[block];
  const unsigned end = block + 1 < bitmap->blockCount ? bitmap->blockOffsets[block + 1] : bitmap->colorCount;
  return end - offset == count && std::equal(colors, colors + count, bitmap->colors + offset);
}

// Registers the owner's colours as a block of the bitmap's colour table;
// an identical block of the owner is reused.
void registerBlock(id zone, RasterBitmap* bitmap, id owner, const unsigned long* colors, unsigned count) {
  for (unsigned block = bitmap->blockCount; block-- > 0;)
    if (bitmap->blockOwners[block] == owner) {
      if (sameColors(bitmap, block, colors, count)) return;
      break;
    }
  if (bitmap->blockCount == 256)
    raiseAt(PaletteError, "voduva_raster_setColormap", "No room for another block of colours.\n");
  auto* table = static_cast<unsigned long*>(msg::alloc(zone, (bitmap->colorCount + count + 1) * sizeof(unsigned long)));
  if (bitmap->colors) {
    std::copy(bitmap->colors, bitmap->colors + bitmap->colorCount, table);
    msg::free(zone, bitmap->colors);
  }
  std::copy(colors, colors + count, table + bitmap->colorCount);
  bitmap->colors = table;
  bitmap->blockOwners[bitmap->blockCount] = owner;
  bitmap->blockOffsets[bitmap->blockCount++] = bitmap->colorCount;
  bitmap->colorCount += count;
}

}  // namespace

id Raster::createBegin(Class cls, id zone) {
  auto* raster = static_cast<Raster*>(ArchivedGeometryWidget::createBegin(cls, zone));
  raster->width = 100;
  raster->height = 100;
  raster->eraseColor = -1;
  return raster;
}

id Raster::createEnd() {
  ArchivedGeometryWidget::createEnd();
  msg::eval(globalTkInterp, "frame %s -background {} -width %u -height %u", widgetName, width, height);
  voduva_raster_create(this);
  const char* name = msg::getObjectName(this);
  msg::eval(globalTkInterp, "bind %s <Expose> {%s drawSelf}", widgetName, name);
  msg::eval(globalTkInterp, "bind %s <ButtonPress> { %s handleButton: %s X: %s Y: %s }", widgetName, name, "%b",
            "%x", "%y");
  voduva_raster_createContext(this);
  voduva_raster_createPixmap(this);
  msg::updateSize(this);
  return this;
}

id Raster::setColormap(id newColormap) {
  colormap = newColormap;
  map = msg::map(newColormap);
  if (newColormap && eraseColor == -1) {
    eraseColor = msg::nextFreeColor(newColormap);
    msg::setColor_ToName(newColormap, static_cast<unsigned char>(eraseColor), "black");
  }
  voduva_raster_setColormap(this);
  return this;
}

id Raster::getColormap() { return colormap; }
unsigned Raster::getWidth() { return width; }
unsigned Raster::getHeight() { return height; }
id Raster::setWidth(unsigned newWidth) { return msg::setWidth_Height(this, newWidth, height); }
id Raster::setHeight(unsigned newHeight) { return msg::setWidth_Height(this, width, newHeight); }

// Before createEnd there is only the size to keep.
id Raster::setWidth_Height(unsigned newWidth, unsigned newHeight) {
  if (!private_) {
    width = newWidth;
    height = newHeight;
    return this;
  }
  if (newWidth < width || newHeight < height)
    Tk_GeometryRequest(topLevelOf(private_->tkwin), static_cast<int>(newWidth), static_cast<int>(newHeight));
  voduva_raster_savePixmap(this);
  const unsigned oldWidth = width, oldHeight = height;
  width = newWidth;
  height = newHeight;
  ArchivedGeometryWidget::setWidth_Height(newWidth, newHeight);
  voduva_raster_createPixmap(this);
  msg::erase(this);
  voduva_raster_copy(this, std::min(oldWidth, newWidth), std::min(oldHeight, newHeight));
  voduva_raster_dropOldPixmap(this);
  return msg::drawSelf(this);
}

namespace {

struct ButtonSlot {
  id* client;
  SEL* sel;
};

ButtonSlot slotOf(Raster* raster, int button) {
  switch (button) {
    case 1: return {&raster->button1Client, &raster->button1Sel};
    case 2: return {&raster->button2Client, &raster->button2Sel};
    case 3: return {&raster->button3Client, &raster->button3Sel};
    default: return {nullptr, nullptr};
  }
}

}  // namespace

id Raster::setButton_Client_Message(int button, id client, SEL sel) {
  const ButtonSlot slot = slotOf(this, button);
  if (!slot.client) {
    raiseAt(WarningMessage, "-[Raster setButton:Client:Message:]", "Don't know how to handle button %d, ignoring.\n",
            button);
    return this;
  }
  *slot.client = client;
  *slot.sel = sel;
  return this;
}

// X reports the wheel as buttons 4 and 5, so an unknown button is only
// reported: it must not end the program.
id Raster::handleButton_X_Y(int button, int x, int y) {
  const ButtonSlot slot = slotOf(this, button);
  if (!slot.client) {
    raiseAt(WarningMessage, "-[Raster handleButton:X:Y:]", "Button %d out of range.\n", button);
    return this;
  }
  if (*slot.client && *slot.sel)
    msg::perform_with_with(*slot.client, *slot.sel, reinterpret_cast<id>(static_cast<intptr_t>(x)),
                           reinterpret_cast<id>(static_cast<intptr_t>(y)));
  return this;
}

id Raster::drawPointX_Y_Color(int x, int y, unsigned char color) {
  voduva_raster_drawPoint(this, x, y, color);
  return this;
}

id Raster::fillRectangleX0_Y0_X1_Y1_Color(int x0, int y0, int x1, int y1, unsigned char color) {
  voduva_raster_fillRectangle(this, x0, y0, x1 - x0, y1 - y0, color);
  return this;
}

id Raster::ellipseX0_Y0_X1_Y1_Width_Color(int x0, int y0, int x1, int y1, unsigned penWidth, unsigned char color) {
  voduva_raster_ellipse(this, x0, y0, x1 - x0, y1 - y0, penWidth, color);
  return this;
}

id Raster::lineX0_Y0_X1_Y1_Width_Color(int x0, int y0, int x1, int y1, unsigned penWidth, unsigned char color) {
  voduva_raster_line(this, x0, y0, x1, y1, penWidth, color);
  return this;
}

id Raster::rectangleX0_Y0_X1_Y1_Width_Color(int x0, int y0, int x1, int y1, unsigned penWidth,
                                            unsigned char color) {
  voduva_raster_rectangle(this, x0, y0, x1 - x0, y1 - y0, penWidth, color);
  return this;
}

id Raster::draw_X_Y(id object, int x, int y) {
  msg::drawX_Y(object, x, y);
  return this;
}

id Raster::erase() {
  voduva_raster_erase(this);
  return this;
}

id Raster::drawSelf() {
  voduva_raster_flush(this);
  return this;
}

// The frame of a raster with a parent of its own outlives the raster, so
// its bindings, which name the raster, go first.
void Raster::drop() {
  if (!destroyedFlag)
    msg::eval(globalTkInterp, "if {[winfo exists %s]} {bind %s <Expose> {}; bind %s <ButtonPress> {}}", widgetName,
              widgetName, widgetName);
  voduva_raster_drop(this);
  ArchivedGeometryWidget::drop();
}

// The raster layer.

void voduva_raster_create(Raster* raster) {
  Tk_Window tkwin = voduva_nameToWindow(raster->widgetName);
  if (!tkwin)
    raiseAt(WindowCreation, "voduva_raster_create", "Error creating tkwin!\n%s", msg::result(globalTkInterp));
  Tk_MakeWindowExist(tkwin);
  auto* store = static_cast<RasterStore*>(msg::alloc(msg::getZone(raster), sizeof(RasterStore)));
  std::memset(store, 0, sizeof *store);
  store->tkwin = tkwin;
  raster->private_ = store;
}

void voduva_raster_createContext(Raster* raster) {
  XGCValues values;
  values.fill_style = FillSolid;
  values.clip_x_origin = 0;
  values.clip_y_origin = 0;
  raster->private_->gc = XCreateGC(displayOf(raster), Tk_WindowId(raster->private_->tkwin),
                                   GCFillStyle | GCClipXOrigin | GCClipYOrigin, &values);
}

// A new bitmap of the raster's size; during a resize it takes over the
// colour table of the old one.
void voduva_raster_createPixmap(Raster* raster) {
  RasterStore* store = raster->private_;
  auto* bitmap = static_cast<RasterBitmap*>(msg::alloc(msg::getZone(raster), sizeof(RasterBitmap)));
  std::memset(bitmap, 0, sizeof *bitmap);
  // X has no empty pixmaps; drawing is clipped to the raster's size anyway.
  bitmap->width = std::max(raster->width, 1u);
  bitmap->height = std::max(raster->height, 1u);
  bitmap->pixmap = XCreatePixmap(Tk_Display(store->tkwin), Tk_WindowId(store->tkwin), bitmap->width,
                                 bitmap->height, Tk_Depth(store->tkwin));
  if (RasterBitmap* old = store->oldBitmap) {
    bitmap->blockCount = old->blockCount;
    bitmap->colorCount = old->colorCount;
    bitmap->colors = old->colors;
    std::copy(old->blockOwners, old->blockOwners + 256, bitmap->blockOwners);
    std::copy(old->blockOffsets, old->blockOffsets + 256, bitmap->blockOffsets);
    old->colors = nullptr;
  }
  store->bitmap = bitmap;
}

void voduva_raster_setColormap(Raster* raster) {
  if (!raster->colormap) {
    raiseAt(WarningMessage, "voduva_raster_setColormap", "colormap is nil");
    return;
  }
  const unsigned count = msg::nextFreeColor(raster->colormap);
  registerBlock(msg::getZone(raster), raster->private_->bitmap, raster, raster->map, count);
}

void voduva_raster_erase(Raster* raster) {
  msg::fillRectangleX0_Y0_X1_Y1_Color(raster, 0, 0, static_cast<int>(msg::getWidth(raster)),
                                      static_cast<int>(msg::getHeight(raster)),
                                      static_cast<unsigned char>(raster->eraseColor));
}

void voduva_raster_drawPoint(Raster* raster, int x, int y, unsigned char color) {
  if (x < 0 || y < 0 || static_cast<unsigned>(x) >= raster->width || static_cast<unsigned>(y) >= raster->height)
    return;
  usePen(raster, color, 0);
  XDrawPoint(displayOf(raster), backStore(raster), raster->private_->gc, x, y);
}

void voduva_raster_fillRectangle(Raster* raster, int x, int y, int width, int height, unsigned char color) {
  int x1 = x + width, y1 = y + height;
  if (!clip(x, x1, raster->width) || !clip(y, y1, raster->height)) return;
  usePen(raster, color, 0);
  XFillRectangle(displayOf(raster), backStore(raster), raster->private_->gc, x, y, x1 - x, y1 - y);
}

// The outlines lie inside their width by height box, as the box of a
// filled rectangle does.
void voduva_raster_ellipse(Raster* raster, int x, int y, int width, int height, unsigned penWidth,
                           unsigned char color) {
  if (width <= 0 || height <= 0) return;
  usePen(raster, color, penWidth);
  XDrawArc(displayOf(raster), backStore(raster), raster->private_->gc, x, y, width - 1, height - 1, 0, 360 * 64);
}

void voduva_raster_line(Raster* raster, int x0, int y0, int x1, int y1, unsigned penWidth, unsigned char color) {
  usePen(raster, color, penWidth);
  XDrawLine(displayOf(raster), backStore(raster), raster->private_->gc, x0, y0, x1, y1);
}

void voduva_raster_rectangle(Raster* raster, int x, int y, int width, int height, unsigned penWidth,
                             unsigned char color) {
  if (width <= 0 || height <= 0) return;
  usePen(raster, color, penWidth);
  XDrawRectangle(displayOf(raster), backStore(raster), raster->private_->gc, x, y, width - 1, height - 1);
}

void voduva_raster_flush(Raster* raster) {
  RasterStore* store = raster->private_;
  if (!raster->width || !raster->height) return;
  XCopyArea(displayOf(raster), backStore(raster), Tk_WindowId(store->tkwin), store->gc, 0, 0, raster->width,
            raster->height, 0, 0);
}

void voduva_raster_clear(Raster* raster, unsigned width, unsigned height) {
  RasterStore* store = raster->private_;
  Tk_Window top = topLevelOf(store->tkwin);
  XSetForeground(displayOf(raster), store->gc, Tk_Attributes(top)->background_pixel);
  const Window window = Tk_WindowId(store->tkwin);
  if (width > raster->width)
    XFillRectangle(displayOf(raster), window, store->gc, static_cast<int>(raster->width), 0,
                   width - raster->width, height);
  if (height > raster->height)
    XFillRectangle(displayOf(raster), window, store->gc, 0, static_cast<int>(raster->height), width,
                   height - raster->height);
}

void voduva_raster_savePixmap(Raster* raster) {
  raster->private_->oldBitmap = raster->private_->bitmap;
  raster->private_->bitmap = nullptr;
}

void voduva_raster_copy(Raster* raster, unsigned width, unsigned height) {
  RasterStore* store = raster->private_;
  if (!width || !height) return;
  XCopyArea(displayOf(raster), store->oldBitmap->pixmap, store->bitmap->pixmap, store->gc, 0, 0, width, height, 0,
            0);
}

void voduva_raster_dropOldPixmap(Raster* raster) {
  freeBitmap(raster, raster->private_->oldBitmap);
  raster->private_->oldBitmap = nullptr;
}

void voduva_raster_drop(Raster* raster) {
  RasterStore* store = raster->private_;
  if (!store) return;
  freeBitmap(raster, store->oldBitmap);
  freeBitmap(raster, store->bitmap);
  if (store->gc) XFreeGC(displayOf(raster), store->gc);
  msg::free(msg::getZone(raster), store);
  raster->private_ = nullptr;
}

REGISTER_CLASS(Raster, ArchivedGeometryWidget,
  ivar(&Raster::button1Client, "button1Client"),
  ivar(&Raster::button2Client, "button2Client"),
  ivar(&Raster::button3Client, "button3Client"),
  ivar(&Raster::button1Sel, "button1Sel"),
  ivar(&Raster::button2Sel, "button2Sel"),
  ivar(&Raster::button3Sel, "button3Sel"),
  ivar(&Raster::map, "map"),
  ivar(&Raster::colormap, "colormap"),
  ivar(&Raster::private_, "private"),
  ivar(&Raster::eraseColor, "eraseColor"),
  ivar(&Raster::width, "width"),
  ivar(&Raster::height, "height"),
  classMethod<&Raster::createBegin>(msg::createBegin),
  phase(Phase::Creating),
  method<&Raster::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&Raster::setColormap>(msg::setColormap),
  method<&Raster::getColormap>(msg::getColormap),
  method<&Raster::getWidth>(msg::getWidth),
  method<&Raster::getHeight>(msg::getHeight),
  method<&Raster::setWidth>(msg::setWidth),
  method<&Raster::setHeight>(msg::setHeight),
  method<&Raster::setWidth_Height>(msg::setWidth_Height),
  method<&Raster::setButton_Client_Message>(msg::setButton_Client_Message),
  method<&Raster::handleButton_X_Y>(msg::handleButton_X_Y),
  method<&Raster::drawPointX_Y_Color>(msg::drawPointX_Y_Color),
  method<&Raster::fillRectangleX0_Y0_X1_Y1_Color>(msg::fillRectangleX0_Y0_X1_Y1_Color),
  method<&Raster::ellipseX0_Y0_X1_Y1_Width_Color>(msg::ellipseX0_Y0_X1_Y1_Width_Color),
  method<&Raster::lineX0_Y0_X1_Y1_Width_Color>(msg::lineX0_Y0_X1_Y1_Width_Color),
  method<&Raster::rectangleX0_Y0_X1_Y1_Width_Color>(msg::rectangleX0_Y0_X1_Y1_Width_Color),
  method<&Raster::draw_X_Y>(msg::draw_X_Y),
  method<&Raster::erase>(msg::erase),
  method<&Raster::drawSelf>(msg::drawSelf),
  method<&Raster::drop>(msg::drop))
