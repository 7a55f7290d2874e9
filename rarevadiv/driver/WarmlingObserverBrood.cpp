#include "driver/WarmlingObserverBrood.h"

#include "activity/activity.h"
#include "analysis/messages.h"
#include "defobj/phase.h"
#include "driver/messages.h"
#include "model/messages.h"
#include "objectbase/objectbase.h"
#include "simtoolsgui/simtoolsgui.h"
#include "space/gui/spacegui.h"
#include "voduva/voduva.h"

namespace {

constexpr unsigned char heatColors = 64, warmlingColor = 64, white = 65;

id makeColormap(id zone) {
  id colormap = msg::create(objc_get_class("Colormap"), zone);
  for (unsigned i = 0; i < heatColors; i++)
    msg::setColor_ToRed_Green_Blue(colormap, static_cast<unsigned char>(i), i / 63.0, 0.0, 0.0);
  msg::setColor_ToName(colormap, warmlingColor, "green");
  msg::setColor_ToName(colormap, white, "white");
  return colormap;
}

}  // namespace

id WarmlingObserverBrood::createBegin(Class cls, id zone) {
  auto* self = static_cast<WarmlingObserverBrood*>(CBroodProcess::createBegin(cls, zone));
  self->displayFrequency = 1;
  id probeMap = msg::create_forClass_withIdentifiers(objc_get_class("CustomProbeMap"), zone, cls,
                                                     "displayFrequency", ":", "graphBug:",
                                                     static_cast<const char*>(nullptr));
  msg::setProbeMap_For(probeLibrary, probeMap, cls);
  return self;
}

id WarmlingObserverBrood::createEnd() {
  GUIBrood::createEnd();
  closedWindows = msg::create(List, this);
  return this;
}

id WarmlingObserverBrood::buildObjects() {
  GUIBrood::buildObjects();
  warmlingModelBrood = msg::create(objc_get_class("WarmlingModelBrood"), this);
  createArchivedProbeDisplayNamed(warmlingModelBrood, "warmlingModelBrood");
  createArchivedProbeDisplayNamed(this, "self");
  // Parameters edited in the probe displays until Start or Next take
  // effect, as the model is built after this wait.
  msg::setStateStopped(controlPanel);
  if (msg::getState(controlPanel) == ControlStateQuit) return this;

  msg::buildObjects(warmlingModelBrood);
  colormap = makeColormap(this);
  id warmlings = msg::getWarmlingList(warmlingModelBrood);
  id index = msg::begin(warmlings, _obj_scratchZone);
  for (id warmling = msg::next(index); warmling; warmling = msg::next(index))
    msg::setBugColor(warmling, warmlingColor);
  msg::drop(index);

  id world = msg::getWorld(warmlingModelBrood);
  worldRaster = msg::createBegin(objc_get_class("ZoomRaster"), this);
  msg::setWindowGeometryRecordName(worldRaster, "worldRaster");
  worldRaster = msg::createEnd(worldRaster);
  msg::enableDestroyNotification_notificationMethod(worldRaster, this, msg::_worldRasterDeath_.sel);
  msg::setColormap(worldRaster, colormap);
  msg::setZoomFactor(worldRaster, 4);
  msg::setWidth_Height(worldRaster, msg::getSizeX(world), msg::getSizeY(world));
  msg::setWindowTitle(worldRaster, "Heat World");
  msg::pack(worldRaster);

  heatDisplay = msg::create_setDisplayWidget_colormap_setDiscrete2dToDisplay(
      objc_get_class("Value2dDisplay"), this, worldRaster, colormap, msg::getHeat(warmlingModelBrood));
  msg::setDisplayMappingM_C(heatDisplay, 512, 0);
  warmlingDisplay = msg::create_setDisplayWidget_setDiscrete2dToDisplay_setDisplayMessage(
      objc_get_class("Object2dDisplay"), this, worldRaster, world, msg::drawSelfOn.sel);
  msg::setObjectCollection(warmlingDisplay, warmlings);
  msg::setButton_Client_Message(worldRaster, 3, warmlingDisplay, msg::makeProbeAtX_Y.sel);

  unhappyGraph = msg::create_setTitle_setAxisLabelsX_Y_setWindowGeometryRecordName(
      objc_get_class("EZGraph"), this, "Unhappiness of bugs vs. time", "time", "unhappiness", "unhappyGraph");
  msg::enableDestroyNotification_notificationMethod(unhappyGraph, this, msg::_unhappyGraphDeath_.sel);
  msg::createAverageSequence_withFeedFrom_andSelector(unhappyGraph, "unhappiness", warmlings,
                                                     msg::getUnhappiness.sel);
  return this;
}

id WarmlingObserverBrood::buildActions() {
  GUIBrood::buildActions();
  if (!warmlingModelBrood || !msg::getWarmlingList(warmlingModelBrood)) return this;  // quit before the build
  msg::buildActions(warmlingModelBrood);
  // The interval may have been edited in the probe display: a schedule
  // cannot repeat every 0 steps.
  if (displayFrequency < 1) {
    msg::raiseEvent(WarningMessage, "displayFrequency %d is below 1; displaying every time step.\n",
                    displayFrequency);
    displayFrequency = 1;
  }
  displayActions = msg::create(ActionGroup, this);
  msg::createActionTo_message(displayActions, this, msg::_update_.sel);
  msg::createActionTo_message(displayActions, probeDisplayManager, msg::update.sel);
  msg::createActionTo_message(displayActions, actionCache, msg::doTkEvents.sel);
  displaySchedule = msg::create_setRepeatInterval(Schedule, this, static_cast<timeval_t>(displayFrequency));
  msg::at_createAction(displaySchedule, 0, displayActions);
  return this;
}

id WarmlingObserverBrood::activateIn(id context) {
  GUIBrood::activateIn(context);
  if (displaySchedule) {
    msg::activateIn(warmlingModelBrood, this);
    msg::activateIn(displaySchedule, this);
  }
  return msg::getActivity(this);
}

// A display tick runs outside every Tk callback, so the windows closed
// since the last one can go now.
id WarmlingObserverBrood::_update_() {
  msg::deleteAll(closedWindows);
  if (worldRaster) {
    msg::display(heatDisplay);
    msg::display(warmlingDisplay);
    msg::drawSelf(worldRaster);
  }
  if (unhappyGraph) msg::step(unhappyGraph);
  return this;
}

// Any object may be dropped on the argument in the probe display; one that
// has no unhappiness would end the run at the graph's next step.
id WarmlingObserverBrood::graphBug(id warmling) {
  if (!unhappyGraph || !warmling) return this;
  if (!msg::respondsTo(warmling, msg::getUnhappiness.sel)) {
    msg::raiseEvent(WarningMessage, "graphBug: %s has no getUnhappiness; nothing is graphed.\n",
                    msg::getName(warmling));
    return this;
  }
  msg::createSequence_withFeedFrom_andSelector(unhappyGraph, "Bug", warmling, msg::getUnhappiness.sel);
  return this;
}

// Called from the window's destroy event: the drawing stops at once, the
// raster is dropped at the next display tick.
id WarmlingObserverBrood::_worldRasterDeath_(id) {
  if (worldRaster) msg::addLast(closedWindows, worldRaster);
  worldRaster = nil;
  return this;
}

id WarmlingObserverBrood::_unhappyGraphDeath_(id) {
  if (unhappyGraph) msg::addLast(closedWindows, unhappyGraph);
  unhappyGraph = nil;
  return this;
}

REGISTER_CLASS(WarmlingObserverBrood, GUIBrood,
  ivar(&WarmlingObserverBrood::displayFrequency, "displayFrequency"),
  ivar(&WarmlingObserverBrood::displayActions, "displayActions"),
  ivar(&WarmlingObserverBrood::displaySchedule, "displaySchedule"),
  ivar(&WarmlingObserverBrood::warmlingModelBrood, "warmlingModelBrood"),
  ivar(&WarmlingObserverBrood::colormap, "colormap"),
  ivar(&WarmlingObserverBrood::worldRaster, "worldRaster"),
  ivar(&WarmlingObserverBrood::unhappyGraph, "unhappyGraph"),
  ivar(&WarmlingObserverBrood::heatDisplay, "heatDisplay"),
  ivar(&WarmlingObserverBrood::warmlingDisplay, "warmlingDisplay"),
  ivar(&WarmlingObserverBrood::closedWindows, "closedWindows"),
  phase(Phase::Creating),
  classMethod<&WarmlingObserverBrood::createBegin>(msg::createBegin),
  method<&WarmlingObserverBrood::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&WarmlingObserverBrood::buildObjects>(msg::buildObjects),
  method<&WarmlingObserverBrood::buildActions>(msg::buildActions),
  method<&WarmlingObserverBrood::activateIn>(msg::activateIn),
  method<&WarmlingObserverBrood::_update_>(msg::_update_),
  method<&WarmlingObserverBrood::graphBug>(msg::graphBug),
  method<&WarmlingObserverBrood::_worldRasterDeath_>(msg::_worldRasterDeath_),
  method<&WarmlingObserverBrood::_unhappyGraphDeath_>(msg::_unhappyGraphDeath_))
