#include "objectbase/signature.h"

#include <cstring>

#include "misc/debugabort.h"

namespace {

const char* skipDigits(const char* p) {
  while (*p >= '0' && *p <= '9') p++;
  return p;
}

// Past the bracket that closes the one at p, counting nested pairs.
const char* skipBracketed(const char* p, char open, char close) {
  int depth = 0;
  do {
    if (*p == '\0') debugabort(__FILE_NAME__, __LINE__, "skip_typespec");
    if (*p == open) depth++;
    else if (*p == close) depth--;
    p++;
  } while (depth > 0);
  return p;
}

}  // namespace

const char* skip_type_qualifiers(const char* type) {
  while (*type && std::strchr("NOVnor", *type)) type++;
  return type;
}

const char* skip_typespec(const char* type) {
  const char* p = skip_type_qualifiers(type);
  const char c = *p;
  if (c && std::strchr("#%*:?CILQSXcdfilqsv", c)) return p + 1;
  switch (c) {
    case '(': return skipBracketed(p, '(', ')');
    case '{': return skipBracketed(p, '{', '}');
    case '@':
      if (p[1] == '"') {
        const char* close = std::strchr(p + 2, '"');
        if (!close) debugabort(__FILE_NAME__, __LINE__, "skip_typespec");
        return close + 1;
      }
      return p + 1;
    case '[':
      p = skip_typespec(skipDigits(p + 1));
      if (*p != ']') debugabort(__FILE_NAME__, __LINE__, "skip_typespec");
      return p + 1;
    case '^':
      // A digit after it: a bare pointer, its offset follows.
      return p[1] >= '0' && p[1] <= '9' ? p + 1 : skip_typespec(p + 1);
    case 'b': return skipDigits(skip_typespec(skipDigits(p + 1)));
    default: debugabort(__FILE_NAME__, __LINE__, "skip_typespec");
  }
}

const char* skip_argspec(const char* type) {
  const char* p = skip_typespec(type);
  if (*p == '+' || *p == '-') p++;
  p = skipDigits(p);
  return *p ? p : nullptr;
}

int get_number_of_arguments(const char* type) {
  int count = 0;
  for (const char* p = skip_argspec(type); p; p = skip_argspec(p)) count++;
  return count;
}

char nth_type(const char* type, int n) {
  const char* p = type;
  for (int i = 0; p && i < n + 3; i++) p = skip_argspec(p);
  return p ? *p : '\0';
}
