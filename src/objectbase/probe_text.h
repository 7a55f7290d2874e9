// Probe value text: the text that probe displays show for a typed value,
// and the value read back from such text.
#pragma once

#include <cstddef>

#include "defobj/fcall_type.h"

// Room for any value text that a probe writes into a caller's buffer;
// longer texts (strings, names) are cut to fit.
inline constexpr size_t ProbeTextSize = 1024;

// Writes the text of the value at p, of the type code, into buffer (size
// bytes with its NUL): reals with floatFormat, or with precision
// significant digits when it is null; character codes as stringReturnType
// (DefaultString, CharString or IntString) says.
void string_convert(fcall_type_t type, const void* p, const char* floatFormat, unsigned precision,
                    id stringReturnType, char* buffer, size_t size);

// Parses text into the value of the type code at p; answers YES on
// success and leaves p untouched on failure.
BOOL convert_from_string(fcall_type_t type, id stringReturnType, const char* text, void* p);
