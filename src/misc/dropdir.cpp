#include "misc/dropdir.h"

#include <cstring>

namespace {

bool separator(char c) { return c == '/' || c == '\\'; }

}  // namespace

char* dropdir(char* path) {
  if (!path) return nullptr;
  size_t end = strlen(path);
  if (end < 2) return nullptr;
  end--;
  if (separator(path[end])) end--;
  while (!separator(path[end])) {
    if (end == 0) return nullptr;
    end--;
  }
  path[end + 1] = '\0';
  return path;
}
