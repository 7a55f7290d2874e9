// A fresh directory per test for the files the tests write, and reading a
// file back whole.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

class ScratchDirTest : public testing::Test {
 protected:
  // A death test runs SetUp again in a child process that never reaches
  // TearDown: the child works in the directory its parent made, which the
  // parent removes.
  void SetUp() override {
    deathTestChild = !GTEST_FLAG_GET(internal_run_death_test).empty();
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + "." + test->name();
    for (char& c : name)
      if (c == '/') c = '_';
    dir = testing::TempDir() + "brood-" + std::to_string(deathTestChild ? getppid() : getpid()) + "-" + name;
    if (deathTestChild) return;
    std::system(("rm -rf '" + dir + "'").c_str());
    ASSERT_EQ(mkdir(dir.c_str(), 0700), 0) << dir;
  }
  void TearDown() override {
    if (!deathTestChild) std::system(("rm -rf '" + dir + "'").c_str());
  }

  std::string path(const std::string& name) const { return dir + "/" + name; }

  // The whole content of a file in the directory; "<absent>" when there is none.
  std::string contents(const std::string& name) const {
    std::ifstream in(path(name), std::ios::binary);
    if (!in) return "<absent>";
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  void write(const std::string& name, const std::string& text) const {
    std::ofstream(path(name), std::ios::binary) << text;
  }

  std::string dir;
  bool deathTestChild = false;
};
