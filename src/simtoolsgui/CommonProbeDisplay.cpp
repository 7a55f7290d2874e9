#include "simtoolsgui/CommonProbeDisplay.h"

#include "defobj/Archiver.h"
#include "defobj/defobj.h"
#include "defobj/phase.h"
#include "defobj/raise.h"
#include "defobj/zstrdup.h"
#include "simtoolsgui/ProbeDisplayManager.h"
#include "simtoolsgui/simtoolsgui.h"
#include "voduva/voduva.h"
#include "voduva/ProbeCanvas.h"

id CommonProbeDisplay::setWindowGeometryRecordName(const char* name) {
  if (windowGeometryRecordName) msg::free(getZone(), windowGeometryRecordName);
  windowGeometryRecordName = name ? zstrdup(getZone(), name) : nullptr;
  return this;
}

id CommonProbeDisplay::setSaveSizeFlag(BOOL flag) {
  saveSizeFlag = flag;
  return this;
}

id CommonProbeDisplay::createEnd() {
  BroodObject::createEnd();
  id zone = getZone();
  id top = msg::createBegin(objc_get_class("Frame"), zone);
  msg::setWindowGeometryRecordName(top, windowGeometryRecordName);
  msg::setSaveSizeFlag(top, saveSizeFlag);
  topLevel = msg::createEnd(top);
  msg::enableDestroyNotification_notificationMethod(topLevel, this, msg::markForDrop.sel);
  msg::withdraw(topLevel);
  id frame = msg::createParent(objc_get_class("Frame"), topLevel);
  id c = msg::createBegin(objc_get_class("ProbeCanvas"), zone);
  msg::setParent(c, frame);
  msg::setHorizontalScrollbarFlag(c, horizontalScrollbarFlag);
  canvas = msg::createEnd(c);
  msg::pack(frame);
  id content = msg::createBegin(objc_get_class("Frame"), zone);
  msg::setParent(content, canvas);
  msg::setBorderWidth(content, 0);
  topFrame = msg::createEnd(content);
  msg::addWidget_X_Y_centerFlag(canvas, topFrame, 0, 0, NO);
  markedForDropFlag = NO;
  return this;
}

id CommonProbeDisplay::install() {
  msg::deiconify(topLevel);
  msg::checkGeometry(canvas, topFrame);
  msg::addProbeDisplay(probeDisplayManager, this);
  return this;
}

// The window goes at once, so that no binding of it can call a row whose
// object may be gone; the objects go when no callback of theirs runs. The
// archive keeps the geometry the window had when it was last saved.
id CommonProbeDisplay::markForDrop() {
  if (markedForDropFlag) return this;
  markedForDropFlag = YES;
  msg::disableDestroyNotification(topLevel);
  msg::unregisterClient(lispArchiver, topLevel);
  if (!msg::getDestroyedFlag(topLevel)) msg::eval(globalTkInterp, "destroy %s", msg::getWidgetName(topLevel));
  if (msg::getDropImmediatelyFlag(probeDisplayManager)) dropMarkedProbeDisplaysSoon();
  return this;
}

id CommonProbeDisplay::update() {
  subclassResponsibility(msg::update.sel);
  return this;
}

BOOL CommonProbeDisplay::getMarkedForDropFlag() { return markedForDropFlag; }
id CommonProbeDisplay::getTopLevel() { return topLevel; }

void CommonProbeDisplay::drop() {
  id frame = msg::getParent(canvas);
  msg::drop(topFrame);
  msg::drop(canvas);
  msg::drop(frame);
  msg::drop(topLevel);
  if (windowGeometryRecordName) msg::free(getZone(), windowGeometryRecordName);
  BroodObject::drop();
}

id SingleProbeDisplay::setProbedObject(id object) {
  probedObject = object;
  return this;
}

id SingleProbeDisplay::setRemoveRef(BOOL flag) {
  removeRef = flag;
  return this;
}

id SingleProbeDisplay::setObjectRef(ref_t ref) {
  objectRef = ref;
  return this;
}

id SingleProbeDisplay::createEnd() {
  CommonProbeDisplay::createEnd();
  msg::setWindowTitle(topLevel, msg::getDisplayName(probedObject));
  return this;
}

id SingleProbeDisplay::getProbedObject() { return probedObject; }

// A marked display's object may be gone.
const char* SingleProbeDisplay::getId(const char*) {
  return markedForDropFlag ? "" : msg::getDisplayName(probedObject);
}

const char* SingleProbeDisplay::package(const char*) {
  return markedForDropFlag ? "" : msg::getObjectName(probedObject);
}

void SingleProbeDisplay::drop() {
  msg::removeProbeDisplay(probeDisplayManager, this);
  if (removeRef) msg::removeRef(probedObject, objectRef);
  CommonProbeDisplay::drop();
}

REGISTER_CLASS(CommonProbeDisplay, BroodObject,
  ivar(&CommonProbeDisplay::topLevel, "topLevel"),
  ivar(&CommonProbeDisplay::topFrame, "topFrame"),
  ivar(&CommonProbeDisplay::canvas, "canvas"),
  ivar(&CommonProbeDisplay::horizontalScrollbarFlag, "horizontalScrollbarFlag"),
  ivar(&CommonProbeDisplay::markedForDropFlag, "markedForDropFlag"),
  ivar(&CommonProbeDisplay::windowGeometryRecordName, "windowGeometryRecordName"),
  ivar(&CommonProbeDisplay::saveSizeFlag, "saveSizeFlag"),
  phase(Phase::Creating),
  method<&CommonProbeDisplay::setWindowGeometryRecordName>(msg::setWindowGeometryRecordName),
  method<&CommonProbeDisplay::setSaveSizeFlag>(msg::setSaveSizeFlag),
  method<&CommonProbeDisplay::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&CommonProbeDisplay::install>(msg::install),
  method<&CommonProbeDisplay::markForDrop>(msg::markForDrop),
  method<&CommonProbeDisplay::update>(msg::update),
  method<&CommonProbeDisplay::getMarkedForDropFlag>(msg::getMarkedForDropFlag),
  method<&CommonProbeDisplay::getTopLevel>(msg::getTopLevel),
  method<&CommonProbeDisplay::drop>(msg::drop))

REGISTER_CLASS(SingleProbeDisplay, CommonProbeDisplay,
  ivar(&SingleProbeDisplay::probedObject, "probedObject"),
  ivar(&SingleProbeDisplay::removeRef, "removeRef"),
  ivar(&SingleProbeDisplay::objectRef, "objectRef"),
  phase(Phase::Creating),
  method<&SingleProbeDisplay::setProbedObject>(msg::setProbedObject),
  method<&SingleProbeDisplay::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&SingleProbeDisplay::setRemoveRef>(msg::setRemoveRef),
  method<&SingleProbeDisplay::setObjectRef>(msg::setObjectRef),
  method<&SingleProbeDisplay::getProbedObject>(msg::getProbedObject),
  method<&SingleProbeDisplay::getId>(msg::getId),
  method<&SingleProbeDisplay::package>(msg::package),
  method<&SingleProbeDisplay::drop>(msg::drop))
