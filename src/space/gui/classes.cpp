// Registration of the lattice displays, before start-up.
#include "runtime/registration.h"
#include "space/gui/spacegui.h"
#include "space/space.h"
#include "simtoolsgui/simtoolsgui.h"

DECLARE_CLASS_REGISTRATION(Value2dDisplay);
DECLARE_CLASS_REGISTRATION(Object2dDisplay);

void spacegui_register_classes() {
  space_register_classes();
  simtoolsgui_register_classes();
  objc_register_Value2dDisplay();
  objc_register_Object2dDisplay();
}
