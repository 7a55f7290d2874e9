#include "defobj/Arguments.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "defobj/FCall.h"
#include "defobj/phase.h"
#include "defobj/zstrdup.h"
#include "misc/dropdir.h"
#include "misc/find_executable.h"
#include "misc/xmalloc.h"

const char brood_version[] = "2.4.1";

namespace {

const argp_option base_options[] = {
    {"varyseed", 's', nullptr, 0, "Select random number seed from current time", 0},
    {"seed", 'S', "INTEGER", 0, "Specify seed for random numbers", 1},
    {"batch", 'b', nullptr, 0, "Run in batch mode", 2},
    {"mode", 'm', "MODE", 0, "Specify mode of use (for archiving)", 3},
    {"show-current-time", 't', nullptr, 0, "Show current time in control panel", 4},
    {"no-init-file", 1, nullptr, 0, "Inhibit loading of ~/.broodArchiver", 5},
    {"verbose", 'v', nullptr, 0, "Activate verbose messages", 6},
    {},
};

// The options of a vector, up to the record that ends it.
size_t optionCount(const argp_option* options) {
  size_t n = 0;
  if (options)
    while (options[n].name || options[n].key || options[n].doc || options[n].group) n++;
  return n;
}

// Every option the parser recognises comes back to the object as a
// dynamic parseKey:arg:, so that a subclass's override handles it.
error_t parse_opt(int key, char* arg, argp_state* state) {
  id args = msg::createBegin(FArguments, _obj_scratchZone);
  msg::addInt(args, key);
  msg::addString(args, arg);
  msg::setObjCReturnType(args, 'i');
  args = msg::createEnd(args);
  id call = msg::create_target_selector_arguments(FCall, _obj_scratchZone, static_cast<id>(state->input),
                                                  msg::parseKey_arg.sel, args);
  msg::performCall(call);
  const int result = *static_cast<int*>(msg::getResult(call));
  msg::drop(call);
  msg::drop(args);
  return result;
}

// A seed is a decimal number within 32 bits. Anything else ends the run
// with argp's usage status, rather than seeding from whatever strtoul
// makes of the text (a wider number would wrap into another seed). A seed
// of 0 passes: the generator refuses it with its own report.
unsigned readSeed(const char* text) {
  bool digits = *text != '\0';
  for (const char* c = text; *c; c++) digits = digits && std::isdigit(static_cast<unsigned char>(*c));
  const unsigned long value = digits ? std::strtoul(text, nullptr, 10) : 0;
  if (!digits || value > UINT_MAX)
    argp_failure(nullptr, argp_err_exit_status, 0,
                 "invalid seed `%s': expected a whole number from 1 to %u", text, UINT_MAX);
  return static_cast<unsigned>(value);
}

char* copyIn(id zone, const std::string& text) { return zstrdup(zone, text.c_str()); }

// The mode and the default paths start as these literals; every later
// value is the object's own copy, which the next setting releases (the
// mode option may be given more than once).
const char defaultMode[] = "default";
const char defaultPath[] = "./";

void replaceCopy(id zone, const char*& field, const char* text) {
  if (field == defaultMode || field == defaultPath) field = nullptr;  // not the zone's to free
  zreplace(zone, field, text);
}

// The texts that the latest createEnd made for the parser's globals; the
// next one releases them when it puts its own there.
struct ParserTexts {
  char* programName;
  char* version;
  char* bugAddress;  // null when the application gave one
} parserTexts;

void replaceParserTexts(const ParserTexts& texts) {
  for (char* text : {parserTexts.programName, parserTexts.version, parserTexts.bugAddress})
    if (text) msg::free(_obj_scratchZone, text);
  parserTexts = texts;
}

std::string withSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

bool exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

std::optional<std::string> getBroodPrefix();

// Replaces $name and ${name} (letters, digits, "_") by the name's value,
// the empty string when unset. "prefix" stands for the toolkit prefix,
// except inside the prefix's own text, where it is an ordinary name: a
// BROODHOME that mentions ${prefix} would otherwise expand for ever.
std::string expandvars(const char* text, bool expandingPrefix = false) {
  auto nameChar = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
  std::string out;
  for (const char* c = text; c && *c;) {
    const char* name = c + 1 + (c[1] == '{');
    const char* end = name;
    if (*c == '$')
      while (nameChar(*end)) end++;
    if (*c != '$' || end == name) {
      out += *c++;
      continue;
    }
    const std::string key(name, end);
    if (key == "prefix" && !expandingPrefix) {
      out += getBroodPrefix().value_or("");
    } else if (const char* value = getenv(key.c_str())) {
      out += value;
    }
    c = *end == '}' ? end + 1 : end;
  }
  return out;
}

// BROODHOME expanded, else /c/brood when it exists; ends in "/".
std::optional<std::string> getBroodPrefix() {
  static const char fallback[] = "/c/brood";
  const char* home = getenv("BROODHOME");
  if (!home && !exists(fallback)) return std::nullopt;
  return withSlash(expandvars(home ? home : fallback, true));
}

// The same directory by file identity; a missing one is never the same.
bool sameDirectory(const std::string& a, const char* b) {
  struct stat sa, sb;
  return b && stat(a.c_str(), &sa) == 0 && stat(b, &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// The first of the executable's directory and its ancestors, nearest
// first, that holds the relative file; the full path of the file.
std::optional<std::string> findDirectory(const char* executablePath, const std::string& file) {
  if (!executablePath) return std::nullopt;
  std::string dir = executablePath;
  while (dropdir(dir.data())) {
    dir.resize(std::strlen(dir.c_str()));
    if (exists(dir + file)) return dir + file;
  }
  return std::nullopt;
}

}  // namespace

char* getApplicationValue(const char* path) {
  const char* slash = std::strrchr(path, '/');
  const std::string name = slash ? slash + 1 : path;
  return copyIn(_obj_scratchZone, name.substr(0, name.find('.')));
}

id Arguments_c::createBegin(Class cls, id zone) {
  auto* self = static_cast<Arguments_c*>(CreateDrop_s::createBegin(cls, zone));
  self->argp = static_cast<struct argp*>(msg::alloc(zone, sizeof(struct argp)));
  *self->argp = {};
  self->argp->parser = parse_opt;
  msg::addOptions(self, base_options);
  self->appModeString = defaultMode;
  self->defaultAppConfigPath = defaultPath;
  self->defaultAppDataPath = defaultPath;
  return self;
}

id Arguments_c::createArgc_Argv_appName_version_bugAddress_options_optionFunc_inhibitExecutableSearchFlag(
    Class cls, int argc, const char* const* argv, const char* appName, const char* version, const char* bugAddress,
    const argp_option* options, option_func_t optionFunc, BOOL inhibitExecutableSearch) {
  id self = msg::createBegin(cls, _obj_globalZone);
  msg::setArgc_Argv(self, argc, argv);
  if (options) msg::addOptions(self, options);
  msg::setOptionFunc(self, optionFunc);
  msg::setBugAddress(self, bugAddress);
  msg::setVersion(self, version);
  msg::setAppName(self, appName);
  msg::setInhibitExecutableSearchFlag(self, inhibitExecutableSearch);
  return msg::createEnd(self);
}

void Arguments_c::setArgc_Argv(int count, const char* const* vector) {
  // A vector set before (an empty one, replaced by createEnd) goes back.
  if (argv) {
    for (int i = 0; i < argc; i++) msg::free(zone(), argv[i]);
    msg::free(zone(), argv);
  }
  argc = count;
  // One more slot for the null that ends an argument vector.
  argv = static_cast<char**>(msg::alloc(zone(), (count + 1) * sizeof(char*)));
  for (int i = 0; i < count; i++) argv[i] = zstrdup(zone(), vector[i]);
  argv[count] = nullptr;
}

void Arguments_c::setAppName(const char* name) { applicationName = name ? zstrdup(zone(), name) : nullptr; }

void Arguments_c::setAppModeString(const char* mode) { replaceCopy(zone(), appModeString, mode); }

void Arguments_c::setVersion(const char* text) { version = text ? zstrdup(_obj_scratchZone, text) : nullptr; }

void Arguments_c::setBugAddress(const char* address) {
  bugAddress = address ? zstrdup(_obj_scratchZone, address) : nullptr;
}

void Arguments_c::setOptionFunc(option_func_t function) { optionFunc = function; }

void Arguments_c::addOptions(const argp_option* options) {
  const size_t have = optionCount(argp->options), more = optionCount(options);
  auto* vector = static_cast<argp_option*>(
      xrealloc(const_cast<argp_option*>(argp->options), (have + more + 1) * sizeof(argp_option)));
  std::memcpy(static_cast<void*>(vector + have), options, more * sizeof(argp_option));
  vector[have + more] = {};
  argp->options = vector;
}

void Arguments_c::addOption_key_arg_flags_doc_group(const char* name, int key, const char* arg, int flags,
                                                    const char* doc, int group) {
  auto copy = [](const char* text) { return text ? zstrdup(_obj_scratchZone, text) : nullptr; };
  const argp_option option[] = {{copy(name), key, copy(arg), flags, copy(doc ? doc : "[none]"), group}, {}};
  msg::addOptions(this, option);
}

id Arguments_c::createEnd() {
  static const char* const unknown[] = {"unknown"};
  if (argc == 0) msg::setArgc_Argv(this, 1, unknown);

  // A quoted program name loses its quotes; a lone quote leaves nothing.
  std::string program = argv[0];
  if (!program.empty() && program.front() == '"') {
    program.erase(0, 1);
    if (!program.empty() && program.back() == '"') program.pop_back();
  }
  char* programName = copyIn(_obj_scratchZone, program);
  if (!applicationName) {
    char* name = getApplicationValue(programName);
    msg::setAppName(this, name);
    msg::free(_obj_scratchZone, name);
  }
  // The version line below shows the placeholder, not a null.
  if (!version) version = "[no application version]";

  const std::string app = applicationName;
  replaceParserTexts({programName,
                      copyIn(_obj_scratchZone, app + " " + version + " (Brood " + brood_version + ")"),
                      bugAddress ? nullptr : copyIn(_obj_scratchZone, "bug-" + app + "@[none set]")});
  program_invocation_short_name = const_cast<char*>(applicationName);
  program_invocation_name = parserTexts.programName;
  argp_program_version = parserTexts.version;
  argp_program_bug_address = bugAddress ? bugAddress : parserTexts.bugAddress;
  executablePath = inhibitExecutableSearchFlag ? nullptr : find_executable(programName);

  // argp ends the process itself for its own options and bad options; an
  // error code from a subclass's parseKey:arg: only stops the parse.
  if (const error_t error = argp_parse(argp, argc, argv, 0, &lastArgIndex, this))
    argp_failure(nullptr, argp_err_exit_status, error, "cannot parse the command line");
  return CreateDrop::createEnd();
}

void Arguments_c::setBatchModeFlag(BOOL flag) { batchModeFlag = flag; }

void Arguments_c::setVarySeedFlag(BOOL flag) {
  varySeedFlag = flag;
  if (flag) fixedSeedFlag = NO;
}

void Arguments_c::setFixedSeed(unsigned seed) {
  fixedSeed = seed;
  fixedSeedFlag = YES;
  varySeedFlag = NO;
}

void Arguments_c::setVerboseFlag(BOOL flag) { verboseFlag = flag; }

void Arguments_c::setShowCurrentTimeFlag(BOOL flag) { showCurrentTimeFlag = flag; }

void Arguments_c::setInhibitArchiverLoadFlag(BOOL flag) { inhibitArchiverLoadFlag = flag; }

void Arguments_c::setInhibitExecutableSearchFlag(BOOL flag) { inhibitExecutableSearchFlag = flag; }

void Arguments_c::setDefaultAppConfigPath(const char* path) {
  replaceCopy(zone(), defaultAppConfigPath, withSlash(path).c_str());
}

void Arguments_c::setDefaultAppDataPath(const char* path) {
  replaceCopy(zone(), defaultAppDataPath, withSlash(path).c_str());
}

int Arguments_c::parseKey_arg(int key, const char* arg) {
  if (optionFunc && optionFunc(key, arg) != ARGP_ERR_UNKNOWN) return 0;
  switch (key) {
    case 's': msg::setVarySeedFlag(this, YES); break;
    case 'S': msg::setFixedSeed(this, readSeed(arg)); break;
    case 'b': msg::setBatchModeFlag(this, YES); break;
    case 'm': {
      char* mode = getApplicationValue(arg);
      msg::setAppModeString(this, mode);
      msg::free(_obj_scratchZone, mode);
      break;
    }
    case 't': msg::setShowCurrentTimeFlag(this, YES); break;
    case 1: msg::setInhibitArchiverLoadFlag(this, YES); break;
    case 'v': msg::setVerboseFlag(this, YES); break;
    default: return ARGP_ERR_UNKNOWN;
  }
  return 0;
}

BOOL Arguments_c::getBatchModeFlag() { return batchModeFlag; }
BOOL Arguments_c::getVarySeedFlag() { return varySeedFlag; }
BOOL Arguments_c::getFixedSeedFlag() { return fixedSeedFlag; }
unsigned Arguments_c::getFixedSeed() { return fixedSeed; }
BOOL Arguments_c::getVerboseFlag() { return verboseFlag; }
BOOL Arguments_c::getShowCurrentTimeFlag() { return showCurrentTimeFlag; }
BOOL Arguments_c::getInhibitArchiverLoadFlag() { return inhibitArchiverLoadFlag; }
const char* Arguments_c::getAppName() { return applicationName; }
const char* Arguments_c::getAppModeString() { return appModeString; }
const char* Arguments_c::getExecutablePath() { return executablePath; }
int Arguments_c::getArgc() { return argc; }
char** Arguments_c::getArgv() { return argv; }
int Arguments_c::getLastArgIndex() { return lastArgIndex; }

// The toolkit's directory beside or above the executable: a versioned
// one first, then a plain "brood".
const char* Arguments_c::findBrood() {
  for (const std::string& dir : {std::string("brood-") + brood_version, std::string("brood")}) {
    if (std::optional<std::string> found = findDirectory(executablePath, dir + "/include/broodconfig.h")) {
      dropdir(found->data());
      dropdir(found->data());
      return copyIn(zone(), *found);
    }
  }
  return nullptr;
}

const char* Arguments_c::_getBroodHome_(BOOL ignoreEnvironment) {
  if (ignoreEnvironment) return findBrood();
  if (broodHome) return broodHome;
  const std::optional<std::string> prefix = getBroodPrefix();
  broodHome = prefix && exists(*prefix + "include/broodconfig.h") ? copyIn(zone(), *prefix) : findBrood();
  return broodHome;
}

const char* Arguments_c::getBroodHome() { return msg::_getBroodHome_(this, NO); }

const char* Arguments_c::_getPath_subpath(const char* pathTemplate, const char* subpath) {
  const std::string path = expandvars(pathTemplate);
  struct stat info;
  if (stat(path.c_str(), &info) == 0) return S_ISDIR(info.st_mode) ? copyIn(zone(), path) : nullptr;
  const BOOL ignoring = ignoringEnvFlag;
  const char* home = msg::_getBroodHome_(this, ignoring);
  if (!home) return nullptr;
  char* result = copyIn(zone(), withSlash(home) + subpath);
  if (ignoring) msg::free(zone(), const_cast<char*>(home));
  return result;
}

const char* Arguments_c::getConfigPath() {
  return msg::_getPath_subpath(this, "${prefix}/etc/brood/", "etc/brood/");
}

const char* Arguments_c::getDataPath() {
  return msg::_getPath_subpath(this, "${datarootdir}/brood/", "share/brood/");
}

// Installed programs live in <home>/bin: the executable's directory's
// parent is the toolkit's home, as BROODHOME gives it or as found from
// the executable.
BOOL Arguments_c::_runningFromInstall_() {
  if (inhibitExecutableSearchFlag) return NO;
  if (!executablePath) return YES;
  // Without such a directory the comparisons fail, as stat("") does.
  std::string top = executablePath;
  if (dropdir(top.data()) && dropdir(top.data())) top.resize(std::strlen(top.c_str()));
  else top.clear();
  ignoringEnvFlag = NO;
  if (sameDirectory(top, msg::_getBroodHome_(this, NO))) return YES;
  ignoringEnvFlag = YES;
  const char* found = msg::_getBroodHome_(this, YES);
  const bool same = sameDirectory(top, found);
  if (found) msg::free(zone(), const_cast<char*>(found));
  return same;
}

const char* Arguments_c::_appendAppName_(const char* directory) {
  return copyIn(zone(), std::string(directory) + applicationName + "/");
}

const char* Arguments_c::appPath(const Message<const char*()>& basePath, const char* fallback) {
  if (msg::_runningFromInstall_(this)) {
    if (const char* dir = basePath(this)) {
      const char* path = msg::_appendAppName_(this, dir);
      msg::free(zone(), const_cast<char*>(dir));
      return path;
    }
  }
  return zstrdup(zone(), fallback);
}

const char* Arguments_c::getAppConfigPath() { return appPath(msg::getConfigPath, defaultAppConfigPath); }

const char* Arguments_c::getAppDataPath() { return appPath(msg::getDataPath, defaultAppDataPath); }

REGISTER_CLASS(Arguments_c, CreateDrop,
  ivar(&Arguments_c::argc, "argc"),
  ivar(&Arguments_c::argv, "argv"),
  ivar(&Arguments_c::applicationName, "applicationName"),
  ivar(&Arguments_c::executablePath, "executablePath"),
  ivar(&Arguments_c::appModeString, "appModeString"),
  ivar(&Arguments_c::version, "version"),
  ivar(&Arguments_c::bugAddress, "bugAddress"),
  ivar(&Arguments_c::inhibitArchiverLoadFlag, "inhibitArchiverLoadFlag"),
  ivar(&Arguments_c::inhibitExecutableSearchFlag, "inhibitExecutableSearchFlag"),
  ivar(&Arguments_c::batchModeFlag, "batchModeFlag"),
  ivar(&Arguments_c::varySeedFlag, "varySeedFlag"),
  ivar(&Arguments_c::fixedSeedFlag, "fixedSeedFlag"),
  ivar(&Arguments_c::fixedSeed, "fixedSeed"),
  ivar(&Arguments_c::verboseFlag, "verboseFlag"),
  ivar(&Arguments_c::showCurrentTimeFlag, "showCurrentTimeFlag"),
  ivar(&Arguments_c::broodHome, "broodHome"),
  ivar(&Arguments_c::defaultAppConfigPath, "defaultAppConfigPath"),
  ivar(&Arguments_c::defaultAppDataPath, "defaultAppDataPath"),
  ivar(&Arguments_c::ignoringEnvFlag, "ignoringEnvFlag"),
  ivar(&Arguments_c::optionFunc, "optionFunc"),
  ivar(&Arguments_c::lastArgIndex, "lastArgIndex"),
  ivar(&Arguments_c::argp, "argp"),
  phase(Phase::Creating),
  classMethod<&Arguments_c::createBegin>(msg::createBegin),
  classMethod<&Arguments_c::createArgc_Argv_appName_version_bugAddress_options_optionFunc_inhibitExecutableSearchFlag>(
      msg::createArgc_Argv_appName_version_bugAddress_options_optionFunc_inhibitExecutableSearchFlag),
  method<&Arguments_c::setArgc_Argv>(msg::setArgc_Argv),
  method<&Arguments_c::setAppName>(msg::setAppName),
  method<&Arguments_c::setAppModeString>(msg::setAppModeString),
  method<&Arguments_c::setVersion>(msg::setVersion),
  method<&Arguments_c::setBugAddress>(msg::setBugAddress),
  method<&Arguments_c::setOptionFunc>(msg::setOptionFunc),
  method<&Arguments_c::addOptions>(msg::addOptions),
  method<&Arguments_c::addOption_key_arg_flags_doc_group>(msg::addOption_key_arg_flags_doc_group),
  method<&Arguments_c::createEnd>(msg::createEnd),
  phase(Phase::Setting),
  method<&Arguments_c::setBatchModeFlag>(msg::setBatchModeFlag),
  method<&Arguments_c::setVarySeedFlag>(msg::setVarySeedFlag),
  method<&Arguments_c::setFixedSeed>(msg::setFixedSeed),
  method<&Arguments_c::setVerboseFlag>(msg::setVerboseFlag),
  method<&Arguments_c::setShowCurrentTimeFlag>(msg::setShowCurrentTimeFlag),
  method<&Arguments_c::setInhibitArchiverLoadFlag>(msg::setInhibitArchiverLoadFlag),
  method<&Arguments_c::setInhibitExecutableSearchFlag>(msg::setInhibitExecutableSearchFlag),
  method<&Arguments_c::setDefaultAppConfigPath>(msg::setDefaultAppConfigPath),
  method<&Arguments_c::setDefaultAppDataPath>(msg::setDefaultAppDataPath),
  method<&Arguments_c::parseKey_arg>(msg::parseKey_arg),
  phase(Phase::Using),
  method<&Arguments_c::getBatchModeFlag>(msg::getBatchModeFlag),
  method<&Arguments_c::getVarySeedFlag>(msg::getVarySeedFlag),
  method<&Arguments_c::getFixedSeedFlag>(msg::getFixedSeedFlag),
  method<&Arguments_c::getFixedSeed>(msg::getFixedSeed),
  method<&Arguments_c::getVerboseFlag>(msg::getVerboseFlag),
  method<&Arguments_c::getShowCurrentTimeFlag>(msg::getShowCurrentTimeFlag),
  method<&Arguments_c::getInhibitArchiverLoadFlag>(msg::getInhibitArchiverLoadFlag),
  method<&Arguments_c::getAppName>(msg::getAppName),
  method<&Arguments_c::getAppModeString>(msg::getAppModeString),
  method<&Arguments_c::getExecutablePath>(msg::getExecutablePath),
  method<&Arguments_c::getArgc>(msg::getArgc),
  method<&Arguments_c::getArgv>(msg::getArgv),
  method<&Arguments_c::getLastArgIndex>(msg::getLastArgIndex),
  method<&Arguments_c::getBroodHome>(msg::getBroodHome),
  method<&Arguments_c::getConfigPath>(msg::getConfigPath),
  method<&Arguments_c::getDataPath>(msg::getDataPath),
  method<&Arguments_c::getAppConfigPath>(msg::getAppConfigPath),
  method<&Arguments_c::getAppDataPath>(msg::getAppDataPath),
  method<&Arguments_c::_getBroodHome_>(msg::_getBroodHome_),
  method<&Arguments_c::_getPath_subpath>(msg::_getPath_subpath),
  method<&Arguments_c::_runningFromInstall_>(msg::_runningFromInstall_),
  method<&Arguments_c::_appendAppName_>(msg::_appendAppName_))
