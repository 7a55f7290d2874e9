#include "tclobjc/report.h"

#include <cstdarg>
#include <cstdio>

void tclObjc_error(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  va_end(args);
}
