// Registration of every class of the GUI tools, before start-up.
#include "activity/activity.h"
#include "runtime/registration.h"
#include "simtoolsgui/simtoolsgui.h"
#include "voduva/voduva.h"

#define SIMTOOLSGUI_CLASSES(X) X(GUIComposite) X(ProbeDisplayManager) X(ControlPanel) X(ActionHolder) X(ActionCache) X(GUIBrood) \
  X(ProbeDisplay) X(CommonProbeDisplay) X(SingleProbeDisplay) X(SimpleProbeDisplay) X(CompleteProbeDisplay) \
  X(VarProbeWidget) X(MessageProbeWidget) X(ClassDisplayWidget)

#define DECLARE(cls) DECLARE_CLASS_REGISTRATION(cls);
SIMTOOLSGUI_CLASSES(DECLARE)
#undef DECLARE

void simtoolsgui_register_classes() {
  objectbase_register_classes();
  activity_register_classes();
  voduva_register_classes();
#define REGISTER(cls) objc_register_##cls();
  SIMTOOLSGUI_CLASSES(REGISTER)
#undef REGISTER
  for (const char* name : {"GUIComposite", "ControlPanel", "ProbeDisplay", "CommonProbeDisplay", "ProbeDisplayManager",
                           "ClassDisplayWidget", "VarProbeWidget", "MessageProbeWidget"})
    voduva_archive_requires_interpreter(name);
}
