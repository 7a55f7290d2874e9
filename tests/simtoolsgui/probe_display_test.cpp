// Probe displays used as a person uses them: values typed into entries,
// methods called from their buttons, sections shown and hidden, displays
// closed by their buttons, by the window going or by their object going.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "collections/collections.h"
#include "defobj/defobj.h"
#include "objectbase/objectbase.h"
#include "probe_fixture.h"
#include "simtoolsgui/ClassDisplayWidget.h"
#include "simtoolsgui/CompleteProbeDisplay.h"
#include "simtoolsgui/ProbeDisplayManager.h"
#include "simtoolsgui/SimpleProbeDisplay.h"
#include "voduva/ArchivedGeometryWidget.h"
#include "voduva/ClassDisplayHideButton.h"

namespace {

std::string pathOf(id widget) { return msg::getWidgetName(widget); }
std::string topOf(id display) { return pathOf(msg::getTopLevel(display)); }

TEST_F(ProbeTest, ReturnWritesTheTypedValueAndTheEntryShowsItBack) {
  Gadget* g = newGadget();
  id display = fullDisplay(g);
  const struct {
    const char* variable;
    const char* typed;
    const char* shown;
  } cases[] = {
      {"i", "-42", "-42"},
      {"u", "4000000000", "4000000000"},
      {"s", "-7", "-7"},
      {"uc", "65", "65 'A'"},
      {"ll", "-5000000000", "-5000000000"},
      {"ull", "18000000000000000000", "18000000000000000000"},
      {"d", "2.5", "2.5"},
      {"f", "0.25", "0.25"},
      {"ld", "1e-3", "0.001"},
      {"text", "a {b} [c] $d \\e", "a {b} [c] $d \\e"},
  };
  for (const auto& c : cases) {
    type(entryOf(display, c.variable), c.typed);
    msg::update(probeDisplayManager);
    EXPECT_EQ(tcl(entryOf(display, c.variable) + " get"), c.shown) << c.variable;
  }
  EXPECT_EQ(g->i, -42);
  EXPECT_EQ(g->u, 4000000000u);
  EXPECT_EQ(g->uc, 65);
  EXPECT_EQ(g->ll, -5000000000LL);
  EXPECT_DOUBLE_EQ(g->d, 2.5);
  EXPECT_STREQ(g->text, "a {b} [c] $d \\e");

  // Text that is no number leaves the variable as it was, says so, rings
  // the bell and shows the value kept.
  tcl("set bells 0; rename bell realBell; proc bell args {incr ::bells}");
  testing::internal::CaptureStderr();
  type(entryOf(display, "i"), "forty");
  EXPECT_NE(testing::internal::GetCapturedStderr().find("Error scanning for value in string forty"), std::string::npos);
  tcl("rename bell {}; rename realBell bell");
  EXPECT_EQ(g->i, -42);
  EXPECT_EQ(tcl("set bells"), "1");
  EXPECT_EQ(tcl(entryOf(display, "i") + " get"), "-42");
  // A character 0 shows in full, and Return on its text keeps it.
  g->uc = 1;
  type(entryOf(display, "uc"), "0");
  EXPECT_EQ(tcl(entryOf(display, "uc") + " get"), "0 '\\0'");
  g->uc = 1;
  type(entryOf(display, "uc"), tcl(entryOf(display, "uc") + " get"));
  EXPECT_EQ(g->uc, 0);
  // Probes store typed strings as copies of their own, left to the owner.
  msg::free(_obj_scratchZone, const_cast<char*>(g->text));
  msg::drop(g);
}

TEST_F(ProbeTest, EntriesFollowTheVariablesAtEachRefresh) {
  Gadget* g = newGadget();
  id display = fullDisplay(g);
  g->i = 7;
  g->d = 0.1;
  g->friendObject = g;
  msg::update(probeDisplayManager);
  EXPECT_EQ(tcl(entryOf(display, "i") + " get"), "7");
  EXPECT_EQ(tcl(entryOf(display, "d") + " get"), "0.1");
  EXPECT_EQ(tcl(entryOf(display, "friendObject") + " get"), msg::getDisplayName(g));
  // Object variables are not edited as text.
  EXPECT_EQ(tcl(entryOf(display, "friendObject") + " cget -state"), "disabled");
  g->friendObject = nil;
  msg::drop(g);
}

// The model runs on while a value is typed: the refresh leaves the entry
// being edited alone until Return, Escape or the focus leaving it.
TEST_F(ProbeTest, RefreshKeepsTheValueBeingTyped) {
  Gadget* g = newGadget();
  id display = fullDisplay(g);
  const std::string entry = entryOf(display, "i");
  auto typeOnly = [&](const char* text) {
    tcl("focus -force " + entry + "; update; " + entry + " delete 0 end; " + entry + " insert 0 " + text);
  };
  typeOnly("12");
  g->i = 5;
  g->d = 0.5;
  msg::update(probeDisplayManager);
  EXPECT_EQ(tcl(entry + " get"), "12");
  EXPECT_EQ(tcl(entryOf(display, "d") + " get"), "0.5");
  tcl("event generate " + entry + " <Return>");
  EXPECT_EQ(g->i, 12);
  // With the focus still in it, the entry follows the variable again.
  g->i = 13;
  msg::update(probeDisplayManager);
  EXPECT_EQ(tcl(entry + " get"), "13");

  typeOnly("99");
  msg::update(probeDisplayManager);
  EXPECT_EQ(tcl(entry + " get"), "99");
  tcl("event generate " + entry + " <Escape>");
  EXPECT_EQ(tcl(entry + " get"), "13");
  EXPECT_EQ(g->i, 13);

  typeOnly("77");
  tcl("focus -force " + topOf(display));
  msg::update(probeDisplayManager);
  EXPECT_EQ(tcl(entry + " get"), "13");
  msg::drop(g);
}

TEST_F(ProbeTest, RefreshRunsNoButtonCommand) {
  Gadget* g = newGadget();
  id display = fullDisplay(g);
  tcl("after 0 {" + slotOf(display, "t_bump", 0) + " invoke}");
  msg::update(probeDisplayManager);
  EXPECT_EQ(g->calls, 0);
  drain();
  EXPECT_EQ(g->calls, 1);
  msg::drop(g);
}

TEST_F(ProbeTest, TitleOpensTheCompleteDisplayOnButton3) {
  Gadget* g = newGadget();
  auto* display = static_cast<SimpleProbeDisplay*>(fullDisplay(g));
  EXPECT_EQ(tcl(pathOf(display->title) + " cget -text"), msg::getDisplayName(g));
  tcl("event generate " + pathOf(display->title) + " <ButtonPress-3>");
  ASSERT_EQ(displayCount(), 2u);
  auto* manager = static_cast<ProbeDisplayManager*>(probeDisplayManager);
  EXPECT_TRUE(msg::isSubclass(msg::getLast(manager->probeList)->isa, objc_get_class("CompleteProbeDisplay")));
  msg::drop(g);
}

TEST_F(ProbeTest, ValueLongerThanTheBufferIsCut) {
  Gadget* g = newGadget();
  std::string text(6000, 'q');
  g->text = text.c_str();
  id display = fullDisplay(g);
  const std::string shown = tcl(entryOf(display, "text") + " get");
  EXPECT_GT(shown.size(), 100u);
  EXPECT_LT(shown.size(), 5120u);
  EXPECT_EQ(text.compare(0, shown.size(), shown), 0);
  msg::drop(g);
}

TEST_F(ProbeTest, MethodWithArgumentsIsCalledFromItsEntries) {
  Gadget* g = newGadget();
  id display = fullDisplay(g);
  EXPECT_EQ(tcl(slotOf(display, "setX:Y:", 0) + " cget -text"), "setX:");
  EXPECT_EQ(tcl("winfo class " + slotOf(display, "setX:Y:", 1)), "Entry");
  EXPECT_EQ(tcl(slotOf(display, "setX:Y:", 2) + " cget -text"), "Y:");
  EXPECT_EQ(tcl("winfo class " + slotOf(display, "setX:Y:", 3)), "Entry");

  const std::string xEntry = slotOf(display, "setX:Y:", 1), yEntry = slotOf(display, "setX:Y:", 3);
  const std::string button = slotOf(display, "setX:Y:", 0);
  for (const char* blank : {"", "   ", " \t"}) {
    tcl(xEntry + " delete 0 end; " + xEntry + " insert 0 3; " + yEntry + " delete 0 end; " + yEntry + " insert 0 {" +
        blank + "}");
    tcl(button + " invoke");
    EXPECT_EQ(g->calls, 0) << "argument '" << blank << "'";
  }
  tcl(yEntry + " delete 0 end; " + yEntry + " insert 0 4; " + button + " invoke");
  EXPECT_EQ(g->calls, 1);
  EXPECT_EQ(g->x, 3);
  EXPECT_EQ(g->y, 4);
  // It answers the gadget: the result shows its display name.
  EXPECT_EQ(tcl(slotOf(display, "setX:Y:", -1) + " get"), msg::getDisplayName(g));
  msg::drop(g);
}

TEST_F(ProbeTest, ResultsShowWhatTheyCanWithinTheirField) {
  Gadget* g = newGadget();
  id display = fullDisplay(g);
  tcl(slotOf(display, "t_bump", 0) + " invoke");
  EXPECT_EQ(g->calls, 1);
  EXPECT_EQ(tcl(slotOf(display, "t_bump", -1) + " get"), "");

  tcl(slotOf(display, "t_longText", 0) + " invoke");
  EXPECT_EQ(tcl(slotOf(display, "t_longText", -1) + " get"), std::string(127, 'z'));

  // A pointer argument has no text: its entry is disabled and the method
  // is never called with a made-up value.
  const std::string pointer = slotOf(display, "t_poke:", 1);
  EXPECT_EQ(tcl(pointer + " cget -state"), "disabled");
  tcl(pointer + " configure -state normal; " + pointer + " insert 0 12; " + slotOf(display, "t_poke:", 0) + " invoke");
  EXPECT_EQ(g->calls, 1);

  // Nor is a method answering a record, which no call can take back.
  const std::string record = slotOf(display, "t_record", 0);
  EXPECT_EQ(tcl(record + " cget -state"), "disabled");
  tcl(record + " configure -state normal; " + record + " invoke");
  EXPECT_EQ(g->calls, 1);
  msg::drop(g);
}

TEST_F(ProbeTest, ObjectsInResultsAndVariablesOpenDisplaysOnButton3) {
  Gadget* g = newGadget();
  Gadget* pal = newGadget();
  id display = fullDisplay(g);
  const unsigned before = displayCount();

  // A nil variable and an empty result only ring the bell.
  tcl("event generate " + entryOf(display, "friendObject") + " <Button-3>");
  tcl("event generate " + slotOf(display, "t_getFriend", -1) + " <Button-3>");
  EXPECT_EQ(displayCount(), before);

  g->friendObject = pal;
  tcl(slotOf(display, "t_getFriend", 0) + " invoke");
  EXPECT_EQ(tcl(slotOf(display, "t_getFriend", -1) + " get"), msg::getDisplayName(pal));
  tcl("event generate " + slotOf(display, "t_getFriend", -1) + " <Button-3>");
  EXPECT_EQ(displayCount(), before + 1);
  msg::update(probeDisplayManager);
  tcl("event generate " + entryOf(display, "friendObject") + " <Button-3>");
  EXPECT_EQ(displayCount(), before + 2);

  // A friend dropped since: its name is stale and opens nothing.
  msg::drop(pal);
  drain();
  EXPECT_EQ(displayCount(), before);
  tcl("event generate " + slotOf(display, "t_getFriend", -1) + " <Button-3>");
  EXPECT_EQ(displayCount(), before);
  g->friendObject = nil;
  msg::drop(g);
}

// Drags and drops as the drag-and-drop procedures drive them: the source
// is asked for its package and label, the target told of the drop.
TEST_F(ProbeTest, DraggedObjectsBecomeVariablesAndArguments) {
  Gadget* g = newGadget();
  Gadget* pal = newGadget();
  id display = fullDisplay(g);
  const std::string palName = msg::getObjectName(pal), palShown = msg::getDisplayName(pal);
  const std::string entry = entryOf(display, "friendObject");
  const std::string varRow = msg::getObjectName(rowOf(display, "friendObject"));

  EXPECT_EQ(tcl(varRow + " package: " + entry), "");  // nil: nothing to drag
  tcl("set DDOBJ " + palName);
  tcl(varRow + " idReceive: " + entry);
  EXPECT_EQ(g->friendObject, pal);
  EXPECT_EQ(tcl(entry + " get"), palShown);
  EXPECT_EQ(tcl(varRow + " package: " + entry), palName);
  EXPECT_EQ(tcl(varRow + " getId: " + entry), palShown);

  // Names that name nothing alive are refused.
  tcl("set DDOBJ Gadget@0x10");
  tcl(varRow + " idReceive: " + entry);
  EXPECT_EQ(g->friendObject, pal);

  // An object argument is the object dropped on its entry.
  g->friendObject = nil;
  const std::string argEntry = slotOf(display, "t_adopt:", 1);
  const std::string messageRow = msg::getObjectName(rowOf(display, "t_adopt:"));
  tcl(slotOf(display, "t_adopt:", 0) + " invoke");
  EXPECT_EQ(g->friendObject, nil);  // no object dropped yet
  tcl("set DDOBJ " + palName);
  tcl(messageRow + " idReceive: " + argEntry + " arg: 0");
  EXPECT_EQ(tcl(argEntry + " get"), palShown);
  EXPECT_EQ(tcl(messageRow + " package: " + argEntry + " arg: 0"), palName);
  tcl(slotOf(display, "t_adopt:", 0) + " invoke");
  EXPECT_EQ(g->friendObject, pal);
  const unsigned before = displayCount();
  tcl("event generate " + argEntry + " <Button-3>");
  EXPECT_EQ(displayCount(), before + 1);

  // The display's own title drags its object.
  const std::string displayName = msg::getObjectName(display);
  EXPECT_EQ(tcl(displayName + " package: " + topOf(display)), msg::getObjectName(g));
  EXPECT_EQ(tcl(displayName + " getId: " + topOf(display)), msg::getDisplayName(g));
  g->friendObject = nil;
  msg::drop(pal);
  msg::drop(g);
}

TEST_F(ProbeTest, TextCallbacksRefuseBadArgumentNumbers) {
  Gadget* g = newGadget();
  id display = fullDisplay(g);
  id messageRow = rowOf(display, "setX:Y:");
  const std::string row = pathOf(messageRow), rowName = msg::getObjectName(messageRow);
  for (const char* number : {"-1", "2", "99"}) {
    tcl(rowName + " argSpawn: " + row + " arg: " + number);
    tcl(rowName + " idReceive: " + row + " arg: " + number);
    EXPECT_EQ(tcl(rowName + " package: " + row + " arg: " + number), "");
    EXPECT_EQ(tcl(rowName + " getId: " + row + " arg: " + number), "");
  }
  tcl(slotOf(display, "setX:Y:", 1) + " insert 0 5");
  EXPECT_EQ(tcl(rowName + " getId: " + row + " arg: 0"), "5");
  msg::drop(g);
}

TEST_F(ProbeTest, SuperButtonWalksUpTheClassChainAndHideFoldsItBack) {
  Gadget* g = newGadget();
  auto* display = static_cast<CompleteProbeDisplay*>(msg::createCompleteProbeDisplayFor(probeDisplayManager, g));
  ASSERT_GE(msg::getCount(display->widgets), 2u);
  auto* own = static_cast<ClassDisplayWidget*>(msg::getLast(display->widgets));
  auto* above = static_cast<ClassDisplayWidget*>(own->mySuperclass);
  EXPECT_EQ(own->theClass, g->isa);
  EXPECT_EQ(tcl(pathOf(own->myTitle) + " cget -text"), msg::getName(g));
  const std::string section = msg::getObjectName(own);
  EXPECT_EQ(tcl(section + " package: " + pathOf(own->myTitle)), msg::getObjectName(g));
  EXPECT_EQ(tcl(section + " getId: " + pathOf(own->myTitle)), msg::getDisplayName(g));
  EXPECT_EQ(tcl("winfo ismapped " + pathOf(above)), "0");
  // The root's section has no superclass to show.
  auto* root = static_cast<ClassDisplayWidget*>(msg::getFirst(display->widgets));
  EXPECT_EQ(tcl(pathOf(root->superB) + " cget -state"), "disabled");

  tcl(pathOf(own->superB) + " invoke; update");
  EXPECT_EQ(tcl("winfo ismapped " + pathOf(above)), "1");
  EXPECT_EQ(tcl(pathOf(own->superB) + " cget -state"), "disabled");
  tcl(pathOf(above->hideB) + " invoke; update");
  EXPECT_EQ(tcl("winfo ismapped " + pathOf(above)), "0");
  EXPECT_EQ(tcl(pathOf(own->superB) + " cget -state"), "normal");

  // The own class's hide button closes the display.
  const std::string top = topOf(display);
  tcl(pathOf(own->hideB) + " invoke");
  EXPECT_FALSE(exists(top));
  drain();
  EXPECT_EQ(displayCount(), 0u);
  msg::drop(g);
}

TEST_F(ProbeTest, HideButtonWhileStoppedClosesAtOnceAndFreesLater) {
  Gadget* g = newGadget();
  auto* display = static_cast<SimpleProbeDisplay*>(fullDisplay(g));
  const std::string top = topOf(display);
  tcl(pathOf(display->hideB) + " invoke");
  EXPECT_FALSE(exists(top));
  EXPECT_EQ(displayCount(), 1u);  // still inside its own callback's reach
  drain();
  EXPECT_EQ(displayCount(), 0u);
  msg::drop(g);
}

TEST_F(ProbeTest, HideDuringARefreshWaitsForTheRefreshToEnd) {
  Gadget* g = newGadget();
  auto* first = static_cast<SimpleProbeDisplay*>(fullDisplay(g));
  fullDisplay(g);
  const std::string top = topOf(first);
  // Runs inside the first row's refresh of the first display; the rest of
  // that display is not refreshed, and it goes once the refresh is over.
  tcl("after idle {" + pathOf(first->hideB) + " invoke}");
  msg::update(probeDisplayManager);
  EXPECT_FALSE(exists(top));
  EXPECT_EQ(displayCount(), 1u);
  drain();
  EXPECT_EQ(displayCount(), 1u);
  msg::drop(g);
}

TEST_F(ProbeTest, WindowDestroyedFromOutsideClosesTheDisplay) {
  Gadget* g = newGadget();
  for (const BOOL immediately : {YES, NO}) {
    msg::setDropImmediatelyFlag(probeDisplayManager, immediately);
    id display = fullDisplay(g);
    tcl("destroy " + topOf(display));
    drain();
    EXPECT_EQ(displayCount(), immediately ? 0u : 1u);
    msg::update(probeDisplayManager);
    EXPECT_EQ(displayCount(), 0u);
  }
  msg::drop(g);
}

TEST_F(ProbeTest, DroppingTheObjectClosesItsDisplays) {
  Gadget* g = newGadget();
  const std::string simple = topOf(fullDisplay(g));
  const std::string complete = topOf(msg::createCompleteProbeDisplayFor(probeDisplayManager, g));
  msg::drop(g);
  EXPECT_FALSE(exists(simple));
  EXPECT_FALSE(exists(complete));
  drain();
  EXPECT_EQ(displayCount(), 0u);
}

TEST_F(ProbeTest, MethodThatDropsItsObjectClosesTheDisplayItRunsIn) {
  Gadget* g = newGadget();
  id display = fullDisplay(g);
  const std::string top = topOf(display);
  tcl(slotOf(display, "t_vanish", 0) + " invoke");
  EXPECT_FALSE(exists(top));
  drain();
  EXPECT_EQ(displayCount(), 0u);
}

TEST_F(ProbeTest, WithDropsDeferredEachUpdateDropsOneClosedDisplay) {
  Gadget* g = newGadget();
  msg::setDropImmediatelyFlag(probeDisplayManager, NO);
  auto* a = static_cast<SimpleProbeDisplay*>(fullDisplay(g));
  auto* b = static_cast<SimpleProbeDisplay*>(fullDisplay(g));
  tcl(pathOf(a->hideB) + " invoke");
  tcl(pathOf(b->hideB) + " invoke");
  drain();
  EXPECT_EQ(displayCount(), 2u);
  msg::update(probeDisplayManager);
  EXPECT_EQ(displayCount(), 1u);
  msg::update(probeDisplayManager);
  EXPECT_EQ(displayCount(), 0u);
  msg::drop(g);
}

TEST_F(ProbeTest, EmptyMapSaysSo) {
  id blank = msg::create(objc_get_class("Blank"), _obj_globalZone);
  auto* display = static_cast<SimpleProbeDisplay*>(fullDisplay(blank));
  EXPECT_EQ(tcl(pathOf(display->emptyLabel) + " cget -text"), "No Instance Variables or Messages.");
  EXPECT_EQ(tcl("wm title " + topOf(display)), msg::getDisplayName(blank));
  msg::drop(blank);
}

TEST_F(ProbeTest, ArchivedDisplayIsRecordedUnderItsName) {
  Gadget* g = newGadget();
  id display = msg::createArchivedProbeDisplayFor_variableName(probeDisplayManager, g, "modelBrood");
  auto* top = static_cast<ArchivedGeometryWidget*>(msg::getTopLevel(display));
  EXPECT_STREQ(top->windowGeometryRecordName, "ProbeDisplay-modelBrood");
  // The first display of a class without a map shows its variables only,
  // and makes that map the class's.
  EXPECT_TRUE(msg::isProbeMapDefinedForObject(probeLibrary, g));
  EXPECT_EQ(static_cast<SimpleProbeDisplay*>(display)->probeMap, msg::getProbeMapForObject(probeLibrary, g));
  EXPECT_EQ(msg::getCount(static_cast<SimpleProbeDisplay*>(display)->probeMap), 19u);  // the variables
  msg::drop(g);
}

// Every class of a library object's chain shows, whatever its variables'
// and methods' types; opening and closing one must not end the process.
TEST_F(ProbeTest, CompleteDisplaysOfLibraryObjectsOpenAndClose) {
  id list = msg::create(List, _obj_globalZone);
  id schedule = msg::create_setRepeatInterval(Schedule, _obj_globalZone, 1);
  for (id object : {list, schedule, probeDisplayManager, probeLibrary}) {
    id display = msg::createCompleteProbeDisplayFor(probeDisplayManager, object);
    msg::update(probeDisplayManager);
    EXPECT_EQ(tcl("winfo exists " + topOf(display)), "1");
    msg::dropProbeDisplaysFor(probeDisplayManager, object);
    EXPECT_EQ(displayCount(), 0u);
  }
  msg::drop(schedule);
  msg::drop(list);
}

}  // namespace
