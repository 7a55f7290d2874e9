// Probe displays: the window of a display (a scrolled canvas in a top
// level) and the displays of one object.
#pragma once

#include "defobj/types.h"
#include "objectbase/BroodObject.h"
#include "simtoolsgui/probe_messages.h"

struct CommonProbeDisplay : BroodObject {
  id topLevel;
  id topFrame;  // the content, inside the canvas
  id canvas;
  BOOL horizontalScrollbarFlag;
  BOOL markedForDropFlag;
  char* windowGeometryRecordName;  // in the display's zone, or null
  BOOL saveSizeFlag;

  id setWindowGeometryRecordName(const char* name);
  id setSaveSizeFlag(BOOL flag);
  id createEnd();
  id install();
  id markForDrop();
  id update();
  BOOL getMarkedForDropFlag();
  id getTopLevel();
  void drop();
};

struct SingleProbeDisplay : CommonProbeDisplay {
  id probedObject;
  BOOL removeRef;  // the display's reference must leave the object with it
  ref_t objectRef;

  id setProbedObject(id object);
  id setRemoveRef(BOOL flag);
  id setObjectRef(ref_t ref);
  id createEnd();
  id getProbedObject();
  const char* getId(const char* path);
  const char* package(const char* path);
  void drop();
};
