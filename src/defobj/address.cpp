#include "defobj/address.h"

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>

char* formatAddress(char (&text)[AddressTextSize], const void* address) {
  std::snprintf(text, sizeof text, "0x%" PRIxPTR, reinterpret_cast<uintptr_t>(address));
  return text;
}

char* formatObjectName(char (&text)[ObjectNameTextSize], Class cls, const void* address) {
  char hex[AddressTextSize];
  std::snprintf(text, sizeof text, "%s@%s", cls->name, formatAddress(hex, address));
  return text;
}

BOOL parseAddress(const char* text, void** address) {
  if (!text || text[0] != '0' || (text[1] != 'x' && text[1] != 'X') || !text[2]) return NO;
  uintptr_t value = 0;
  int digits = 0;
  for (const char* c = text + 2; *c; c++, digits++) {
    int digit;
    if (*c >= '0' && *c <= '9') digit = *c - '0';
    else if (*c >= 'a' && *c <= 'f') digit = *c - 'a' + 10;
    else if (*c >= 'A' && *c <= 'F') digit = *c - 'A' + 10;
    else return NO;
    if (digits == 2 * sizeof(uintptr_t)) return NO;  // would overflow
    value = value << 4 | static_cast<uintptr_t>(digit);
  }
  *address = reinterpret_cast<void*>(value);
  return YES;
}

BOOL parseNameAddress(const char* name, void** address) {
  const char* at = name ? std::strrchr(name, '@') : nullptr;
  return at && parseAddress(at + 1, address);
}

char* formatObjectID(char (&text)[ObjectIDTextSize], id object) {
  char address[AddressTextSize];
  std::snprintf(text, sizeof text, "%s: %.64s", formatAddress(address, object), object->isa->name);
  return text;
}
