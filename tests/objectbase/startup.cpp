#include "objectbase/objectbase.h"
#include "objectbase/specimen.h"
#include "support/test_startup.h"

void test_startup() {
  objectbase_register_classes();
  register_specimen_classes();
  initModules();
  initProbing();
}
