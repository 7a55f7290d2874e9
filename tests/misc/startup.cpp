#include "support/test_startup.h"

// The support utilities need no registered modules.
void test_startup() {}
