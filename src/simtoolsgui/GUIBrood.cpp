#include "simtoolsgui/GUIBrood.h"

#include "defobj/phase.h"
#include "defobj/zstrdup.h"
#include "simtoolsgui/simtoolsgui.h"

id GUIBrood::setWindowGeometryRecordName(const char* name) {
  if (baseWindowGeometryRecordName) msg::free(getZone(), baseWindowGeometryRecordName);
  baseWindowGeometryRecordName = name ? zstrdup(getZone(), name) : nullptr;
  return this;
}

id GUIBrood::setSaveSizeFlag(BOOL flag) {
  saveSizeFlag = flag;
  return this;
}

id GUIBrood::buildObjects() {
  Brood::buildObjects();
  controlPanel = msg::create(objc_get_class("ControlPanel"), this);
  id cache = msg::createBegin(objc_get_class("ActionCache"), this);
  setWindowGeometryRecordNameForComponent_widget("actionCache", cache);
  msg::setSaveSizeFlag(cache, saveSizeFlag);
  msg::setControlPanel(cache, controlPanel);
  actionCache = msg::createEnd(cache);
  return this;
}

// The cache's delivery schedule is merged first, so each step's requests
// reach the panel before the model's actions run.
id GUIBrood::activateIn(id context) {
  Brood::activateIn(context);
  msg::setScheduleContext(actionCache, this);
  return msg::getActivity(this);
}

id GUIBrood::go() { return msg::startInActivity(controlPanel, msg::getActivity(this)); }
id GUIBrood::getControlPanel() { return controlPanel; }
id GUIBrood::getActionCache() { return actionCache; }

id GUIBrood::setWindowGeometryRecordNameForComponent_widget(const char* name, id widget) {
  char* recordName = buildWindowGeometryRecordName(baseWindowGeometryRecordName, name);
  msg::setWindowGeometryRecordName(widget, recordName);
  if (recordName) msg::free(_obj_scratchZone, recordName);
  return this;
}

void GUIBrood::drop() {
  if (baseWindowGeometryRecordName) msg::free(getZone(), baseWindowGeometryRecordName);
  msg::drop(actionCache);
  msg::drop(controlPanel);
  Brood::drop();
}

REGISTER_CLASS(GUIBrood, Brood,
  ivar(&GUIBrood::controlPanel, "controlPanel"),
  ivar(&GUIBrood::actionCache, "actionCache"),
  ivar(&GUIBrood::baseWindowGeometryRecordName, "baseWindowGeometryRecordName"),
  ivar(&GUIBrood::saveSizeFlag, "saveSizeFlag"),
  phase(Phase::Creating),
  method<&GUIBrood::setWindowGeometryRecordName>(msg::setWindowGeometryRecordName),
  method<&GUIBrood::setSaveSizeFlag>(msg::setSaveSizeFlag),
  phase(Phase::Using),
  method<&GUIBrood::buildObjects>(msg::buildObjects),
  method<&GUIBrood::activateIn>(msg::activateIn),
  method<&GUIBrood::go>(msg::go),
  method<&GUIBrood::getControlPanel>(msg::getControlPanel),
  method<&GUIBrood::getActionCache>(msg::getActionCache),
  method<&GUIBrood::setWindowGeometryRecordNameForComponent_widget>(
      msg::setWindowGeometryRecordNameForComponent_widget),
  method<&GUIBrood::drop>(msg::drop))
