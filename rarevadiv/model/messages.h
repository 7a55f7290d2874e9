// Messages and value types of the warmling model.
#pragma once

#include "objectbase/shared_messages.h"
#include "activity/messages.h"
#include "space/messages.h"

// The heat of one cell.
typedef int HeatValue;
inline constexpr HeatValue maxHeat = 0x7fff;

// What the neighbourhood search looks for.
enum HeatExtremeType : int { cold = 0, hot = 1 };

namespace msg {
// Warmling.
inline const Message<id(id, id)> setWorld_Heat{"setWorld:Heat:"};
inline const Message<id(int)> setIdealTemperature{"setIdealTemperature:"};
inline const Message<id(int)> setOutputHeat{"setOutputHeat:"};
inline const Message<id(float)> setRandomMoveProbability{"setRandomMoveProbability:"};
inline const Message<id(unsigned char)> setBugColor{"setBugColor:"};
inline const Message<double()> getUnhappiness{"getUnhappiness"};
inline const Message<id(id)> drawSelfOn{"drawSelfOn:"};

// HeatCell.
inline const Message<id(int)> setX{"setX:"};
inline const Message<id(int)> setY{"setY:"};

// HeatSpace.
inline const Message<id(HeatValue, int, int)> addHeat_X_Y{"addHeat:X:Y:"};
inline const Message<HeatValue(HeatExtremeType, int*, int*)> findExtremeType_X_Y{
    "findExtremeType:X:Y:"};

// WarmlingModelBrood.
inline const Message<id()> getWarmlingList{"getWarmlingList"};
inline const Message<id()> getWorld{"getWorld"};
inline const Message<id()> getHeat{"getHeat"};
inline const Message<id(id)> addWarmling{"addWarmling:"};
inline const Message<BOOL()> toggleRandomizedOrder{"toggleRandomizedOrder"};
inline const Message<void()> _syncUpdateOrder_{"_syncUpdateOrder_"};
}  // namespace msg
