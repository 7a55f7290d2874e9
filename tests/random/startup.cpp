#include "random/fixtures.h"
#include "random/random.h"
#include "support/test_startup.h"

void test_startup() {
  random_register_classes();
  random_register_test_classes();
  initModules();
}
