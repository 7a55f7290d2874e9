// Widgets: path names, the Tk widgets behind them, packing, geometry, the
// destroy notification and what drop leaves of the Tk windows.
#include <gtest/gtest.h>

#include <string>

#include "collections/collections.h"
#include "defobj/Arguments.h"
#include "defobj/Zone.h"
#include "defobj/module.h"
#include "defobj/defobj.h"
#include "support/reports.h"
#include "voduva_fixture.h"

namespace {

class WidgetTest : public TkTest {
 protected:
  void TearDown() override {
    run("foreach w [winfo children .] {destroy $w}");
    drain();
  }
  static void drain() {
    run("update");
    while (voduva_doOneEventAsync()) {}
  }
};

std::string decimal(id object) { return std::to_string(reinterpret_cast<uintptr_t>(object)); }
std::string pathOf(id widget) { return msg::getWidgetName(widget); }

id make(const char* cls, id parent = nil) {
  return parent ? msg::createParent(objc_get_class(cls), parent) : msg::create(objc_get_class(cls), _obj_globalZone);
}

}  // namespace

TEST_F(WidgetTest, ParentlessWidgetGetsATopLevelFrameOfItsOwn) {
  id label = make("Label");
  id frame = msg::getParent(label);
  ASSERT_NE(frame, nil);
  EXPECT_EQ(pathOf(frame), ".w" + decimal(frame));
  EXPECT_EQ(pathOf(label), ".w" + decimal(frame) + ".w" + decimal(label));
  EXPECT_EQ(msg::getTopLevel(label), frame);
  EXPECT_EQ(msg::getParent(frame), nil);
  EXPECT_EQ(run("winfo toplevel " + pathOf(label)), pathOf(frame));
  EXPECT_EQ(run("winfo class " + pathOf(label)), "Label");
  EXPECT_EQ(run("wm minsize " + pathOf(frame)), "1 1");
  EXPECT_EQ(run("winfo class " + pathOf(frame)), "Brood-voduvatest-" + std::string(msg::getAppModeString(arguments)));
  const char* below = msg::makeWidgetNameFor(label, frame);
  EXPECT_EQ(std::string(below), pathOf(label) + ".w" + decimal(frame));
  msg::free(_obj_globalZone, const_cast<char*>(below));

  const std::string framePath = pathOf(frame);
  msg::drop(label);
  EXPECT_EQ(run("winfo exists " + framePath), "0");
}

TEST_F(WidgetTest, NamesComeFromTheParentOrAParentPath) {
  id frame = make("Frame");
  id child = msg::createBegin(objc_get_class("Label"), _obj_globalZone);
  msg::setWidgetNameFromParentName(child, ".");
  EXPECT_EQ(pathOf(child), ".w" + decimal(child));
  msg::setWidgetNameFromParentName(child, ".a.b");
  EXPECT_EQ(pathOf(child), ".a.b.w" + decimal(child));
  msg::setWidgetNameFromParent(child, frame);
  EXPECT_EQ(pathOf(child), pathOf(frame) + ".w" + decimal(child));
  msg::setParent(child, frame);
  msg::createEnd(child);
  EXPECT_EQ(pathOf(child), pathOf(frame) + ".w" + decimal(child));
  msg::drop(child);
  msg::drop(frame);
}

TEST_F(WidgetTest, MisusesAreReported) {
  id frame = make("Frame");
  const Misuse cases[] = {
      {"second parent",
       [&] {
         id label = msg::createBegin(objc_get_class("Label"), _obj_globalZone);
         msg::setParent(label, frame);
         msg::setParent(label, frame);
       },
       "-[Widget setParent:]", "It is an error to reset a Widget's parent\n"},
      {"unpack", [&] { msg::unpack(frame); }, "-[Widget unpack]", ""},
      {"input widget value", [&] { msg::getValue(make("InputWidget", frame)); }, "-[Object(s) _subclassResponsibility:]",
       "> class InputWidget: getValue must be implemented by a subclass\n"},
      {"input widget setValue:", [&] { msg::setValue(make("InputWidget", frame), "x"); },
       "-[Object(s) _subclassResponsibility:]", "> class InputWidget: setValue: must be implemented by a subclass\n"},
  };
  expectReports(cases);
  EXPECT_DEATH(msg::setHeight(make("Entry", frame), 3), "Entry:[0-9]+ -\\[Entry setHeight:\\]\n");
  msg::drop(frame);
}

TEST_F(WidgetTest, PackingTexts) {
  id frame = make("Frame");
  id a = make("Label", frame);
  id b = make("Label", frame);
  const std::string in = "-in " + pathOf(frame);
  struct {
    const char* what;
    std::function<void()> pack;
    std::string info;
  } cases[] = {
      {"pack", [&] { msg::pack(a); }, " -anchor center -expand 1 -fill both -ipadx 0 -ipady 0 -padx 0 -pady 0 -side top"},
      {"packFill", [&] { msg::packFill(a); }, " -anchor center -expand 0 -fill both -ipadx 0 -ipady 0 -padx 0 -pady 0 -side top"},
      {"packWith:", [&] { msg::packWith(a, "-side bottom"); }, " -anchor center -expand 0 -fill none -ipadx 0 -ipady 0 -padx 0 -pady 0 -side bottom"},
      {"packFillLeft:", [&] { msg::packFillLeft(a, YES); }, " -anchor center -expand 1 -fill both -ipadx 0 -ipady 0 -padx 0 -pady 0 -side left"},
      {"packForgetAndExpand", [&] { msg::packFillLeft(a, NO); msg::packForgetAndExpand(a); },
       " -anchor center -expand 1 -fill both -ipadx 0 -ipady 0 -padx 0 -pady 0 -side top"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    run("pack forget " + pathOf(a));
    c.pack();
    EXPECT_EQ(run("pack info " + pathOf(a)), in + c.info);
  }
  run("pack forget " + pathOf(a));
  msg::pack(b);
  msg::packBeforeAndFillLeft_expand(a, b, NO);
  EXPECT_EQ(run("pack slaves " + pathOf(frame)), pathOf(a) + " " + pathOf(b));
  EXPECT_EQ(run("pack info " + pathOf(a)), in + " -anchor center -expand 0 -fill both -ipadx 0 -ipady 0 -padx 0 -pady 0 -side left");
  run("pack forget " + pathOf(a));
  msg::packToRight(a, b);  // packs both widgets on the right
  EXPECT_EQ(run("pack info " + pathOf(b)), in + " -anchor center -expand 1 -fill both -ipadx 0 -ipady 0 -padx 0 -pady 0 -side right");
  msg::drop(a);
  msg::drop(b);
  msg::drop(frame);
}

TEST_F(WidgetTest, GeometryOfTopLevelsAndChildren) {
  id frame = make("Frame");
  msg::setWidth_Height(frame, 200, 100);
  msg::setX_Y(frame, 15, 30);
  drain();
  EXPECT_EQ(run("wm geometry " + pathOf(frame)), "200x100+15+30");
  EXPECT_EQ(std::string(msg::getWindowGeometry(frame)), "200x100+15+30");
  EXPECT_EQ(msg::getWidth(frame), 200u);
  EXPECT_EQ(msg::getHeight(frame), 100u);
  EXPECT_EQ(msg::getX(frame), 15);
  EXPECT_EQ(msg::getY(frame), 30);

  id child = make("Frame", frame);
  msg::setWidth_Height(child, 40, 50);
  EXPECT_EQ(run(pathOf(child) + " cget -width") + " " + run(pathOf(child) + " cget -height"), "40 50");
  msg::setWidth(child, 41);
  msg::setHeight(child, 51);
  EXPECT_EQ(run(pathOf(child) + " cget -width") + " " + run(pathOf(child) + " cget -height"), "41 51");
  // A child answers its top level's geometry and titles it.
  EXPECT_EQ(msg::getWidth(child), 200u);
  msg::setWindowGeometry(child, "120x80+5+6");
  msg::setWindowTitle(child, "two words");
  drain();
  EXPECT_EQ(run("wm geometry " + pathOf(frame)), "120x80+5+6");
  EXPECT_EQ(run("wm title " + pathOf(frame)), "two words");

  id button = make("Button", frame);
  msg::setActiveFlag(button, NO);
  EXPECT_EQ(run(pathOf(button) + " cget -state"), "disabled");
  msg::setActiveFlag(button, YES);
  EXPECT_EQ(run(pathOf(button) + " cget -state"), "normal");
  msg::drop(button);
  msg::drop(child);
  msg::drop(frame);
}

TEST_F(WidgetTest, FrameOptionsAndVisibility) {
  id frame = msg::createBegin(objc_get_class("Frame"), _obj_globalZone);
  msg::setReliefFlag(frame, YES);
  msg::setBorderWidth(frame, 5);
  msg::createEnd(frame);
  EXPECT_EQ(run(pathOf(frame) + " cget -relief"), "ridge");
  EXPECT_EQ(run(pathOf(frame) + " cget -bd"), "5");
  EXPECT_EQ(run("winfo class " + pathOf(make("Frame", frame))), "Frame");
  drain();
  msg::withdraw(frame);
  EXPECT_EQ(run("wm state " + pathOf(frame)), "withdrawn");
  msg::deiconify(frame);
  EXPECT_EQ(run("wm state " + pathOf(frame)), "normal");
  msg::drop(frame);
}

TEST_F(WidgetTest, ButtonsSendTheirSelectorToTheTarget) {
  id frame = make("Frame");
  drain();
  id button = make("Button", frame);
  msg::setText(button, "Hide {me}");
  EXPECT_EQ(run(pathOf(button) + " cget -text"), "Hide {me}");
  msg::setButtonTarget_method(button, frame, selectorOf(msg::withdraw));
  EXPECT_EQ(run(pathOf(button) + " cget -command"), std::string(msg::getObjectName(frame)) + " withdraw");
  run(pathOf(button) + " invoke");
  EXPECT_EQ(run("wm state " + pathOf(frame)), "withdrawn");
  msg::drop(button);
  msg::drop(frame);
}

TEST_F(WidgetTest, ButtonPanelPacksAButtonPerName) {
  id shown = make("Frame");
  id hidden = make("Frame");
  drain();
  id panel = make("ButtonPanel");
  msg::setButtonTarget(panel, shown);
  msg::addButtonName_method(panel, "Hide", selectorOf(msg::withdraw));
  msg::addButtonName_target_method(panel, "Hide other", hidden, selectorOf(msg::withdraw));
  const std::string buttons = run("pack slaves " + pathOf(panel));
  const std::string first = buttons.substr(0, buttons.find(' ')), second = buttons.substr(buttons.find(' ') + 1);
  EXPECT_EQ(run("winfo class " + first) + run(first + " cget -text"), "ButtonHide");
  EXPECT_EQ(run(second + " cget -text"), "Hide other");
  run(second + " invoke");
  EXPECT_EQ(run("wm state " + pathOf(hidden)) + " " + run("wm state " + pathOf(shown)), "withdrawn normal");
  run(first + " invoke");
  EXPECT_EQ(run("wm state " + pathOf(shown)), "withdrawn");
  msg::drop(panel);
  msg::drop(shown);
  msg::drop(hidden);
}

TEST_F(WidgetTest, EntryShowsItsLinkedVariable) {
  id frame = make("Frame");
  id entry = make("Entry", frame);
  const std::string variable = std::string(msg::getObjectName(entry)) + "-var";
  EXPECT_EQ(run(pathOf(entry) + " cget -textvariable"), variable);
  EXPECT_EQ(run(pathOf(entry) + " cget -width") + run(pathOf(entry) + " cget -relief"), "10sunken");
  msg::setValue(entry, "a {braced} text");
  EXPECT_STREQ(msg::getValue(entry), "a {braced} text");

  int count = 7;
  msg::linkVariableInt(entry, &count);
  EXPECT_STREQ(msg::getValue(entry), "7");
  run("set {" + variable + "} 12");
  EXPECT_EQ(count, 12);
  double level = 0.5;
  msg::linkVariableDouble(entry, &level);
  run("set {" + variable + "} 2.25");
  EXPECT_EQ(level, 2.25);
  EXPECT_EQ(count, 12);  // the int is no longer linked
  int flag = 0;
  msg::linkVariableBoolean(entry, &flag);
  run("set {" + variable + "} yes");
  EXPECT_EQ(flag, 1);

  msg::drop(entry);
  // Dropped, the widget leaves Tcl no link into the program's memory.
  EXPECT_EQ(run("set {" + variable + "} no"), "no");
  EXPECT_EQ(flag, 1);
  msg::drop(frame);
}

TEST_F(WidgetTest, CanvasHoldsWidgetsInWindowItems) {
  id canvas = make("Canvas");
  msg::pack(canvas);
  id label = make("Label", canvas);
  msg::setText(label, "inside");
  msg::addWidget_X_Y_centerFlag(canvas, label, 10, 20, NO);
  const std::string c = pathOf(canvas);
  const std::string item = run(c + " find all");
  EXPECT_EQ(run(c + " type " + item), "window");
  EXPECT_EQ(run(c + " coords " + item), "10.0 20.0");
  EXPECT_EQ(run(c + " itemcget " + item + " -anchor") + " " + run(c + " itemcget " + item + " -window"),
            "nw " + pathOf(label));
  id centred = make("Label", canvas);
  msg::addWidget_X_Y_centerFlag(canvas, centred, 0, 0, YES);
  EXPECT_EQ(run(c + " itemcget [lindex [" + c + " find all] end] -anchor"), "w");

  // Called before the widget is first shown, as tkwait waits for that.
  msg::checkGeometry(canvas, label);
  const std::string w = run("winfo width " + pathOf(label)), h = run("winfo height " + pathOf(label));
  EXPECT_EQ(run(c + " cget -scrollregion"), "0 0 " + w + " " + h);
  EXPECT_EQ(run(c + " cget -width") + "x" + run(c + " cget -height"), w + "x" + h);
  msg::drop(label);
  msg::drop(centred);
  msg::drop(canvas);
}

TEST_F(WidgetTest, DestroyFromOutsideTellsTheTarget) {
  id frame = make("Frame");
  id label = make("Label", frame);
  id told = msg::create(List, _obj_globalZone);
  msg::enableDestroyNotification_notificationMethod(label, told, selectorOf(msg::addLast));
  run("destroy " + pathOf(label));
  EXPECT_TRUE(msg::getDestroyedFlag(label));
  ASSERT_EQ(msg::getCount(told), 1u);
  EXPECT_EQ(msg::getFirst(told), label);
  msg::drop(label);  // nothing left to destroy
  EXPECT_EQ(run("winfo exists " + pathOf(frame)), "1");

  // Closing a widget's own top level: the widget then releases the frame.
  id shelled = make("Label");
  id shell = msg::getParent(shelled);
  msg::enableDestroyNotification_notificationMethod(shelled, told, selectorOf(msg::addLast));
  run("destroy " + pathOf(shell));
  EXPECT_EQ(msg::getCount(told), 2u);
  msg::drop(shelled);

  // Notification withdrawn: a later destruction tells nobody.
  id quiet = make("Label", frame);
  msg::enableDestroyNotification_notificationMethod(quiet, told, selectorOf(msg::addLast));
  msg::disableDestroyNotification(quiet);
  run("destroy " + pathOf(quiet));
  EXPECT_EQ(msg::getCount(told), 2u);
  EXPECT_FALSE(msg::getDestroyedFlag(quiet));
  msg::drop(quiet);
  msg::enableDestroyNotification_notificationMethod(frame, nil, selectorOf(msg::addLast));  // nil: nothing installed
  msg::drop(frame);
  EXPECT_EQ(msg::getCount(told), 2u);
  msg::drop(told);
}

TEST_F(WidgetTest, DropLeavesAChildsWindowToItsParent) {
  id frame = make("Frame");
  id label = make("Label", frame);
  const std::string path = pathOf(label);
  msg::drop(label);
  EXPECT_EQ(run("winfo exists " + path), "1");
  const std::string framePath = pathOf(frame);
  msg::drop(frame);
  EXPECT_EQ(run("winfo exists " + framePath) + run("winfo exists " + path), "00");
}

// Texts from the model (titles, labels, values) are data: braces, brackets
// and dollars reach Tk as they stand and never run as Tcl.
TEST_F(WidgetTest, HostileTextsAreShownAsTheyStand) {
  run("set ::pwned 0");
  id frame = make("Frame");
  id label = make("Label", frame);
  id button = make("Button", frame);
  id entry = make("Entry", frame);
  for (const char* text : {"a} [set ::pwned 1] {b", "{", "}", "x\\", "$pwned [incr pwned]", "", "a\nb"}) {
    SCOPED_TRACE(text);
    msg::setText(label, text);
    EXPECT_EQ(run(pathOf(label) + " cget -text"), text);
    msg::setText(button, text);
    EXPECT_EQ(run(pathOf(button) + " cget -text"), text);
    msg::setValue(entry, text);
    EXPECT_EQ(run(pathOf(entry) + " get"), text);
    msg::setWindowTitle(frame, text);
    EXPECT_EQ(run("wm title " + pathOf(frame)), text);
  }
  EXPECT_EQ(run("set ::pwned"), "0");
  msg::drop(frame);
}
