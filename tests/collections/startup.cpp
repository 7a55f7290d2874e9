#include "defobj/defobj.h"
#include "support/test_startup.h"

void test_startup() { initModules(); }
