// A copy of a NUL-terminated string, allocated with the zone's alloc: so
// that the caller releases it with the zone's free:.
#pragma once

#include "runtime/objc.h"

char* zstrdup(id zone, const char* string);

// Puts the zone's copy of text (none for null) in slot and releases the
// copy that slot held, which may be text itself: with alloc: and free:,
// or, for a zone that refuses alloc:, with allocBlock: and
// freeBlock:blockSize:.
void zreplace(id zone, const char*& slot, const char* text);
void zreplaceBlock(id zone, const char*& slot, const char* text);
