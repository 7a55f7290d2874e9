// The text-file library: OutFile and InFile.
#pragma once

#include "objectbase/objectbase.h"
#include "simtools/messages.h"

// Registers the classes of this library and of those it stands on.
void simtools_register_classes();
