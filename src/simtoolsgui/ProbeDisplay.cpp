#include "simtoolsgui/ProbeDisplay.h"

#include "defobj/defobj.h"
#include "defobj/phase.h"
#include "defobj/raise.h"
#include "simtoolsgui/simtoolsgui.h"
#include "voduva/voduva.h"

namespace {

void setOnce(id* field, id value, const char* function) {
  if (*field)
    raiseAt(InvalidCombination, function, "It is an error to reset the object when building a ProbeDisplay\n");
  *field = value;
}

}  // namespace

id ProbeDisplay::setProbedObject(id object) {
  setOnce(&probedObject, object, "-[ProbeDisplay setProbedObject:]");
  return this;
}

id ProbeDisplay::setProbeMap(id map) {
  setOnce(&probeMap, map, "-[ProbeDisplay setProbeMap:]");
  return this;
}

id ProbeDisplay::setWindowGeometryRecordName(const char* name) {
  windowGeometryRecordName = name;
  return this;
}

id ProbeDisplay::createEnd() {
  if (!probedObject)
    raiseAt(InvalidCombination, "-[ProbeDisplay createEnd]", "ProbeDisplay object was not properly initialized\n");
  voduva_updateIdleTasks();
  id display = msg::createBegin(objc_get_class(probeMap ? "SimpleProbeDisplay" : "CompleteProbeDisplay"), getZone());
  if (probeMap) msg::setProbeMap(display, probeMap);
  msg::setWindowGeometryRecordName(display, windowGeometryRecordName);
  msg::setProbedObject(display, probedObject);
  display = msg::createEnd(display);
  msg::setObjectRef(display, msg::addRef_withArgument(probedObject, notifyObjectDropped, display));
  msg::setRemoveRef(display, YES);
  drop();
  return display;
}

id ProbeDisplay::getProbedObject() { return probedObject; }
id ProbeDisplay::getProbeMap() { return probeMap; }

// The object's references are going with it: the display must not remove
// its own.
void notifyObjectDropped(id, id, void* display) {
  msg::setRemoveRef(static_cast<id>(display), NO);
  msg::markForDrop(static_cast<id>(display));
}

REGISTER_CLASS(ProbeDisplay, BroodObject,
  ivar(&ProbeDisplay::probedObject, "probedObject"),
  ivar(&ProbeDisplay::probeMap, "probeMap"),
  ivar(&ProbeDisplay::windowGeometryRecordName, "windowGeometryRecordName"),
  phase(Phase::Creating),
  method<&ProbeDisplay::setProbedObject>(msg::setProbedObject),
  method<&ProbeDisplay::setProbeMap>(msg::setProbeMap),
  method<&ProbeDisplay::setWindowGeometryRecordName>(msg::setWindowGeometryRecordName),
  method<&ProbeDisplay::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&ProbeDisplay::getProbedObject>(msg::getProbedObject),
  method<&ProbeDisplay::getProbeMap>(msg::getProbeMap))
