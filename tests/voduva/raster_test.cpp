// Rasters and zoom rasters: drawing into the back store, read back from the
// display; clipping, colour blocks, resizing, clicks and the zoom.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <X11/Xutil.h>

#include "defobj/Zone.h"
#include "support/reports.h"
#include "voduva/Colormap.h"
#include "voduva/ZoomRaster.h"
#include "voduva_fixture.h"

namespace {

enum : unsigned char { Red = 1, Green = 2 };

class RasterTest : public TkTest {
 protected:
  void SetUp() override {
    colormap = msg::create(objc_get_class("Colormap"), _obj_globalZone);
    msg::setColor_ToName(colormap, Red, "red");
    msg::setColor_ToName(colormap, Green, "green");
  }
  void TearDown() override {
    for (id r : made) msg::drop(r);
    msg::drop(colormap);
    drain();
  }

  static void drain() {
    while (voduva_doOneEventAsync()) {}
  }

  // A raster of the class and size, with the test's colour map.
  Raster* make(const char* className, unsigned width, unsigned height, id parent = nil) {
    id r = msg::createBegin(objc_get_class(className), _obj_globalZone);
    if (parent) msg::setParent(r, parent);
    msg::setWidth_Height(r, width, height);
    msg::createEnd(r);
    msg::setColormap(r, colormap);
    msg::erase(r);
    made.push_back(r);
    return static_cast<Raster*>(r);
  }

  unsigned long pixel(unsigned char index) { return msg::pixelValue(colormap, index); }
  unsigned long black() { return msg::black(colormap); }

  // One pixel of a drawable (the back store or the window).
  static unsigned long pixelAt(Raster* raster, Drawable drawable, int x, int y) {
    Display* display = Tk_Display(raster->private_->tkwin);
    XImage* image = XGetImage(display, drawable, x, y, 1, 1, AllPlanes, ZPixmap);
    const unsigned long value = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return value;
  }
  static unsigned long stored(Raster* raster, int x, int y) {
    return pixelAt(raster, raster->private_->bitmap->pixmap, x, y);
  }

  // The pixels of a row from x0 to x1 (exclusive) as '#' for the colour and
  // '.' for anything else.
  std::string row(Raster* raster, int y, int x0, int x1, unsigned long color) {
    std::string text;
    for (int x = x0; x < x1; x++) text += stored(raster, x, y) == color ? '#' : '.';
    return text;
  }

  id colormap = nil;
  std::vector<id> made;
};

}  // namespace

TEST_F(RasterTest, CreatesAFrameWithBindingsAndAnErasedBackStore) {
  Raster* raster = make("Raster", 100, 100);
  const std::string path = raster->widgetName;
  EXPECT_EQ(run("winfo class " + path), "Frame");
  EXPECT_EQ(run(path + " cget -width") + "x" + run(path + " cget -height"), "100x100");
  EXPECT_EQ(run("bind " + path + " <Expose>"), std::string(msg::getObjectName(raster)) + " drawSelf");
  EXPECT_NE(run("bind " + path + " <ButtonPress>").find("handleButton: %b X: %x Y: %y"), std::string::npos);
  EXPECT_EQ(raster->eraseColor, 255);
  EXPECT_TRUE(msg::colorIsSet(colormap, 255));
  EXPECT_EQ(stored(raster, 0, 0), black());
  EXPECT_EQ(stored(raster, 99, 99), black());
  EXPECT_EQ(msg::getColormap(raster), colormap);
}

TEST_F(RasterTest, PointsOutsideTheBitmapAndRectanglesAreClipped) {
  Raster* raster = make("Raster", 20, 10);
  for (const auto& [x, y] : {std::pair{-1, 0}, {20, 0}, {0, -1}, {0, 10}}) msg::drawPointX_Y_Color(raster, x, y, Red);
  EXPECT_EQ(row(raster, 0, 0, 20, pixel(Red)), "....................");
  EXPECT_EQ(row(raster, 9, 0, 20, pixel(Red)), "....................");
  msg::drawPointX_Y_Color(raster, 19, 9, Red);
  EXPECT_EQ(stored(raster, 19, 9), pixel(Red));

  msg::fillRectangleX0_Y0_X1_Y1_Color(raster, -5, -5, 3, 3, Green);
  for (int y : {0, 2}) EXPECT_EQ(row(raster, y, 0, 5, pixel(Green)), "###..") << y;
  EXPECT_EQ(row(raster, 3, 0, 5, pixel(Green)), ".....");
  // Wholly outside, and over the right and bottom edges.
  msg::fillRectangleX0_Y0_X1_Y1_Color(raster, -9, 0, -1, 5, Red);
  msg::fillRectangleX0_Y0_X1_Y1_Color(raster, 20, 0, 30, 5, Red);
  msg::fillRectangleX0_Y0_X1_Y1_Color(raster, 17, 8, 40, 40, Red);
  EXPECT_EQ(row(raster, 0, 0, 20, pixel(Red)), "....................");
  EXPECT_EQ(row(raster, 8, 14, 20, pixel(Red)), "...###");
}

TEST_F(RasterTest, OutlinesDrawInsideTheirBox) {
  Raster* raster = make("Raster", 20, 20);
  msg::rectangleX0_Y0_X1_Y1_Width_Color(raster, 2, 2, 8, 6, 1, Red);
  EXPECT_EQ(row(raster, 2, 0, 10, pixel(Red)), "..######..");
  EXPECT_EQ(row(raster, 3, 0, 10, pixel(Red)), "..#....#..");
  EXPECT_EQ(row(raster, 5, 0, 10, pixel(Red)), "..######..");
  // A line leaves out its end point.
  msg::lineX0_Y0_X1_Y1_Width_Color(raster, 0, 10, 9, 10, 1, Green);
  EXPECT_EQ(row(raster, 10, 0, 12, pixel(Green)), "#########...");
  msg::ellipseX0_Y0_X1_Y1_Width_Color(raster, 10, 10, 20, 20, 1, Red);
  EXPECT_EQ(stored(raster, 15, 10), pixel(Red));
  EXPECT_EQ(stored(raster, 15, 15), black());
}

TEST_F(RasterTest, ColoursAreLookedUpInTheRastersNewestBlock) {
  Raster* raster = make("Raster", 10, 10);
  // The block holds the indexes below the free colour that followed the
  // erase colour (255), so 254 lies beyond it.
  msg::setColor_ToName(colormap, 254, "yellow");
  msg::drawPointX_Y_Color(raster, 0, 0, 254);
  EXPECT_EQ(stored(raster, 0, 0), black());
  const RasterBitmap* bitmap = raster->private_->bitmap;
  EXPECT_EQ(bitmap->blockCount, 1u);
  EXPECT_EQ(bitmap->colorCount, 254u);
  // The same colours again reuse the block; changed ones make a new block.
  msg::unsetColor(colormap, 254);
  msg::setColormap(raster, colormap);
  EXPECT_EQ(bitmap->blockCount, 1u);
  msg::unsetColor(colormap, Green);
  msg::setColor_ToName(colormap, Green, "blue");
  msg::setColormap(raster, colormap);
  EXPECT_EQ(bitmap->blockCount, 2u);
  msg::drawPointX_Y_Color(raster, 1, 0, Green);
  msg::drawPointX_Y_Color(raster, 2, 0, Red);
  EXPECT_EQ(stored(raster, 1, 0), pixel(Green));
  EXPECT_EQ(stored(raster, 2, 0), pixel(Red));
}

TEST_F(RasterTest, ResizingKeepsTheTopLeftOfThePicture) {
  Raster* raster = make("Raster", 40, 40);
  msg::fillRectangleX0_Y0_X1_Y1_Color(raster, 0, 0, 40, 40, Red);
  msg::setWidth_Height(raster, 20, 60);
  EXPECT_EQ(msg::getWidth(raster), 20u);
  EXPECT_EQ(msg::getHeight(raster), 60u);
  EXPECT_EQ(run(std::string(raster->widgetName) + " cget -width"), "20");
  EXPECT_EQ(stored(raster, 19, 39), pixel(Red));
  EXPECT_EQ(stored(raster, 19, 40), black());
  msg::setWidth(raster, 30);
  EXPECT_EQ(row(raster, 0, 18, 22, pixel(Red)), "##..");
  EXPECT_EQ(msg::getHeight(raster), 60u);
  // The colour table went over to the new bitmap.
  msg::drawPointX_Y_Color(raster, 25, 5, Green);
  EXPECT_EQ(stored(raster, 25, 5), pixel(Green));
}

TEST_F(RasterTest, DrawSelfCopiesTheBackStoreToTheWindow) {
  Raster* raster = make("Raster", 30, 30);
  msg::pack(raster);
  run("update");
  msg::fillRectangleX0_Y0_X1_Y1_Color(raster, 5, 5, 10, 10, Green);
  const Window window = Tk_WindowId(raster->private_->tkwin);
  EXPECT_NE(pixelAt(raster, window, 7, 7), pixel(Green));  // drawing touches only the back store
  msg::drawSelf(raster);
  EXPECT_EQ(pixelAt(raster, window, 7, 7), pixel(Green));
  EXPECT_EQ(pixelAt(raster, window, 4, 4), black());
}

TEST_F(RasterTest, ClicksReachTheClientOfTheirButton) {
  Raster* raster = make("Raster", 50, 50);
  // The client is told the click position as its new size.
  Raster* client = make("Raster", 5, 5);
  msg::setButton_Client_Message(raster, 3, client, msg::setWidth_Height.sel);
  msg::pack(raster);
  run("update");
  run(std::string("event generate ") + raster->widgetName + " <ButtonPress-3> -x 12 -y 34");
  drain();
  EXPECT_EQ(msg::getWidth(client), 12u);
  EXPECT_EQ(msg::getHeight(client), 34u);
  // A button without client does nothing.
  msg::handleButton_X_Y(raster, 1, 7, 7);
  EXPECT_EQ(msg::getWidth(client), 12u);
}

TEST_F(RasterTest, UnknownButtonsAndAMissingColourMapAreWarnings) {
  Raster* raster = make("Raster", 10, 10);
  const struct {
    std::function<void()> action;
    const char* report;
  } cases[] = {
      {[&] { msg::setButton_Client_Message(raster, 4, raster, msg::erase.sel); },
       "Don't know how to handle button 4, ignoring.\n"},
      // The wheel: X reports it as buttons 4 and 5.
      {[&] { msg::handleButton_X_Y(raster, 5, 1, 1); }, "Button 5 out of range.\n"},
      {[&] { msg::setColormap(raster, nil); }, "colormap is nil"},
  };
  for (const auto& c : cases) {
    testing::internal::CaptureStderr();
    c.action();
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_NE(report.find("*** event raised for warning: WarningMessage\n"), std::string::npos) << report;
    EXPECT_NE(report.find(c.report), std::string::npos) << report;
    EXPECT_NE(report.find("*** execution continuing...\n"), std::string::npos) << report;
  }
}

TEST_F(RasterTest, ZoomedPointsAreCentredCellsAndClicksFindTheirCell) {
  auto* zoom = static_cast<ZoomRaster*>(make("ZoomRaster", 80, 80));
  EXPECT_EQ(msg::getZoomFactor(zoom), 1u);
  msg::setZoomFactor(zoom, 4);
  EXPECT_EQ(zoom->width, 320u);
  EXPECT_EQ(msg::getWidth(zoom), 80u);
  EXPECT_EQ(run("wm grid " + std::string(msg::getWidgetName(zoom->parent))), "4 4 80 80");
  msg::drawPointX_Y_Color(zoom, 10, 10, Red);
  EXPECT_EQ(row(zoom, 38, 36, 44, pixel(Red)), "..####..");
  EXPECT_EQ(row(zoom, 41, 36, 44, pixel(Red)), "..####..");
  EXPECT_EQ(row(zoom, 42, 36, 44, pixel(Red)), "........");
  msg::fillRectangleX0_Y0_X1_Y1_Color(zoom, 1, 0, 2, 1, Green);
  EXPECT_EQ(row(zoom, 0, 0, 10, pixel(Green)), "....####..");

  Raster* client = make("Raster", 5, 5);
  msg::setButton_Client_Message(zoom, 1, client, msg::setWidth_Height.sel);
  msg::handleButton_X_Y(zoom, 1, 41, 38);
  EXPECT_EQ(msg::getWidth(client), 10u);
  EXPECT_EQ(msg::getHeight(client), 10u);

  // The erase covers the whole zoomed picture.
  msg::erase(zoom);
  EXPECT_EQ(stored(zoom, 319, 319), black());
  EXPECT_EQ(stored(zoom, 40, 40), black());
}

TEST_F(RasterTest, ZoomFollowsTheWindowOnlyOncePacked) {
  auto* zoom = static_cast<ZoomRaster*>(make("ZoomRaster", 80, 80));
  msg::handleConfigureWidth_Height(zoom, 330, 330);
  EXPECT_EQ(msg::getZoomFactor(zoom), 1u);
  msg::pack(zoom);
  msg::handleConfigureWidth_Height(zoom, 330, 330);
  EXPECT_EQ(msg::getZoomFactor(zoom), 4u);
  msg::handleConfigureWidth_Height(zoom, 10, 10);
  EXPECT_EQ(msg::getZoomFactor(zoom), 1u);
  msg::increaseZoom(zoom);
  EXPECT_EQ(msg::getZoomFactor(zoom), 2u);
  EXPECT_EQ(zoom->height, 160u);
  msg::decreaseZoom(zoom);
  msg::decreaseZoom(zoom);
  EXPECT_EQ(msg::getZoomFactor(zoom), 1u);
}

TEST_F(RasterTest, ZoomOfZeroIsRefusedWithAWarning) {
  auto* zoom = static_cast<ZoomRaster*>(make("ZoomRaster", 8, 8));
  msg::setZoomFactor(zoom, 3);
  testing::internal::CaptureStderr();
  msg::setZoomFactor(zoom, 0);
  const std::string report = testing::internal::GetCapturedStderr();
  EXPECT_NE(report.find("Zoom factor 0 ignored; the zoom stays 3.\n"), std::string::npos) << report;
  EXPECT_EQ(msg::getZoomFactor(zoom), 3u);
  EXPECT_EQ(zoom->width, 24u);
  msg::handleButton_X_Y(zoom, 1, 5, 5);  // no division by zero anywhere
}

TEST_F(RasterTest, ZoomRasterInsideAnInnerFrameIsAnError) {
  id top = msg::create(objc_get_class("Frame"), _obj_globalZone);
  id inner = msg::createParent(objc_get_class("Frame"), top);
  const Misuse cases[] = {
      {"inner frame", [&] { make("ZoomRaster", 8, 8, inner); }, "-[ZoomRaster createEnd]",
       "Warning: ZoomRaster created as child of non toplevel.\nResize code probably\nwill not work.\n"},
  };
  expectReports(cases);
  msg::drop(inner);
  msg::drop(top);
}
