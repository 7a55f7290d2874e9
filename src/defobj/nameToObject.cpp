#include <cstring>

#include "defobj/Zone.h"
#include "defobj/address.h"
#include "defobj/module.h"
#include "misc/debugabort.h"

// Names come from outside (Tcl words, archives), so an address is taken
// only when it is a live object.
id nameToObject(const char* name) {
  if (name) {
    if (!std::strcmp(name, "nil") || !std::strcmp(name, "Nil") || !std::strcmp(name, "0x0")) return nil;
    if (const char* at = std::strchr(name, '@')) {
      void* address;
      if (parseAddress(at + 1, &address) && _obj_isLiveObject(address)) return static_cast<id>(address);
    } else if (Class cls = objc_lookup_class(name)) {
      return cls;
    }
  }
  debugabort("defobj", 421, "nameToObject");
}
