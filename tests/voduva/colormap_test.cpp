// Colour maps: named and component colours allocated on the display, the
// free-index search, and the reports of misuse.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

#include "defobj/Zone.h"
#include "support/reports.h"
#include "voduva/Colormap.h"
#include "voduva_fixture.h"

namespace {

class ColormapTest : public TkTest {
 protected:
  void SetUp() override { colormap = msg::create(objc_get_class("Colormap"), _obj_globalZone); }
  void TearDown() override { msg::drop(colormap); }

  // The red, green and blue bytes the display gives a pixel value.
  static std::string rgbOf(unsigned long pixel) {
    XColor color;
    color.pixel = pixel;
    Tk_Window main = msg::mainWindow(globalTkInterp);
    XQueryColor(Tk_Display(main), DefaultColormapOfScreen(Tk_Screen(main)), &color);
    char text[8];
    std::snprintf(text, sizeof text, "%02x%02x%02x", color.red >> 8, color.green >> 8, color.blue >> 8);
    return text;
  }

  id colormap = nil;
};

}  // namespace

TEST_F(ColormapTest, StartsWithEveryIndexUnsetAndTheScreensWhiteAndBlack) {
  EXPECT_EQ(rgbOf(msg::white(colormap)), "ffffff");
  EXPECT_EQ(rgbOf(msg::black(colormap)), "000000");
  for (int index : {0, 128, 255}) EXPECT_FALSE(msg::colorIsSet(colormap, index)) << index;
  EXPECT_EQ(msg::nextFreeColor(colormap), 255);
}

TEST_F(ColormapTest, NamedAndComponentColoursReachTheDisplay) {
  const double nan = std::nan("");
  const struct {
    unsigned char index;
    std::function<BOOL()> set;
    const char* rgb;
  } cases[] = {
      {1, [&] { return msg::setColor_ToName(colormap, 1, "red"); }, "ff0000"},
      {2, [&] { return msg::setColor_ToRed_Green_Blue(colormap, 2, 1.0, 0.5, 0.0); }, "ff8000"},
      {3, [&] { return msg::setColor_ToRed_Green_Blue(colormap, 3, -0.5, 0.25, 7.0); }, "ff40ff"},
      {4, [&] { return msg::setColor_ToRed_Green_Blue(colormap, 4, nan, 0.0, 0.999); }, "ff00ff"},
      {5, [&] { return msg::setColor_ToGrey(colormap, 5, 0.5); }, "808080"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rgb);
    EXPECT_TRUE(c.set());
    EXPECT_TRUE(msg::colorIsSet(colormap, c.index));
    EXPECT_EQ(rgbOf(msg::pixelValue(colormap, c.index)), c.rgb);
    EXPECT_EQ(msg::map(colormap)[c.index], msg::pixelValue(colormap, c.index));
  }
  msg::unsetColor(colormap, 5);
  EXPECT_FALSE(msg::colorIsSet(colormap, 5));
}

TEST_F(ColormapTest, UnknownColourNameWarnsAndLeavesWhiteUnset) {
  testing::internal::CaptureStderr();
  EXPECT_FALSE(msg::setColor_ToName(colormap, 9, "nosuchcolour"));
  const std::string report = testing::internal::GetCapturedStderr();
  EXPECT_NE(report.find("*** event raised for warning: ResourceAvailability\n"), std::string::npos) << report;
  EXPECT_NE(report.find("Problem locating color nosuchcolour. Substituting white.\n"), std::string::npos) << report;
  EXPECT_FALSE(msg::colorIsSet(colormap, 9));
  EXPECT_EQ(msg::map(colormap)[9], msg::white(colormap));
}

TEST_F(ColormapTest, NextFreeColorSearchesDownAndWarnsWhenAllAreSet) {
  msg::setColor_ToName(colormap, 255, "black");
  EXPECT_EQ(msg::nextFreeColor(colormap), 254);
  for (int index = 0; index < 255; index++) msg::setColor_ToGrey(colormap, index, index / 256.0);
  testing::internal::CaptureStderr();
  EXPECT_EQ(msg::nextFreeColor(colormap), 0);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("No free colors"), std::string::npos);
}

TEST_F(ColormapTest, SettingAnIndexTwiceOrReadingAnUnsetOneIsAnError) {
  msg::setColor_ToName(colormap, 3, "blue");
  const Misuse cases[] = {
      {"set twice", [&] { msg::setColor_ToName(colormap, 3, "red"); }, "-[Colormap setColor:ToName:]",
       "attempted to set color 3 twice\n"},
      {"unset read", [&] { msg::pixelValue(colormap, 7); }, "-[Colormap pixelValue:]",
       "attempted to access unset color 7\n"},
  };
  expectReports(cases);
  EXPECT_EQ(rgbOf(msg::pixelValue(colormap, 3)), "0000ff");
}
