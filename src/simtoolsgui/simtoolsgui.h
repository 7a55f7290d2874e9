// The simulation GUI tools: composites of windows whose geometry is
// archived under names built from their owner's.
#pragma once

#include "objectbase/objectbase.h"
#include "simtoolsgui/messages.h"

// The record name of a component's window: base, a hyphen and the
// component name, a new string from _obj_scratchZone; nil without a base.
char* buildWindowGeometryRecordName(const char* base, const char* component);

// Registers the classes of this library and of those it stands on.
void simtoolsgui_register_classes();
