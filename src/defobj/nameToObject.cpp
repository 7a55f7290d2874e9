#include <cstring>

#include "defobj/Zone.h"
#include "defobj/address.h"
#include "defobj/module.h"
#include "misc/debugabort.h"

namespace {

bool isNilName(const char* name) {
  return !std::strcmp(name, "nil") || !std::strcmp(name, "Nil") || !std::strcmp(name, "0x0");
}

// Names come from outside (Tcl words, archives, probe text), so an address
// is taken only when it is a live object.
id objectNamed(const char* name) {
  if (std::strchr(name, '@')) {
    void* address;
    return parseNameAddress(name, &address) && _obj_isLiveObject(address) ? static_cast<id>(address) : nil;
  }
  return objc_lookup_class(name);
}

}  // namespace

id nameToObjectOrNil(const char* name, BOOL* found) {
  const bool nilName = name && isNilName(name);
  const id object = name && !nilName ? objectNamed(name) : nil;
  *found = nilName || object;
  return object;
}

id nameToObject(const char* name) {
  BOOL found;
  const id object = nameToObjectOrNil(name, &found);
  if (!found) debugabort("defobj", 421, "nameToObject");
  return object;
}
