// The base class of model-level objects: agents, cells, generators,
// lattices, probes and tools.
#pragma once

#include "defobj/CreateDrop.h"

struct BroodObject : CreateDrop {};
