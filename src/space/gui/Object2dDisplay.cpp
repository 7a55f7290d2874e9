#include "space/gui/Object2dDisplay.h"

#include "collections/messages.h"
#include "defobj/phase.h"
#include "defobj/raise.h"
#include "simtoolsgui/simtoolsgui.h"
#include "voduva/voduva.h"

id Object2dDisplay::create_setDisplayWidget_setDiscrete2dToDisplay_setDisplayMessage(Class cls, id zone,
                                                                                    id widget, id lattice,
                                                                                    SEL message) {
  id display = msg::createBegin(cls, zone);
  msg::setDisplayWidget(display, widget);
  msg::setDiscrete2dToDisplay(display, lattice);
  msg::setDisplayMessage(display, message);
  return msg::createEnd(display);
}

id Object2dDisplay::setDisplayWidget(id widget) {
  displayWidget = widget;
  return this;
}

id Object2dDisplay::setDiscrete2dToDisplay(id lattice) {
  discrete2d = lattice;
  return this;
}

id Object2dDisplay::setDisplayMessage(SEL message) {
  displayMessage = message;
  return this;
}

id Object2dDisplay::createEnd() {
  if (!displayWidget || !discrete2d || !displayMessage)
    raiseAt(InvalidCombination, "-[Object2dDisplay createEnd]", "Object display improperly initialized\n");
  return BroodObject::createEnd();
}

id Object2dDisplay::setObjectCollection(id collection) {
  objectCollection = collection;
  return this;
}

id Object2dDisplay::display() {
  if (objectCollection) {
    msg::forEach_(objectCollection, displayMessage, displayWidget);
    return this;
  }
  const unsigned sizeX = msg::getSizeX(discrete2d), sizeY = msg::getSizeY(discrete2d);
  for (unsigned y = 0; y < sizeY; y++)
    for (unsigned x = 0; x < sizeX; x++)
      if (id object = msg::getObjectAtX_Y(discrete2d, x, y)) msg::perform_with(object, displayMessage, displayWidget);
  return this;
}

id Object2dDisplay::makeProbeAtX_Y(int x, int y) {
  if (static_cast<unsigned>(x) < msg::getSizeX(discrete2d) && static_cast<unsigned>(y) < msg::getSizeY(discrete2d)) {
    if (id object = msg::getObjectAtX_Y(discrete2d, x, y)) _createProbeDisplay(object);
    else voduva_ringBell();
  } else {
    msg::raiseEvent(WarningMessage, "Object2dDisplay: invalid coordinates to make probe (%d,%d)\n", x, y);
  }
  return this;
}

REGISTER_CLASS(Object2dDisplay, BroodObject,
  ivar(&Object2dDisplay::displayWidget, "displayWidget"),
  ivar(&Object2dDisplay::discrete2d, "discrete2d"),
  ivar(&Object2dDisplay::displayMessage, "displayMessage"),
  ivar(&Object2dDisplay::objectCollection, "objectCollection"),
  classMethod<&Object2dDisplay::create_setDisplayWidget_setDiscrete2dToDisplay_setDisplayMessage>(
      msg::create_setDisplayWidget_setDiscrete2dToDisplay_setDisplayMessage),
  phase(Phase::Creating),
  method<&Object2dDisplay::setDisplayWidget>(msg::setDisplayWidget),
  method<&Object2dDisplay::setDiscrete2dToDisplay>(msg::setDiscrete2dToDisplay),
  method<&Object2dDisplay::setDisplayMessage>(msg::setDisplayMessage),
  method<&Object2dDisplay::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&Object2dDisplay::setObjectCollection>(msg::setObjectCollection),
  method<&Object2dDisplay::display>(msg::display),
  method<&Object2dDisplay::makeProbeAtX_Y>(msg::makeProbeAtX_Y))
