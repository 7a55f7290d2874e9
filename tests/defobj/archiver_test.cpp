// Archivers: the system and application archive files byte for byte, what
// a load accepts and refuses, the paths from the environment, clients, and
// saves that never destroy the former archive.
#include <gtest/gtest.h>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "collections/keyed_messages.h"
#include "collections/stream_support.h"
#include "defobj/Archiver.h"
#include "defobj/Class_s.h"
#include "defobj/CreateDrop.h"
#include "defobj/archiving_messages.h"
#include "defobj/arguments_messages.h"
#include "defobj/module.h"

namespace {

struct StoredPoint : CreateDrop {
  int x;
  const char* label;
};

// Stores itself under "client" whenever an archiver asks.
struct StoredClient : CreateDrop {
  int x;
  int updates;

  void updateArchiver(id archiver) {
    updates++;
    msg::putDeep_object(archiver, "client", this);
  }
};

}  // namespace

REGISTER_CLASS(StoredPoint, CreateDrop, ivar(&StoredPoint::x, "x"), ivar(&StoredPoint::label, "label"))
REGISTER_CLASS(StoredClient, CreateDrop, ivar(&StoredClient::x, "x"), ivar(&StoredClient::updates, "updates"),
               method<&StoredClient::updateArchiver>(msg::updateArchiver))

namespace {

Class storedClass(const char* name) {
  static bool registered = false;
  if (!registered) {
    objc_register_StoredPoint();
    objc_register_StoredClient();
    registered = true;
  }
  return objc_get_class(name);
}

StoredPoint* makePoint(int x, const char* label) {
  auto* p = static_cast<StoredPoint*>(msg::create(storedClass("StoredPoint"), _obj_globalZone));
  p->x = x;
  p->label = label;
  return p;
}

std::string fileText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void writeFile(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

std::vector<std::string> filesIn(const std::string& directory) {
  std::vector<std::string> names;
  DIR* dir = opendir(directory.c_str());
  while (dirent* entry = readdir(dir))
    if (entry->d_name[0] != '.' || entry->d_name[1] == 'b') names.push_back(entry->d_name);
  closedir(dir);
  return names;
}

// An environment variable set or unset for one test.
struct SavedVariable {
  const char* name;
  bool set;
  std::string value;
  explicit SavedVariable(const char* n) : name(n), set(std::getenv(n)), value(set ? std::getenv(n) : "") {}
  ~SavedVariable() {
    if (set) setenv(name, value.c_str(), 1);
    else unsetenv(name);
  }
};

// Each test has a fresh home directory, which is also the application's
// data directory, and the arguments of the application rarevadiv. A
// death test's child process works in its parent's directory, named in
// the environment it inherits.
class Archivers : public ::testing::Test {
 protected:
  SavedVariable savedHome{"HOME"}, savedBroodHome{"BROODHOME"}, savedInhibit{"BROOD_INHIBIT_ARCHIVER_LOAD"};
  id savedArguments = arguments;
  std::string home;

  void SetUp() override {
    if (const char* inherited = std::getenv("BROOD_TEST_HOME")) {
      home = inherited;
    } else {
      char pattern[] = "/tmp/brood-archiver-XXXXXX";
      home = mkdtemp(pattern);
      setenv("BROOD_TEST_HOME", home.c_str(), 1);
    }
    setenv("HOME", home.c_str(), 1);
    unsetenv("BROODHOME");
    unsetenv("BROOD_INHIBIT_ARCHIVER_LOAD");
    arguments = makeArguments({"rarevadiv"});
  }

  void TearDown() override {
    unsetenv("BROOD_TEST_HOME");
    arguments = savedArguments;
    for (const std::string& name : filesIn(home)) unlink((home + "/" + name).c_str());
    rmdir(home.c_str());
  }

  id makeArguments(std::vector<const char*> argv, const char* application = "rarevadiv") {
    id args = msg::createArgc_Argv_appName_version_bugAddress_options_optionFunc_inhibitExecutableSearchFlag(
        objc_get_class("Arguments_c"), static_cast<int>(argv.size()), argv.data(), application, nullptr, nullptr,
        nullptr, nullptr, YES);
    msg::setDefaultAppDataPath(args, home.c_str());
    return args;
  }

  std::string systemFile() const { return home + "/.broodArchiver"; }
  std::string appFile() const { return home + "/rarevadiv.scm"; }
};

id makeArchiver(id type, BOOL system, BOOL inhibit = NO) {
  id archiver = msg::createBegin(type, _obj_globalZone);
  if (system) {
    msg::setDefaultPath(archiver);
    msg::setSystemArchiverFlag(archiver, YES);
  } else {
    msg::setDefaultAppPath(archiver);
  }
  msg::setInhibitLoadFlag(archiver, inhibit);
  return msg::createEnd(archiver);
}

const char* pathOf(id archiver) { return static_cast<Archiver_c*>(archiver)->path; }

StoredPoint* stored(id archiver, const char* key) {
  return static_cast<StoredPoint*>(msg::getWithZone_key(archiver, _obj_globalZone, key));
}

// A save that cannot be written warns with the message and returns.
void expectSaveWarning(id archiver, const std::string& message) {
  testing::internal::CaptureStderr();
  msg::sync(archiver);
  const std::string report = testing::internal::GetCapturedStderr();
  EXPECT_EQ(report.find("*** event raised for warning: SaveWarning\n"
                        "*** function: -[LispArchiver(c) _sync](), file: LispArchiver.cpp, line: "),
            0u)
      << report;
  EXPECT_NE(report.find("\n" + message + "*** execution continuing...\n"), std::string::npos) << report;
}

TEST_F(Archivers, SystemFileHoldsEveryApplicationByteForByte) {
  id archiver = makeArchiver(LispArchiver, YES);
  EXPECT_EQ(pathOf(archiver), systemFile());
  msg::sync(archiver);
  EXPECT_EQ(fileText(systemFile()),
            "(archiver\n"
            "  (list\n"
            "    (cons '(rarevadiv default)\n"
            "      (list))))\n");

  msg::putDeep_object(archiver, "modelBrood", makePoint(1, "a b"));
  msg::putShallow_object(archiver, "aaa", nil);
  msg::sync(archiver);
  const std::string text =
      "(archiver\n"
      "  (list\n"
      "    (cons '(rarevadiv default)\n"
      "      (list\n"
      "        (cons 'aaa\n"
      "           nil)\n"
      "        (cons 'modelBrood\n"
      "           (make-instance 'StoredPoint #:x 1 #:label \"a b\"))))))\n";
  EXPECT_EQ(fileText(systemFile()), text);
  msg::drop(archiver);

  // Read back, and written again unchanged.
  archiver = makeArchiver(LispArchiver, YES);
  StoredPoint* p = stored(archiver, "modelBrood");
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->isa, storedClass("StoredPoint"));
  EXPECT_EQ(p->x, 1);
  EXPECT_STREQ(p->label, "a b");
  EXPECT_EQ(stored(archiver, "aaa"), nullptr);
  EXPECT_EQ(stored(archiver, "missing"), nullptr);
  id own = msg::getObjectByKey(archiver, "modelBrood");
  EXPECT_EQ(msg::getZone(own), msg::getZone(archiver));
  msg::sync(archiver);
  EXPECT_EQ(fileText(systemFile()), text);
  msg::drop(archiver);
}

TEST_F(Archivers, ApplicationFileHoldsTheCurrentApplicationOnly) {
  id archiver = makeArchiver(LispArchiver, NO);
  EXPECT_EQ(pathOf(archiver), appFile());
  msg::sync(archiver);
  EXPECT_EQ(fileText(appFile()), "(list)");
  msg::putDeep_object(archiver, "modelBrood", makePoint(1, nullptr));
  msg::putDeep_object(archiver, "modelBrood", makePoint(2, "later"));
  msg::sync(archiver);
  EXPECT_EQ(fileText(appFile()),
            "(list\n"
            "  (cons 'modelBrood\n"
            "     (make-instance 'StoredPoint #:x 2 #:label \"later\")))");
  msg::drop(archiver);
  archiver = makeArchiver(LispArchiver, NO);
  EXPECT_EQ(stored(archiver, "modelBrood")->x, 2);
  msg::drop(archiver);
}

// Entries of other applications and modes are written back as they were
// read, bare symbols included, and keys that are no bare words as strings.
TEST_F(Archivers, OtherApplicationsSurviveARewrite) {
  writeFile(systemFile(),
            "(archiver (list (cons '(other batch) (list (cons 'thing "
            "(make-instance 'StoredPoint #:x 5 #:label sym)))) (cons 'solo (list))"
            " (cons '(\"two words\" \"12\") (list))))");
  arguments = makeArguments({"rarevadiv", "--mode=/runs/batch.1"});
  id archiver = makeArchiver(LispArchiver, YES);
  EXPECT_EQ(stored(archiver, "thing"), nullptr);
  msg::putDeep_object(archiver, "modelBrood", makePoint(1, "multi\nline"));
  msg::sync(archiver);
  const std::string text =
      "(archiver\n"
      "  (list\n"
      "    (cons '(other batch)\n"
      "      (list\n"
      "        (cons 'thing\n"
      "           (make-instance 'StoredPoint #:x 5 #:label sym))))\n"
      "    (cons '(rarevadiv batch)\n"
      "      (list\n"
      "        (cons 'modelBrood\n"
      "           (make-instance 'StoredPoint #:x 1 #:label \"multi\nline\"))))\n"
      "    (cons '(solo)\n"
      "      (list))\n"
      "    (cons '(\"two words\" \"12\")\n"
      "      (list))))\n";
  EXPECT_EQ(fileText(systemFile()), text);
  msg::drop(archiver);
  archiver = makeArchiver(LispArchiver, YES);
  EXPECT_STREQ(stored(archiver, "modelBrood")->label, "multi\nline");
  msg::sync(archiver);
  EXPECT_EQ(fileText(systemFile()), text);
  msg::drop(archiver);
  arguments = makeArguments({"other", "--mode=batch"}, "other");
  archiver = makeArchiver(LispArchiver, YES);
  EXPECT_STREQ(stored(archiver, "thing")->label, "sym");
  msg::drop(archiver);
}

// Another application's entries are never read as objects: every kind of
// value they hold is written back as it was read, save after save.
TEST_F(Archivers, EveryValueKindOfAnotherApplicationSurvivesRepeatedSaves) {
  const std::string text =
      "(archiver\n"
      "  (list\n"
      "    (cons '(other batch)\n"
      "      (list\n"
      "        (cons 'k\n"
      "           (make-instance 'StoredPoint #:type <List> #:class <String_c> #:none <nil> #:o <Frobnitz> "
      "#:i -3 #:u 9223372036854775807 #:f 0.500000F0 #:d -1.250000D0 #:l 2.500000L0 #:b #t #:c #\\A "
      "#:s \"a b\" #:y sym #:z nil #:a #2((1 2) (3 4)) #:e #1(<List> <nil>) #:p '(3 . 4) #:q '(1 \"x\") "
      "#:m (make-instance 'StoredPoint #:x 1)))))\n"
      "    (cons '(rarevadiv default)\n"
      "      (list))))\n";
  writeFile(systemFile(), text);
  _objc_lookup_class = findTypeOrLocalClass;  // as start-up installs it, for <List>
  for (int save = 1; save <= 2; save++) {
    id archiver = makeArchiver(LispArchiver, YES);
    msg::sync(archiver);
    msg::drop(archiver);
    EXPECT_EQ(fileText(systemFile()), text) << "save " << save;
  }
}

TEST_F(Archivers, TheFirstOfTwoEntriesUnderOneKeyStays) {
  writeFile(appFile(),
            "(list (cons 'a (make-instance 'StoredPoint #:x 1)) (cons 'a (make-instance 'StoredPoint #:x 2)))");
  storedClass("StoredPoint");
  testing::internal::CaptureStderr();
  id archiver = makeArchiver(LispArchiver, NO);
  const std::string report = testing::internal::GetCapturedStderr();
  EXPECT_EQ(report.find("*** event raised for warning: WarningMessage\n"
                        "*** function: -[LispArchiver(c) _processPairs:](), file: LispArchiver.cpp, line: "),
            0u);
  EXPECT_NE(report.find("\nDuplicate object key `a'*** execution continuing...\n"), std::string::npos);
  EXPECT_EQ(stored(archiver, "a")->x, 1);
  msg::drop(archiver);
}

TEST_F(Archivers, LoadingRefusesMalformedFiles) {
  const struct {
    bool system;
    const char* text;
    const char* function;
    const char* message;
  } cases[] = {
      {true, "foo", "-[LispArchiver(c) _lispIn:]", "argument to Archiver lispIn not a list"},
      {true, "(5 (list))", "-[LispArchiver(c) _lispIn:]", "Archiver function not a string"},
      {true, "(archive (list))", "-[LispArchiver(c) _lispIn:]", "Archiver function name incorrect: [archive]"},
      {true, "(archiver 5)", "-[LispArchiver(c) _processPairs:]", "argument to processPairs not a list"},
      {true, "(archiver)", "-[LispArchiver(c) _processPairs:]", "argument to processPairs not a list"},
      {true, "(archiver (lis))", "-[LispArchiver(c) _processPairs:]", "first string in processPairs not \"list\""},
      {true, "(archiver (list 5))", "-[LispArchiver(c) _processPairs:]", "Expecting a pair object"},
      {true, "(archiver (list (cons '(5 a) (list))))", "-[LispArchiver(c) _processPairs:]",
       "first pair item not a string (ArchiverValue_c)"},
      {true, "(archiver (list (cons '(a #:b) (list))))", "-[LispArchiver(c) _processPairs:]",
       "second pair item not a string (ArchiverKeyword_c)"},
      {true, "(archiver (list (cons 5 (list))))", "-[LispArchiver(c) _processPairs:]", "key not a string"},
      {true, "(archiver (list (cons '(a b) 5)))", "-[LispArchiver(c) _processPairs:]",
       "argument to processPairs not a list"},
      {false, "(archiver (list))", "-[LispArchiver(c) _processPairs:]", "first string in processPairs not \"list\""},
      {false, "(list (cons 'a))", "-[InputStream(c) _getExpr]", "cons accepts only two arguments"},
  };
  for (const auto& c : cases) {
    writeFile(c.system ? systemFile() : appFile(), c.text);
    const char* file = c.function[2] == 'L' ? "LispArchiver.cpp" : "InputStream.cpp";
    EXPECT_DEATH(makeArchiver(LispArchiver, c.system), errorReport("InvalidArgument", c.function, file, c.message))
        << c.text;
  }
  // A file that ends too early is named.
  writeFile(systemFile(), "(archiver (list (cons '(rarevadiv default) (list");
  EXPECT_DEATH(makeArchiver(LispArchiver, YES), errorReport("InvalidArgument", "-[InputStream(c) _getExpr]",
                                                            "InputStream.cpp", "unexpected EOF in " + systemFile() + "\n"));
}

// Every key of an archiver with its stored expression, as the tree it
// prints.
std::vector<std::string> storedShapes(id archiver) {
  std::vector<std::string> shapes;
  auto* a = static_cast<Archiver_c*>(archiver);
  id streams = msg::getStreamMap(msg::at(a->applicationMap, a->currentApplicationKey));
  id index = msg::begin(streams, _obj_scratchZone);
  id key;
  for (id stream = msg::next_(index, &key); msg::getLoc(index) == Member; stream = msg::next_(index, &key))
    shapes.push_back(std::string(msg::getC(key)) + " = " + shape(msg::getExpr(stream)));
  msg::drop(index);
  return shapes;
}

// A saved archive loads as the archive that was saved, whatever its
// values: string constants stay strings, symbols stay symbols.
TEST_F(Archivers, ASavedArchiveReadsBackAsItWasLoaded) {
  writeFile(appFile(),
            "(list (cons 'a (make-instance 'StoredPoint #:label '\"two words\" #:x 1))\n"
            " (cons 'b (make-instance 'StoredPoint #:label '\"\" #:other \"\" #:sym 'word))\n"
            " (cons 'c (make-instance 'StoredPoint #:label \"a;b (c)\" #:q '\"nil\" #:n '\"12\"))\n"
            " (cons 'd (make-instance 'StoredPoint #:c #\\0 #:t #\\3 #:p '(3 . 4) #:l (list '\"x y\" z)))\n"
            " (cons 'e nil) (cons '\"two words\" nil) (cons '\"12\" nil) (cons \"nil\" nil) (cons '\"\" nil))");
  id first = makeArchiver(LispArchiver, NO);
  const std::vector<std::string> loaded = storedShapes(first);
  ASSERT_EQ(loaded.size(), 9u);
  msg::sync(first);
  id second = makeArchiver(LispArchiver, NO);
  EXPECT_EQ(storedShapes(second), loaded) << fileText(appFile());
  msg::drop(first);
  msg::drop(second);
}

// A save through a symbolic link rewrites the file it names; the link
// stays a link.
TEST_F(Archivers, SavingOverASymbolicLinkWritesItsTarget) {
  const std::string target = home + "/target.scm";
  // A death test's child runs the test again from its start.
  unlink(appFile().c_str());
  ASSERT_EQ(symlink(target.c_str(), appFile().c_str()), 0);
  id dangling = makeArchiver(LispArchiver, NO);
  expectSaveWarning(dangling,
                    "> lisp archive " + appFile() + " is not saved: it is a symbolic link to a missing file\n");
  msg::drop(dangling);

  writeFile(target, "(list)");
  id archiver = makeArchiver(LispArchiver, NO);
  msg::putDeep_object(archiver, "p", makePoint(5, nullptr));
  msg::sync(archiver);
  char link[256] = {};
  ASSERT_GT(readlink(appFile().c_str(), link, sizeof link - 1), 0);
  EXPECT_EQ(link, target);
  EXPECT_NE(fileText(target).find("#:x 5"), std::string::npos);
  msg::drop(archiver);
}

// Only regular files are archives: a directory, a FIFO or a device is
// reported (reading them would fail, block or never end), and so is a
// file that cannot be read; a missing file is an empty archive.
TEST_F(Archivers, AnArchiveIsReadOnlyFromAReadableRegularFile) {
  const std::string lisp = "-[LispArchiver(c) _createEnd]";
  const std::string hdf5 = "-[HDF5(c) _createEnd]";
  const struct {
    const char* what;
    std::function<void(const std::string& path)> make;
    std::string message;
  } cases[] = {
      {"directory", [](const std::string& p) { mkdir(p.c_str(), 0755); }, " is a directory\n"},
      {"FIFO", [](const std::string& p) { mkfifo(p.c_str(), 0644); }, " is not a regular file\n"},
      {"device", [](const std::string& p) { symlink("/dev/zero", p.c_str()); }, " is not a regular file\n"},
  };
  for (const auto& c : cases) {
    for (const std::string& path : {systemFile(), appFile(), home + "/broodArchiver.hdf"}) {
      c.make(path);
      const bool isHdf5 = path.back() == 'f';
      const std::string report = errorReport("LoadError", isHdf5 ? hdf5 : lisp,
                                             "archive_file.cpp",
                                             "> archive " + path + c.message);
      if (isHdf5) EXPECT_DEATH(makeArchiver(HDF5Archiver, YES), report) << c.what;
      else EXPECT_DEATH(makeArchiver(LispArchiver, path == systemFile()), report) << c.what;
      rmdir(path.c_str());
      unlink(path.c_str());
    }
  }
  // A file that does not open is reported with the reason (a loop of
  // links here, as the superuser reads any file).
  symlink(appFile().c_str(), appFile().c_str());
  EXPECT_DEATH(makeArchiver(LispArchiver, NO),
               errorReport("LoadError", lisp, "archive_file.cpp",
                           "> cannot read archive " + appFile() + ": Too many levels of symbolic links\n"));
  unlink(appFile().c_str());
  writeFile(appFile(), "(list)");
  chmod(appFile().c_str(), 0);
  if (access(appFile().c_str(), R_OK) != 0) {  // the superuser reads any file
    EXPECT_DEATH(makeArchiver(LispArchiver, NO),
                 errorReport("LoadError", lisp, "archive_file.cpp",
                             "> cannot read archive " + appFile() + ": Permission denied\n"));
  }
}

TEST_F(Archivers, AnythingAfterTheArchiveExpressionIsReported) {
  for (const char* tail : {" (list)", "\n(cons 'b nil)", " x", ")"}) {
    writeFile(appFile(), std::string("(list (cons 'a nil))") + tail);
    const std::string report =
        *tail == ')' ? errorReport("LoadError", "-[InputStream(c) _getExpr]", "InputStream.cpp",
                                   "Unexpected character `)'\n")
                     : errorReport("LoadError", "-[LispArchiver(c) _createEnd]", "LispArchiver.cpp",
                                   "> archive " + appFile() + " holds more than one expression\n");
    EXPECT_DEATH(makeArchiver(LispArchiver, NO), report) << tail;
  }
  writeFile(appFile(), "(list (cons 'a nil))\n; a closing comment\n\n");
  msg::drop(makeArchiver(LispArchiver, NO));
}

TEST_F(Archivers, StartUpMakesFourArchiversThatHonourTheInhibitFlags) {
  writeFile(systemFile(),
            "(archiver (list (cons '(rarevadiv default) (list (cons 'p (make-instance 'StoredPoint #:x 3))))))");
  writeFile(appFile(), "(list (cons 'p (make-instance 'StoredPoint #:x 4)))");
  storedClass("StoredPoint");
  initDefobj(arguments);
  EXPECT_EQ(pathOf(lispArchiver), systemFile());
  EXPECT_EQ(pathOf(lispAppArchiver), appFile());
  EXPECT_EQ(pathOf(hdf5Archiver), home + "/broodArchiver.hdf");
  EXPECT_EQ(pathOf(hdf5AppArchiver), home + "/rarevadiv.hdf");
  EXPECT_TRUE(static_cast<Archiver_c*>(lispArchiver)->systemArchiverFlag);
  EXPECT_FALSE(static_cast<Archiver_c*>(lispAppArchiver)->systemArchiverFlag);
  EXPECT_TRUE(static_cast<Archiver_c*>(hdf5Archiver)->systemArchiverFlag);
  EXPECT_EQ(stored(lispArchiver, "p")->x, 3);
  EXPECT_EQ(stored(lispAppArchiver, "p")->x, 4);
  EXPECT_EQ(stored(hdf5Archiver, "p"), nullptr);

  // Any value, the empty one included, inhibits loading; so does the
  // no-init-file option.
  setenv("BROOD_INHIBIT_ARCHIVER_LOAD", "", 1);
  initDefobj(arguments);
  EXPECT_EQ(stored(lispArchiver, "p"), nullptr);
  EXPECT_EQ(stored(lispAppArchiver, "p"), nullptr);
  unsetenv("BROOD_INHIBIT_ARCHIVER_LOAD");
  initDefobj(makeArguments({"rarevadiv", "--no-init-file"}));
  EXPECT_TRUE(static_cast<Archiver_c*>(lispArchiver)->inhibitLoadFlag);
  EXPECT_EQ(stored(lispArchiver, "p"), nullptr);
  EXPECT_EQ(stored(lispAppArchiver, "p"), nullptr);
  initDefobj(savedArguments);
}

TEST_F(Archivers, HomeDirectoryFromTheEnvironment) {
  const struct {
    const char* home;
    const char* broodHome;
    const char* path;  // null: none
  } cases[] = {{"/h", "/b", "/h/.broodArchiver"},
               {"/h/", nullptr, "/h/.broodArchiver"},
               {"", nullptr, nullptr},
               {"", "/b", "/b/.broodArchiver"},
               {nullptr, "", nullptr},
               {nullptr, "/b", "/b/.broodArchiver"},
               {nullptr, nullptr, nullptr}};
  for (const auto& c : cases) {
    c.home ? setenv("HOME", c.home, 1) : unsetenv("HOME");
    c.broodHome ? setenv("BROODHOME", c.broodHome, 1) : unsetenv("BROODHOME");
    id archiver = makeArchiver(LispArchiver, YES);
    if (c.path) EXPECT_STREQ(pathOf(archiver), c.path);
    else EXPECT_EQ(pathOf(archiver), nullptr);
    msg::drop(archiver);
  }
}

TEST_F(Archivers, WithoutHomeNothingIsOpened) {
  unsetenv("HOME");
  id lisp = makeArchiver(LispArchiver, YES);
  id hdf5 = makeArchiver(HDF5Archiver, YES);
  EXPECT_EQ(pathOf(hdf5), nullptr);
  EXPECT_EQ(stored(lisp, "p"), nullptr);
  EXPECT_EQ(stored(hdf5, "p"), nullptr);
  expectSaveWarning(lisp, "> lisp archive has no path (neither HOME nor BROODHOME is set)\n");
}

TEST_F(Archivers, ClientsAreRegisteredOnceAndUpdatedBeforeASave) {
  id archiver = makeArchiver(LispArchiver, NO);
  auto* client = static_cast<StoredClient*>(msg::create(storedClass("StoredClient"), _obj_globalZone));
  client->x = 8;
  msg::registerClient(archiver, client);
  msg::registerClient(archiver, client);
  msg::registerClient(archiver, storedClass("StoredPoint"));
  EXPECT_EQ(msg::getCount(static_cast<Archiver_c*>(archiver)->instances), 1u);
  EXPECT_EQ(msg::getCount(static_cast<Archiver_c*>(archiver)->classes), 1u);
  msg::unregisterClient(archiver, storedClass("StoredPoint"));
  msg::sync(archiver);
  EXPECT_EQ(client->updates, 1);
  EXPECT_EQ(fileText(appFile()),
            "(list\n"
            "  (cons 'client\n"
            "     (make-instance 'StoredClient #:x 8 #:updates 1)))");
  msg::unregisterClient(archiver, client);
  EXPECT_EQ(msg::getCount(static_cast<Archiver_c*>(archiver)->instances), 0u);
  msg::sync(archiver);
  EXPECT_EQ(client->updates, 1);
  msg::drop(archiver);
}

// The text is built whole before the file is replaced, so a client or an
// object that fails leaves the former archive as it was. What keeps a save
// from being written is a warning that names the file, the entry and the
// cause: the run goes on, and a later save writes what it can.
TEST_F(Archivers, AFailedSaveKeepsTheFormerArchive) {
  writeFile(systemFile(), "(archiver (list (cons '(other batch) (list (cons 'k 5)))))");
  id archiver = makeArchiver(LispArchiver, YES);
  expectSaveWarning(archiver, "> lisp archive " + systemFile() +
                                  " is not saved: entry `k' of `other/batch': parsed ArchiverList instance "
                                  "expected or nil\n");
  EXPECT_EQ(fileText(systemFile()), "(archiver (list (cons '(other batch) (list (cons 'k 5)))))");
  msg::drop(archiver);
  unlink(systemFile().c_str());

  archiver = makeArchiver(LispArchiver, NO);
  msg::putDeep_object(archiver, "p", makePoint(1, "kept"));
  msg::sync(archiver);
  const std::string before = fileText(appFile());

  id plain = makePoint(2, nullptr);  // a client without updateArchiver:
  msg::registerClient(archiver, plain);
  EXPECT_DEATH(msg::sync(archiver), errorReport("SubclassMustImplement", "-[Object(s) _updateArchiver:]",
                                                "Object_s_archiving.cpp", "updateArchiver"));
  msg::unregisterClient(archiver, plain);
  // A string constant is no object form: the text stops at it.
  id constant = msg::create_setC(String, _obj_globalZone, "constant");
  msg::setLiteralFlag(constant, YES);
  msg::putDeep_object(archiver, "q", constant);
  expectSaveWarning(archiver, "> lisp archive " + appFile() +
                                  " is not saved: entry `q' of `rarevadiv/default': parsed ArchiverList instance "
                                  "expected or nil\n");
  msg::putDeep_object(archiver, "say \"hi\"", makePoint(1, nullptr));
  msg::putShallow_object(archiver, "q", nil);
  expectSaveWarning(archiver, "> lisp archive " + appFile() + " is not saved: entry `say \"hi\"' of "
                              "`rarevadiv/default': its key holds a double quote, which archive text cannot hold\n");
  EXPECT_EQ(fileText(appFile()), before);
  EXPECT_EQ(filesIn(home), std::vector<std::string>{"rarevadiv.scm"});
  msg::drop(archiver);
}

TEST_F(Archivers, AFileThatCannotBeWrittenIsAWarning) {
  id archiver = msg::create_setPath(LispArchiver, _obj_globalZone, "/nonexistent-brood-dir/app.scm");
  expectSaveWarning(archiver, "> lisp archive /nonexistent-brood-dir/app.scm is not saved: cannot create a new "
                              "file beside it: No such file or directory\n");
  msg::drop(archiver);
}

TEST_F(Archivers, TheBaseArchiverLeavesStorageToItsKinds) {
  const Class base = creatingPhaseOf(static_cast<Class>(id_Archiver_c));
  const struct {
    std::function<void(id)> send;
    const char* function;
    const char* selector;
  } cases[] = {{[](id a) { msg::setDefaultPath(a); }, "-[Archiver(c) _setDefaultPath]", "setDefaultPath"},
               {[](id a) { msg::setDefaultAppPath(a); }, "-[Archiver(c) _setDefaultAppPath]", "setDefaultAppPath"},
               {[](id a) { msg::putDeep_object(msg::createEnd(a), "k", nil); }, "-[Archiver(c) _putDeep:object:]",
                "putDeep:object:"},
               {[](id a) { msg::getObjectByKey(msg::createEnd(a), "k"); }, "-[Archiver(c) _getWithZone:key:]",
                "getWithZone:key:"},
               {[](id a) { msg::sync(msg::createEnd(a)); }, "-[Archiver(c) _sync]", "sync"}};
  for (const auto& c : cases) {
    id archiver = msg::createBegin(base, _obj_globalZone);
    EXPECT_DEATH(c.send(archiver), errorReport("SubclassMustImplement", c.function, "Archiver.cpp",
                                               std::string("> ") + c.selector +
                                                   " must be implemented by a subclass of Archiver\n"))
        << c.selector;
  }
}

}  // namespace
