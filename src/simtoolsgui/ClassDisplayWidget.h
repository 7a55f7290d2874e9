// The section of a complete probe display that shows one class of the
// object's class chain, itself a Tk frame: a title row with the hide and
// superclass buttons, then the class's own variables and methods.
#pragma once

#include "objectbase/BroodObject.h"
#include "simtoolsgui/probe_messages.h"

struct ClassDisplayWidget : BroodObject {
  id probedObject;
  Class theClass;
  id myTitle;  // ClassDisplayLabel
  id probeMap;
  id leftFrame, rightFrame, middleFrame, bottomFrame;
  id hideB;   // ClassDisplayHideButton
  id superB;  // SuperButton
  id topRow;
  unsigned count;
  int maxLabelWidth;
  id* widgets;  // count rows, in the section's zone
  id mySuperclass, mySubclass;  // the neighbouring sections, or nil
  id owner;  // the complete probe display
  char* widgetName;
  id parent;

  id setOwner(id display);
  id setMySuperclass(id section);
  id setMySubclass(id section);
  id setMaxLabelWidth(int width);
  id setClassToDisplay(Class cls);
  void setParent(id widget);
  id setProbedObject(id object);
  id createEnd();
  id getProbedObject();
  id getProbeMap();
  const char* getWidgetName();
  const char* makeWidgetNameFor(id widget);
  id getTopLevel();
  id update();
  id pack();
  void drop();

  // Tcl callbacks.
  void armSuperButton();
  const char* package(const char* path);
  const char* getId(const char* path);
};
