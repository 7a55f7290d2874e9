#include "objectbase/Brood.h"

#include "defobj/phase.h"
#include "objectbase/objectbase.h"

id Brood::buildObjects() { return this; }
id Brood::buildActions() { return this; }

id Brood::activateIn(id context) {
  CBroodProcess::activateIn(context);
  return msg::getBroodActivity(this);
}

id Brood::getProbeMap() { return msg::getProbeMapForObject(probeLibrary, this); }

id Brood::getCompleteProbeMap() { return msg::getCompleteProbeMapForObject(probeLibrary, this); }

id Brood::getProbeForVariable(const char* name) {
  return msg::getProbeForVariable_inObject(probeLibrary, name, this);
}

REGISTER_CLASS(Brood, CBroodProcess,
  phase(Phase::Using),
  method<&Brood::buildObjects>(msg::buildObjects),
  method<&Brood::buildActions>(msg::buildActions),
  method<&Brood::activateIn>(msg::activateIn),
  method<&Brood::getProbeMap>(msg::getProbeMap),
  method<&Brood::getCompleteProbeMap>(msg::getCompleteProbeMap),
  method<&Brood::getProbeForVariable>(msg::getProbeForVariable))
