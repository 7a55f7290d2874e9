// The action cache: the run-control window, the queue of requests and its
// delivery once per time step.
#include "gui_brood_fixture.h"

#include <cstring>
#include <string>

#include "simtoolsgui/ActionHolder.h"
#include "simtoolsgui/simtoolsgui.h"
#include "support/reports.h"
#include "voduva/voduva.h"

namespace {

using ActionCacheTest = GUIBroodTest;

TEST_F(ActionCacheTest, WindowHasItsTitleRecordNameAndButtonsInOrder) {
  id buttons = cache()->panel;
  const std::string path = msg::getWidgetName(buttons);
  EXPECT_EQ(tcl("wm title " + path), "ProcCtrl");
  EXPECT_STREQ(static_cast<ArchivedGeometryWidget*>(buttons)->windowGeometryRecordName,
               "theTopLevelBrood-actionCache-panelWidget");
  EXPECT_EQ(tcl("lmap b [winfo children " + path + "] {$b cget -text}"), "Start Stop Next Save Quit");
}

TEST_F(ActionCacheTest, RequestsAreDeliveredInPressOrder) {
  msg::setState_(panel(), ControlStateRunning);
  msg::sendStartAction(cache());
  msg::sendNextAction(cache());
  ASSERT_EQ(queued(), (std::vector<std::string>{"Start", "Next"}));
  id first = msg::getFirst(cache()->actionCache);
  EXPECT_EQ(msg::getActionTarget(first), panel());
  EXPECT_EQ(msg::getSelector(first), msg::setStateRunning.sel);
  msg::deliverActions(cache());
  EXPECT_EQ(msg::getState(panel()), ControlStateNextTime);
  EXPECT_TRUE(queued().empty());
}

TEST_F(ActionCacheTest, EveryCacheSharesOneSetOfSymbols) {
  const id before[] = {Control, Probing, Spatial, InvalidActionType, ActionTypeNotImplemented};
  id second = msg::createBegin(objc_get_class("ActionCache"), _obj_globalZone);
  msg::setControlPanel(second, panel());
  second = msg::createEnd(second);
  const id after[] = {Control, Probing, Spatial, InvalidActionType, ActionTypeNotImplemented};
  EXPECT_TRUE(std::equal(std::begin(before), std::end(before), std::begin(after)));
  msg::drop(second);
}

// Only the scheduled delivery reschedules itself: requests delivered at
// once leave exactly one delivery pending for the next time.
TEST_F(ActionCacheTest, ImmediateDeliveriesAddNoDeliveryChain) {
  onStep = [&](unsigned t) {
    if (t == 1) {
      msg::sendSaveAction(cache());
      msg::sendSaveAction(cache());
    }
    if (t == 3) msg::sendQuitAction(cache());
  };
  whenIdle("CACHE sendStartAction");
  EXPECT_EQ(msg::go(brood), Completed);
  unsigned pending = 0;
  id index = msg::begin(cache()->destinationSchedule, _obj_scratchZone);
  for (id entry = msg::next(index); entry; entry = msg::next(index))
    pending += msg::respondsTo(entry, msg::getConcurrentGroup.sel) ? msg::getCount(msg::getConcurrentGroup(entry)) : 1;
  msg::drop(index);
  EXPECT_EQ(pending, 1u);
}

// What a window manager sends when the person closes the run-control
// window: a client message to the window's frame, through the X server.
void askToClose(ActionCache* cache) {
  const char* path = msg::getWidgetName(cache->panel);
  msg::eval(globalTkInterp, "update idletasks; wm frame %s", path);  // the frame exists once mapped
  const unsigned long frame = std::stoul(msg::result(globalTkInterp), nullptr, 16);
  Display* display = Tk_Display(voduva_nameToWindow(path));
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = frame;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, frame, False, NoEventMask, &event);
  XSync(display, False);
}

// Closing the window is Quit: the wait ends and nothing runs; the window
// stays until the cache is dropped.
TEST_F(ActionCacheTest, ClosingTheWindowWhileStoppedQuits) {
  askToClose(cache());
  EXPECT_EQ(msg::go(brood), Completed);
  EXPECT_TRUE(stepTimes.empty());
  EXPECT_EQ(tcl("winfo exists " + std::string(msg::getWidgetName(cache()->panel))), "1");
}

TEST_F(ActionCacheTest, ClosingTheWindowWhileRunningQuits) {
  onStep = [&](unsigned t) {
    if (t == 2) askToClose(cache());
    if (t >= 2) msg::doTkEvents(cache());
    if (t == 50) msg::sendQuitAction(cache());  // the close went unheard: end the test's run
  };
  whenIdle("CACHE sendStartAction");
  EXPECT_EQ(msg::go(brood), Completed);
  EXPECT_LT(stepTimes.back(), 50u);
}

id holder(id type, const char* name) {
  id h = msg::createBegin(objc_get_class("ActionHolder"), _obj_globalZone);
  msg::setType(h, type);
  msg::setActionName(h, name);
  return msg::createEnd(h);
}

// A holder keeps its own copy of the name: Tcl frees its argument text once
// the call is done, and a passing buffer may be reused.
TEST_F(ActionCacheTest, HoldersKeepTheirOwnNames) {
  char name[] = "Start";
  id h = holder(Control, name);
  std::strcpy(name, "Xxxxx");
  EXPECT_STREQ(msg::getActionName(h), "Start");
  msg::drop(h);

  msg::setState_(panel(), ControlStateRunning);
  const std::string control = msg::getObjectName(Control);
  tcl(msg::getObjectName(cache()) + (" sendActionOfType: " + control) + " toExecute: [string cat Ne xt]");
  EXPECT_EQ(queued(), std::vector<std::string>{"Next"});
}

TEST_F(ActionCacheTest, UnknownRequestsAreErrors) {
  id jump = holder(Control, "Jump"), probing = holder(Probing, "Start"), spatial = holder(Spatial, "Start"),
     foreign = holder(Start, "Start");
  const Misuse cases[] = {
      {"unknown control name", [&] { msg::insertAction(cache(), jump); }, "-[ActionCache insertAction:]",
       "Control Action Name: [Jump] not recognized in insertAction"},
      {"probing request", [&] { msg::insertAction(cache(), probing); }, "-[ActionCache insertAction:]",
       "Action type not yet implemented.\n"},
      {"spatial request", [&] { msg::insertAction(cache(), spatial); }, "-[ActionCache insertAction:]",
       "Action type not yet implemented.\n"},
  };
  expectReports(cases);
  // The address is the holder's in the dying process.
  EXPECT_DEATH(msg::insertAction(cache(), foreign), "The ActionType Symbol embedded in action 0x[0-9a-f]+ was not found.\n");
}

}  // namespace
