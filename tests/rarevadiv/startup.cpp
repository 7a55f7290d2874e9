#include "activity/activity.h"
#include "defobj/module.h"
#include "model/warmling_model.h"
#include "objectbase/objectbase.h"
#include "support/test_startup.h"

void test_startup() {
  warmling_register_classes();
  initModules();
  _obj_initModule(&_activity_);
  initProbing();
  initRandom(nil);
}
