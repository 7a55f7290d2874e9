// The arguments object: options from the command line, identity strings,
// argp's own output and the discovery of the toolkit's directories.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "defobj/Arguments.h"
#include "defobj/Zone.h"
#include "defobj/test_stream.h"

namespace fs = std::filesystem;

// An application's arguments class with options of its own: "--extra"
// keeps its argument and refuses an empty one, "--count" counts.
struct ExtraArguments : Arguments_c {
  const char* extra;
  int count;

  int parseKey_arg(int key, const char* arg) {
    switch (key) {
      case 'x': extra = arg; return *arg ? 0 : EINVAL;
      case 'c': count++; return 0;
      default: return Arguments_c::parseKey_arg(key, arg);
    }
  }
};

REGISTER_CLASS(ExtraArguments, Arguments_c,
  ivar(&ExtraArguments::extra, "extra"),
  ivar(&ExtraArguments::count, "count"),
  method<&ExtraArguments::parseKey_arg>(msg::parseKey_arg))

namespace {

Class argumentsClass() { return objc_get_class("Arguments_c"); }

struct Creation {
  const char* appName = "rarevadiv";
  const char* version = "2.1.1";
  const char* bugAddress = nullptr;
  const argp_option* options = nullptr;
  option_func_t hook = nullptr;
  BOOL inhibitSearch = YES;
  Class cls = nullptr;
};

Arguments_c* parse(const std::vector<const char*>& argv, const Creation& s = {}) {
  return static_cast<Arguments_c*>(
      msg::createArgc_Argv_appName_version_bugAddress_options_optionFunc_inhibitExecutableSearchFlag(
          s.cls ? s.cls : argumentsClass(), static_cast<int>(argv.size()), argv.data(), s.appName, s.version,
          s.bugAddress, s.options, s.hook, s.inhibitSearch));
}

// argp writes help and version text on standard output; a death test
// sees only standard error, so the child sends one to the other.
void parseShowingStdout(const std::vector<const char*>& argv, const Creation& s = {}) {
  dup2(STDERR_FILENO, STDOUT_FILENO);
  parse(argv, s);
}

struct Expected {
  BOOL batch, vary, fixed;
  unsigned seed;
  const char* mode;
  BOOL showTime, noInit, verbose;
  int lastArgIndex;
  const char* firstArg;  // argv[lastArgIndex] after argp's reordering
};

TEST(Arguments, CommandLinesSetFlagsSeedModeAndLastArgument) {
  const Expected none{NO, NO, NO, 0, "default", NO, NO, NO, 1, nullptr};
  auto with = [&](auto change) {
    Expected e = none;
    change(e);
    return e;
  };
  struct Row {
    std::vector<const char*> argv;
    Expected expected;
  };
  const Row rows[] = {
      {{"prog"}, none},
      {{"prog", "--batch"}, with([](Expected& e) { e.batch = YES, e.lastArgIndex = 2; })},
      {{"prog", "-b"}, with([](Expected& e) { e.batch = YES, e.lastArgIndex = 2; })},
      {{"prog", "--varyseed"}, with([](Expected& e) { e.vary = YES, e.lastArgIndex = 2; })},
      {{"prog", "--seed", "42"}, with([](Expected& e) { e.fixed = YES, e.seed = 42, e.lastArgIndex = 3; })},
      {{"prog", "-S4294967295"}, with([](Expected& e) { e.fixed = YES, e.seed = 4294967295u, e.lastArgIndex = 2; })},
      {{"prog", "--seed=42", "--varyseed"}, with([](Expected& e) { e.vary = YES, e.seed = 42, e.lastArgIndex = 3; })},
      {{"prog", "-s", "-S", "7"}, with([](Expected& e) { e.fixed = YES, e.seed = 7, e.lastArgIndex = 4; })},
      {{"prog", "--mode", "/tmp/exp.1"}, with([](Expected& e) { e.mode = "exp", e.lastArgIndex = 3; })},
      {{"prog", "-mtrial"}, with([](Expected& e) { e.mode = "trial", e.lastArgIndex = 2; })},
      {{"prog", "--show-current-time"}, with([](Expected& e) { e.showTime = YES, e.lastArgIndex = 2; })},
      {{"prog", "--no-init-file"}, with([](Expected& e) { e.noInit = YES, e.lastArgIndex = 2; })},
      {{"prog", "--verbose"}, with([](Expected& e) { e.verbose = YES, e.lastArgIndex = 2; })},
      {{"prog", "-btv"}, with([](Expected& e) { e.batch = e.showTime = e.verbose = YES, e.lastArgIndex = 2; })},
      {{"prog", "input", "--batch", "more"},
       with([](Expected& e) { e.batch = YES, e.lastArgIndex = 2, e.firstArg = "input"; })},
      {{"prog", "--", "--batch"}, with([](Expected& e) { e.lastArgIndex = 2, e.firstArg = "--batch"; })},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.argv.back());
    const Expected& e = row.expected;
    Arguments_c* a = parse(row.argv);
    EXPECT_EQ(msg::getBatchModeFlag(a), e.batch);
    EXPECT_EQ(msg::getVarySeedFlag(a), e.vary);
    EXPECT_EQ(msg::getFixedSeedFlag(a), e.fixed);
    EXPECT_EQ(msg::getFixedSeed(a), e.seed);
    EXPECT_STREQ(msg::getAppModeString(a), e.mode);
    EXPECT_EQ(msg::getShowCurrentTimeFlag(a), e.showTime);
    EXPECT_EQ(msg::getInhibitArchiverLoadFlag(a), e.noInit);
    EXPECT_EQ(msg::getVerboseFlag(a), e.verbose);
    EXPECT_EQ(msg::getLastArgIndex(a), e.lastArgIndex);
    EXPECT_EQ(msg::getArgc(a), static_cast<int>(row.argv.size()));
    EXPECT_STREQ(msg::getArgv(a)[msg::getLastArgIndex(a)], e.firstArg);
  }
}

TEST(Arguments, SeedThatIsNotAWholeNumberInRangeIsRefused) {
  for (const char* text : {"abc", "", "12x", "-1", "+5", " 5", "4294967296", "99999999999999999999"}) {
    SCOPED_TRACE(text);
    EXPECT_EXIT(parse({"prog", "--seed", text}), testing::ExitedWithCode(64),
                "^" + literal(std::string("rarevadiv: invalid seed `") + text +
                              "': expected a whole number from 1 to 4294967295\n") +
                    "$");
  }
}

TEST(Arguments, ParserRefusesUnknownOptionsAndMisusedArguments) {
  const char* const hint = "Try `prog --help' or `prog --usage' for more information.\n";
  struct Row {
    const char* option;
    std::string message;
  } rows[] = {
      {"--bogus", "prog: unrecognized option '--bogus'\n"},
      {"-x", "prog: invalid option -- 'x'\n"},
      {"--seed", "prog: option '--seed' requires an argument\n"},
      {"--batch=yes", "prog: option '--batch' doesn't allow an argument\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.option);
    EXPECT_EXIT(parse({"prog", row.option}), testing::ExitedWithCode(64), "^" + literal(row.message + hint) + "$");
  }
}

TEST(Arguments, VersionHelpAndUsageAreArgpsOwn) {
  EXPECT_EXIT(parseShowingStdout({"prog", "--version"}), testing::ExitedWithCode(0),
              "^rarevadiv 2\\.1\\.1 \\(Brood 2\\.4\\.1\\)\n$");
  EXPECT_EXIT(parseShowingStdout({"prog", "-V"}, {.version = nullptr}), testing::ExitedWithCode(0),
              "^rarevadiv \\[no application version\\] \\(Brood 2\\.4\\.1\\)\n$");
  const char* const help[] = {
      "^Usage: prog \\[OPTION\\.\\.\\.\\]\n",
      "\n  -s, --varyseed +Select random number seed from current time\n",
      "\n  -S, --seed=INTEGER +Specify seed for random numbers\n",
      "\n  -b, --batch +Run in batch mode\n",
      "\n  -m, --mode=MODE +Specify mode of use \\(for archiving\\)\n",
      "\n  -t, --show-current-time +Show current time in control panel\n",
      "\n      --no-init-file +Inhibit loading of ~/\\.broodArchiver\n",
      "\n  -v, --verbose +Activate verbose messages\n",
      "\n  -\\?, --help +Give this help list\n",
      "\n      --usage +Give a short usage message\n",
      "\n  -V, --version +Print program version\n",
      "\nReport bugs to bug-rarevadiv@\\[none set\\]\\.\n$",
  };
  for (const char* line : help) EXPECT_EXIT(parseShowingStdout({"prog", "--help"}), testing::ExitedWithCode(0), line);
  EXPECT_EXIT(parseShowingStdout({"prog", "--usage"}), testing::ExitedWithCode(0),
              "^Usage: prog \\[-sbtv\\?V\\] \\[-S INTEGER\\] \\[-m MODE\\] \\[--varyseed\\] \\[--seed=INTEGER\\]\n"
              " +\\[--batch\\] \\[--mode=MODE\\] \\[--show-current-time\\] \\[--no-init-file\\]\n"
              " +\\[--verbose\\] \\[--help\\] \\[--usage\\] \\[--version\\]\n$");
}

TEST(Arguments, AddedOptionWithoutDocumentationShowsNone) {
  auto addAndHelp = [] {
    id a = msg::createBegin(argumentsClass(), _obj_globalZone);
    const char* argv[] = {"prog", "--help"};
    msg::setArgc_Argv(a, 2, argv);
    msg::setAppName(a, "rarevadiv");
    msg::addOption_key_arg_flags_doc_group(a, "quiet", 'q', nullptr, 0, nullptr, 7);
    dup2(STDERR_FILENO, STDOUT_FILENO);
    msg::createEnd(a);
  };
  EXPECT_EXIT(addAndHelp(), testing::ExitedWithCode(0), "\n  -q, --quiet +\\[none\\]\n");
}

TEST(Arguments, SubclassAddsOptionsByOverridingParseKey) {
  objc_register_ExtraArguments();
  const argp_option extraOptions[] = {
      {"extra", 'x', "NAME", 0, "Extra setting", 7},
      {"count", 'c', nullptr, 0, "Count", 7},
      {},
  };
  Creation s;
  s.options = extraOptions;
  s.cls = objc_get_class("ExtraArguments");
  auto* a = static_cast<ExtraArguments*>(parse({"prog", "--extra", "value", "-cc", "--batch", "--count"}, s));
  EXPECT_STREQ(a->isa->name, "ExtraArguments");
  EXPECT_STREQ(a->extra, "value");
  EXPECT_EQ(a->count, 3);
  EXPECT_TRUE(msg::getBatchModeFlag(a));
  EXPECT_EQ(msg::getLastArgIndex(a), 6);
  EXPECT_EXIT(parse({"prog", "--extra="}, s), testing::ExitedWithCode(64),
              "^rarevadiv: cannot parse the command line: Invalid argument\n$");
}

int hookSeen;
int unknownToHook(int key, const char*) {
  if (key == 'b') hookSeen++;
  return ARGP_ERR_UNKNOWN;
}
int hookTakesAll(int key, const char*) {
  if (key == 'b') hookSeen++;
  return 0;
}

TEST(Arguments, OptionHookComesBeforeBuiltInOptions) {
  struct Row {
    option_func_t hook;
    BOOL batch;
  } rows[] = {{unknownToHook, YES}, {hookTakesAll, NO}};
  for (const Row& row : rows) {
    hookSeen = 0;
    Creation s;
    s.hook = row.hook;
    Arguments_c* a = parse({"prog", "--batch", "-v"}, s);
    EXPECT_EQ(hookSeen, 1);
    EXPECT_EQ(msg::getBatchModeFlag(a), row.batch);
    EXPECT_EQ(msg::getVerboseFlag(a), row.batch);
  }
}

TEST(Arguments, IdentityStringsAndParserGlobals) {
  Arguments_c* a = parse({"dir/prog.exe"});
  EXPECT_STREQ(msg::getAppName(a), "rarevadiv");
  EXPECT_STREQ(argp_program_version, "rarevadiv 2.1.1 (Brood 2.4.1)");
  EXPECT_STREQ(argp_program_bug_address, "bug-rarevadiv@[none set]");
  EXPECT_STREQ(program_invocation_short_name, "rarevadiv");
  EXPECT_STREQ(program_invocation_name, "dir/prog.exe");
  EXPECT_EQ(msg::getExecutablePath(a), nullptr);

  Creation s;
  s.appName = nullptr;
  s.bugAddress = "warmlings@example.org";
  struct Row {
    std::vector<const char*> argv;
    const char* appName;
    const char* programName;
    const char* argv0;
  } rows[] = {
      {{}, "unknown", "unknown", "unknown"},
      {{"\"prog.exe\""}, "prog", "prog.exe", "\"prog.exe\""},
      {{"\"dir/prog"}, "prog", "dir/prog", "\"dir/prog"},
      {{"\""}, "", "", "\""},
      {{"/usr/local/bin/app.x"}, "app", "/usr/local/bin/app.x", "/usr/local/bin/app.x"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.programName);
    Arguments_c* b = parse(row.argv, s);
    EXPECT_STREQ(msg::getAppName(b), row.appName);
    EXPECT_STREQ(program_invocation_name, row.programName);
    EXPECT_STREQ(program_invocation_short_name, row.appName);
    EXPECT_EQ(msg::getArgc(b), 1);
    EXPECT_STREQ(msg::getArgv(b)[0], row.argv0);
    EXPECT_STREQ(argp_program_bug_address, "warmlings@example.org");
  }
}

TEST(Arguments, SeedSettersClearEachOther) {
  Arguments_c* a = parse({"prog"});
  msg::setFixedSeed(a, 9);
  EXPECT_TRUE(msg::getFixedSeedFlag(a));
  msg::setVarySeedFlag(a, NO);
  EXPECT_TRUE(msg::getFixedSeedFlag(a));
  msg::setVarySeedFlag(a, YES);
  EXPECT_FALSE(msg::getFixedSeedFlag(a));
  EXPECT_TRUE(msg::getVarySeedFlag(a));
}

// A mode given more than once, or a default path set again, releases the
// copy it replaces; the literal defaults are never released.
TEST(Arguments, ReplacedModeAndPathsAreReleased) {
  auto* zone = static_cast<Zone_c*>(msg::create(Zone, _obj_globalZone));
  auto* a = static_cast<Arguments_c*>(msg::createBegin(argumentsClass(), zone));
  const unsigned long fresh = zone->allocCount;
  msg::setAppModeString(a, "first");
  msg::setDefaultAppConfigPath(a, "conf");
  msg::setDefaultAppDataPath(a, "data");
  const unsigned long held = zone->allocCount;
  EXPECT_EQ(held, fresh + 3);
  msg::setAppModeString(a, "second");
  msg::setAppModeString(a, a->appModeString);  // its own text
  msg::setDefaultAppConfigPath(a, "conf2");
  msg::setDefaultAppDataPath(a, a->defaultAppDataPath);
  EXPECT_EQ(zone->allocCount, held);
  EXPECT_STREQ(a->appModeString, "second");
  EXPECT_STREQ(a->defaultAppConfigPath, "conf2/");
  EXPECT_STREQ(a->defaultAppDataPath, "data/");
}

TEST(Arguments, TypeIsImplementedByPhaseClassesOnCreateDrop) {
  const Class creating = static_cast<Class>(Arguments);
  EXPECT_STREQ(creating->name, "Arguments_c.Creating");
  // CreateDrop itself keeps its one class.
  EXPECT_EQ(creating->superclass, objc_get_class("CreateDrop"));
}

TEST(Arguments, ApplicationValueIsTheNameBeforeItsFirstFullStop) {
  const char* const rows[][2] = {
      {"dir/app.exe", "app"}, {"app", "app"},   {".hidden", ""}, {"a/b.c.d", "b"},
      {"dir/", ""},           {"a\\b.x", "a\\b"}, {"", ""},
  };
  for (const auto& row : rows) {
    char* value = getApplicationValue(row[0]);
    EXPECT_STREQ(value, row[1]) << row[0];
    msg::free(_obj_scratchZone, value);
  }
}

// A path answered as a new string of the object's zone, as text; the
// string goes back to the zone.
std::string taken(Arguments_c* a, const char* path) {
  const std::string text = path ? path : "(null)";
  if (path) msg::free(msg::getZone(a), const_cast<char*>(path));
  return text;
}

// A toolkit tree in a fresh directory, with an executable in bin/.
class ArgumentsPaths : public testing::Test {
 protected:
  std::string root;  // ends in "/"

  void SetUp() override {
    char name[] = "/tmp/arguments-XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    root = std::string(name) + "/";
    touch("bin/prog");
    chmod((root + "bin/prog").c_str(), 0755);
    for (const char* name : {"BROODHOME", "datarootdir", "prefix"}) unsetenv(name);
  }
  void TearDown() override { fs::remove_all(root); }

  void touch(const std::string& file) {
    fs::create_directories(fs::path(root + file).parent_path());
    std::ofstream(root + file).put('\n');
  }
  void makeDir(const std::string& dir) { fs::create_directories(root + dir); }

  Arguments_c* program() {
    const std::string exe = root + "bin/prog";
    Creation s;
    s.inhibitSearch = NO;
    return parse({exe.c_str()}, s);
  }
};

TEST_F(ArgumentsPaths, HomeIsSearchedUpwardsFromTheExecutable) {
  touch("bin/brood/include/broodconfig.h");
  touch("brood-2.4.1/include/broodconfig.h");
  Arguments_c* a = program();
  EXPECT_EQ(std::string(msg::getExecutablePath(a)), root + "bin/prog");
  EXPECT_EQ(std::string(msg::getBroodHome(a)), root + "brood-2.4.1/");
  EXPECT_EQ(taken(a, msg::getConfigPath(a)), root + "brood-2.4.1/etc/brood/");
  EXPECT_EQ(taken(a, msg::getDataPath(a)), root + "brood-2.4.1/share/brood/");
  // The home is not the executable's parent: not an installed program.
  EXPECT_EQ(taken(a, msg::getAppConfigPath(a)), "./");
  msg::setDefaultAppConfigPath(a, "conf");
  msg::setDefaultAppDataPath(a, "data/");
  EXPECT_EQ(taken(a, msg::getAppConfigPath(a)), "conf/");
  EXPECT_EQ(taken(a, msg::getAppDataPath(a)), "data/");
}

TEST_F(ArgumentsPaths, InstalledProgramUsesItsApplicationDirectories) {
  touch("include/broodconfig.h");
  touch("data/brood/.keep");
  setenv("BROODHOME", root.substr(0, root.size() - 1).c_str(), 1);
  setenv("datarootdir", (root + "data").c_str(), 1);
  Arguments_c* a = program();
  EXPECT_EQ(std::string(msg::getBroodHome(a)), root);
  EXPECT_EQ(taken(a, msg::getAppConfigPath(a)), root + "etc/brood/rarevadiv/");
  EXPECT_EQ(taken(a, msg::getAppDataPath(a)), root + "data/brood/rarevadiv/");
  // A template that names a file gives no directory at all.
  touch("data/file");
  EXPECT_EQ(taken(a, msg::_getPath_subpath(a, "${datarootdir}/file", "share/brood/")), "(null)");
}

TEST_F(ArgumentsPaths, HomeVariableIsExpanded) {
  touch("tk/include/broodconfig.h");
  touch("brood/include/broodconfig.h");  // found from the executable otherwise
  setenv("HOME", root.substr(0, root.size() - 1).c_str(), 1);
  struct Row {
    const char* home;
    std::string expected;
  } rows[] = {
      {"$HOME/tk", root + "tk/"},
      {"${HOME}/tk/", root + "tk/"},
      // The prefix does not stand for itself: the name is looked up as is.
      {"${prefix}$HOME/tk", root + "tk/"},
      {"$HOME/absent", root + "brood/"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.home);
    setenv("BROODHOME", row.home, 1);
    EXPECT_EQ(std::string(msg::getBroodHome(program())), row.expected);
  }
  setenv("prefix", root.c_str(), 1);
  setenv("BROODHOME", "${prefix}tk", 1);
  EXPECT_EQ(std::string(msg::getBroodHome(program())), root + "tk/");
}

TEST_F(ArgumentsPaths, WithoutAHomeThePathsAreAbsent) {
  Arguments_c* found = program();
  Arguments_c* notSearched = parse({"prog"});
  Arguments_c* notFound = [] {
    Creation s;
    s.inhibitSearch = NO;
    return parse({"no-such-program-anywhere"}, s);
  }();
  EXPECT_EQ(msg::getExecutablePath(notFound), nullptr);
  for (Arguments_c* a : {found, notSearched, notFound}) {
    EXPECT_EQ(msg::getBroodHome(a), nullptr);
    EXPECT_EQ(taken(a, msg::getConfigPath(a)), "(null)");
    EXPECT_EQ(taken(a, msg::getDataPath(a)), "(null)");
    EXPECT_EQ(taken(a, msg::getAppConfigPath(a)), "./");
    EXPECT_EQ(taken(a, msg::getAppDataPath(a)), "./");
  }
}

}  // namespace
