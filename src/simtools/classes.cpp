// Registration of every class of the text-file library, before start-up.
#include "runtime/registration.h"
#include "simtools/simtools.h"

#define SIMTOOLS_CLASSES(X) X(OutFile) X(InFile)

#define DECLARE(cls) DECLARE_CLASS_REGISTRATION(cls);
SIMTOOLS_CLASSES(DECLARE)
#undef DECLARE

void simtools_register_classes() {
  objectbase_register_classes();
#define REGISTER(cls) objc_register_##cls();
  SIMTOOLS_CLASSES(REGISTER)
#undef REGISTER
}
