#include "defobj/zstrdup.h"

#include <cstring>

#include "defobj/messages.h"

void zreplace(id zone, const char*& slot, const char* text) {
  const char* old = slot;
  slot = text ? zstrdup(zone, text) : nullptr;
  if (old) msg::free(zone, const_cast<char*>(old));
}

void zreplaceBlock(id zone, const char*& slot, const char* text) {
  const char* old = slot;
  slot = nullptr;
  if (text) {
    const size_t size = std::strlen(text) + 1;
    slot = static_cast<const char*>(std::memcpy(msg::allocBlock(zone, size), text, size));
  }
  if (old) msg::freeBlock_blockSize(zone, const_cast<char*>(old), std::strlen(old) + 1);
}

char* zstrdup(id zone, const char* string) {
  size_t size = std::strlen(string) + 1;
  auto* copy = static_cast<char*>(msg::alloc(zone, size));
  std::memcpy(copy, string, size);
  return copy;
}
