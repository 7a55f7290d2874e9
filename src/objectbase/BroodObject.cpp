#include "objectbase/BroodObject.h"

#include "defobj/defobj.h"
#include "defobj/phase.h"
#include "objectbase/objectbase.h"

id BroodObject::getProbeMap() { return msg::getProbeMapForObject(probeLibrary, this); }

id BroodObject::getCompleteProbeMap() { return msg::getCompleteProbeMapForObject(probeLibrary, this); }

id BroodObject::getProbeForVariable(const char* name) {
  return msg::getProbeForVariable_inObject(probeLibrary, name, this);
}

id BroodObject::getProbeForMessage(const char* name) {
  return msg::getProbeForMessage_inObject(probeLibrary, name, this);
}

void BroodObject::eventOccurredOn_via_withProbeType_on_ofType_withData(id, id, const char*, const char*, char,
                                                                       const void*) {
  msg::subclassResponsibility(this, msg::eventOccurredOn_via_withProbeType_on_ofType_withData.sel);
}

REGISTER_CLASS(BroodObject, CreateDrop,
  phase(Phase::Using),
  method<&BroodObject::getProbeMap>(msg::getProbeMap),
  method<&BroodObject::getCompleteProbeMap>(msg::getCompleteProbeMap),
  method<&BroodObject::getProbeForVariable>(msg::getProbeForVariable),
  method<&BroodObject::getProbeForMessage>(msg::getProbeForMessage),
  method<&BroodObject::eventOccurredOn_via_withProbeType_on_ofType_withData>(
      msg::eventOccurredOn_via_withProbeType_on_ofType_withData))
