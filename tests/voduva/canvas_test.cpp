// Canvas geometry: the scroll region follows the widget it holds, the
// visible part is capped, and nothing waits for a widget to become visible.
#include <gtest/gtest.h>

#include <string>

#include "defobj/Zone.h"
#include "voduva_fixture.h"

namespace {

class CanvasTest : public TkTest {
 protected:
  void SetUp() override {
    canvas = msg::create(objc_get_class("Canvas"), _obj_globalZone);
    path = msg::getWidgetName(canvas);
    msg::pack(canvas);
  }
  void TearDown() override {
    msg::drop(canvas);
    if (inner) msg::drop(inner);
    run("update");
  }

  // A frame of the size inside the canvas, shown or in a withdrawn window.
  void hold(unsigned width, unsigned height, bool shown) {
    const std::string frame = path + ".f";
    run("frame " + frame + " -width " + std::to_string(width) + " -height " + std::to_string(height));
    inner = makeWidget(frame.c_str());
    msg::addWidget_X_Y_centerFlag(canvas, inner, 0, 0, NO);
    if (!shown) msg::withdraw(msg::getTopLevel(canvas));
    for (int i = 0; i < 100 && shown && run("winfo viewable " + frame) != "1"; i++) run("update");
    ASSERT_EQ(run("winfo viewable " + frame), shown ? "1" : "0");
  }

  // checkGeometry: with a watchdog: a wait for visibility would end only
  // when the watchdog destroys the widget.
  void check() {
    const std::string frame = path + ".f";
    run("set watchdog [after 3000 {destroy " + frame + "}]");
    msg::checkGeometry(canvas, inner);
    run("after cancel $watchdog");
    ASSERT_EQ(run("winfo exists " + frame), "1") << "checkGeometry: waited for the watchdog";
  }

  std::string option(const char* name) { return run(path + " cget " + name); }

  id canvas;
  std::string path;
  VoduvaWidget* inner = nullptr;
};

}  // namespace

TEST_F(CanvasTest, WidgetAlreadyShownIsMeasuredAtOnce) {
  const struct {
    unsigned width, height;
    std::string region, shown;
  } cases[] = {{300, 200, "0 0 300 200", "300 200"}, {1000, 700, "0 0 1000 700", "809 500"}};
  for (const auto& c : cases) {
    hold(c.width, c.height, true);
    check();
    EXPECT_EQ(option("-scrollregion"), c.region);
    EXPECT_EQ(option("-width") + " " + option("-height"), c.shown);
    run("destroy " + path + ".f");
    msg::drop(inner);
    inner = nullptr;
  }
}

TEST_F(CanvasTest, WidgetInAWithdrawnWindowIsMeasuredByItsRequestedSize) {
  hold(250, 120, false);
  check();
  EXPECT_EQ(option("-scrollregion"), "0 0 250 120");
  EXPECT_EQ(option("-width") + " " + option("-height"), "250 120");
}
