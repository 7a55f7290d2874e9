// Object names in Tcl text.
#include "defobj/address.h"
#include "defobj/module.h"
#include "tclobjc/TclInterp.h"
#include "tclobjc/tclObjc.h"

const char* tclObjc_objectToNameIn(char (&text)[ObjectNameTextSize], id object) {
  return object ? formatObjectName(text, object->isa, object) : "nil";
}

const char* tclObjc_objectToName(id object) {
  static char name[ObjectNameTextSize];
  return tclObjc_objectToNameIn(name, object);
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
