#include "defobj/zstrdup.h"

#include <cstring>

#include "defobj/messages.h"

char* zstrdup(id zone, const char* string) {
  size_t size = std::strlen(string) + 1;
  auto* copy = static_cast<char*>(msg::alloc(zone, size));
  std::memcpy(copy, string, size);
  return copy;
}
