#include "activity/activity.h"
#include "defobj/module.h"
#include "display_fixture.h"
#include "objectbase/objectbase.h"
#include "space/gui/spacegui.h"
#include "support/test_startup.h"

void test_startup() {
  spacegui_register_classes();
  register_display_specimens();
  initModules();
  _obj_initModule(&_activity_);
  initProbing();
  initRandom(nil);
}
