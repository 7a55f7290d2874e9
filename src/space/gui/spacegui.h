// The lattice displays: lattices painted on rasters. A library apart from
// the lattices, so that they link no Tk.
#pragma once

#include "space/gui/Object2dDisplay.h"
#include "space/gui/Value2dDisplay.h"

// Registers the classes of this library and of those it stands on.
void spacegui_register_classes();
