#include "simtoolsgui/SimpleProbeDisplay.h"

#include "defobj/defobj.h"
#include "defobj/phase.h"
#include "objectbase/objectbase.h"
#include "simtoolsgui/ProbeDisplayManager.h"
#include "simtoolsgui/probe_rows.h"
#include "simtoolsgui/simtoolsgui.h"
#include "voduva/voduva.h"
#include "voduva/ClassDisplayHideButton.h"
#include "voduva/ClassDisplayLabel.h"

id SimpleProbeDisplay::setProbeMap(id map) {
  probeMap = map;
  return this;
}

id SimpleProbeDisplay::createEnd() {
  count = msg::getCount(probeMap);
  SingleProbeDisplay::createEnd();
  id zone = getZone();

  top_top_Frame = probeFrameIn(topFrame);
  id raised = msg::createBegin(objc_get_class("Frame"), zone);
  msg::setParent(raised, top_top_Frame);
  msg::setReliefFlag(raised, YES);
  raisedFrame = msg::createEnd(raised);
  id label = msg::createBegin(objc_get_class("CompleteProbeDisplayLabel"), zone);
  msg::setParent(label, raisedFrame);
  msg::setTargetWidget(label, this);
  msg::setProbedObject(label, probedObject);
  title = msg::createEnd(label);
  msg::setText(title, msg::getDisplayName(probedObject));
  id hide = msg::createBegin(objc_get_class("SimpleProbeDisplayHideButton"), zone);
  msg::setParent(hide, top_top_Frame);
  msg::setProbeDisplay(hide, this);
  hideB = msg::createEnd(hide);
  msg::packBeforeAndFillLeft_expand(raisedFrame, hideB, NO);

  middleFrame = probeFrameIn(topFrame);
  leftFrame = probeFrameIn(middleFrame);
  rightFrame = probeFrameIn(middleFrame);
  bottomFrame = probeFrameIn(topFrame);

  widgets = count ? static_cast<id*>(msg::alloc(zone, count * sizeof(id))) : nullptr;
  count = makeProbeRows(probeMap, probedObject, {topFrame, leftFrame, rightFrame, bottomFrame, 0}, widgets, count);
  if (!count) {
    emptyLabel = msg::createParent(objc_get_class("Label"), topFrame);
    msg::setText(emptyLabel, "No Instance Variables or Messages.");
    msg::pack(emptyLabel);
  }

  msg::packFill(top_top_Frame);
  msg::packFillLeft(leftFrame, NO);
  msg::packFillLeft(rightFrame, YES);
  msg::pack(middleFrame);
  msg::pack(bottomFrame);
  return install();
}

id SimpleProbeDisplay::getProbeMap() { return probeMap; }

id SimpleProbeDisplay::update() {
  ProbeDisplaysBusy busy;
  for (unsigned i = 0; i < count && !markedForDropFlag; i++) msg::update(widgets[i]);
  return this;
}

void SimpleProbeDisplay::drop() {
  msg::drop(hideB);
  msg::drop(title);
  for (id frame : {leftFrame, rightFrame, middleFrame, bottomFrame}) msg::drop(frame);
  for (unsigned i = 0; i < count; i++) msg::drop(widgets[i]);
  if (widgets) msg::free(getZone(), widgets);
  if (emptyLabel) msg::drop(emptyLabel);
  msg::drop(raisedFrame);
  msg::drop(top_top_Frame);
  SingleProbeDisplay::drop();
}

REGISTER_CLASS(SimpleProbeDisplay, SingleProbeDisplay,
  ivar(&SimpleProbeDisplay::probeMap, "probeMap"),
  ivar(&SimpleProbeDisplay::top_top_Frame, "top_top_Frame"),
  ivar(&SimpleProbeDisplay::raisedFrame, "raisedFrame"),
  ivar(&SimpleProbeDisplay::leftFrame, "leftFrame"),
  ivar(&SimpleProbeDisplay::rightFrame, "rightFrame"),
  ivar(&SimpleProbeDisplay::middleFrame, "middleFrame"),
  ivar(&SimpleProbeDisplay::bottomFrame, "bottomFrame"),
  ivar(&SimpleProbeDisplay::title, "title"),
  ivar(&SimpleProbeDisplay::hideB, "hideB"),
  ivar(&SimpleProbeDisplay::count, "count"),
  ivar(&SimpleProbeDisplay::widgets, "widgets"),
  ivar(&SimpleProbeDisplay::emptyLabel, "emptyLabel"),
  phase(Phase::Creating),
  method<&SimpleProbeDisplay::setProbeMap>(msg::setProbeMap),
  method<&SimpleProbeDisplay::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&SimpleProbeDisplay::getProbeMap>(msg::getProbeMap),
  method<&SimpleProbeDisplay::update>(msg::update),
  method<&SimpleProbeDisplay::drop>(msg::drop))
