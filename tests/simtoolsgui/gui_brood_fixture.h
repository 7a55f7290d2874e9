// An interactive brood under Xvfb with a schedule that records the time of
// every step, and button presses queued as Tk idle callbacks, so that they
// arrive while the control panel waits.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "activity/activity.h"
#include "simtoolsgui/ActionCache.h"
#include "simtoolsgui/ControlPanel.h"
#include "simtoolsgui/GUIBrood.h"
#include "simtoolsgui/simtoolsgui.h"

class GUIBroodTest : public testing::Test {
 public:
  // What each step did: its time, and what it does then.
  static std::vector<unsigned> stepTimes;
  static std::function<void(unsigned)> onStep;

 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  // Evaluates the script at the next idle moment of the event loop, with
  // every "CACHE" replaced by the action cache's object name.
  void whenIdle(const std::string& script);
  std::string tcl(const std::string& script);

  ActionCache* cache() { return static_cast<ActionCache*>(brood->actionCache); }
  ControlPanel* panel() { return static_cast<ControlPanel*>(brood->controlPanel); }
  // The names of the queued requests, oldest first.
  std::vector<std::string> queued();

  GUIBrood* brood = nullptr;
  id steps = nil;  // the recording schedule, activated in the brood
};
