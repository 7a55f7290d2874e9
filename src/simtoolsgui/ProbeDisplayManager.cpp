#include "simtoolsgui/ProbeDisplayManager.h"

#include "collections/collections.h"
#include "defobj/defobj.h"
#include "defobj/phase.h"
#include "objectbase/objectbase.h"
#include "simtoolsgui/simtoolsgui.h"
#include "voduva/voduva.h"

namespace {

int busyDepth = 0;
bool dropPending = false, dropTimerArmed = false;

// Runs from the event loop; while some caller holds the displays, the
// last one to let go arms it again.
void dropWhenFree(ClientData) {
  dropTimerArmed = false;
  if (busyDepth || !dropPending) return;
  dropPending = false;
  if (probeDisplayManager && msg::getDropImmediatelyFlag(probeDisplayManager))
    static_cast<ProbeDisplayManager*>(probeDisplayManager)->dropMarkedProbeDisplays();
}

void armDropTimer() {
  if (dropTimerArmed) return;
  dropTimerArmed = true;
  Tcl_CreateTimerHandler(0, dropWhenFree, nullptr);
}

// The displays in the list, copied so that a display dropped while others
// are visited leaves the walk intact; the caller frees the copy.
id* snapshot(id list, unsigned* count) {
  *count = msg::getCount(list);
  auto* members = static_cast<id*>(msg::alloc(_obj_scratchZone, (*count + 1) * sizeof(id)));
  unsigned n = 0;
  id index = msg::begin(list, _obj_scratchZone);
  for (id display = msg::next(index); msg::getLoc(index) == Member; display = msg::next(index))
    members[n++] = display;
  msg::drop(index);
  return members;
}

// "ProbeDisplay-" and the caller's name: the window's archived record name.
id recordKey(const char* name) {
  id key = msg::create_setC(String, _obj_scratchZone, "ProbeDisplay-");
  msg::catC(key, name);
  return key;
}

id makeDisplay(id manager, id object, id probeMap, const char* recordName) {
  ProbeDisplaysBusy busy;
  id factory = msg::createBegin(objc_get_class("ProbeDisplay"), msg::getZone(manager));
  msg::setProbedObject(factory, object);
  if (probeMap) msg::setProbeMap(factory, probeMap);
  msg::setWindowGeometryRecordName(factory, recordName);
  return msg::createEnd(factory);
}

// Runs make with the record name for name (null without one).
template <class Make>
id withRecordName(const char* name, Make make) {
  if (!name) return make(static_cast<const char*>(nullptr));
  id key = recordKey(name);
  id display = make(msg::getC(key));
  msg::drop(key);
  return display;
}

}  // namespace

id ProbeDisplayManager::createEnd() {
  BroodObject::createEnd();
  probeList = msg::create(List, getZone());
  dropImmediatelyFlag = YES;
  return this;
}

BOOL ProbeDisplayManager::getDropImmediatelyFlag() { return dropImmediatelyFlag; }

id ProbeDisplayManager::createProbeDisplayFor(id object) {
  return createArchivedProbeDisplayFor_variableName(object, nullptr);
}

id ProbeDisplayManager::createArchivedProbeDisplayFor_variableName(id object, const char* name) {
  if (!msg::isProbeMapDefinedForObject(probeLibrary, object))
    return createArchivedDefaultProbeDisplayFor_variableName(object, name);
  return withRecordName(name, [&](const char* recordName) {
    return makeDisplay(this, object, msg::getProbeMapForObject(probeLibrary, object), recordName);
  });
}

id ProbeDisplayManager::createDefaultProbeDisplayFor(id object) {
  return createArchivedDefaultProbeDisplayFor_variableName(object, nullptr);
}

id ProbeDisplayManager::createArchivedDefaultProbeDisplayFor_variableName(id object, const char* name) {
  if (!object) msg::raiseEvent(InvalidArgument, "request to make nil default probe display");
  id map = msg::createBegin(objc_get_class("DefaultProbeMap"), msg::getZone(object));
  msg::setProbedObject(map, object);
  msg::setObjectToNotify(map, msg::getObjectToNotify(probeLibrary));
  map = msg::createEnd(map);
  msg::setProbeMap_ForObject(probeLibrary, map, object);
  return withRecordName(name, [&](const char* recordName) { return makeDisplay(this, object, map, recordName); });
}

id ProbeDisplayManager::createCompleteProbeDisplayFor(id object) {
  return createArchivedCompleteProbeDisplayFor_variableName(object, nullptr);
}

id ProbeDisplayManager::createArchivedCompleteProbeDisplayFor_variableName(id object, const char* name) {
  return withRecordName(name, [&](const char* recordName) { return makeDisplay(this, object, nil, recordName); });
}

id ProbeDisplayManager::addProbeDisplay(id display) {
  msg::addLast(probeList, display);
  return this;
}

id ProbeDisplayManager::removeProbeDisplay(id display) {
  msg::remove(probeList, display);
  return this;
}

// Called from a display's own callback, the displays are only marked:
// they are hidden at once and freed when that callback has returned.
id ProbeDisplayManager::dropProbeDisplaysFor(id object) {
  const bool busy = ProbeDisplaysBusy::held();
  unsigned count;
  id* displays = snapshot(probeList, &count);
  for (unsigned i = 0; i < count; i++)
    if (msg::contains(probeList, displays[i]) && msg::getProbedObject(displays[i]) == object) {
      if (busy) msg::markForDrop(displays[i]);
      else msg::drop(displays[i]);
    }
  msg::free(_obj_scratchZone, displays);
  return this;
}

// One marked display is dropped per call, so that a burst of closed windows
// costs a tick each; none while a display's callback runs.
id ProbeDisplayManager::update() {
  {
    ProbeDisplaysBusy busy;
    unsigned count;
    id* displays = snapshot(probeList, &count);
    for (unsigned i = 0; i < count; i++)
      if (msg::contains(probeList, displays[i]) && !msg::getMarkedForDropFlag(displays[i])) msg::update(displays[i]);
    msg::free(_obj_scratchZone, displays);
  }
  if (busyDepth) return this;
  id index = msg::begin(probeList, _obj_scratchZone);
  id marked = nil;
  for (id display = msg::next(index); msg::getLoc(index) == Member && !marked; display = msg::next(index))
    if (msg::getMarkedForDropFlag(display)) marked = display;
  msg::drop(index);
  if (marked) msg::drop(marked);
  return this;
}

// Displays marked while drops were deferred go as soon as they may.
id ProbeDisplayManager::setDropImmediatelyFlag(BOOL flag) {
  dropImmediatelyFlag = flag;
  if (flag) dropMarkedProbeDisplaysSoon();
  return this;
}

void ProbeDisplayManager::dropMarkedProbeDisplays() {
  unsigned count;
  id* displays = snapshot(probeList, &count);
  for (unsigned i = 0; i < count; i++)
    if (msg::contains(probeList, displays[i]) && msg::getMarkedForDropFlag(displays[i])) msg::drop(displays[i]);
  msg::free(_obj_scratchZone, displays);
}

ProbeDisplaysBusy::ProbeDisplaysBusy() { ++busyDepth; }

ProbeDisplaysBusy::~ProbeDisplaysBusy() {
  if (--busyDepth == 0 && dropPending) armDropTimer();
}

bool ProbeDisplaysBusy::held() { return busyDepth > 0; }

void dropMarkedProbeDisplaysSoon() {
  dropPending = true;
  if (!busyDepth) armDropTimer();
}

REGISTER_CLASS(ProbeDisplayManager, BroodObject,
  ivar(&ProbeDisplayManager::probeList, "probeList"),
  ivar(&ProbeDisplayManager::dropImmediatelyFlag, "dropImmediatelyFlag"),
  phase(Phase::Creating),
  method<&ProbeDisplayManager::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&ProbeDisplayManager::getDropImmediatelyFlag>(msg::getDropImmediatelyFlag),
  method<&ProbeDisplayManager::createProbeDisplayFor>(msg::createProbeDisplayFor),
  method<&ProbeDisplayManager::createArchivedProbeDisplayFor_variableName>(
      msg::createArchivedProbeDisplayFor_variableName),
  method<&ProbeDisplayManager::createDefaultProbeDisplayFor>(msg::createDefaultProbeDisplayFor),
  method<&ProbeDisplayManager::createArchivedDefaultProbeDisplayFor_variableName>(
      msg::createArchivedDefaultProbeDisplayFor_variableName),
  method<&ProbeDisplayManager::createCompleteProbeDisplayFor>(msg::createCompleteProbeDisplayFor),
  method<&ProbeDisplayManager::createArchivedCompleteProbeDisplayFor_variableName>(
      msg::createArchivedCompleteProbeDisplayFor_variableName),
  method<&ProbeDisplayManager::addProbeDisplay>(msg::addProbeDisplay),
  method<&ProbeDisplayManager::removeProbeDisplay>(msg::removeProbeDisplay),
  method<&ProbeDisplayManager::dropProbeDisplaysFor>(msg::dropProbeDisplaysFor),
  method<&ProbeDisplayManager::update>(msg::update),
  method<&ProbeDisplayManager::setDropImmediatelyFlag>(msg::setDropImmediatelyFlag))
