#include "activity/activity.h"
#include "defobj/module.h"
#include "support/test_startup.h"
#include "activity/fixtures.h"

void test_startup() {
  activity_register_classes();
  activity_register_test_classes();
  initModules();
  _obj_initModule(&_activity_);
  initRandom(nil);
}
