// The Tk utilities: events, windows, linked variables, texts on canvases,
// drag-and-drop names and callbacks from Tk into objects.
#include <gtest/gtest.h>

#include "defobj/Arguments.h"
#include "defobj/Zone.h"
#include "defobj/module.h"
#include "defobj/defobj.h"
#include "voduva_fixture.h"

namespace {

class TkFuncsTest : public TkTest {
 protected:
  void TearDown() override {
    run("foreach w [winfo children .] {destroy $w}");
    while (voduva_doOneEventAsync()) {}
  }
};

void drain() {
  while (voduva_doOneEventAsync()) {}
}

}  // namespace

TEST_F(TkFuncsTest, AsyncEventLoopEndsWhenNothingIsPending) {
  run("toplevel .t; label .t.l -text hello; pack .t.l");
  int processed = 0;
  while (voduva_doOneEventAsync()) processed++;
  EXPECT_GT(processed, 0);
  // A loaded X server may still be answering the window's requests; once
  // update has waited for it, nothing is left.
  run("update");
  EXPECT_EQ(voduva_doOneEventAsync(), 0);
}

TEST_F(TkFuncsTest, SyncEventWaitsForOne) {
  run("after 10 {set fired 1}");
  while (run("info exists fired") == "0") EXPECT_EQ(voduva_doOneEventSync(), 1);
  EXPECT_EQ(run("set fired"), "1");
}

TEST_F(TkFuncsTest, FramesPackingAndTheBellGoThroughTcl) {
  VoduvaWidget* w = makeWidget(".f");
  voduva_makeFrame(w);
  voduva_pack(w);
  voduva_ringBell();
  voduva_update();
  voduva_updateIdleTasks();
  EXPECT_EQ(run("winfo class .f"), "Frame");
  EXPECT_EQ(run("pack info .f"), "-in . -anchor center -expand 1 -fill both -ipadx 0 -ipady 0 -padx 0 -pady 0 -side top");
  EXPECT_EQ(Tk_PathName(voduva_nameToWindow(".f")), std::string(".f"));
  msg::drop(w);
}

TEST_F(TkFuncsTest, CreateTextWithoutFontLeavesBothFontFieldsEmpty) {
  run("toplevel .t; canvas .t.c");
  VoduvaWidget* canvas = makeWidget(".t.c");
  msg::setEvalDebugPrint(globalTkInterp, YES);
  testing::internal::CaptureStderr();
  const char* item = voduva_createText(_obj_globalZone, canvas, 10, 20, "hi there", nullptr, NO);
  const std::string echoed = testing::internal::GetCapturedStderr();
  msg::setEvalDebugPrint(globalTkInterp, NO);
  EXPECT_EQ(echoed, ".t.c create text 10 20 -text \"hi there\"  -anchor w\n");
  EXPECT_EQ(run(std::string(".t.c itemcget ") + item + " -text"), "hi there");
  const char* centred = voduva_createText(_obj_globalZone, canvas, 1, 2, "c", "fixed", YES);
  EXPECT_EQ(run(std::string(".t.c itemcget ") + centred + " -anchor"), "center");
  EXPECT_EQ(run(std::string(".t.c itemcget ") + centred + " -font"), "fixed");
  msg::free(_obj_globalZone, const_cast<char*>(item));
  msg::free(_obj_globalZone, const_cast<char*>(centred));
  msg::drop(canvas);
}

TEST_F(TkFuncsTest, SetNameSetsTheClassAndKeepsTheNameWithoutOne) {
  run("toplevel .top; frame .top.inner");
  VoduvaWidget* w = makeWidget(".top.inner");
  voduva_setName(w, nullptr);
  EXPECT_EQ(run("winfo class .top"), "Brood-voduvatest-" + std::string(msg::getAppModeString(arguments)));
  EXPECT_STREQ(Tk_Name(voduva_nameToWindow(".top")), "top");
  voduva_setName(w, "renamed");
  EXPECT_STREQ(Tk_Name(voduva_nameToWindow(".top")), "renamed");
  msg::drop(w);
}

TEST_F(TkFuncsTest, MoveAndStructureEventsReachTheWidget) {
  run("toplevel .m -width 50 -height 40");
  VoduvaWidget* w = makeWidget(".m");
  static VoduvaWidget* seen;
  static int events;
  seen = nullptr, events = 0;
  Tk_EventProc* handler = [](ClientData data, XEvent*) {
    seen = static_cast<VoduvaWidget*>(data);
    events++;
  };
  voduva_createEventHandler(w, handler);
  voduva_move(w, 40, 50);
  run("update");
  drain();
  EXPECT_EQ(seen, w);
  EXPECT_EQ(run("winfo x .m") + "," + run("winfo y .m"), "40,50");
  voduva_deleteEventHandler(w, handler);
  const int before = events;
  run("wm geometry .m 60x60; update");
  drain();
  EXPECT_EQ(events, before);
  msg::drop(w);
}

TEST_F(TkFuncsTest, LinkedVariablesFollowTheirAddress) {
  int linked = 7;  // unlinked before it goes
  EXPECT_EQ(voduva_linkVar("linkedInt", &linked, TCL_LINK_INT), TCL_OK);
  EXPECT_EQ(run("set linkedInt"), "7");
  run("set linkedInt 12");
  EXPECT_EQ(linked, 12);
  voduva_unlinkVar("linkedInt");
  run("set linkedInt 3");
  EXPECT_EQ(linked, 12);
}

TEST_F(TkFuncsTest, TkCommandsCallObjectsBackByName) {
  VoduvaWidget* w = makeWidget(".b");
  run(std::string("button .b -command {") + msg::getObjectName(w) + " t_touch: 5}");
  EXPECT_EQ(run(".b invoke"), "");
  EXPECT_EQ(w->touched, 5);
  msg::drop(w);
}

TEST_F(TkFuncsTest, DroppedObjectIsReadBackOnlyWhileItLives) {
  VoduvaWidget* w = makeWidget(".x");
  const std::string name = msg::getObjectName(w);
  run("set DDOBJ " + name);
  EXPECT_EQ(voduva_drag_and_drop_object(), w);
  msg::drop(w);
  EXPECT_EQ(voduva_drag_and_drop_object(), nil);
  run("set DDOBJ garbage");
  EXPECT_EQ(voduva_drag_and_drop_object(), nil);
}

TEST_F(TkFuncsTest, ProbeRowBindingsAreInstalled) {
  run("toplevel .p; label .p.row -text row; pack .p.row");
  VoduvaWidget* row = makeWidget(".p.row");
  testing::internal::CaptureStderr();
  voduva_dragAndDrop(row, row);
  voduva_dragAndDropTarget(row, row);
  voduva_dragAndDropArg(row, row, 2);
  voduva_bindButton3ToSpawn(row, row, YES);
  voduva_configureSpecialBitmap(row);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_NE(run("bind .p.row <Button-3>").find(std::string(msg::getObjectName(row)) + " Spawn: .p.row"),
            std::string::npos);
  voduva_bindButton3ToArgSpawn(row, row, 3);
  EXPECT_NE(run("bind .p.row <Button-3>").find("argSpawn: .p.row arg: 3"), std::string::npos);
  EXPECT_EQ(run("lindex [drag&drop source .p.row -button] end"), "1");
  msg::drop(row);
}
