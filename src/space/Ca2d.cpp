#include "space/Ca2d.h"

#include "defobj/phase.h"
#include "defobj/raise.h"

id Ca2d::setNumStates(unsigned n) {
  numStates = n;
  return this;
}

// A concrete automaton is fully initialized when its creation ends.
id Ca2d::createEnd() {
  if (numStates == 0)
    raiseAt(InvalidCombination, "-[Ca2d createEnd]", "CA not initialized correctly.\n");
  DblBuffer2d::createEnd();
  msg::initializeLattice(this);
  return this;
}

id Ca2d::initializeLattice() {
  raiseAt(SubclassMustImplement, "-[Ca2d initializeLattice]",
          "initializeLattice must be implemented by Ca2d subclass");
  return nil;
}

id Ca2d::stepRule() {
  raiseAt(SubclassMustImplement, "-[Ca2d stepRule]", "Ca2d: no default step.\n");
  return nil;
}

REGISTER_CLASS(Ca2d, DblBuffer2d,
  ivar(&Ca2d::numStates, "numStates"),
  phase(Phase::Creating),
  method<&Ca2d::setNumStates>(msg::setNumStates),
  method<&Ca2d::createEnd>(msg::createEnd),
  method<&Ca2d::initializeLattice>(msg::initializeLattice),
  phase(Phase::Using),
  method<&Ca2d::stepRule>(msg::stepRule))
