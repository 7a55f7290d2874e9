// Paths in the shared temporary folder that belong to this test process
// alone: runs by other users, or in parallel, never meet a file left
// behind by another.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

inline std::string processTempPath(const std::string& name) {
  return testing::TempDir() + name + "-" + std::to_string(getpid());
}
