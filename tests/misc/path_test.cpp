#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "misc/brood_realpath.h"
#include "misc/dropdir.h"
#include "misc/find_executable.h"
#include "misc/xmalloc.h"

namespace {

// Takes ownership of an xmalloc'd answer.
std::string taken(char* text) {
  std::string s = text ? text : "<null>";
  xfree(text);
  return s;
}

std::string cwd() {
  char* dir = getcwd(nullptr, 0);
  std::string s = dir;
  free(dir);
  return s;
}

TEST(BroodRealpath, CanonicalFormIsTextual) {
  struct Case {
    const char* path;
    const char* canonical;
  } cases[] = {
      {"/", "/"},
      {"/a/b/c", "/a/b/c"},
      {"/a/b/c/", "/a/b/c"},
      {"//a///b", "/a/b"},
      {"/a/./b/.", "/a/b"},
      {"/a/b/../c", "/a/c"},
      {"/a/b/c/../..", "/a"},
      {"/a/..", "/"},
      {"/..", "/.."},
      {"/../a/../..", "/../.."},
      {"/a/.b/..c/...", "/a/.b/..c/..."},
      {"/no/such/dir/../file", "/no/such/file"},
  };
  for (const Case& c : cases) EXPECT_EQ(taken(brood_realpath(c.path)), c.canonical) << c.path;
}

TEST(BroodRealpath, RelativePathsFollowTheCurrentDirectory) {
  std::string here = cwd();
  EXPECT_EQ(taken(brood_realpath("x/./y")), here + "/x/y");
  EXPECT_EQ(taken(brood_realpath("")), here);
  EXPECT_EQ(taken(brood_realpath(nullptr)), "<null>");
}

TEST(BroodRealpath, LongPathsAreNotCut) {
  std::string path;
  for (int i = 0; i < 100; i++) path += "/component" + std::to_string(i);
  EXPECT_EQ(taken(brood_realpath((path + "/./last/..").c_str())), path);
}

TEST(Dropdir, CutsTheLastComponent) {
  struct Case {
    const char* path;
    const char* trimmed;  // null: answers null, path unchanged
  } cases[] = {
      {"/a/b/c", "/a/b/"},   {"/a/b/c/", "/a/b/"}, {"/a", "/"},   {"a/b", "a/"},
      {"C:\\x\\y\\", "C:\\x\\"}, {"/a\\b", "/a\\"}, {"", nullptr}, {"/", nullptr},
      {"a", nullptr},        {"ab", nullptr},      {"ab/", nullptr},
  };
  for (const Case& c : cases) {
    std::string buffer = c.path;
    char* answer = dropdir(buffer.data());
    if (c.trimmed) {
      EXPECT_EQ(answer, buffer.data()) << c.path;
      EXPECT_STREQ(buffer.c_str(), c.trimmed) << c.path;
    } else {
      EXPECT_EQ(answer, nullptr) << c.path;
      EXPECT_EQ(buffer, c.path);
    }
  }
  EXPECT_EQ(dropdir(nullptr), nullptr);
}

class FindExecutable : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/brood-misc-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    std::ofstream(dir_ + "/tool") << "#!/bin/sh\n";
    chmod((dir_ + "/tool").c_str(), 0755);
    std::ofstream(dir_ + "/plain") << "text\n";
    const char* path = getenv("PATH");
    saved_path_ = path ? path : "";
    setenv("PATH", ("/nonexistent::" + dir_).c_str(), 1);
  }
  void TearDown() override {
    setenv("PATH", saved_path_.c_str(), 1);
    unlink((dir_ + "/tool").c_str());
    unlink((dir_ + "/plain").c_str());
    rmdir(dir_.c_str());
  }
  std::string dir_;
  std::string saved_path_;
};

TEST_F(FindExecutable, FindsAndCanonicalizesCandidates) {
  EXPECT_EQ(taken(find_executable("tool")), dir_ + "/tool");
  EXPECT_EQ(taken(find_executable((dir_ + "/./tool").c_str())), dir_ + "/tool");
  std::string here = cwd();
  ASSERT_EQ(chdir(dir_.c_str()), 0);
  EXPECT_EQ(taken(find_executable("./tool")), dir_ + "/tool");
  ASSERT_EQ(chdir(here.c_str()), 0);
}

TEST_F(FindExecutable, MissingOrUnusableNamesAnswerNull) {
  std::vector<std::string> names{"no-such-tool", "plain", "/bin/no-such-tool", dir_ + "/plain", ""};
  for (const std::string& name : names) {
    errno = 0;
    EXPECT_EQ(find_executable(name.c_str()), nullptr) << name;
    EXPECT_EQ(errno, ENOENT) << name;
  }
}

}  // namespace
