#include "misc/debugabort.h"

#include <cstdio>
#include <cstdlib>

void debugabort(const char* file, unsigned line, const char* function) {
  fprintf(stderr, "%s:%u %s\n", file, line, function);
  abort();
}
