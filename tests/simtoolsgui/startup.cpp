#include "activity/activity.h"
#include "defobj/module.h"
#include "objectbase/objectbase.h"
#include "simtoolsgui/simtoolsgui.h"
#include "support/test_startup.h"

void test_startup() {
  simtoolsgui_register_classes();
  initModules();
  _obj_initModule(&_activity_);
  initProbing();
  initRandom(nil);
}
