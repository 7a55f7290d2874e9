// The probes and simulation-object library.
#pragma once

#include "collections/collections.h"

void objectbase_register_classes();
