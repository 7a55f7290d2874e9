#include "misc/brood_realpath.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "misc/xmalloc.h"

namespace {

bool current_directory(std::string* dir) {
  char* cwd = getcwd(nullptr, 0);
  if (!cwd) return false;
  *dir = cwd;
  free(cwd);
  return true;
}

// Folds one component into the canonical text built so far, which begins
// and ends with a separator.
void append_component(std::string* out, const std::string& part) {
  if (part == ".") return;
  if (part == "..") {
    size_t end = out->size() - 1;  // the trailing separator
    if (end > 0) {
      size_t start = out->rfind('/', end - 1) + 1;
      // A ".." kept behind the root is not a directory that it cancels.
      if (out->compare(start, end - start, "..") != 0) {
        out->erase(start);
        return;
      }
    }
  }
  *out += part;
}

}  // namespace

char* brood_realpath(const char* path) {
  if (!path) return nullptr;
  // getcwd answers an absolute path, so the text begins with a separator.
  std::string text;
  if (path[0] != '/') {
    if (!current_directory(&text)) return nullptr;
    text += '/';
  }
  text += path;
  text += '/';

  std::string out;
  for (size_t i = 0; i < text.size();) {
    if (text[i] == '/') {
      if (out.empty() || out.back() != '/') out += '/';
      i++;
      continue;
    }
    size_t end = text.find('/', i);
    append_component(&out, text.substr(i, end - i));
    i = end;
  }
  if (out.size() > 1 && out.back() == '/') out.pop_back();

  char* result = static_cast<char*>(xmalloc(out.size() + 1));
  memcpy(result, out.c_str(), out.size() + 1);
  return result;
}
