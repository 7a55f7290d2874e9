#include "startup/BroodEnvironment.h"
#include "support/test_startup.h"

id environment;

void test_startup() {
  static const char* argv[] = {"startup_test", "--batch", "--seed", "5"};
  environment = _initBrood_(4, argv, "startup_test", "1.0", nullptr, Nil, nullptr, nullptr, NO, NO);
}
