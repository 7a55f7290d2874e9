// Window snapshots written as PNG files, read back by Tk's own PNG reader.
#include <gtest/gtest.h>

#include <string>

#include "defobj/Zone.h"
#include "support/reports.h"
#include "support/temp_path.h"
#include "voduva/Pixmap.h"
#include "voduva_fixture.h"

TEST_F(TkTest, SnapshotOfARasterWindowIsWrittenAsPNG) {
  id colormap = msg::create(objc_get_class("Colormap"), _obj_globalZone);
  msg::setColor_ToName(colormap, 1, "red");
  id raster = msg::createBegin(objc_get_class("Raster"), _obj_globalZone);
  msg::setWidth_Height(raster, 40, 30);
  msg::createEnd(raster);
  msg::setColormap(raster, colormap);
  msg::erase(raster);
  msg::fillRectangleX0_Y0_X1_Y1_Color(raster, 0, 0, 10, 10, 1);
  msg::pack(raster);
  run("update");
  msg::drawSelf(raster);

  PixmapImage* snapshot = voduva_pixmap_create_from_widget(_obj_globalZone, raster, NO);
  EXPECT_EQ(snapshot->width, 40u);
  EXPECT_EQ(snapshot->height, 30u);
  const std::string file = processTempPath("voduva_snapshot") + ".png";
  voduva_pixmap_save(snapshot, file.c_str());
  EXPECT_EQ(run("image create photo shot -file {" + file + "}"), "shot");
  EXPECT_EQ(run("list [image width shot] [image height shot]"), "40 30");
  EXPECT_EQ(run("shot get 5 5"), "255 0 0");
  EXPECT_EQ(run("shot get 20 20"), "0 0 0");
  run("image delete shot");

  // More colours than a palette holds: written as RGB.
  PixmapImage* gradient = voduva_pixmap_create(_obj_globalZone, 300, 1);
  for (unsigned x = 0; x < 300; x++) {
    gradient->rgb[3 * x] = static_cast<unsigned char>(x);
    gradient->rgb[3 * x + 1] = x >= 256;
  }
  voduva_pixmap_save(gradient, file.c_str());
  EXPECT_EQ(run("image create photo shot -file {" + file + "}"), "shot");
  EXPECT_EQ(run("shot get 299 0"), "43 1 0");
  run("image delete shot");

  const Misuse cases[] = {
      {"no such directory", [&] { voduva_pixmap_save(snapshot, "/nonexistent/dir/shot.png"); }, "voduva_pixmap_save",
       "Cannot open output pixmap file: /nonexistent/dir/shot.png\n"},
  };
  expectReports(cases);
  voduva_pixmap_drop(gradient);
  voduva_pixmap_drop(snapshot);
  msg::drop(raster);
  msg::drop(colormap);
}
