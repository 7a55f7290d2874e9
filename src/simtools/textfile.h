// What OutFile and InFile share: making a file object around a stream.
#pragma once

#include "runtime/objc.h"

// Opens the named file with the fopen mode and answers a new object of the
// class holding the stream; nil, with no report, when the file cannot be
// opened (the caller decides what that means).
id createWithOpenedFile(Class cls, id zone, const char* name, const char* mode);
