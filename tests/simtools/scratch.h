// A fresh directory per test for the files the tests write, and reading a
// file back whole.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

class ScratchDirTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = testing::TempDir() + "brood-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir = pattern;
  }
  void TearDown() override { std::system(("rm -rf '" + dir + "'").c_str()); }

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
};
