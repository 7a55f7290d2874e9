#include "activity/activity.h"
#include "analysis/analysis.h"
#include "analysis/feeds.h"
#include "defobj/module.h"
#include "support/test_startup.h"

void test_startup() {
  activity_register_classes();
  analysis_register_classes();
  analysis_register_test_classes();
  initModules();
  // The graph lines are stepped from schedules.
  _obj_initModule(&_activity_);
}
