// The Tk interpreter with BLT: graphs, vectors, drag and drop, bitmaps.
#pragma once

#include "voduva/TkInterp.h"

struct TkExtra : TkInterp {
  const char* preInitWithArgc_argv(int argc, const char* const* argv);
  const char* getBltVersion();
  const char* getBltFullVersion();
  BOOL newBLTp();
};
