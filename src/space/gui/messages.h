// Messages of the lattice displays.
#pragma once

#include "space/messages.h"

namespace msg {
// Value2dDisplay.
inline const Message<id(id, id)> setDisplayWidget_colormap{"setDisplayWidget:colormap:"};
inline const Message<id(id, id, id, id)> create_setDisplayWidget_colormap_setDiscrete2dToDisplay{
    "create:setDisplayWidget:colormap:setDiscrete2dToDisplay:"};  // class
inline const Message<id(int, int)> setDisplayMappingM_C{"setDisplayMappingM:C:"};

// Object2dDisplay.
inline const Message<id(id)> setDisplayWidget{"setDisplayWidget:"};
inline const Message<id(SEL)> setDisplayMessage{"setDisplayMessage:"};
inline const Message<id(id, id, id, SEL)> create_setDisplayWidget_setDiscrete2dToDisplay_setDisplayMessage{
    "create:setDisplayWidget:setDiscrete2dToDisplay:setDisplayMessage:"};  // class
inline const Message<id(id)> setObjectCollection{"setObjectCollection:"};
inline const Message<id(int, int)> makeProbeAtX_Y{"makeProbeAtX:Y:"};

// Both.
inline const Message<id(id)> setDiscrete2dToDisplay{"setDiscrete2dToDisplay:"};
inline const Message<id()> display{"display"};
}  // namespace msg
