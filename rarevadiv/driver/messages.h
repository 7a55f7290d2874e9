// Messages of the warmling drivers.
#pragma once

#include "simtoolsgui/messages.h"  // go

namespace msg {
inline const Message<id()> stopRunning{"stopRunning"};

// WarmlingObserverBrood.
inline const Message<id()> _update_{"_update_"};
inline const Message<id(id)> graphBug{"graphBug:"};
inline const Message<id(id)> _worldRasterDeath_{"_worldRasterDeath_:"};
inline const Message<id(id)> _unhappyGraphDeath_{"_unhappyGraphDeath_:"};
}  // namespace msg
