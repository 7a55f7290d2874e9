// The toolkit started as a foreign host starts it, through the class
// messages that take the place of _initBrood_. A process starts the toolkit
// once, so each run of this program takes one way, named by
// BROOD_FOREIGN_START: initBrood (the default), initBroodUsing, _init_, or
// host (initBrood with a host's table installed first).
#include <argp.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "defobj/Archiver.h"
#include "defobj/Arguments.h"
#include "defobj/module.h"
#include "defobj/COM.h"
#include "defobj/Directory.h"
#include "objectbase/objectbase.h"
#include "startup/BroodEnvironment.h"
#include "startup/environment_messages.h"
#include "support/test_startup.h"

namespace {

id environment;
std::string way;
const char* const hostArgs[] = {"--batch", "--seed", "7", "input.txt", nullptr};

// A host that knows no classes of its own.
COMclass noClass(const char*) { return nullptr; }
COMInterface host = [] {
  COMInterface table{};
  table.COMfindComponent = noClass;
  return table;
}();

}  // namespace

void test_startup() {
  brood_register_classes();
  __objc_exec_class_for_all_initial_modules();
  const char* chosen = std::getenv("BROOD_FOREIGN_START");
  way = chosen ? chosen : "initBrood";
  const Class cls = objc_get_class("BroodEnvironment");
  if (way == "host") initCOM(&host);
  if (way == "initBroodUsing")
    environment = msg::initBroodUsing_version_bugAddress_args(cls, "foreign", "3.2", "host@example.invalid", hostArgs);
  else if (way == "_init_")
    environment = msg::_init__version_bugAddress_argCount_args(msg::createBegin_(cls), "foreign", "3.2",
                                                               "host@example.invalid", 4, hostArgs);
  else
    environment = msg::initBrood_version_bugAddress_argCount_args(cls, "foreign", "3.2", "host@example.invalid", 4,
                                                                  hostArgs);
}

namespace {

TEST(ForeignStart, HostArgumentsFollowTheApplicationName) {
  ASSERT_NE(environment, nil) << way;
  EXPECT_EQ(msg::getArguments(environment), arguments);
  ASSERT_EQ(msg::getArgc(arguments), 5);
  char** argv = msg::getArgv(arguments);
  EXPECT_STREQ(argv[0], "foreign");
  EXPECT_STREQ(argv[msg::getLastArgIndex(arguments)], "input.txt");
  EXPECT_STREQ(msg::getAppName(arguments), "foreign");
  EXPECT_EQ(msg::getExecutablePath(arguments), nullptr);
  EXPECT_STREQ(argp_program_version, "foreign 3.2 (Brood 2.4.1)");
  EXPECT_STREQ(argp_program_bug_address, "host@example.invalid");
}

TEST(ForeignStart, LibrariesStartInTheModeTheArgumentsChoose) {
  EXPECT_FALSE(broodGUIMode);
  EXPECT_TRUE(msg::getFixedSeedFlag(arguments));
  EXPECT_EQ(msg::getFixedSeed(arguments), 7u);
  EXPECT_NE(probeLibrary, nil);
  EXPECT_NE(lispAppArchiver, nil);
  // The directory of host objects exists only when a host is installed.
  EXPECT_EQ(broodDirectory != nil, way == "host");
}

TEST(ForeignStart, MissingArgumentsAreRefused) {
  const Class cls = objc_get_class("BroodEnvironment");
  EXPECT_DEATH(msg::_init__version_bugAddress_argCount_args(msg::createBegin_(cls), "foreign", nullptr, nullptr, 2,
                                                            nullptr),
               "an application name and 2 arguments were expected");
}

}  // namespace
