// The lattices and automata library: Discrete2d, Grid2d, DblBuffer2d, Ca2d
// and Diffuse2d.
#pragma once

#include "random/random.h"
#include "space/messages.h"

// Registers the classes of this library and of those it stands on.
void space_register_classes();
