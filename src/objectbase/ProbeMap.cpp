#include "objectbase/ProbeMap.h"

#include <cstring>

#include "collections/collections.h"
#include "collections/keyed_messages.h"
#include "collections/stream_messages.h"
#include "defobj/address.h"
#include "defobj/brood_directory.h"
#include "defobj/phase.h"
#include "misc/debugabort.h"
#include "objectbase/notify_targets.h"
#include "objectbase/objectbase.h"

namespace {

// Never "greater": every new name goes after the present ones, so the map
// keeps the order of insertion and holds each name once.
int p_compare(id a, id b) { return msg::compare(a, b) == 0 ? 0 : -1; }

const char* classNameOf(Class cls) { return cls ? cls->name : "nil"; }

// YES when ancestor is cls or one of its superclasses.
bool descendsFrom(Class cls, Class ancestor) {
  for (Class c = cls; c; c = brood_directory_superclass(c))
    if (c == ancestor) return true;
  return false;
}

// The phase markers in a method table belong to the class's creation
// protocol, not to its methods.
bool isPhaseMarker(SEL sel) { return std::strncmp(sel_get_name(sel), "_I_", 3) == 0; }

}  // namespace

const char* probeName(id probe) {
  return msg::respondsTo(probe, msg::getProbedVariable.sel) ? msg::getProbedVariable(probe)
                                                           : msg::getProbedMessage(probe);
}

// --- creating ---

id ProbeMap::setProbedClass(Class cls) {
  if (probedClass) {
    msg::raiseEvent(WarningMessage, "It is an error to reset the class\n");
    return nil;
  }
  probedClass = cls;
  return this;
}

id ProbeMap::setProbedObject(id object) {
  probedObject = object;
  return msg::setProbedClass(this, brood_directory_brood_class(object));
}

bool ProbeMap::prepare(const char* kind) {
  probes = msg::createBegin(Map, getZone());
  msg::setCompareFunction(probes, p_compare);
  probes = msg::createEnd(probes);
  if (probedClass) return true;
  msg::raiseEvent(WarningMessage, "%s object was not properly initialized\n", kind);
  return false;
}

id ProbeMap::createEnd() {
  BroodObject::createEnd();
  if (!objectToNotify)
    if (id target = msg::getObjectToNotify(probeLibrary)) setObjectToNotify(target);
  if (prepare("ProbeMap")) {
    msg::addObjcFields(this, probedClass);
    msg::addObjcMethods(this, probedClass);
  }
  return this;
}

void ProbeMap::fillFromChain(Class cls, bool withMethods) {
  if (!cls) return;
  fillFromChain(brood_directory_superclass(cls), withMethods);
  msg::addObjcFields(this, cls);
  if (withMethods) msg::addObjcMethods(this, cls);
}

id DefaultProbeMap::createEnd() {
  BroodObject::createEnd();
  if (prepare("DefaultProbeMap")) msg::addObjcFields(this, probedClass);
  return this;
}

id CompleteProbeMap::createEnd() {
  BroodObject::createEnd();
  if (prepare("CompleteProbeMap")) fillFromChain(probedClass, true);
  return this;
}

id CompleteVarMap::createEnd() {
  BroodObject::createEnd();
  if (prepare("CompleteVarMap")) fillFromChain(probedClass, false);
  return this;
}

// --- filling from the runtime's tables ---

void ProbeMap::insert(id probe, const char* name) {
  id key = msg::create_setC(String, getZone(), name);
  if (msg::at_insert(probes, key, probe)) {
    count++;
  } else {
    msg::drop(probe);
    msg::drop(key);
  }
}

void ProbeMap::addObjcFields(Class cls) {
  objc_ivar_list* list = cls->ivarList;
  for (int i = 0; list && i < list->ivar_count; i++) {
    id probe = msg::createBegin(objc_get_class("VarProbe"), getZone());
    msg::setProbedClass(probe, cls);
    msg::setProbedVariable(probe, list->ivar_list[i].ivar_name);
    if (objectToNotify) msg::setObjectToNotify(probe, objectToNotify);
    if ((probe = msg::createEnd(probe))) insert(probe, list->ivar_list[i].ivar_name);
  }
}

// Only the first method list: categories add their methods in lists of
// their own.
void ProbeMap::addObjcMethods(Class cls) {
  objc_method_list* list = cls->methodList;
  for (int i = 0; list && i < list->method_count; i++) {
    const SEL sel = list->method_list[i].method_name;
    if (isPhaseMarker(sel)) continue;
    id probe = msg::createBegin(objc_get_class("MessageProbe"), getZone());
    msg::setProbedClass(probe, cls);
    msg::setProbedSelector(probe, sel);
    if (objectToNotify) msg::setObjectToNotify(probe, objectToNotify);
    if ((probe = msg::createEnd(probe))) insert(probe, msg::getProbedMessage(probe));
  }
}

// --- adding and dropping probes ---

id ProbeMap::probeNamed(const char* name) {
  id key = msg::create_setC(String, _obj_scratchZone, name);
  id probe = msg::at(probes, key);
  msg::drop(key);
  return probe;
}

void ProbeMap::insertShared(id probe, bool checkClass) {
  const char* name = probeName(probe);
  if (probeNamed(name)) msg::raiseEvent(WarningMessage, "addProbe: There was already a probe for %s!!!\n", name);
  const Class probeClass = msg::getProbedClass(probe);
  if (checkClass && !descendsFrom(probedClass, probeClass)) {
    msg::raiseEvent(WarningMessage, "Probe not added to ProbeMap because %s is not a superclass of %s\n",
                    classNameOf(probeClass), classNameOf(probedClass));
    return;
  }
  id key = msg::create_setC(String, getZone(), name);
  if (msg::at_insert(probes, key, probe)) count++;
  else msg::drop(key);
  if (objectToNotify) msg::setObjectToNotify(probe, objectToNotify);
}

void ProbeMap::addProbe(id probe) {
  if (!probe) {
    msg::raiseEvent(WarningMessage, "Attempt to add null probe\n");
    return;
  }
  insertShared(probe, true);
}

void ProbeMap::addProbeMap(id map) {
  const Class other = msg::getProbedClass(map);
  if (!descendsFrom(probedClass, other)) {
    msg::raiseEvent(WarningMessage, "ProbeMap not added because %s is not a superclass of %s\n",
                    classNameOf(other), classNameOf(probedClass));
    return;
  }
  id index = msg::begin(map, _obj_scratchZone);
  while (id probe = msg::next(index)) insertShared(probe, false);
  msg::drop(index);
}

// The probe stays alive: other maps may hold it.
void ProbeMap::removeNamed(const char* name, const char* function) {
  id index = msg::begin(probes, _obj_scratchZone);
  while (msg::next(index)) {
    id key = msg::getKey(index);
    if (std::strcmp(msg::getC(key), name) == 0) {
      msg::remove_(index);
      msg::drop(key);
      msg::drop(index);
      count--;
      return;
    }
  }
  debugabort(__FILE_NAME__, __LINE__, function);
}

void ProbeMap::dropProbeForVariable(const char* name) { removeNamed(name, "-[ProbeMap dropProbeForVariable:]"); }

void ProbeMap::dropProbeForMessage(const char* name) { removeNamed(name, "-[ProbeMap dropProbeForMessage:]"); }

void ProbeMap::dropProbeMap(id map) {
  id index = msg::begin(map, _obj_globalZone);
  while (id probe = msg::next(index)) removeNamed(probeName(probe), "-[ProbeMap dropProbeMap:]");
  msg::drop(index);
}

// --- using ---

unsigned ProbeMap::getCount() { return count; }
Class ProbeMap::getProbedClass() { return probedClass; }
id ProbeMap::begin(id zone) { return msg::begin(probes, zone); }

id ProbeMap::getProbeForVariable(const char* name) {
  id probe = probeNamed(name);
  return probe && msg::respondsTo(probe, msg::getProbedVariable.sel) ? probe : nil;
}

id ProbeMap::getProbeForMessage(const char* name) {
  id probe = probeNamed(name);
  return probe && !msg::respondsTo(probe, msg::getProbedVariable.sel) ? probe : nil;
}

id ProbeMap::clone(id zone) {
  auto* copy = static_cast<ProbeMap*>(msg::createBegin(objc_get_class("ProbeMap"), zone));
  copy->probedClass = probedClass;
  if (!copy->prepare("ProbeMap")) {
    msg::drop(copy);
    return nil;
  }
  copy->CreateDrop::createEnd();
  id index = msg::begin(probes, _obj_scratchZone);
  while (id probe = msg::next(index)) {
    id probeCopy = msg::clone(probe, zone);
    copy->insert(probeCopy, probeName(probeCopy));
  }
  msg::drop(index);
  return copy;
}

// The targets become every earlier one, the library's and the new ones,
// each once, in that order; a List holds them when there are several.
void ProbeMap::setObjectToNotify(id object) {
  if (!object) return;
  if (!msg::respondsTo(object, msg::eventOccurredOn_via_withProbeType_on_ofType_withData.sel) &&
      !msg::respondsTo(object, msg::forEach.sel)) {
    char address[AddressTextSize];
    msg::raiseEvent(NotImplemented, "Object %s of class %s does not implement standard probe hook message.\n",
                    formatAddress(address, object), msg::getName(object));
  }
  id all = msg::create(List, getZone());
  addTargets(all, objectToNotify);
  addTargets(all, msg::getObjectToNotify(probeLibrary));
  addTargets(all, object);
  if (msg::getCount(all) > 1) {
    objectToNotify = all;
    return;
  }
  objectToNotify = msg::getFirst(all);
  msg::drop(all);
}

id ProbeMap::getObjectToNotify() { return objectToNotify; }

void ProbeMap::describeForEach(id) {
  id index = msg::begin(probes, _obj_scratchZone);
  while (id probe = msg::next(index)) msg::xprint_(probe);
  msg::drop(index);
}

// The keys are the map's own; the probes are not.
void ProbeMap::drop() {
  if (probes) {
    id index = msg::begin(probes, _obj_scratchZone);
    while (msg::next(index)) msg::drop(msg::getKey(index));
    msg::drop(index);
    msg::drop(probes);
  }
  BroodObject::drop();
}

REGISTER_CLASS(ProbeMap, BroodObject,
  ivar(&ProbeMap::probedClass, "probedClass"),
  ivar(&ProbeMap::probedObject, "probedObject"),
  ivar(&ProbeMap::count, "count"),
  ivar(&ProbeMap::probes, "probes"),
  ivar(&ProbeMap::objectToNotify, "objectToNotify"),
  phase(Phase::Creating),
  method<&ProbeMap::setProbedClass>(msg::setProbedClass),
  method<&ProbeMap::setProbedObject>(msg::setProbedObject),
  method<&ProbeMap::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&ProbeMap::getCount>(msg::getCount),
  method<&ProbeMap::getProbedClass>(msg::getProbedClass),
  method<&ProbeMap::addProbe>(msg::addProbe),
  method<&ProbeMap::addProbeMap>(msg::addProbeMap),
  method<&ProbeMap::dropProbeForVariable>(msg::dropProbeForVariable),
  method<&ProbeMap::dropProbeForMessage>(msg::dropProbeForMessage),
  method<&ProbeMap::dropProbeMap>(msg::dropProbeMap),
  method<&ProbeMap::begin>(msg::begin),
  method<&ProbeMap::clone>(msg::clone),
  method<&ProbeMap::getProbeForVariable>(msg::getProbeForVariable),
  method<&ProbeMap::getProbeForMessage>(msg::getProbeForMessage),
  method<&ProbeMap::setObjectToNotify>(msg::setObjectToNotify),
  method<&ProbeMap::getObjectToNotify>(msg::getObjectToNotify),
  method<&ProbeMap::describeForEach>(msg::describeForEach),
  method<&ProbeMap::addObjcFields>(msg::addObjcFields),
  method<&ProbeMap::addObjcMethods>(msg::addObjcMethods),
  method<&ProbeMap::drop>(msg::drop))

REGISTER_CLASS(DefaultProbeMap, ProbeMap,
  phase(Phase::Creating),
  method<&DefaultProbeMap::createEnd>(msg::createEnd))

REGISTER_CLASS(CompleteProbeMap, ProbeMap,
  phase(Phase::Creating),
  method<&CompleteProbeMap::createEnd>(msg::createEnd))

REGISTER_CLASS(CompleteVarMap, ProbeMap,
  phase(Phase::Creating),
  method<&CompleteVarMap::createEnd>(msg::createEnd))
