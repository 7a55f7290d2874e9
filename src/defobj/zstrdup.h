// A copy of a NUL-terminated string, allocated with the zone's alloc: so
// that the caller releases it with the zone's free:.
#pragma once

#include "runtime/objc.h"

char* zstrdup(id zone, const char* string);
