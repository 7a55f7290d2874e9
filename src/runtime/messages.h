// Messages of the runtime's root class. A selector's C++ name is its
// keywords joined by underscores; where a selector without arguments has a
// twin with one ("copy" and "copy:"), the one without takes a trailing
// underscore.
#pragma once

#include "runtime/message.h"

namespace msg {
inline const Message<id()> alloc_{"alloc"};
inline const Message<id()> init{"init"};
inline const Message<id()> free_{"free"};
inline const Message<id()> copy_{"copy"};
inline const Message<id()> shallowCopy{"shallowCopy"};
inline const Message<id()> deepen{"deepen"};
inline const Message<id()> deepCopy{"deepCopy"};
inline const Message<id()> self{"self"};
inline const Message<id(SEL, void*)> forward{"forward::"};
inline const Message<id(SEL)> doesNotRecognize{"doesNotRecognize:"};
inline const Message<BOOL(SEL)> respondsTo{"respondsTo:"};
}  // namespace msg
