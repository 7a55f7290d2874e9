// The analysis tools: the averager and the graph facade with its
// sequences and per-step pumps.
#pragma once

#include "analysis/messages.h"
#include "simtools/simtools.h"
#include "simtoolsgui/simtoolsgui.h"

// Registers the classes of this library and of those it stands on.
void analysis_register_classes();
