#include "objectbase/Probe.h"

#include <cstdlib>
#include <cstring>

#include "collections/collections.h"
#include "defobj/brood_directory.h"
#include "defobj/phase.h"
#include "objectbase/notify_targets.h"
#include "objectbase/objectbase.h"

id Probe::createBegin(Class cls, id zone) {
  auto* probe = static_cast<Probe*>(BroodObject::createBegin(cls, zone));
  probe->language = LanguageObjc;
  return probe;
}

id Probe::setProbedClass(Class cls) {
  probedClass = cls;
  return this;
}

id Probe::setProbedObject(id object) {
  probedObject = object;
  return msg::setProbedClass(this, brood_directory_brood_class(object));
}

id Probe::createEnd() {
  BroodObject::createEnd();
  stringReturnType = DefaultString;
  safety = NO;
  return this;
}

void Probe::setSafety() { safety = YES; }
void Probe::unsetSafety() { safety = NO; }

id Probe::clone(id) {
  msg::subclassResponsibility(this, msg::clone.sel);
  return nil;
}

Class Probe::getProbedClass() { return probedClass; }
const char* Probe::getProbedType() { return probedType; }

void Probe::setObjectToNotify(id object) {
  if (!object) return;
  if (!objectToNotify) {
    objectToNotify = object;
    return;
  }
  if (!isTargetCollection(objectToNotify)) {
    id list = msg::create(List, getZone());
    msg::addLast(list, objectToNotify);
    objectToNotify = list;
  }
  addTargets(objectToNotify, object);
}

id Probe::getObjectToNotify() { return objectToNotify; }

val_t Probe::guessValue(const char* text) {
  val_t value{};
  if (!text) {
    value.type = fcall_type_string;
    return value;
  }
  if (std::strcmp(text, "false") == 0 || std::strcmp(text, "true") == 0) {
    value.type = fcall_type_boolean;
    value.val.boolean = text[0] == 't';
    return value;
  }
  int stops = 0;
  bool number = true;
  for (const char* c = text; *c && number; c++) {
    if (*c == '.') number = ++stops <= 1;
    else number = (*c >= '0' && *c <= '9') || (*c == '-' && c == text);
  }
  if (!number) {
    value.type = fcall_type_string;
    value.val.string = text;
  } else if (stops) {
    value.type = fcall_type_double;
    value.val._double = std::atof(text);
  } else {
    value.type = fcall_type_sint;
    value.val.sint = std::atoi(text);
  }
  return value;
}

void Probe::release(id zone, const void* block) {
  if (block) msg::free(zone, const_cast<void*>(block));
}

void Probe::drop() {
  release(_obj_globalZone, probedType);
  BroodObject::drop();
}

REGISTER_CLASS(Probe, BroodObject,
  ivar(&Probe::probedClass, "probedClass"),
  ivar(&Probe::probedObject, "probedObject"),
  ivar(&Probe::probedType, "probedType"),
  ivar(&Probe::safety, "safety"),
  ivar(&Probe::language, "language"),
  ivar(&Probe::stringReturnType, "stringReturnType"),
  ivar(&Probe::objectToNotify, "objectToNotify"),
  phase(Phase::Creating),
  classMethod<&Probe::createBegin>(msg::createBegin),
  method<&Probe::setProbedClass>(msg::setProbedClass),
  method<&Probe::setProbedObject>(msg::setProbedObject),
  method<&Probe::createEnd>(msg::createEnd),
  phase(Phase::Setting),
  method<&Probe::setSafety>(msg::setSafety),
  method<&Probe::unsetSafety>(msg::unsetSafety),
  phase(Phase::Using),
  method<&Probe::clone>(msg::clone),
  method<&Probe::getProbedClass>(msg::getProbedClass),
  method<&Probe::getProbedType>(msg::getProbedType),
  method<&Probe::setObjectToNotify>(msg::setObjectToNotify),
  method<&Probe::getObjectToNotify>(msg::getObjectToNotify),
  method<&Probe::guessValue>(msg::guessValue),
  method<&Probe::drop>(msg::drop))
