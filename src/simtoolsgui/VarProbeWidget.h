// The row of one variable in a probe display: its name and its value,
// which Return writes back when the variable may be edited.
#pragma once

#include "objectbase/BroodObject.h"
#include "simtoolsgui/probe_messages.h"

struct VarProbeWidget : BroodObject {
  id myObject;
  id myProbe;
  id myLeft, myRight;  // the name and value columns
  id myLabel;          // VarProbeLabel
  int maxLabelWidth;   // 0: natural width
  BOOL interactiveFlag;
  id myEntry;          // VarProbeEntry
  id parent;
  // What the entry was last given, in the widget's zone. Not a variable of
  // the row, so not registered.
  const char* shownText;

  id setObject(id object);
  id setProbe(id probe);
  id setMyLeft(id frame);
  id setMyRight(id frame);
  id setMaxLabelWidth(int width);
  void setParent(id widget);
  id createEnd();
  id pack();
  id update();
  void drop();

  // Tcl callbacks.
  void setVariableValue(const char* path);
  void Spawn(const char* path);
  const char* package(const char* path);
  void idReceive(const char* path);
  const char* getId(const char* path);

 private:
  id heldObject();  // the object in an object variable, or nil
  void show(BOOL keepEdit);
  BOOL editing(const char* current);
};
