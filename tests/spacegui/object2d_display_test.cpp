// Object2dDisplay asks occupants to draw themselves and probes the object
// under a click.
#include "display_fixture.h"

#include "collections/collections.h"
#include "support/reports.h"

namespace {

using Object2dDisplayTest = DisplayTest;

id makeDisplay(id raster, id lattice, SEL message) {
  return msg::create_setDisplayWidget_setDiscrete2dToDisplay_setDisplayMessage(
      objc_get_class("Object2dDisplay"), _obj_globalZone, raster, lattice, message);
}

TEST_F(Object2dDisplayTest, DrawsTheOccupantsOrTheCollection) {
  msg::putObject_atX_Y(lattice, dot(1, 0, 3), 1, 0);
  msg::putObject_atX_Y(lattice, dot(3, 2, 7), 3, 2);
  id display = makeDisplay(raster, lattice, msg::t_drawOn.sel);
  msg::display(display);
  EXPECT_EQ(colorAt(1, 0), 3);
  EXPECT_EQ(colorAt(3, 2), 7);
  EXPECT_EQ(colorAt(0, 0), 0);

  // With a collection, its members draw themselves wherever they are.
  msg::erase(raster);
  id collection = msg::create(List, _obj_globalZone);
  msg::addLast(collection, dot(2, 1, 200));
  msg::setObjectCollection(display, collection);
  msg::display(display);
  EXPECT_EQ(colorAt(2, 1), 200);
  EXPECT_EQ(colorAt(1, 0), 0);
  msg::drop(display);
}

TEST_F(Object2dDisplayTest, ProbingOutsideTheLatticeWarns) {
  id display = makeDisplay(raster, lattice, msg::t_drawOn.sel);
  const struct {
    int x, y;
    const char* warning;
  } cases[] = {{4, 0, "(4,0)"}, {0, 3, "(0,3)"}, {-1, 1, "(-1,1)"}};
  for (const auto& c : cases)
    EXPECT_NE(stderrOf([&] { msg::makeProbeAtX_Y(display, c.x, c.y); })
                  .find(std::string("Object2dDisplay: invalid coordinates to make probe ") + c.warning),
              std::string::npos);
  // An empty cell rings the bell: no warning, nothing opened.
  EXPECT_EQ(stderrOf([&] { msg::makeProbeAtX_Y(display, 2, 2); }), "");
  msg::drop(display);
}

TEST_F(Object2dDisplayTest, CreationWithoutAnOptionIsAnError) {
  const Misuse cases[] = {
      {"no widget", [&] { makeDisplay(nil, lattice, msg::t_drawOn.sel); }, "-[Object2dDisplay createEnd]",
       "Object display improperly initialized\n"},
      {"no lattice", [&] { makeDisplay(raster, nil, msg::t_drawOn.sel); }, "-[Object2dDisplay createEnd]",
       "Object display improperly initialized\n"},
      {"no message", [&] { makeDisplay(raster, lattice, nullptr); }, "-[Object2dDisplay createEnd]",
       "Object display improperly initialized\n"},
  };
  expectReports(cases);
}

}  // namespace
