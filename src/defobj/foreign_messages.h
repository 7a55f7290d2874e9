// Messages of the object directory and the proxies of host objects.
#pragma once

#include "defobj/messages.h"

namespace msg {
// Directory entries.
inline const Message<void(void*)> setCOMObject{"setCOMObject:"};
inline const Message<void(void*)> setJavaObject{"setJavaObject:"};

// Proxies.
inline const Message<BOOL()> isCOMProxy{"isCOMProxy"};
inline const Message<BOOL()> isJavaProxy{"isJavaProxy"};
inline const Message<id(void*)> createJavaCounterpart{"createJavaCounterpart:"};
}  // namespace msg
