// Start-up of the GUI tools and the plain functions that open probe displays.
#include <cstring>

#include "defobj/defobj.h"
#include "defobj/module.h"
#include "simtoolsgui/ProbeDisplayManager.h"
#include "simtoolsgui/simtoolsgui.h"
#include "voduva/voduva.h"

id ControlStateRunning, ControlStateStopped, ControlStateStepping, ControlStateQuit, ControlStateNextTime;

void initSimtoolsGUI() {
  initVoDuva(arguments);
  probeDisplayManager = msg::create(objc_get_class("ProbeDisplayManager"), _obj_globalZone);
  const struct {
    id* symbol;
    const char* name;
  } states[] = {{&ControlStateRunning, "ControlStateRunning"},
                {&ControlStateStopped, "ControlStateStopped"},
                {&ControlStateStepping, "ControlStateStepping"},
                {&ControlStateQuit, "ControlStateQuit"},
                {&ControlStateNextTime, "ControlStateNextTime"}};
  for (const auto& s : states) *s.symbol = msg::create_setName(Symbol, _obj_globalZone, s.name);
}

namespace {

const char* keyFor(id object, const char* name) {
  return name && std::strcmp(name, "self") == 0 ? msg::getName(object) : name;
}

}  // namespace

id _createProbeDisplay(id object) { return msg::createProbeDisplayFor(probeDisplayManager, object); }

id _createCompleteProbeDisplay(id object) {
  return msg::createCompleteProbeDisplayFor(probeDisplayManager, object);
}

id createArchivedProbeDisplayNamed(id object, const char* name) {
  return msg::createArchivedProbeDisplayFor_variableName(probeDisplayManager, object, keyFor(object, name));
}

id createArchivedCompleteProbeDisplayNamed(id object, const char* name) {
  return msg::createArchivedCompleteProbeDisplayFor_variableName(probeDisplayManager, object,
                                                                 keyFor(object, name));
}
