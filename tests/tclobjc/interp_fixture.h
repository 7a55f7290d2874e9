// One Tcl interpreter for the tests of a suite, and a short way to run
// Tcl text in it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tclobjc/tclobjc.h"

class TclTest : public testing::Test {
 protected:
  static id makeInterp(int argc, const char* const* argv) {
    return msg::initWithArgc_argv(msg::alloc_(objc_get_class("TclInterp")), argc, argv);
  }
  static void SetUpTestSuite() {
    const char* argv[] = {"tcltest"};
    tcl = makeInterp(1, argv);
  }
  static void TearDownTestSuite() { msg::free_(tcl); }

  // The result of the text, or "error: " and the result when it fails.
  static std::string run(const std::string& text) {
    testing::internal::CaptureStderr();
    msg::eval(tcl, "%s", text.c_str());
    lastStderr = testing::internal::GetCapturedStderr();
    return (msg::code(tcl) == TCL_OK ? "" : "error: ") + std::string(msg::result(tcl));
  }

  static inline id tcl;
  static inline std::string lastStderr;
};
