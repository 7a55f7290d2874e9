// Test entry point: registers every class linked into the test program,
// starts the runtime, then runs the tests.
#include <gtest/gtest.h>

#include "support/test_startup.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::FLAGS_gtest_death_test_style = "threadsafe";
  test_startup();
  return RUN_ALL_TESTS();
}
