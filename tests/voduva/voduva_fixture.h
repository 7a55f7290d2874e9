// The Tk interpreter of the tests, started once per process, and a widget
// stand-in that answers its Tk path name.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "defobj/CreateDrop.h"
#include "voduva/voduva.h"

namespace msg {
inline const Message<void(int)> t_touch{"t_touch:"};
}  // namespace msg

struct VoduvaWidget : CreateDrop {
  char path[64];
  int touched;

  const char* getWidgetName();
  void touch(int n);
};

void register_voduva_specimens();
// A widget object for the Tk path name (the window itself is the test's
// to make).
VoduvaWidget* makeWidget(const char* path);

class TkTest : public testing::Test {
 protected:
  static void SetUpTestSuite();
  // The result of the text, or "error: " and the result when it fails.
  static std::string run(const std::string& text);
};
