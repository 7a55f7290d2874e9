// Messages of graphs, their elements and the BLT vectors behind them.
#pragma once

#include "objectbase/shared_messages.h"
#include "voduva/widget_messages.h"

namespace msg {
// Graph.
inline const Message<id(double, double)> setRangesXMin_Max{"setRangesXMin:Max:"};
inline const Message<id(double, double)> setRangesYMin_Max{"setRangesYMin:Max:"};
inline const Message<id(double, double, double, double)> setRangesXMin_Max_YMin_Max{
    "setRangesXMin:Max:YMin:Max:"};
inline const Message<id(BOOL, BOOL)> setScaleModeX_Y{"setScaleModeX:Y:"};
inline const Message<id()> createElement{"createElement"};
inline const Message<id(id)> destroyElement{"destroyElement:"};

// GraphElement (createOwnerGraph: is a class message); setWidth: comes
// from the widgets, getName from the object model.
inline const Message<id(id)> createOwnerGraph{"createOwnerGraph:"};
inline const Message<id(id)> setOwnerGraph{"setOwnerGraph:"};
inline const Message<id(const char*)> setLabel{"setLabel:"};
inline const Message<id(const char*)> setColor{"setColor:"};
inline const Message<id(const char*)> setSymbol{"setSymbol:"};
inline const Message<id(unsigned)> setSymbolSize{"setSymbolSize:"};
inline const Message<id(int)> setDashes{"setDashes:"};
inline const Message<id(double, double)> addX_Y{"addX:Y:"};
inline const Message<id()> resetData{"resetData"};  // vectors too
inline const Message<id()> getXData{"getXData"};
inline const Message<id()> getYData{"getYData"};

// BLTVector.
inline const Message<id(double)> append{"append:"};
inline const Message<id(unsigned)> setLength{"setLength:"};
inline const Message<unsigned()> getLength{"getLength"};
inline const Message<id(int)> delete_{"delete:"};
}  // namespace msg
