// Messages of the warmling drivers.
#pragma once

#include "activity/messages.h"

namespace msg {
inline const Message<id()> go{"go"};
inline const Message<id()> stopRunning{"stopRunning"};
}  // namespace msg
