// Value2dDisplay paints a lattice through the colour mapping, one zoomed
// cell per value, warning of colours outside the map.
#include "display_fixture.h"

#include <vector>

#include "support/reports.h"

namespace {

using Value2dDisplayTest = DisplayTest;

struct Cell {
  unsigned x, y;
  intptr_t value;
  int color;  // expected colour index; the raster shows those below 254
};

TEST_F(Value2dDisplayTest, PaintsEveryCellThroughTheMapping) {
  id display = msg::create_setDisplayWidget_colormap_setDiscrete2dToDisplay(
      objc_get_class("Value2dDisplay"), _obj_globalZone, raster, colormap, lattice);
  const struct {
    int factor, constant;
    Cell cells[4];
    std::vector<std::string> warnings;
  } mappings[] = {
      {1, 0, {{0, 0, 253, 253}, {1, 0, 255, 255}, {2, 0, 256, 0}, {3, 2, -1, 255}},
       {"Value2dDisplay: found colour 256 not in [0,255].\n", "Value2dDisplay: found colour -1 not in [0,255].\n"}},
      // Division truncates toward zero before the constant is added.
      {2, 1, {{0, 0, 5, 3}, {1, 0, -3, 0}, {2, 1, 13, 7}, {3, 2, 3, 2}}, {}},
  };
  for (const auto& mapping : mappings) {
    SCOPED_TRACE(mapping.factor);
    msg::fillWithValue(lattice, 0);
    for (const Cell& c : mapping.cells) msg::putValue_atX_Y(lattice, c.value, c.x, c.y);
    msg::setDisplayMappingM_C(display, mapping.factor, mapping.constant);
    const std::string errors = stderrOf([&] { msg::display(display); });
    size_t found = 0;
    for (const std::string& warning : mapping.warnings) {
      EXPECT_NE(errors.find(warning), std::string::npos) << errors;
      found += errors.find(warning) != std::string::npos;
    }
    EXPECT_EQ(found, mapping.warnings.size());
    if (mapping.warnings.empty()) {
      EXPECT_EQ(errors, "");
    }
    for (const Cell& c : mapping.cells) {
      if (c.color < 254) {
        EXPECT_EQ(colorAt(c.x, c.y), c.color) << c.x << "," << c.y;
      }
    }
    EXPECT_EQ(colorAt(1, 1), mapping.constant);  // a cell holding 0
  }
  msg::drop(display);
}

TEST_F(Value2dDisplayTest, FactorZeroWarnsAndActsAsOne) {
  id display = msg::create_setDisplayWidget_colormap_setDiscrete2dToDisplay(
      objc_get_class("Value2dDisplay"), _obj_globalZone, raster, colormap, lattice);
  msg::putValue_atX_Y(lattice, 3, 2, 1);
  EXPECT_NE(stderrOf([&] { msg::setDisplayMappingM_C(display, 0, 0); }).find("display mapping factor 0 replaced by 1"),
            std::string::npos);
  msg::display(display);
  EXPECT_EQ(colorAt(2, 1), 3);
  msg::drop(display);
}

TEST_F(Value2dDisplayTest, CreationWithoutWidgetOrLatticeIsAnError) {
  const Misuse cases[] = {
      {"no widget",
       [&] {
         msg::create_setDisplayWidget_colormap_setDiscrete2dToDisplay(objc_get_class("Value2dDisplay"),
                                                                     _obj_globalZone, nil, colormap, lattice);
       },
       "-[Value2dDisplay createEnd]", "Value display improperly initialized\n"},
      {"no lattice",
       [&] {
         msg::create_setDisplayWidget_colormap_setDiscrete2dToDisplay(objc_get_class("Value2dDisplay"),
                                                                     _obj_globalZone, raster, colormap, nil);
       },
       "-[Value2dDisplay createEnd]", "Value display improperly initialized\n"},
  };
  expectReports(cases);
}

}  // namespace
