// Messages of the arguments object: the parsed command line, the
// application's identity and the toolkit's directories.
#pragma once

#include <argp.h>

#include "defobj/messages.h"

// An application's option hook: handles (key, argument) and answers 0, or
// ARGP_ERR_UNKNOWN to leave the key to the built-in options.
typedef int (*option_func_t)(int key, const char* arg);

namespace msg {
// Creating (createArgc:... is a class message).
inline const Message<id(int, const char* const*, const char*, const char*, const char*, const argp_option*,
                        option_func_t, BOOL)>
    createArgc_Argv_appName_version_bugAddress_options_optionFunc_inhibitExecutableSearchFlag{
        "createArgc:Argv:appName:version:bugAddress:options:optionFunc:inhibitExecutableSearchFlag:"};
inline const Message<void(int, const char* const*)> setArgc_Argv{"setArgc:Argv:"};
inline const Message<void(const char*)> setAppName{"setAppName:"};
inline const Message<void(const char*)> setAppModeString{"setAppModeString:"};
inline const Message<void(const char*)> setVersion{"setVersion:"};
inline const Message<void(const char*)> setBugAddress{"setBugAddress:"};
inline const Message<void(option_func_t)> setOptionFunc{"setOptionFunc:"};
inline const Message<void(const argp_option*)> addOptions{"addOptions:"};
inline const Message<void(const char*, int, const char*, int, const char*, int)> addOption_key_arg_flags_doc_group{
    "addOption:key:arg:flags:doc:group:"};

// Setting: used by the parse, and open to code.
inline const Message<void(BOOL)> setBatchModeFlag{"setBatchModeFlag:"};
inline const Message<void(BOOL)> setVarySeedFlag{"setVarySeedFlag:"};
inline const Message<void(unsigned)> setFixedSeed{"setFixedSeed:"};
inline const Message<void(BOOL)> setVerboseFlag{"setVerboseFlag:"};
inline const Message<void(BOOL)> setShowCurrentTimeFlag{"setShowCurrentTimeFlag:"};
inline const Message<void(BOOL)> setInhibitArchiverLoadFlag{"setInhibitArchiverLoadFlag:"};
inline const Message<void(BOOL)> setInhibitExecutableSearchFlag{"setInhibitExecutableSearchFlag:"};
inline const Message<void(const char*)> setDefaultAppConfigPath{"setDefaultAppConfigPath:"};
inline const Message<void(const char*)> setDefaultAppDataPath{"setDefaultAppDataPath:"};
// One option from the parser: 0 when handled, ARGP_ERR_UNKNOWN otherwise.
inline const Message<int(int, const char*)> parseKey_arg{"parseKey:arg:"};

// Using.
inline const Message<BOOL()> getBatchModeFlag{"getBatchModeFlag"};
inline const Message<BOOL()> getVarySeedFlag{"getVarySeedFlag"};
inline const Message<BOOL()> getFixedSeedFlag{"getFixedSeedFlag"};
inline const Message<unsigned()> getFixedSeed{"getFixedSeed"};
inline const Message<BOOL()> getVerboseFlag{"getVerboseFlag"};
inline const Message<BOOL()> getShowCurrentTimeFlag{"getShowCurrentTimeFlag"};
inline const Message<BOOL()> getInhibitArchiverLoadFlag{"getInhibitArchiverLoadFlag"};
inline const Message<const char*()> getAppName{"getAppName"};
inline const Message<const char*()> getAppModeString{"getAppModeString"};
inline const Message<const char*()> getExecutablePath{"getExecutablePath"};
inline const Message<int()> getArgc{"getArgc"};
inline const Message<char**()> getArgv{"getArgv"};
inline const Message<int()> getLastArgIndex{"getLastArgIndex"};
inline const Message<const char*()> getBroodHome{"getBroodHome"};
inline const Message<const char*()> getConfigPath{"getConfigPath"};
inline const Message<const char*()> getDataPath{"getDataPath"};
inline const Message<const char*()> getAppConfigPath{"getAppConfigPath"};
inline const Message<const char*()> getAppDataPath{"getAppDataPath"};

// The steps of the directory queries.
inline const Message<const char*(BOOL)> _getBroodHome_{"_getBroodHome_:"};
inline const Message<const char*(const char*, const char*)> _getPath_subpath{"_getPath_:subpath:"};
inline const Message<BOOL()> _runningFromInstall_{"_runningFromInstall_"};
inline const Message<const char*(const char*)> _appendAppName_{"_appendAppName_:"};
}  // namespace msg
