// Registration of every class of the Tcl bridge, before start-up.
#include "runtime/registration.h"
#include "tclobjc/tclobjc.h"

#define TCLOBJC_CLASSES(X) X(HashTable) X(TclObjcList) X(TclInterp) X(TclObject)

#define DECLARE(cls) DECLARE_CLASS_REGISTRATION(cls);
TCLOBJC_CLASSES(DECLARE)
#undef DECLARE

void tclobjc_register_classes() {
  objectbase_register_classes();
#define REGISTER(cls) objc_register_##cls();
  TCLOBJC_CLASSES(REGISTER)
#undef REGISTER
}
