#include "model/warmling_model.h"
#include "support/test_startup.h"

void test_startup() {
  warmling_register_classes();
  initModules();
}
