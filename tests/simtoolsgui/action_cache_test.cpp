// The action cache: the run-control window, the queue of requests and its
// delivery once per time step.
#include "gui_brood_fixture.h"

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

id holder(id type, const char* name) {
  id h = msg::createBegin(objc_get_class("ActionHolder"), _obj_globalZone);
  msg::setType(h, type);
  msg::setActionName(h, name);
  return msg::createEnd(h);
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
