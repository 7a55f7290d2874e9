// Typed streams: values written to a file and read back by their type
// codes ("i", "L", "d", "*", "@", "[4i]" ...). Each value is stored with
// its code, so a reader that asks for another type, a truncated file or a
// file that is no typed stream is reported, never misread. An object is
// written as its class name and what its write: puts after it; reading
// makes an instance of that class with alloc and sends it read:. An object
// written twice is stored once and read back as one object.
//
// Errors (bad input, failed writes) print a report that names the file and
// the byte and end the process.
#pragma once

#include <cstddef>

#include "runtime/typed_stream_messages.h"

enum class TypedStreamMode { Read, Write };

// Null when the file cannot be opened or made (errno says why).
TypedStream* objc_open_typed_stream(const char* fileName, TypedStreamMode mode);
// Flushes what was written and releases the stream.
void objc_close_typed_stream(TypedStream* stream);

// One value of one type; data points at the value (at where to put it).
void objc_write_type(TypedStream* stream, const char* type, const void* data);
void objc_read_type(TypedStream* stream, const char* type, void* data);
// One value per type in types ("II**"), each argument a pointer to it.
void objc_write_types(TypedStream* stream, const char* types, ...);
void objc_read_types(TypedStream* stream, const char* types, ...);
// count values of one type, one after the other in memory.
void objc_write_array(TypedStream* stream, const char* type, unsigned count, const void* data);
void objc_read_array(TypedStream* stream, const char* type, unsigned count, void* data);

// The bytes of one value of a type that the streams carry; 0 for any other
// type text (several types, structures, pointers, unknown codes).
size_t objc_sizeof_type(const char* type);

// The most elements a container read from a stream may make room for: a
// count in a hostile file must not allocate without bound.
inline constexpr unsigned objc_typed_stream_max_capacity = 1u << 24;

// Reports bad content of the stream being read, and ends the process.
[[noreturn, gnu::format(printf, 2, 3)]] void objc_typed_stream_error(TypedStream* stream, const char* format, ...);
