#include "activity/activity.h"
#include "defobj/defobj.h"
#include "defobj/module.h"
#include "objectbase/objectbase.h"
#include "objectbase/specimen.h"
#include "support/test_startup.h"

void test_startup() {
  // The scheduling engine stands on this library; broods need both.
  activity_register_classes();
  register_specimen_classes();
  initModules();
  _obj_initModule(&_activity_);
  initProbing();
}
