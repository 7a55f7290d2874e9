// A widget whose top-level window keeps its position (and, on request, its
// size) in the per-user archive under a record name.
#pragma once

#include "voduva/Widget.h"

struct ArchivedGeometryWidget : Widget {
  char* windowGeometryRecordName;  // in the widget's zone; null: nothing archived
  BOOL saveSizeFlag;               // archive the size as well as the position

  static id createBegin(Class cls, id zone);
  static id create_setWindowGeometryRecordName(Class cls, id zone, const char* name);

  // Creating.
  id setWindowGeometryRecordName(const char* name);
  id setSaveSizeFlag(BOOL flag);
  id loadWindowGeometryRecord();
  id registerAndLoad();
  id updateSize();
  id createEnd();

  // Using.
  void updateArchiver(id archiver);
  void drop();
};
