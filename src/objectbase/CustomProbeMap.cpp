#include <cstdarg>

#include "defobj/phase.h"
#include "objectbase/ProbeMap.h"
#include "objectbase/objectbase.h"

namespace {

// The two identifier-list messages take a C argument list, so their
// implementations are written as plain functions.

id createForClass(id cls, SEL, id zone, Class probedClass, const char* identifier, ...) {
  id map = msg::createBegin(cls, zone);
  msg::setProbedClass(map, probedClass);
  if ((map = msg::createEnd(map))) {
    va_list rest;
    va_start(rest, identifier);
    static_cast<CustomProbeMap*>(map)->addIdentifiers(probedClass, identifier, rest);
    va_end(rest);
  }
  return map;
}

void addForClass(id self, SEL, Class cls, const char* identifier, ...) {
  va_list rest;
  va_start(rest, identifier);
  static_cast<CustomProbeMap*>(self)->addIdentifiers(cls, identifier, rest);
  va_end(rest);
}

}  // namespace

id CustomProbeMap::createEnd() {
  BroodObject::createEnd();
  if (prepare("ProbeMap")) return this;
  msg::drop(this);
  return nil;
}

// Variable names come first, up to the marker ":", then selector names.
void CustomProbeMap::addIdentifiers(Class cls, const char* identifier, va_list rest) {
  bool selectors = false;
  for (; identifier; identifier = va_arg(rest, const char*)) {
    if (!selectors && identifier[0] == ':') {
      selectors = true;
    } else if (!selectors) {
      msg::addProbe(this, msg::getProbeForVariable_inClass(probeLibrary, identifier, cls));
    } else if (id probe = msg::getProbeForMessage_inClass(probeLibrary, identifier, cls)) {
      msg::setHideResult(probe, NO);
      msg::addProbe(this, probe);
    } else {
      msg::raiseEvent(WarningMessage, "Unable to create probe for %s", identifier);
    }
  }
}

REGISTER_CLASS(CustomProbeMap, ProbeMap,
  phase(Phase::Creating),
  rawClassMethod(msg::create_forClass_withIdentifiers.sel, to_imp(&createForClass)),
  method<&CustomProbeMap::createEnd>(msg::createEnd),
  phase(Phase::Using),
  rawMethod(msg::addProbesForClass_withIdentifiers.sel, to_imp(&addForClass)))
