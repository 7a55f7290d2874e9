// The row of one method in a probe display, itself a Tk frame: the method's
// button, an entry per argument after its keyword, and the result.
#pragma once

#include "objectbase/BroodObject.h"
#include "simtoolsgui/probe_messages.h"

struct MessageProbeWidget : BroodObject {
  id myObject;
  int argCount;  // twice the method's argument count
  id myProbe;
  id* myWidgets;  // the button, then each argument's entry after its keyword label
  id resultMessageProbeEntry;
  int maxReturnWidth;  // 0: natural width
  id resultObject;     // what the last call answered, when an object
  BOOL* objWindows;    // per argument: it is an object
  id parent;
  char* widgetName;

  id setObject(id object);
  id setProbe(id probe);
  id setMaxReturnWidth(int width);
  void setParent(id widget);
  id createEnd();
  const char* getWidgetName();
  const char* makeWidgetNameFor(id widget);
  id getTopLevel();
  id update();
  id pack();
  void drop();

  // Tcl callbacks.
  void dynamic();
  void Spawn(const char* path);
  void argSpawn_arg(const char* path, int index);
  const char* package(const char* path);
  const char* package_arg(const char* path, int index);
  void idReceive_arg(const char* path, int index);
  const char* getId(const char* path);
  const char* getId_arg(const char* path, int index);

 private:
  int arguments() const { return argCount / 2; }
  id argumentEntry(int index) const { return myWidgets[2 * index + 1]; }
  bool validArgument(int index);  // rings the bell for one Tcl gave wrongly
  id argumentObject(int index);   // the live object set for an argument, or nil
  void showResult(const val_t& result);
};
