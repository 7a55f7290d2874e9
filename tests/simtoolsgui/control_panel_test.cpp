// The control loop of an interactive run, driven by requests that arrive
// as Tk events while the control panel waits.
#include "gui_brood_fixture.h"

#include "simtoolsgui/simtoolsgui.h"

namespace {

using ControlPanelTest = GUIBroodTest;

const std::vector<unsigned> none;

TEST_F(ControlPanelTest, QuitWhileStoppedCompletesWithoutRunning) {
  whenIdle("CACHE sendQuitAction");
  EXPECT_EQ(msg::go(brood), Completed);
  EXPECT_EQ(stepTimes, none);
}

TEST_F(ControlPanelTest, StartOrNextWhileStoppedEndsTheWaitBeforeDelivery) {
  for (const char* press : {"Start", "Next"}) {
    SCOPED_TRACE(press);
    whenIdle(std::string("CACHE send") + press + "Action");
    msg::setStateStopped(panel());
    EXPECT_EQ(msg::getState(panel()), ControlStateRunning);
    EXPECT_EQ(queued(), std::vector<std::string>{press});
    msg::deleteAll(cache()->actionCache);
  }
}

// Each press comes in the wait that follows a step.
TEST_F(ControlPanelTest, NextRunsOneTimeStep) {
  onStep = [&](unsigned t) { whenIdle(t == 0 ? "CACHE sendNextAction" : "CACHE sendQuitAction"); };
  whenIdle("CACHE sendNextAction");
  EXPECT_EQ(msg::go(brood), Completed);
  EXPECT_EQ(stepTimes, (std::vector<unsigned>{0, 1}));
}

// A Stop at time 3 lets step 3 finish and halts before step 4; pressed
// twice, it must not halt the run again once it is started anew.
TEST_F(ControlPanelTest, StopTakesEffectAtTheNextTimeOnce) {
  tcl("unset -nocomplain ::restarted");
  std::string restartedAtStep4;
  onStep = [&](unsigned t) {
    if (t == 3) {
      msg::sendStopAction(cache());
      msg::sendStopAction(cache());
      // The timer only ends a run that a second Stop has halted for good.
      whenIdle("set ::restarted 1; CACHE sendStartAction; after 2000 {CACHE sendQuitAction}");
    }
    if (t == 4) restartedAtStep4 = tcl("info exists ::restarted");
    if (t == 6) msg::sendQuitAction(cache());
  };
  whenIdle("CACHE sendStartAction");
  EXPECT_EQ(msg::go(brood), Completed);
  EXPECT_EQ(restartedAtStep4, "1");
  EXPECT_EQ(stepTimes, (std::vector<unsigned>{0, 1, 2, 3, 4, 5, 6}));
}

// The Stop arrives inside the wait's own event processing: it must return
// at once rather than open a wait of its own.
TEST_F(ControlPanelTest, StopWhileStoppedOpensNoSecondWait) {
  tcl("unset -nocomplain ::stopReturned ::quitSaw");
  whenIdle(
      "after idle {set ::quitSaw [info exists ::stopReturned]; CACHE sendQuitAction};"
      " CACHE sendStopAction; set ::stopReturned 1");
  EXPECT_EQ(msg::go(brood), Completed);
  EXPECT_EQ(tcl("set ::quitSaw"), "1");
  EXPECT_EQ(stepTimes, none);
}

TEST_F(ControlPanelTest, SaveLeavesTheStateAlone) {
  for (id state : {ControlStateStopped, ControlStateRunning}) {
    msg::setState_(panel(), state);
    msg::sendSaveAction(cache());
    EXPECT_EQ(msg::getState(panel()), state);
    EXPECT_TRUE(queued().empty());
  }
}

// A run that has nothing left to do answers Completed instead of being run
// again and again.
TEST_F(ControlPanelTest, FinishedActivityAnswersCompleted) {
  static int performed;
  performed = 0;
  id once = msg::create(Schedule, _obj_globalZone);
  msg::at_createActionCall(once, 0, [] { performed++; });
  id activity = msg::activateIn(once, nil);
  msg::setState_(panel(), ControlStateRunning);
  EXPECT_EQ(msg::startInActivity(panel(), activity), Completed);
  EXPECT_EQ(performed, 1);
  EXPECT_EQ(msg::getStatus(activity), Completed);
}

}  // namespace
