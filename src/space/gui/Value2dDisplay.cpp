#include "space/gui/Value2dDisplay.h"

#include "defobj/phase.h"
#include "defobj/raise.h"
#include "voduva/raster_messages.h"

id Value2dDisplay::createBegin(Class cls, id zone) {
  auto* display = static_cast<Value2dDisplay*>(BroodObject::createBegin(cls, zone));
  display->modFactor = 1;
  return display;
}

id Value2dDisplay::create_setDisplayWidget_colormap_setDiscrete2dToDisplay(Class cls, id zone, id widget,
                                                                           id colormap, id lattice) {
  id display = msg::createBegin(cls, zone);
  msg::setDisplayWidget_colormap(display, widget, colormap);
  msg::setDiscrete2dToDisplay(display, lattice);
  return msg::createEnd(display);
}

// The widget's own point drawing, so a zoomed raster draws whole cells.
id Value2dDisplay::setDisplayWidget_colormap(id widget, id newColormap) {
  displayWidget = widget;
  colormap = newColormap;
  drawPointImp = widget ? objc_send_lookup(widget, msg::drawPointX_Y_Color.sel) : nullptr;
  return this;
}

id Value2dDisplay::setDiscrete2dToDisplay(id lattice) {
  discrete2d = lattice;
  return this;
}

id Value2dDisplay::createEnd() {
  if (!displayWidget || !discrete2d)
    raiseAt(InvalidCombination, "-[Value2dDisplay createEnd]", "Value display improperly initialized\n");
  if (modFactor == 0) modFactor = 1;
  return BroodObject::createEnd();
}

// A factor of 0 would divide by zero at the next display.
id Value2dDisplay::setDisplayMappingM_C(int factor, int constant) {
  if (factor == 0) {
    msg::raiseEvent(WarningMessage, "Value2dDisplay: display mapping factor 0 replaced by 1.\n");
    factor = 1;
  }
  modFactor = factor;
  colorConstant = constant;
  return this;
}

id Value2dDisplay::display() {
  const intptr_t* lattice = msg::getLattice(discrete2d);
  const intptr_t* offsets = msg::getOffsets(discrete2d);
  const unsigned sizeX = msg::getSizeX(discrete2d), sizeY = msg::getSizeY(discrete2d);
  using DrawPoint = decltype(msg::drawPointX_Y_Color)::Imp;
  const auto draw = imp_cast<DrawPoint>(drawPointImp);
  const SEL drawSel = msg::drawPointX_Y_Color.sel;
  for (unsigned y = 0; y < sizeY; y++) {
    for (unsigned x = 0; x < sizeX; x++) {
      const int color = static_cast<int>(lattice[offsets[y] + x] / modFactor) + colorConstant;
      if (static_cast<unsigned>(color) > 255)
        msg::raiseEvent(WarningMessage, "Value2dDisplay: found colour %d not in [0,255].\n", color);
      draw(displayWidget, drawSel, static_cast<int>(x), static_cast<int>(y), static_cast<unsigned char>(color));
    }
  }
  return this;
}

REGISTER_CLASS(Value2dDisplay, BroodObject,
  ivar(&Value2dDisplay::displayWidget, "displayWidget"),
  ivar(&Value2dDisplay::drawPointImp, "drawPointImp"),
  ivar(&Value2dDisplay::colormap, "colormap"),
  ivar(&Value2dDisplay::discrete2d, "discrete2d"),
  ivar(&Value2dDisplay::numCaStates, "numCaStates"),
  ivar(&Value2dDisplay::modFactor, "modFactor"),
  ivar(&Value2dDisplay::colorConstant, "colorConstant"),
  classMethod<&Value2dDisplay::createBegin>(msg::createBegin),
  classMethod<&Value2dDisplay::create_setDisplayWidget_colormap_setDiscrete2dToDisplay>(
      msg::create_setDisplayWidget_colormap_setDiscrete2dToDisplay),
  phase(Phase::Creating),
  method<&Value2dDisplay::setDisplayWidget_colormap>(msg::setDisplayWidget_colormap),
  method<&Value2dDisplay::setDiscrete2dToDisplay>(msg::setDiscrete2dToDisplay),
  method<&Value2dDisplay::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&Value2dDisplay::setDisplayMappingM_C>(msg::setDisplayMappingM_C),
  method<&Value2dDisplay::display>(msg::display))
