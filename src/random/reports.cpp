#include "random/reports.h"

#include <cstdio>

const char* methodName(const char* className, const char* selector) {
  static char text[128];
  std::snprintf(text, sizeof text, "-[%s %s]", className, selector);
  return text;
}
