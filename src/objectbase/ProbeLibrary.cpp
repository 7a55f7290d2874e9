#include "objectbase/ProbeLibrary.h"

#include "collections/collections.h"
#include "collections/keyed_messages.h"
#include "defobj/address.h"
#include "defobj/brood_directory.h"
#include "defobj/phase.h"
#include "objectbase/objectbase.h"

id probeLibrary;

namespace {

constexpr unsigned DefaultPrecision = 6;

id asKey(Class cls) { return reinterpret_cast<id>(cls); }

}  // namespace

void initProbing() {
  static bool done = false;
  if (done) return;
  done = true;
  DefaultString = msg::create_setName(Symbol, _obj_globalZone, "DefaultString");
  CharString = msg::create_setName(Symbol, _obj_globalZone, "CharString");
  IntString = msg::create_setName(Symbol, _obj_globalZone, "IntString");
  probeLibrary = msg::create(objc_get_class("ProbeLibrary"), _obj_globalZone);
}

// Classes are keyed by identity: a class object answers no compare:.
id ProbeLibrary::createEnd() {
  sigFigsDisplay = sigFigsSaved = DefaultPrecision;
  classMap = msg::createBegin(Map, getZone());
  msg::setCompareIDs(classMap);
  classMap = msg::createEnd(classMap);
  return CreateDrop::createEnd();
}

void ProbeLibrary::setDisplayPrecision(unsigned digits) { sigFigsDisplay = digits; }
unsigned ProbeLibrary::getDisplayPrecision() { return sigFigsDisplay; }
void ProbeLibrary::setSavedPrecision(unsigned digits) { sigFigsSaved = digits; }
unsigned ProbeLibrary::getSavedPrecision() { return sigFigsSaved; }

BOOL ProbeLibrary::isProbeMapDefinedFor(Class cls) { return msg::containsKey(classMap, asKey(cls)); }

// Maps are registered per class: only foreign proxies, which this program
// never makes, would have maps of their own.
BOOL ProbeLibrary::isProbeMapDefinedForObject(id object) {
  return isProbeMapDefinedFor(brood_directory_brood_class(object));
}

id ProbeLibrary::newMap(const char* kind, Class cls) {
  id map = msg::createBegin(objc_get_class(kind), getZone());
  msg::setProbedClass(map, cls);
  if (objectToNotify) msg::setObjectToNotify(map, objectToNotify);
  return msg::createEnd(map);
}

id ProbeLibrary::getProbeMapFor(Class cls) {
  if (id map = msg::at(classMap, asKey(cls))) return map;
  id map = newMap("ProbeMap", cls);
  msg::at_insert(classMap, asKey(cls), map);
  return map;
}

id ProbeLibrary::getProbeMapForObject(id object) {
  return object ? getProbeMapFor(brood_directory_brood_class(object)) : nil;
}

id ProbeLibrary::getCompleteProbeMapFor(Class cls) { return newMap("CompleteProbeMap", cls); }

id ProbeLibrary::getCompleteProbeMapForObject(id object) {
  return getCompleteProbeMapFor(brood_directory_brood_class(object));
}

id ProbeLibrary::getCompleteVarMapFor(Class cls) { return newMap("CompleteVarMap", cls); }

id ProbeLibrary::getCompleteVarMapForObject(id object) {
  return getCompleteVarMapFor(brood_directory_brood_class(object));
}

id ProbeLibrary::getProbeForVariable_inClass(const char* name, Class cls) {
  return msg::getProbeForVariable(getProbeMapFor(cls), name);
}

id ProbeLibrary::getProbeForVariable_inObject(const char* name, id object) {
  return msg::getProbeForVariable(getProbeMapForObject(object), name);
}

id ProbeLibrary::getProbeForMessage_inClass(const char* name, Class cls) {
  return msg::getProbeForMessage(getProbeMapFor(cls), name);
}

id ProbeLibrary::getProbeForMessage_inObject(const char* name, id object) {
  return msg::getProbeForMessage(getProbeMapForObject(object), name);
}

// The map it replaces stays alive: displays may still show it.
void ProbeLibrary::setProbeMap_For(id map, Class cls) {
  if (objectToNotify) msg::setObjectToNotify(map, objectToNotify);
  if (!msg::at_replace(classMap, asKey(cls), map)) msg::at_insert(classMap, asKey(cls), map);
}

void ProbeLibrary::setProbeMap_ForObject(id map, id object) {
  setProbeMap_For(map, brood_directory_brood_class(object));
}

void ProbeLibrary::setObjectToNotify(id object) {
  if (object && !msg::respondsTo(object, msg::eventOccurredOn_via_withProbeType_on_ofType_withData.sel)) {
    char address[AddressTextSize];
    msg::raiseEvent(NotImplemented, "Object %s of class %s does not implement standard probe hook message.\n",
                    formatAddress(address, object), msg::getName(object));
  }
  objectToNotify = object;
}

id ProbeLibrary::getObjectToNotify() { return objectToNotify; }

REGISTER_CLASS(ProbeLibrary, CreateDrop,
  ivar(&ProbeLibrary::objectToNotify, "objectToNotify"),
  ivar(&ProbeLibrary::classMap, "classMap"),
  ivar(&ProbeLibrary::sigFigsDisplay, "sigFigsDisplay"),
  ivar(&ProbeLibrary::sigFigsSaved, "sigFigsSaved"),
  phase(Phase::Creating),
  method<&ProbeLibrary::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&ProbeLibrary::setDisplayPrecision>(msg::setDisplayPrecision),
  method<&ProbeLibrary::getDisplayPrecision>(msg::getDisplayPrecision),
  method<&ProbeLibrary::setSavedPrecision>(msg::setSavedPrecision),
  method<&ProbeLibrary::getSavedPrecision>(msg::getSavedPrecision),
  method<&ProbeLibrary::isProbeMapDefinedFor>(msg::isProbeMapDefinedFor),
  method<&ProbeLibrary::isProbeMapDefinedForObject>(msg::isProbeMapDefinedForObject),
  method<&ProbeLibrary::getProbeMapFor>(msg::getProbeMapFor),
  method<&ProbeLibrary::getProbeMapForObject>(msg::getProbeMapForObject),
  method<&ProbeLibrary::getCompleteProbeMapFor>(msg::getCompleteProbeMapFor),
  method<&ProbeLibrary::getCompleteProbeMapForObject>(msg::getCompleteProbeMapForObject),
  method<&ProbeLibrary::getCompleteVarMapFor>(msg::getCompleteVarMapFor),
  method<&ProbeLibrary::getCompleteVarMapForObject>(msg::getCompleteVarMapForObject),
  method<&ProbeLibrary::getProbeForVariable_inClass>(msg::getProbeForVariable_inClass),
  method<&ProbeLibrary::getProbeForVariable_inObject>(msg::getProbeForVariable_inObject),
  method<&ProbeLibrary::getProbeForMessage_inClass>(msg::getProbeForMessage_inClass),
  method<&ProbeLibrary::getProbeForMessage_inObject>(msg::getProbeForMessage_inObject),
  method<&ProbeLibrary::setProbeMap_For>(msg::setProbeMap_For),
  method<&ProbeLibrary::setProbeMap_ForObject>(msg::setProbeMap_ForObject),
  method<&ProbeLibrary::setObjectToNotify>(msg::setObjectToNotify),
  method<&ProbeLibrary::getObjectToNotify>(msg::getObjectToNotify))
