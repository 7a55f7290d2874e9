// Messages of the simulation GUI tools: composites of archived windows.
#pragma once

#include "objectbase/shared_messages.h"
#include "activity/messages.h"
#include "simtoolsgui/probe_messages.h"

namespace msg {
// Archived window geometry: composites and the widgets they name.
inline const Message<id(const char*, id)> setWindowGeometryRecordNameForComponent_widget{
    "setWindowGeometryRecordNameForComponent:widget:"};
}  // namespace msg
