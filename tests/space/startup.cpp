#include "space/space.h"
#include "support/test_startup.h"

void test_startup() {
  space_register_classes();
  initModules();
}
