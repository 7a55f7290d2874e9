#include "objectbase/Brood.h"

#include "defobj/phase.h"

id Brood::buildObjects() { return this; }
id Brood::buildActions() { return this; }

id Brood::activateIn(id context) {
  CBroodProcess::activateIn(context);
  return msg::getBroodActivity(this);
}

REGISTER_CLASS(Brood, CBroodProcess,
  phase(Phase::Using),
  method<&Brood::buildObjects>(msg::buildObjects),
  method<&Brood::buildActions>(msg::buildActions),
  method<&Brood::activateIn>(msg::activateIn))
