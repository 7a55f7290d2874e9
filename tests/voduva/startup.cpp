#include <gtest/gtest.h>

#include "defobj/defobj.h"
#include "support/test_startup.h"
#include "voduva/voduva.h"
#include "voduva_fixture.h"

void test_startup() {
  voduva_register_classes();
  register_voduva_specimens();
  initModules();
}
