#include "simtools/simtools.h"
#include "support/test_startup.h"

void test_startup() {
  simtools_register_classes();
  initModules();
}
