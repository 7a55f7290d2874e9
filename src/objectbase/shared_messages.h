// Messages that classes of several modules answer (widgets and graph
// facades, model agents and widgets). Each is declared here once, below
// every module that sends or answers it, so that any set of the toolkit's
// headers compiles together; this header includes no GUI library.
#pragma once

#include "runtime/message.h"

namespace msg {
// Positions: widgets, warmlings, heat cells.
inline const Message<int()> getX{"getX"};
inline const Message<int()> getY{"getY"};
inline const Message<id(int, int)> setX_Y{"setX:Y:"};

// Widths: widgets, graph elements, averagers.
inline const Message<id(unsigned)> setWidth{"setWidth:"};

// Archived window geometry: widgets and the composites that name them.
inline const Message<id(const char*)> setWindowGeometryRecordName{"setWindowGeometryRecordName:"};
inline const Message<id(BOOL)> setSaveSizeFlag{"setSaveSizeFlag:"};

// Titles and axis labels: graphs and graph facades.
inline const Message<id(const char*)> setTitle{"setTitle:"};
inline const Message<id(const char*, const char*)> setAxisLabelsX_Y{"setAxisLabelsX:Y:"};
}  // namespace msg
