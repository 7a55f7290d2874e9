#include "simtoolsgui/probe_rows.h"

#include <cstdio>

#include "collections/collections.h"
#include "defobj/Zone.h"
#include "defobj/defobj.h"
#include "objectbase/objectbase.h"
#include "simtoolsgui/simtoolsgui.h"
#include "voduva/voduva.h"

const char* probeEntryText(id entry) {
  static char text[ProbeValueTextSize];
  const char* value = msg::getValue(entry);
  if (msg::code(globalTkInterp) != TCL_OK) return nullptr;
  std::snprintf(text, sizeof text, "%s", value);
  return text;
}

id probeFrameIn(id parent) { return msg::createParent(objc_get_class("Frame"), parent); }

void probeShowInInactiveEntry(id entry, const char* text) {
  msg::setActiveFlag(entry, YES);
  msg::setValue(entry, text);
  msg::setActiveFlag(entry, NO);
}

BOOL probeObjectLives(id object) { return object && _obj_isLiveObject(object); }

void probeDisplayOrBell(id object) {
  if (probeObjectLives(object)) {
    _createProbeDisplay(object);
    return;
  }
  voduva_ringBell();
  voduva_updateIdleTasks();
}

const char* probeObjectNameOrBell(id object) {
  if (probeObjectLives(object)) return msg::getObjectName(object);
  voduva_ringBell();
  return "";
}

unsigned makeProbeRows(id map, id object, const ProbeRowPlaces& places, id* rows, unsigned count) {
  unsigned n = 0;
  for (const bool variables : {true, false}) {
    id index = msg::begin(map, _obj_globalZone);
    for (id probe = msg::next(index); msg::getLoc(index) == Member && n < count; probe = msg::next(index)) {
      if (msg::isSubclass(probe->isa, objc_get_class("VarProbe")) != variables) continue;
      id row = msg::createBegin(objc_get_class(variables ? "VarProbeWidget" : "MessageProbeWidget"),
                                msg::getZone(places.varParent));
      msg::setProbe(row, probe);
      msg::setObject(row, object);
      if (variables) {
        msg::setParent(row, places.varParent);
        msg::setMyLeft(row, places.left);
        msg::setMyRight(row, places.right);
        msg::setMaxLabelWidth(row, places.maxLabelWidth);
      } else {
        msg::setParent(row, places.messageParent);
        msg::setMaxReturnWidth(row, places.maxLabelWidth);
      }
      rows[n] = msg::createEnd(row);
      msg::pack(rows[n++]);
    }
    msg::drop(index);
  }
  return n;
}
