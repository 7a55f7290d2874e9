// Messages of the widgets: packing, geometry, archived window geometry and
// the small widgets (frames, buttons, labels, entries, canvases).
#pragma once

#include "objectbase/shared_messages.h"
#include "defobj/archiving_messages.h"
#include "defobj/hdf5_messages.h"  // setParent:, getParent
#include "defobj/messages.h"
#include "voduva/messages.h"

namespace msg {
// Widget: creation (createParent: is a class message).
inline const Message<id(id)> createParent{"createParent:"};
inline const Message<const char*(id)> makeWidgetNameFor{"makeWidgetNameFor:"};
inline const Message<id(id)> setWidgetNameFromParent{"setWidgetNameFromParent:"};
inline const Message<id(const char*)> setWidgetNameFromParentName{"setWidgetNameFromParentName:"};

// Widget: packing.
inline const Message<id()> pack{"pack"};
inline const Message<id()> packFill{"packFill"};
inline const Message<id(const char*)> packWith{"packWith:"};
inline const Message<id(id)> packToRight{"packToRight:"};
inline const Message<id(BOOL)> packFillLeft{"packFillLeft:"};
inline const Message<id(id, BOOL)> packBeforeAndFillLeft_expand{"packBeforeAndFillLeft:expand:"};
inline const Message<id()> packForgetAndExpand{"packForgetAndExpand"};
inline const Message<id()> unpack{"unpack"};

// Widget: state and geometry. setWidth_Height and the getters also serve
// window geometry records.
inline const Message<id(BOOL)> setActiveFlag{"setActiveFlag:"};
inline const Message<id(unsigned)> setHeight{"setHeight:"};
inline const Message<id(unsigned, unsigned)> setWidth_Height{"setWidth:Height:"};
inline const Message<id(const char*)> setWindowGeometry{"setWindowGeometry:"};
inline const Message<const char*()> getWindowGeometry{"getWindowGeometry"};
inline const Message<unsigned()> getWidth{"getWidth"};
inline const Message<unsigned()> getHeight{"getHeight"};
inline const Message<id(const char*)> setWindowTitle{"setWindowTitle:"};
inline const Message<BOOL()> getDestroyedFlag{"getDestroyedFlag"};
inline const Message<id()> getTopLevel{"getTopLevel"};
inline const Message<id(id, SEL)> enableDestroyNotification_notificationMethod{
    "enableDestroyNotification:notificationMethod:"};
inline const Message<id()> disableDestroyNotification{"disableDestroyNotification"};

// ArchivedGeometryWidget (create:setWindowGeometryRecordName: is a class
// message).
inline const Message<id(id, const char*)> create_setWindowGeometryRecordName{
    "create:setWindowGeometryRecordName:"};
inline const Message<id()> loadWindowGeometryRecord{"loadWindowGeometryRecord"};
inline const Message<id()> registerAndLoad{"registerAndLoad"};
inline const Message<id()> updateSize{"updateSize"};

// WindowGeometryRecord.
inline const Message<BOOL()> getPositionFlag{"getPositionFlag"};
inline const Message<BOOL()> getSizeFlag{"getSizeFlag"};

// Frame.
inline const Message<id(unsigned)> setBorderWidth{"setBorderWidth:"};
inline const Message<id(BOOL)> setReliefFlag{"setReliefFlag:"};
inline const Message<id()> withdraw{"withdraw"};
inline const Message<id()> deiconify{"deiconify"};

// ButtonPanel.
inline const Message<id(id)> setButtonTarget{"setButtonTarget:"};
inline const Message<id(const char*, id, SEL)> addButtonName_target_method{"addButtonName:target:method:"};
inline const Message<id(const char*, SEL)> addButtonName_method{"addButtonName:method:"};

// Button and Label.
inline const Message<id(const char*)> setText{"setText:"};
inline const Message<id(id, SEL)> setButtonTarget_method{"setButtonTarget:method:"};

// InputWidget and Entry. A boolean is linked as Tcl links one: an int.
inline const Message<id(int*)> linkVariableInt{"linkVariableInt:"};
inline const Message<id(double*)> linkVariableDouble{"linkVariableDouble:"};
inline const Message<id(int*)> linkVariableBoolean{"linkVariableBoolean:"};
inline const Message<const char*()> getValue{"getValue"};
inline const Message<id(const char*)> setValue{"setValue:"};

// Canvas.
inline const Message<id(id, int, int, BOOL)> addWidget_X_Y_centerFlag{"addWidget:X:Y:centerFlag:"};
inline const Message<id(id)> removeWidget{"removeWidget:"};
inline const Message<id(id)> checkGeometry{"checkGeometry:"};
}  // namespace msg
