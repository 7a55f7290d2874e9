// The texts of error and warning reports, for death tests and captured
// standard error.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace report {

// A literal text as a death-test pattern.
inline std::string literal(const std::string& text) {
  std::string pattern;
  for (char c : text) {
    if (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos) pattern += '\\';
    pattern += c;
  }
  return pattern;
}

// An error raised with its function and source file; any line.
inline std::string error(const char* symbol, const char* function, const char* file,
                         const char* message) {
  return literal(std::string("*** event raised for error: ") + symbol + "\n*** function: " +
                 function + "(), file: " + file) +
         ", line: [0-9]+\n" + literal(message);
}

// An error raised without source location.
inline std::string error(const char* symbol, const char* message) {
  return literal(std::string("*** event raised for error: ") + symbol + "\n" + message);
}

// What WarningMessage without source location prints.
inline std::string warning(const std::string& message) {
  return "*** event raised for warning: WarningMessage\n" + message +
         "*** execution continuing...\n";
}

// Runs f and answers what it printed on standard error.
template <class F>
std::string capturedStderr(F f) {
  testing::internal::CaptureStderr();
  f();
  return testing::internal::GetCapturedStderr();
}

}  // namespace report
