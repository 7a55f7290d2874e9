// The warmling model library: Warmling, HeatCell, HeatSpace and
// WarmlingModelBrood.
#pragma once

#include "model/messages.h"
#include "space/space.h"

// Registers the model's classes and those of the libraries it stands on.
void warmling_register_classes();
