// Registration of every class of the probes and simulation-object library.
#include "objectbase/objectbase.h"
#include "runtime/registration.h"

// Brood stands on the scheduling engine's CBroodProcess, registered with it.
#define OBJECTBASE_CLASSES(X) X(BroodObject) X(Probe) X(VarProbe) X(MessageProbe) X(ProbeMap) \
  X(DefaultProbeMap) X(CompleteProbeMap) X(CompleteVarMap) X(CustomProbeMap) X(ProbeLibrary)  \
  X(CBroodProcess) X(Brood)

#define DECLARE(cls) DECLARE_CLASS_REGISTRATION(cls);
OBJECTBASE_CLASSES(DECLARE)
#undef DECLARE

void objectbase_register_classes() {
  collections_register_classes();
#define REGISTER(cls) objc_register_##cls();
  OBJECTBASE_CLASSES(REGISTER)
#undef REGISTER
}
