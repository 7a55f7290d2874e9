// A zoomed raster under Xvfb with a small colour map, lattices to paint on
// it, and pixels read back from its back store.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "defobj/CreateDrop.h"
#include "space/gui/spacegui.h"
#include "voduva/voduva.h"

namespace msg {
inline const Message<id(id)> t_drawOn{"t_drawOn:"};
}  // namespace msg

// An occupant that draws itself as one point of its colour.
struct Dot : CreateDrop {
  int x, y;
  unsigned char color;
  id drawOn(id raster);
};

void register_display_specimens();

class DisplayTest : public testing::Test {
 protected:
  static constexpr unsigned zoom = 3;

  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  Dot* dot(int x, int y, unsigned char color);
  // The colour index drawn at lattice cell (x, y): every pixel of the
  // zoomed cell must agree, else -1.
  int colorAt(unsigned x, unsigned y);
  // Everything written on standard error by the call.
  template <class F>
  std::string stderrOf(F f) {
    testing::internal::CaptureStderr();
    f();
    return testing::internal::GetCapturedStderr();
  }

  id colormap = nil;
  id raster = nil;
  id lattice = nil;  // 4 by 3
};
