// Helpers of the HDF5 tests: a fresh folder per test, nodes made in one
// line, and the independent readers h5dump and h5ls.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "defobj/defobj.h"
#include "defobj/hdf5_messages.h"

// Each test works in a fresh folder of its own, given as the current
// directory so that files are named relatively. A death test's child,
// which runs the test again up to the dying statement, works in a folder
// inside its parent's: files the parent holds open stay untouched.
class HDF5Files : public ::testing::Test {
 protected:
  std::string folder, previous;

  void SetUp() override {
    previous = std::filesystem::current_path();
    if (const char* inherited = std::getenv("BROOD_HDF5_TEST_FOLDER")) {
      folder = std::string(inherited) + "/child-" + std::to_string(getpid());
      std::filesystem::create_directory(folder);
    } else {
      char pattern[] = "/tmp/brood-hdf5-XXXXXX";
      folder = mkdtemp(pattern);
      setenv("BROOD_HDF5_TEST_FOLDER", folder.c_str(), 1);
    }
    std::filesystem::current_path(folder);
  }

  void TearDown() override {
    unsetenv("BROOD_HDF5_TEST_FOLDER");
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(folder);
  }

  static std::string path(const char* name) { return name; }
};

// A node of the parent (nil: a file), or nil when a read-only one is
// missing.
inline id makeNode(id parent, const std::string& name, BOOL write, BOOL dataset = NO) {
  id node = msg::createBegin(HDF5, _obj_globalZone);
  msg::setParent(node, parent);
  msg::setName(node, name.c_str());
  msg::setWriteFlag(node, write);
  msg::setDatasetFlag(node, dataset);
  return msg::createEnd(node);
}

// The standard output of a command.
inline std::string commandOutput(const std::string& command) {
  std::string text;
  if (FILE* pipe = popen((command + " 2>&1").c_str(), "r")) {
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    pclose(pipe);
  }
  return text;
}

inline std::string h5dump(const std::string& arguments) { return commandOutput("h5dump " + arguments); }
inline std::string h5ls(const std::string& arguments) { return commandOutput("h5ls " + arguments); }

// Whether the text holds the part.
#define EXPECT_HAS(text, part) EXPECT_NE((text).find(part), std::string::npos) << (text)
