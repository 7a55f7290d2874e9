// The arguments object: the parsed command line, the application's
// identity, the run flags and the seed, and where the toolkit's home,
// configuration and data directories are. The command line is parsed by
// argp; each option comes back as a dynamic parseKey:arg: send, so an
// application subclass adds options (createArgc:'s options, or
// addOption:...) and handles them by overriding parseKey:arg:.
#pragma once

#include "defobj/CreateDrop.h"
#include "defobj/arguments_messages.h"

// The toolkit's version, shown by --version and part of the name of the
// toolkit's directory ("brood-<version>").
extern const char brood_version[];

struct Arguments_c : CreateDrop {
  int argc;
  char** argv;  // the object's copy, which argp permutes
  const char* applicationName;
  const char* executablePath;  // null when the search is inhibited or fails
  const char* appModeString;
  const char* version;
  const char* bugAddress;
  BOOL inhibitArchiverLoadFlag;
  BOOL inhibitExecutableSearchFlag;
  BOOL batchModeFlag;
  BOOL varySeedFlag;
  BOOL fixedSeedFlag;
  unsigned fixedSeed;
  BOOL verboseFlag;
  BOOL showCurrentTimeFlag;
  const char* broodHome;  // cached once found
  const char* defaultAppConfigPath;
  const char* defaultAppDataPath;
  BOOL ignoringEnvFlag;  // the home is searched from the executable, not taken from BROODHOME
  option_func_t optionFunc;
  int lastArgIndex;
  struct argp* argp;

  // Creating.
  static id createBegin(Class cls, id zone);
  static id createArgc_Argv_appName_version_bugAddress_options_optionFunc_inhibitExecutableSearchFlag(
      Class cls, int argc, const char* const* argv, const char* appName, const char* version,
      const char* bugAddress, const argp_option* options, option_func_t optionFunc, BOOL inhibitExecutableSearch);
  void setArgc_Argv(int count, const char* const* vector);
  void setAppName(const char* name);
  void setAppModeString(const char* mode);
  void setVersion(const char* text);
  void setBugAddress(const char* address);
  void setOptionFunc(option_func_t function);
  void addOptions(const argp_option* options);
  void addOption_key_arg_flags_doc_group(const char* name, int key, const char* arg, int flags, const char* doc,
                                         int group);
  id createEnd();

  // Setting.
  void setBatchModeFlag(BOOL flag);
  void setVarySeedFlag(BOOL flag);
  void setFixedSeed(unsigned seed);
  void setVerboseFlag(BOOL flag);
  void setShowCurrentTimeFlag(BOOL flag);
  void setInhibitArchiverLoadFlag(BOOL flag);
  void setInhibitExecutableSearchFlag(BOOL flag);
  void setDefaultAppConfigPath(const char* path);
  void setDefaultAppDataPath(const char* path);
  int parseKey_arg(int key, const char* arg);

  // Using.
  BOOL getBatchModeFlag();
  BOOL getVarySeedFlag();
  BOOL getFixedSeedFlag();
  unsigned getFixedSeed();
  BOOL getVerboseFlag();
  BOOL getShowCurrentTimeFlag();
  BOOL getInhibitArchiverLoadFlag();
  const char* getAppName();
  const char* getAppModeString();
  const char* getExecutablePath();
  int getArgc();
  char** getArgv();
  int getLastArgIndex();
  // The directories end in "/"; null when the toolkit's home is not found.
  // The home is the object's own; the other paths are new strings of the
  // object's zone, which the caller may free.
  const char* getBroodHome();
  const char* getConfigPath();
  const char* getDataPath();
  // The application's own directory under the configuration (data) path
  // when the program runs from the toolkit's installation, else the
  // default path.
  const char* getAppConfigPath();
  const char* getAppDataPath();

  // Steps of the directory queries. _getBroodHome_: YES answers a fresh
  // string of the object's zone; NO answers the cached home.
  const char* _getBroodHome_(BOOL ignoreEnvironment);
  const char* _getPath_subpath(const char* pathTemplate, const char* subpath);
  BOOL _runningFromInstall_();
  const char* _appendAppName_(const char* directory);

 private:
  const char* findBrood();
  const char* appPath(const Message<const char*()>& basePath, const char* fallback);
};

// The application name a path stands for: the part after the last "/",
// cut at its first "." ("dir/app.exe" gives "app"). A new string of the
// scratch zone.
char* getApplicationValue(const char* path);
