#include "misc/find_executable.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "misc/brood_realpath.h"

namespace {

bool usable(const std::string& candidate) { return access(candidate.c_str(), R_OK | X_OK) == 0; }

// The first PATH entry holding the name; the name itself when none does
// (an empty entry also means the name itself).
std::string search_path(const char* name) {
  const char* path = getenv("PATH");
  if (path) {
    std::string entries = path;
    for (size_t start = 0;;) {
      size_t end = entries.find(':', start);
      std::string entry = entries.substr(start, end - start);
      std::string candidate = entry.empty() ? name : entry + "/" + name;
      if (usable(candidate)) return candidate;
      if (end == std::string::npos) break;
      start = end + 1;
    }
  }
  return name;
}

}  // namespace

char* find_executable(const char* name) {
  if (!name || !*name) {
    errno = ENOENT;
    return nullptr;
  }
  std::string candidate = strchr(name, '/') ? name : search_path(name);
  if (!usable(candidate)) {
    errno = ENOENT;
    return nullptr;
  }
  return brood_realpath(candidate.c_str());
}
