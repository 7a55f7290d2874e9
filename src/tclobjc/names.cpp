// Object names in Tcl text.
#include <cstdio>
#include <cstring>

#include "defobj/address.h"
#include "defobj/module.h"
#include "tclobjc/TclInterp.h"
#include "tclobjc/tclObjc.h"

const char* tclObjc_objectToName(id object) {
  static char name[512];
  if (!object) return "nil";
  char address[AddressTextSize];
  std::snprintf(name, sizeof name, "%s%c%s", object->isa->name, '@', formatAddress(address, object));
  return name;
}

id tclObjc_nameToObject(const char* name) {
  BOOL found;
  id object = nameToObjectOrNil(name, &found);
  if (found) return object;
  // The interpreters are the bridge's own objects, outside every zone.
  void* address;
  if (const char* at = name ? std::strchr(name, '@') : nullptr;
      at && parseAddress(at + 1, &address) && tclInterp_isInterpreter(address))
    return static_cast<id>(address);
  return TclObjcNotFound;
}
