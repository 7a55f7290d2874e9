// Messages of the colour maps and rasters. Colour indexes are unsigned
// chars (0 to 255); pixel values are the display's.
#pragma once

#include "defobj/messages.h"

namespace msg {
// Colormap.
inline const Message<unsigned long*()> map{"map"};
inline const Message<unsigned long()> white{"white"};
inline const Message<unsigned long()> black{"black"};
inline const Message<BOOL(unsigned char)> colorIsSet{"colorIsSet:"};
inline const Message<id(unsigned char)> unsetColor{"unsetColor:"};
inline const Message<unsigned long(unsigned char)> pixelValue{"pixelValue:"};
inline const Message<BOOL(unsigned char, const char*)> setColor_ToName{"setColor:ToName:"};
inline const Message<BOOL(unsigned char, double, double, double)> setColor_ToRed_Green_Blue{
    "setColor:ToRed:Green:Blue:"};
inline const Message<BOOL(unsigned char, double)> setColor_ToGrey{"setColor:ToGrey:"};
inline const Message<unsigned char()> nextFreeColor{"nextFreeColor"};

// Raster.
inline const Message<id(id)> setColormap{"setColormap:"};
inline const Message<id()> getColormap{"getColormap"};
inline const Message<id(int, id, SEL)> setButton_Client_Message{"setButton:Client:Message:"};
inline const Message<id(int, int, int)> handleButton_X_Y{"handleButton:X:Y:"};
inline const Message<id(int, int, unsigned char)> drawPointX_Y_Color{"drawPointX:Y:Color:"};
inline const Message<id(int, int, int, int, unsigned char)> fillRectangleX0_Y0_X1_Y1_Color{
    "fillRectangleX0:Y0:X1:Y1:Color:"};
inline const Message<id(int, int, int, int, unsigned, unsigned char)> ellipseX0_Y0_X1_Y1_Width_Color{
    "ellipseX0:Y0:X1:Y1:Width:Color:"};
inline const Message<id(int, int, int, int, unsigned, unsigned char)> lineX0_Y0_X1_Y1_Width_Color{
    "lineX0:Y0:X1:Y1:Width:Color:"};
inline const Message<id(int, int, int, int, unsigned, unsigned char)> rectangleX0_Y0_X1_Y1_Width_Color{
    "rectangleX0:Y0:X1:Y1:Width:Color:"};
inline const Message<id(id, int, int)> draw_X_Y{"draw:X:Y:"};
// What draw:X:Y: sends to the object drawn.
inline const Message<id(int, int)> drawX_Y{"drawX:Y:"};
inline const Message<id()> erase{"erase"};
inline const Message<id()> drawSelf{"drawSelf"};

// ZoomRaster.
inline const Message<unsigned()> getZoomFactor{"getZoomFactor"};
inline const Message<id(unsigned)> setZoomFactor{"setZoomFactor:"};
inline const Message<id()> increaseZoom{"increaseZoom"};
inline const Message<id()> decreaseZoom{"decreaseZoom"};
inline const Message<id(int, int, int, int, unsigned char)> fillCenteredRectangleX0_Y0_X1_Y1_Color{
    "fillCenteredRectangleX0:Y0:X1:Y1:Color:"};
inline const Message<id(unsigned, unsigned)> handleConfigureWidth_Height{"handleConfigureWidth:Height:"};
inline const Message<id(unsigned, unsigned)> handleExposeWidth_Height{"handleExposeWidth:Height:"};
}  // namespace msg
