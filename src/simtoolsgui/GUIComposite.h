// The base of GUI objects made of several windows: it names the archived
// geometry record of each component after its own record name.
#pragma once

#include "objectbase/BroodObject.h"
#include "simtoolsgui/messages.h"

struct GUIComposite : BroodObject {
  char* baseWindowGeometryRecordName;  // in the composite's zone, or null
  id componentList;                    // Map: component name -> widget
  BOOL saveSizeFlag;

  static id createBegin(Class cls, id zone);

  // Creating, and later.
  id setWindowGeometryRecordName(const char* name);
  id setSaveSizeFlag(BOOL flag);
  id setWindowGeometryRecordNameForComponent_widget(const char* name, id widget);

  // Using: told to every component.
  id enableDestroyNotification_notificationMethod(id target, SEL method);
  id disableDestroyNotification();

  void drop();
};
