// Object names in Tcl text.
#include "defobj/address.h"
#include "defobj/module.h"
#include "tclobjc/TclInterp.h"
#include "tclobjc/tclObjc.h"

const char* tclObjc_objectToName(id object) {
  static char name[ObjectNameTextSize];
  return object ? formatObjectName(name, object->isa, object) : "nil";
}

id tclObjc_nameToObject(const char* name) {
  BOOL found;
  id object = nameToObjectOrNil(name, &found);
  if (found) return object;
  // The interpreters are the bridge's own objects, outside every zone.
  void* address;
  if (parseNameAddress(name, &address) && tclInterp_isInterpreter(address)) return static_cast<id>(address);
  return TclObjcNotFound;
}
