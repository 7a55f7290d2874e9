// The probes and simulation-object library.
#pragma once

#include "collections/collections.h"
#include "objectbase/messages.h"

// How probe texts write and read character values; made by initProbing.
extern id DefaultString, CharString, IntString;

// The one probe library of the process; made by initProbing.
extern id probeLibrary;

void objectbase_register_classes();

// Makes the three character-style symbols and the probe library, once;
// later calls do nothing.
void initProbing();
