#include "voduva/BLTVector.h"

#include <cstdlib>

#include "defobj/phase.h"
#include "defobj/zstrdup.h"
#include "tclobjc/tclObjc.h"
#include "voduva/voduva.h"

id BLTVector::createEnd() {
  name = zstrdup(getZone(), tclObjc_objectToName(this));
  // BLT 2.5 no longer takes "vector NAME" for creation.
  msg::eval(globalTkInterp, "vector create %s", name);
  return CreateDrop::createEnd();
}

// "%g": six significant digits reach the vector.
id BLTVector::append(double value) {
  msg::eval(globalTkInterp, "%s append %g", name, value);
  return this;
}

id BLTVector::setLength(unsigned length) {
  msg::eval(globalTkInterp, "%s length %u", name, length);
  return this;
}

unsigned BLTVector::getLength() {
  msg::eval(globalTkInterp, "%s length", name);
  return static_cast<unsigned>(std::strtoul(msg::result(globalTkInterp), nullptr, 10));
}

id BLTVector::delete_(int index) {
  msg::eval(globalTkInterp, "%s delete %d", name, index);
  return this;
}

id BLTVector::resetData() {
  msg::eval(globalTkInterp, "%s delete :", name);
  return this;
}

const char* BLTVector::getName() { return zstrdup(_obj_scratchZone, name); }

// Unsetting the vector's variable leaves the vector alive in BLT, and a
// later vector at this address would find the old values; so the vector
// itself is destroyed.
void BLTVector::drop() {
  msg::eval(globalTkInterp, "vector destroy %s", name);
  msg::free(getZone(), name);
  CreateDrop::drop();
}

REGISTER_CLASS(BLTVector, CreateDrop,
  ivar(&BLTVector::name, "name"),
  phase(Phase::Creating),
  method<&BLTVector::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&BLTVector::append>(msg::append),
  method<&BLTVector::setLength>(msg::setLength),
  method<&BLTVector::getLength>(msg::getLength),
  method<&BLTVector::delete_>(msg::delete_),
  method<&BLTVector::resetData>(msg::resetData),
  method<&BLTVector::getName>(msg::getName),
  method<&BLTVector::drop>(msg::drop))
