#include "analysis/analysis.h"
#include "analysis/feeds.h"
#include "support/test_startup.h"

void test_startup() {
  analysis_register_classes();
  analysis_register_test_classes();
  initModules();
}
