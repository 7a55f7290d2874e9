// The simulation GUI tools: composites of windows whose geometry is
// archived under names built from their owner's, the control states of an
// interactive run, and the probe displays.
#pragma once

#include "objectbase/objectbase.h"
#include "simtoolsgui/messages.h"
#include "simtoolsgui/probe_messages.h"

// The one probe display manager, made by initSimtoolsGUI.
extern id probeDisplayManager;

// The control states of an interactive run (Symbols, named as the globals).
extern id ControlStateRunning, ControlStateStopped, ControlStateStepping, ControlStateQuit, ControlStateNextTime;

// Starts the Tk layer and makes the manager and the control states; the
// start-up calls it in interactive mode only.
void initSimtoolsGUI();

// The record name of a component's window: base, a hyphen and the
// component name, a new string from _obj_scratchZone; nil without a base.
char* buildWindowGeometryRecordName(const char* base, const char* component);

// Probe displays of an object, made by probeDisplayManager. The archived
// forms save the window geometry under the name given; "self" stands for
// the object's own name.
id _createProbeDisplay(id object);
id _createCompleteProbeDisplay(id object);
id createArchivedProbeDisplayNamed(id object, const char* name);
id createArchivedCompleteProbeDisplayNamed(id object, const char* name);

// Registers the classes of this library and of those it stands on.
void simtoolsgui_register_classes();
