#include "simtoolsgui/ClassDisplayWidget.h"

#include "defobj/brood_directory.h"
#include "defobj/defobj.h"
#include "defobj/phase.h"
#include "defobj/raise.h"
#include "objectbase/objectbase.h"
#include "simtoolsgui/ProbeDisplayManager.h"
#include "simtoolsgui/probe_rows.h"
#include "voduva/voduva.h"
#include "voduva/ClassDisplayHideButton.h"
#include "voduva/ClassDisplayLabel.h"

id ClassDisplayWidget::setOwner(id display) {
  owner = display;
  return this;
}

id ClassDisplayWidget::setMySuperclass(id section) {
  mySuperclass = section;
  return this;
}

id ClassDisplayWidget::setMySubclass(id section) {
  mySubclass = section;
  return this;
}

id ClassDisplayWidget::setMaxLabelWidth(int width) {
  maxLabelWidth = width;
  return this;
}

id ClassDisplayWidget::setClassToDisplay(Class cls) {
  theClass = cls;
  return this;
}

void ClassDisplayWidget::setParent(id widget) { parent = widget; }

id ClassDisplayWidget::setProbedObject(id object) {
  if (probedObject)
    raiseAt(InvalidCombination, "-[ClassDisplayWidget setProbedObject:]",
            "It is an error to reset the object when building a ClassDisplayWidget\n");
  probedObject = object;
  return this;
}

id ClassDisplayWidget::createEnd() {
  BroodObject::createEnd();
  id zone = getZone();
  if (!probedObject || !theClass)
    raiseAt(InvalidCombination, "-[ClassDisplayWidget createEnd]",
            "ClassDisplayWidget object was not properly initialized\n");
  widgetName = const_cast<char*>(msg::makeWidgetNameFor(parent, this));
  voduva_makeFrame(this);

  id map = msg::createBegin(objc_get_class("ProbeMap"), zone);
  msg::setProbedClass(map, theClass);
  probeMap = msg::createEnd(map);
  count = msg::getCount(probeMap);

  topRow = probeFrameIn(this);
  myTitle = msg::createParent(objc_get_class("ClassDisplayLabel"), topRow);
  msg::setText(myTitle, theClass == brood_directory_brood_class(probedObject) ? msg::getName(probedObject)
                                                                              : theClass->name);
  voduva_dragAndDrop(myTitle, this);
  id hide = msg::createBegin(objc_get_class("ClassDisplayHideButton"), zone);
  msg::setParent(hide, topRow);
  msg::setUser(hide, this);
  msg::setOwner(hide, owner);
  msg::setSubWidget(hide, mySubclass);
  hideB = msg::createEnd(hide);
  id super = msg::createBegin(objc_get_class("SuperButton"), zone);
  msg::setParent(super, topRow);
  msg::setUser(super, this);
  msg::setOwner(super, owner);
  msg::setSuperWidget(super, mySuperclass);
  superB = msg::createEnd(super);

  middleFrame = probeFrameIn(this);
  leftFrame = probeFrameIn(middleFrame);
  rightFrame = probeFrameIn(middleFrame);
  bottomFrame = probeFrameIn(this);

  widgets = count ? static_cast<id*>(msg::alloc(zone, count * sizeof(id))) : nullptr;
  count = makeProbeRows(probeMap, probedObject, {this, leftFrame, rightFrame, bottomFrame, maxLabelWidth}, widgets, count);

  msg::packToRight(superB, hideB);
  msg::packBeforeAndFillLeft_expand(myTitle, hideB, NO);
  msg::pack(topRow);
  msg::packFillLeft(leftFrame, NO);
  msg::packFillLeft(rightFrame, YES);
  msg::pack(middleFrame);
  msg::pack(bottomFrame);
  return this;
}

id ClassDisplayWidget::getProbedObject() { return probedObject; }
id ClassDisplayWidget::getProbeMap() { return probeMap; }
const char* ClassDisplayWidget::getWidgetName() { return widgetName; }

const char* ClassDisplayWidget::makeWidgetNameFor(id widget) {
  return widgetChildPath(msg::getZone(widget), widgetName, widget);
}

id ClassDisplayWidget::getTopLevel() { return msg::getTopLevel(owner); }

id ClassDisplayWidget::update() {
  for (unsigned i = 0; i < count && !msg::getMarkedForDropFlag(owner); i++) msg::update(widgets[i]);
  return this;
}

id ClassDisplayWidget::pack() {
  voduva_pack(this);
  return this;
}

// The map and its probes are the section's own.
void ClassDisplayWidget::drop() {
  for (id part : {topRow, myTitle, hideB, superB, leftFrame, rightFrame, middleFrame, bottomFrame}) msg::drop(part);
  for (unsigned i = 0; i < count; i++) msg::drop(widgets[i]);
  if (widgets) msg::free(getZone(), widgets);
  id index = msg::begin(probeMap, _obj_scratchZone);
  for (id probe = msg::next(index); msg::getLoc(index) == Member; probe = msg::next(index)) msg::drop(probe);
  msg::drop(index);
  msg::drop(probeMap);
  msg::free(getZone(), widgetName);
  BroodObject::drop();
}

void ClassDisplayWidget::armSuperButton() { msg::setActiveFlag(superB, YES); }

const char* ClassDisplayWidget::package(const char*) {
  return msg::getMarkedForDropFlag(owner) ? "" : msg::getObjectName(probedObject);
}

const char* ClassDisplayWidget::getId(const char*) {
  return msg::getMarkedForDropFlag(owner) ? "" : msg::getDisplayName(probedObject);
}

REGISTER_CLASS(ClassDisplayWidget, BroodObject,
  ivar(&ClassDisplayWidget::probedObject, "probedObject"),
  ivar(&ClassDisplayWidget::theClass, "theClass"),
  ivar(&ClassDisplayWidget::myTitle, "myTitle"),
  ivar(&ClassDisplayWidget::probeMap, "probeMap"),
  ivar(&ClassDisplayWidget::leftFrame, "leftFrame"),
  ivar(&ClassDisplayWidget::rightFrame, "rightFrame"),
  ivar(&ClassDisplayWidget::middleFrame, "middleFrame"),
  ivar(&ClassDisplayWidget::bottomFrame, "bottomFrame"),
  ivar(&ClassDisplayWidget::hideB, "hideB"),
  ivar(&ClassDisplayWidget::superB, "superB"),
  ivar(&ClassDisplayWidget::topRow, "topRow"),
  ivar(&ClassDisplayWidget::count, "count"),
  ivar(&ClassDisplayWidget::maxLabelWidth, "maxLabelWidth"),
  ivar(&ClassDisplayWidget::widgets, "widgets"),
  ivar(&ClassDisplayWidget::mySuperclass, "mySuperclass"),
  ivar(&ClassDisplayWidget::mySubclass, "mySubclass"),
  ivar(&ClassDisplayWidget::owner, "owner"),
  ivar(&ClassDisplayWidget::widgetName, "widgetName"),
  ivar(&ClassDisplayWidget::parent, "parent"),
  phase(Phase::Creating),
  method<&ClassDisplayWidget::setOwner>(msg::setOwner),
  method<&ClassDisplayWidget::setMySuperclass>(msg::setMySuperclass),
  method<&ClassDisplayWidget::setMySubclass>(msg::setMySubclass),
  method<&ClassDisplayWidget::setMaxLabelWidth>(msg::setMaxLabelWidth),
  method<&ClassDisplayWidget::setClassToDisplay>(msg::setClassToDisplay),
  method<&ClassDisplayWidget::setParent>(msg::setParent),
  method<&ClassDisplayWidget::setProbedObject>(msg::setProbedObject),
  method<&ClassDisplayWidget::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&ClassDisplayWidget::getProbedObject>(msg::getProbedObject),
  method<&ClassDisplayWidget::getProbeMap>(msg::getProbeMap),
  method<&ClassDisplayWidget::getWidgetName>(msg::getWidgetName),
  method<&ClassDisplayWidget::makeWidgetNameFor>(msg::makeWidgetNameFor),
  method<&ClassDisplayWidget::getTopLevel>(msg::getTopLevel),
  method<&ClassDisplayWidget::update>(msg::update),
  method<&ClassDisplayWidget::pack>(msg::pack),
  method<&ClassDisplayWidget::drop>(msg::drop),
  method<&ClassDisplayWidget::armSuperButton>(msg::armSuperButton),
  method<&ClassDisplayWidget::package>(msg::package),
  method<&ClassDisplayWidget::getId>(msg::getId))
