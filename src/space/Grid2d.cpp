#include "space/Grid2d.h"

#include "defobj/address.h"
#include "defobj/phase.h"

id Grid2d::createBegin(Class cls, id zone) {
  auto* grid = static_cast<Grid2d*>(Discrete2d::createBegin(cls, zone));
  grid->overwriteWarnings = YES;
  return grid;
}

id Grid2d::setOverwriteWarnings(BOOL flag) {
  overwriteWarnings = flag;
  return this;
}

id Grid2d::putObject_atX_Y(id object, unsigned x, unsigned y) {
  // The occupant is read only when a warning may come of it.
  id occupant = overwriteWarnings && object ? getObjectAtX_Y(x, y) : nil;
  if (occupant) {
    char oldText[AddressTextSize], newText[AddressTextSize];
    msg::raiseEvent(WarningMessage,
                    "Grid2d: you're overwriting object %s at (%u,%u) with object %s (%s).\n"
                    "Grid2d does not support two objects in one place.\n",
                    formatAddress(oldText, occupant), x, y, formatAddress(newText, object),
                    msg::getName(object));
  }
  return Discrete2d::putObject_atX_Y(object, x, y);
}

REGISTER_CLASS(Grid2d, Discrete2d,
  ivar(&Grid2d::overwriteWarnings, "overwriteWarnings"),
  phase(Phase::Creating),
  classMethod<&Grid2d::createBegin>(msg::createBegin),
  phase(Phase::Setting),
  method<&Grid2d::setOverwriteWarnings>(msg::setOverwriteWarnings),
  phase(Phase::Using),
  method<&Grid2d::putObject_atX_Y>(msg::putObject_atX_Y))
