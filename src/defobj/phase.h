// Phase markers in a class table: the methods that follow a marker, up to
// the next one, belong to its phase; methods before the first marker
// belong to Using.
#pragma once

#include "runtime/registration.h"

enum class Phase { Creating, Setting, Using, CreatingOnly, UsingOnly };

objc_class_entry phase(Phase p);
