#include "defobj/defobj.h"
#include "support/test_startup.h"
#include "tclobjc/tclobjc.h"
#include "tclobjc_specimen.h"

void test_startup() {
  tclobjc_register_classes();
  register_tclobjc_specimens();
  initModules();
}
