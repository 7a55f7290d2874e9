// The Tcl bridge: the interpreter objects, their tables and the functions
// that make objects callable from Tcl.
#pragma once

#include "objectbase/objectbase.h"
#include "tclobjc/HashTable.h"
#include "tclobjc/TclInterp.h"
#include "tclobjc/TclObjcList.h"
#include "tclobjc/tclObjc.h"

// Registers the classes of this library and of those it stands on.
void tclobjc_register_classes();
