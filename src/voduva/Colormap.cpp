#include "voduva/Colormap.h"

#include <cstdio>

#include "defobj/phase.h"
#include "defobj/raise.h"
#include "runtime/registration.h"
#include "voduva/voduva.h"

namespace voduva {

id Colormap::createEnd() {
  tkwin = msg::mainWindow(globalTkInterp);
  Screen* screen = Tk_Screen(tkwin);
  white = WhitePixelOfScreen(screen);
  black = BlackPixelOfScreen(screen);
  cmap = DefaultColormapOfScreen(screen);
  return CreateDrop::createEnd();
}

unsigned long* Colormap::getMap() { return map; }
unsigned long Colormap::getWhite() { return white; }
unsigned long Colormap::getBlack() { return black; }
BOOL Colormap::colorIsSet(unsigned char index) { return isSet[index]; }

id Colormap::unsetColor(unsigned char index) {
  isSet[index] = NO;
  return this;
}

unsigned long Colormap::pixelValue(unsigned char index) {
  if (!isSet[index]) {
    raiseAt(InvalidArgument, "-[Colormap pixelValue:]", "attempted to access unset color %d\n", index);
    return white;
  }
  return map[index];
}

BOOL Colormap::setColor_ToName(unsigned char index, const char* name) {
  if (isSet[index]) {
    raiseAt(InvalidArgument, "-[Colormap setColor:ToName:]", "attempted to set color %d twice\n", index);
    return NO;
  }
  if (!voduva_setColor(this, name, &map[index])) return NO;
  isSet[index] = YES;
  return YES;
}

namespace {

// The integer part of the component times 256; anything outside 0 to 255
// (NaN too) is 255.
unsigned component(double value) {
  const double scaled = value * 256;
  return scaled >= 0 && scaled < 256 ? static_cast<unsigned>(scaled) : 255;
}

}  // namespace

BOOL Colormap::setColor_ToRed_Green_Blue(unsigned char index, double red, double green, double blue) {
  char name[8];
  std::snprintf(name, sizeof name, "#%02x%02x%02x", component(red), component(green), component(blue));
  return msg::setColor_ToName(this, index, name);
}

BOOL Colormap::setColor_ToGrey(unsigned char index, double grey) {
  return msg::setColor_ToRed_Green_Blue(this, index, grey, grey, grey);
}

unsigned char Colormap::nextFreeColor() {
  for (int index = 255; index >= 0; index--)
    if (!isSet[index]) return static_cast<unsigned char>(index);
  raiseAt(ResourceAvailability, "-[Colormap nextFreeColor]", "No free colors");
  return 0;
}

BOOL voduva_setColor(Colormap* colormap, const char* name, unsigned long* pixel) {
  Display* display = Tk_Display(colormap->tkwin);
  XColor color;
  if (!XParseColor(display, colormap->cmap, name, &color)) {
    raiseAt(ResourceAvailability, "voduva_setColor", "Problem locating color %s. Substituting white.\n", name);
    *pixel = colormap->white;
    return NO;
  }
  if (!XAllocColor(display, colormap->cmap, &color)) {
    raiseAt(ResourceAvailability, "voduva_setColor", "Problem allocating color %s.  Substituting white.\n", name);
    *pixel = colormap->white;
    return NO;
  }
  *pixel = color.pixel;
  return YES;
}

REGISTER_CLASS(Colormap, CreateDrop,
  ivar(&Colormap::white, "white"),
  ivar(&Colormap::black, "black"),
  ivar(&Colormap::map, "map"),
  ivar(&Colormap::isSet, "isSet"),
  ivar(&Colormap::cmap, "cmap"),
  ivar(&Colormap::tkwin, "tkwin"),
  phase(Phase::Creating),
  method<&Colormap::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&Colormap::getMap>(msg::map),
  method<&Colormap::getWhite>(msg::white),
  method<&Colormap::getBlack>(msg::black),
  method<&Colormap::colorIsSet>(msg::colorIsSet),
  method<&Colormap::unsetColor>(msg::unsetColor),
  method<&Colormap::pixelValue>(msg::pixelValue),
  method<&Colormap::setColor_ToName>(msg::setColor_ToName),
  method<&Colormap::setColor_ToRed_Green_Blue>(msg::setColor_ToRed_Green_Blue),
  method<&Colormap::setColor_ToGrey>(msg::setColor_ToGrey),
  method<&Colormap::nextFreeColor>(msg::nextFreeColor))

}  // namespace voduva

// The module's class list names registrations at global scope.
void objc_register_Colormap() { voduva::objc_register_Colormap(); }
