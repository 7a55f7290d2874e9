// Messages of objects that can be written to and read from typed streams.
#pragma once

#include "runtime/message.h"

struct TypedStream;

// The stream is opaque to its users.
template <>
struct objc_encoding<TypedStream*> {
  static std::string get() { return "^{TypedStream}"; }
};

namespace msg {
// Each answers the receiver.
inline const Message<id(TypedStream*)> write{"write:"};
inline const Message<id(TypedStream*)> read{"read:"};
}  // namespace msg
