// The widgets probe displays are built from: the Tcl each one installs,
// as the bindings will run it.
#include <gtest/gtest.h>

#include <string>

#include "defobj/defobj.h"
#include "objectbase/objectbase.h"
#include "voduva/ClassDisplayHideButton.h"
#include "voduva/ClassDisplayLabel.h"
#include "voduva/ProbeCanvas.h"
#include "voduva/VarProbeEntry.h"
#include "voduva_fixture.h"

namespace {

// What a variable entry probes: a number and an object.
struct Probed : CreateDrop {
  double level;
  id other;
};

REGISTER_CLASS(Probed, CreateDrop,
  ivar(&Probed::level, "level"),
  ivar(&Probed::other, "other"))

class ProbeWidgetsTest : public TkTest {
 protected:
  void SetUp() override {
    initProbing();
    if (!objc_lookup_class("Probed")) objc_register_Probed();
    frame = msg::create(objc_get_class("Frame"), _obj_globalZone);
    owner = makeWidget(".owner");
  }
  void TearDown() override {
    msg::drop(frame);
    msg::drop(owner);
    run("update");
  }

  // A widget of the class in the frame, set up by the setters before its
  // creation ends.
  template <class Setup>
  id make(const char* cls, Setup setup) {
    id widget = msg::createBegin(objc_get_class(cls), _obj_globalZone);
    msg::setParent(widget, frame);
    setup(widget);
    return msg::createEnd(widget);
  }
  id make(const char* cls) {
    return make(cls, [](id) {});
  }

  id probeOf(const char* variable) {
    id probe = msg::createBegin(objc_get_class("VarProbe"), _obj_globalZone);
    msg::setProbedClass(probe, objc_get_class("Probed"));
    msg::setProbedVariable(probe, variable);
    return msg::createEnd(probe);
  }

  // A child keeps its Tk window when dropped: the test's windows go first.
  static void discard(id widget) {
    run("destroy " + path(widget));
    msg::drop(widget);
  }
  static std::string path(id widget) { return msg::getWidgetName(widget); }
  static bool holds(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
  std::string ownerName() const { return msg::getObjectName(owner); }

  id frame = nil;
  VoduvaWidget* owner = nullptr;
};

TEST_F(ProbeWidgetsTest, LabelsAnchorAndColourTheirText) {
  id classLabel = make("ClassDisplayLabel");
  EXPECT_EQ(run(path(classLabel) + " cget -anchor"), "w");
  EXPECT_EQ(run(path(classLabel) + " cget -foreground"), "blue");
  id varLabel = make("VarProbeLabel");
  EXPECT_EQ(run(path(varLabel) + " cget -anchor"), "e");

  id title = make("CompleteProbeDisplayLabel", [&](id w) {
    msg::setTargetWidget(w, owner);
    msg::setProbedObject(w, owner);
  });
  const std::string t = path(title);
  EXPECT_EQ(run("bind " + t + " <ButtonPress-3>"),
            std::string(tclObjc_objectToName(probeDisplayManager)) + " createCompleteProbeDisplayFor: " + ownerName());
  EXPECT_EQ(run("bind " + t + " <Enter>"), t + " configure -fg CornFlowerBlue");
  EXPECT_EQ(run("bind " + t + " <Leave>"), t + " configure -fg blue");
  EXPECT_EQ(run("lindex [drag&drop source " + t + " -button] end"), "1");
  // Without an object the title is no drag source and opens nothing.
  id plain = make("CompleteProbeDisplayLabel");
  EXPECT_EQ(run("bind " + path(plain) + " <ButtonPress-3>"), "");
  for (id w : {classLabel, varLabel, title, plain}) discard(w);
}

TEST_F(ProbeWidgetsTest, HideButtonsCloseTheDisplayOrFoldTheirSection) {
  id display = makeWidget(".display");
  id simple = make("SimpleProbeDisplayHideButton", [&](id w) { msg::setProbeDisplay(w, display); });
  EXPECT_EQ(run(path(simple) + " cget -command"), std::string(msg::getObjectName(display)) + " markForDrop");
  EXPECT_EQ(run(path(simple) + " cget -bitmap"), "special");
  EXPECT_EQ(run("dict get [pack info " + path(simple) + "] -side"), "right");

  id own = make("ClassDisplayHideButton", [&](id w) {
    msg::setOwner(w, display);
    msg::setUser(w, owner);
  });
  EXPECT_EQ(run(path(own) + " cget -command"), std::string(msg::getObjectName(display)) + " markForDrop");

  id sub = makeWidget(".sub");
  id folding = make("ClassDisplayHideButton", [&](id w) {
    msg::setOwner(w, display);
    msg::setUser(w, owner);
    msg::setSubWidget(w, sub);
  });
  const std::string subName = msg::getObjectName(sub), displayName = msg::getObjectName(display);
  EXPECT_EQ(run(path(folding) + " cget -command"),
            "pack forget .owner; " + subName + " armSuperButton; " + displayName + " do_resize");
  EXPECT_EQ(run(path(folding) + " cget -bitmap"), "hide");
  for (id w : {simple, own, folding}) discard(w);
  for (id w : {display, sub}) msg::drop(w);
}

TEST_F(ProbeWidgetsTest, SuperButtonWithoutASuperclassOnlyRings) {
  id display = makeWidget(".display");
  id lone = make("SuperButton", [&](id w) {
    msg::setOwner(w, display);
    msg::setUser(w, owner);
  });
  EXPECT_EQ(run(path(lone) + " cget -state"), "disabled");
  EXPECT_EQ(run(path(lone) + " cget -command"), " bell ");
  EXPECT_EQ(run(path(lone) + " cget -bitmap"), "super");

  id above = makeWidget(".above");
  id armed = make("SuperButton", [&](id w) {
    msg::setOwner(w, display);
    msg::setUser(w, owner);
    msg::setSuperWidget(w, above);
  });
  EXPECT_EQ(run(path(armed) + " cget -state"), "normal");
  EXPECT_EQ(run(path(armed) + " cget -command"), " pack .above -before .owner -fill both -expand 1; " + path(armed) +
                                                     " configure -state disabled; " + msg::getObjectName(display) +
                                                     " do_resize");
  for (id w : {lone, armed}) discard(w);
  for (id w : {display, above}) msg::drop(w);
}

TEST_F(ProbeWidgetsTest, VariableEntryBindsByTypeAndEditability) {
  id level = probeOf("level"), other = probeOf("other");
  id fixed = make("VarProbeEntry", [&](id w) {
    msg::setOwner(w, owner);
    msg::setVarProbe(w, level);
  });
  const std::string f = path(fixed);
  EXPECT_EQ(run(f + " cget -state"), "disabled");
  EXPECT_EQ(run("bind " + f + " <Return>"), "");
  EXPECT_TRUE(holds(run("bind " + f + " <Button-3>"), "bell"));
  EXPECT_EQ(msg::getVarProbe(fixed), level);

  id editable = make("VarProbeEntry", [&](id w) {
    msg::setOwner(w, owner);
    msg::setVarProbe(w, level);
    msg::setInteractiveFlag(w, YES);
  });
  const std::string e = path(editable);
  EXPECT_EQ(run("bind " + e + " <Return>"),
            e + " configure -highlightcolor red ;update ;" + ownerName() + " setVariableValue: %W");
  EXPECT_EQ(run("bind " + e + " <FocusIn>"), e + " selection range 0 end");

  id object = make("VarProbeEntry", [&](id w) {
    msg::setOwner(w, owner);
    msg::setVarProbe(w, other);
  });
  const std::string o = path(object);
  EXPECT_TRUE(holds(run("bind " + o + " <Button-3>"), ownerName() + " Spawn: " + o));
  EXPECT_EQ(run("drag&drop target " + o + " handler"), "id");
  for (id w : {fixed, editable, object}) discard(w);
  for (id w : {level, other}) msg::drop(w);
}

TEST_F(ProbeWidgetsTest, MessageEntryBindsItsArgumentOrResult) {
  const std::string parentName = msg::getObjectName(frame);
  const struct {
    int arg;
    BOOL idFlag;
    const char* button3;
    const char* expand;
    const char* state;
  } cases[] = {
      {2, YES, " argSpawn: ", "1", "disabled"},
      {-1, YES, " Spawn: ", "0", "disabled"},
      {0, NO, "bell ;", "1", "normal"},
      {-1, NO, "bell ;", "0", "normal"},
  };
  for (const auto& c : cases) {
    id entry = make("MessageProbeEntry", [&](id w) {
      if (c.arg >= 0) msg::setArg(w, c.arg);
      msg::setIdFlag(w, c.idFlag);
    });
    const std::string p = path(entry);
    const std::string binding = run("bind " + p + " <Button-3>");
    EXPECT_TRUE(holds(binding, c.button3)) << binding;
    const std::string expected = c.idFlag ? parentName + c.button3 + p + (c.arg >= 0 ? " arg: 2" : "")
                                          : "focus " + path(frame) + " ; update";
    EXPECT_TRUE(holds(binding, expected)) << binding;
    EXPECT_EQ(run("dict get [pack info " + p + "] -expand"), c.expand);
    EXPECT_EQ(run(p + " cget -state"), c.state);
    discard(entry);
  }
}

TEST_F(ProbeWidgetsTest, CanvasScrollBarsAreItsParentsChildren) {
  for (const BOOL horizontal : {NO, YES}) {
    id box = msg::createParent(objc_get_class("Frame"), frame);
    id canvas = msg::createBegin(objc_get_class("ProbeCanvas"), _obj_globalZone);
    msg::setParent(canvas, box);
    msg::setHorizontalScrollbarFlag(canvas, horizontal);
    canvas = msg::createEnd(canvas);
    const std::string b = path(box);
    EXPECT_EQ(run(path(canvas) + " cget -yscrollcommand"), b + ".yscroll set");
    EXPECT_EQ(run("winfo exists " + b + ".yscroll"), "1");
    EXPECT_EQ(run("winfo exists " + b + ".xscroll"), horizontal ? "1" : "0");
    EXPECT_EQ(run("dict get [pack info " + path(canvas) + "] -side"), "left");
    msg::drop(canvas);
    discard(box);
  }
}

}  // namespace
