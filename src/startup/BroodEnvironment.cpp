#include "startup/BroodEnvironment.h"

#include <fcntl.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "activity/activity.h"
#include "analysis/analysis.h"
#include "defobj/Arguments.h"
#include "defobj/Archiver.h"
#include "defobj/COM.h"
#include "defobj/Directory.h"
#include "defobj/module.h"
#include "defobj/phase.h"
#include "defobj/xprint.h"
#include "objectbase/objectbase.h"
#include "simtoolsgui/simtoolsgui.h"
#include "space/gui/spacegui.h"
#include "space/space.h"
#include "voduva/voduva.h"
#include "startup/environment_messages.h"

BOOL broodGUIMode = NO;

DECLARE_CLASS_REGISTRATION(BroodEnvironment);

void brood_register_classes() {
  analysis_register_classes();
  spacegui_register_classes();
  objc_register_BroodEnvironment();
}

namespace {

// A program started with a standard descriptor closed would give that
// number to the first file it opens, and what it prints would land in that
// file. Each closed one is opened on /dev/null, lowest first, so each open
// takes the number that is missing.
void openStandardDescriptors() {
  for (int fd = 0; fd <= 2; fd++) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    if (open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY) != fd) {
      std::fprintf(stderr, "cannot open /dev/null for the closed standard descriptor %d\n", fd);
      std::exit(1);
    }
  }
}

}  // namespace

id BroodEnvironment::createBegin_(Class cls) {
  // Both starts, _initBrood_ and the foreign one, come here before any file
  // is opened.
  openStandardDescriptors();
  // The first module registered bootstraps the object model and the
  // collections before it.
  _obj_initModule(&_activity_);
  return CreateDrop::createBegin(cls, _obj_globalZone);
}

void BroodEnvironment::setArguments(id args) { arguments = args; }
void BroodEnvironment::setBatchMode(BOOL flag) { forceBatchMode = flag; }

id BroodEnvironment::createEnd() {
  // A second start-up would rebuild the archivers and globals in use.
  static BOOL started = NO;
  if (started) raiseAt(InvalidOperation, "-[BroodEnvironment createEnd]", "The toolkit is already started: a second BroodEnvironment cannot be made.\n");
  started = YES;
  initDefobj(arguments);
  initProbing();
  broodGUIMode = !msg::getBatchModeFlag(arguments) && !forceBatchMode;
  initRandom(arguments);
  if (broodGUIMode) initSimtoolsGUI();
  return CreateDrop::createEnd();
}

id BroodEnvironment::initBrood(Class cls, const char* appName, const char* version, const char* bugAddress,
                               int count, const char* const* args) {
  id env = msg::createBegin_(cls);
  // The host's objects are found through the directory.
  if (COM_init_p() && !broodDirectory) broodDirectory = msg::create(objc_get_class("Directory"), _obj_globalZone);
  return msg::_init__version_bugAddress_argCount_args(env, appName, version, bugAddress, count, args);
}

id BroodEnvironment::initBroodUsing(Class cls, const char* appName, const char* version, const char* bugAddress,
                                    const char* const* args) {
  int count = 0;
  while (args && args[count]) count++;
  return msg::initBrood_version_bugAddress_argCount_args(cls, appName, version, bugAddress, count, args);
}

id BroodEnvironment::_init_(const char* appName, const char* version, const char* bugAddress, int count,
                            const char* const* args) {
  if (!appName || count < 0 || (count > 0 && !args))
    raiseAt(InvalidArgument, "-[BroodEnvironment _init_:version:bugAddress:argCount:args:]",
            "> an application name and %d arguments were expected\n", count);
  // The application name stands where a program's name would.
  std::vector<const char*> argv{appName};
  argv.insert(argv.end(), args, args + count);
  msg::setArguments(
      this, msg::createArgc_Argv_appName_version_bugAddress_options_optionFunc_inhibitExecutableSearchFlag(
                objc_get_class("Arguments_c"), count + 1, argv.data(), appName, version, bugAddress, nullptr,
                nullptr, YES));
  return msg::createEnd(this);
}

BOOL BroodEnvironment::getGuiFlag() { return broodGUIMode; }

unsigned BroodEnvironment::getCurrentTime() {
  id schedule = msg::getScheduleActivity(_activity_current);
  if (!schedule) _activity_context_error("getCurrentTime");
  return msg::getCurrentTime(schedule);
}

id BroodEnvironment::getCurrentBroodActivity() {
  id brood = msg::getBroodActivity(_activity_current);
  if (!brood) _activity_context_error("getCurrentBroodActivity");
  return brood;
}

void BroodEnvironment::updateDisplay() {
  while (voduva_doOneEventAsync()) {}
}

void BroodEnvironment::setWindowGeometryRecordName_name(id widget, const char* name) {
  msg::setWindowGeometryRecordName(widget, name);
}

void BroodEnvironment::setComponentWindowGeometryRecordNameFor_widget_name(id owner, id widget, const char* name) {
  msg::setWindowGeometryRecordNameForComponent_widget(owner, name, widget);
}

// The owner is the brood that is running now.
void BroodEnvironment::setComponentWindowGeometryRecordName_name(id widget, const char* name) {
  setComponentWindowGeometryRecordNameFor_widget_name(msg::getBrood(getCurrentBroodActivity()), widget, name);
}

const char* BroodEnvironment::typeModule(const char* name) { return brood_lookup_module(name); }

void BroodEnvironment::verboseMessage(const char* text) {
  if (msg::getVerboseFlag(arguments)) std::puts(text);
}

// No foreign host is ever installed, so there is no directory to dump.
void BroodEnvironment::dumpDirectory() {}

REGISTER_CLASS(BroodEnvironment, CreateDrop,
  ivar(&BroodEnvironment::arguments, "arguments"),
  ivar(&BroodEnvironment::forceBatchMode, "forceBatchMode"),
  phase(Phase::Creating),
  classMethod<&BroodEnvironment::createBegin_>(msg::createBegin_),
  classMethod<&BroodEnvironment::initBrood>(msg::initBrood_version_bugAddress_argCount_args),
  classMethod<&BroodEnvironment::initBroodUsing>(msg::initBroodUsing_version_bugAddress_args),
  method<&BroodEnvironment::_init_>(msg::_init__version_bugAddress_argCount_args),
  method<&BroodEnvironment::setArguments>(msg::setArguments),
  method<&BroodEnvironment::setBatchMode>(msg::setBatchMode),
  method<&BroodEnvironment::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&BroodEnvironment::global<&::arguments>>(msg::getArguments),
  method<&BroodEnvironment::global<&Start>>(msg::getStart),
  method<&BroodEnvironment::global<&Member>>(msg::getMember),
  method<&BroodEnvironment::global<&End>>(msg::getEnd),
  method<&BroodEnvironment::global<&Initialized>>(msg::getInitialized),
  method<&BroodEnvironment::global<&Running>>(msg::getRunning),
  method<&BroodEnvironment::global<&Stopped>>(msg::getStopped),
  method<&BroodEnvironment::global<&Holding>>(msg::getHolding),
  method<&BroodEnvironment::global<&Released>>(msg::getReleased),
  method<&BroodEnvironment::global<&Terminated>>(msg::getTerminated),
  method<&BroodEnvironment::global<&Completed>>(msg::getCompleted),
  method<&BroodEnvironment::global<&Randomized>>(msg::getRandomized),
  method<&BroodEnvironment::global<&Sequential>>(msg::getSequential),
  method<&BroodEnvironment::global<&_obj_scratchZone>>(msg::getScratchZone),
  method<&BroodEnvironment::global<&_obj_globalZone>>(msg::getGlobalZone),
  method<&BroodEnvironment::global<&randomGenerator>>(msg::getRandomGenerator),
  method<&BroodEnvironment::global<&uniformIntRand>>(msg::getUniformIntRand),
  method<&BroodEnvironment::global<&uniformDblRand>>(msg::getUniformDblRand),
  method<&BroodEnvironment::global<&probeLibrary>>(msg::getProbeLibrary),
  method<&BroodEnvironment::global<&probeDisplayManager>>(msg::getProbeDisplayManager),
  method<&BroodEnvironment::global<&ControlStateRunning>>(msg::getControlStateRunning),
  method<&BroodEnvironment::global<&ControlStateStopped>>(msg::getControlStateStopped),
  method<&BroodEnvironment::global<&ControlStateStepping>>(msg::getControlStateStepping),
  method<&BroodEnvironment::global<&ControlStateQuit>>(msg::getControlStateQuit),
  method<&BroodEnvironment::global<&ControlStateNextTime>>(msg::getControlStateNextTime),
  method<&BroodEnvironment::global<&hdf5Archiver>>(msg::getHdf5Archiver),
  method<&BroodEnvironment::global<&lispArchiver>>(msg::getLispArchiver),
  method<&BroodEnvironment::global<&hdf5AppArchiver>>(msg::getHdf5AppArchiver),
  method<&BroodEnvironment::global<&lispAppArchiver>>(msg::getLispAppArchiver),
  method<&BroodEnvironment::global<&LanguageCOM>>(msg::getLanguageCOM),
  method<&BroodEnvironment::global<&LanguageJava>>(msg::getLanguageJava),
  method<&BroodEnvironment::global<&LanguageObjc>>(msg::getLanguageObjc),
  method<&BroodEnvironment::getGuiFlag>(msg::getGuiFlag),
  method<&BroodEnvironment::getCurrentTime>(msg::getCurrentTime),
  method<&BroodEnvironment::getCurrentBroodActivity>(msg::getCurrentBroodActivity),
  method<&BroodEnvironment::print<&::xprint>>(msg::xprint),
  method<&BroodEnvironment::print<&::xfprint>>(msg::xfprint),
  method<&BroodEnvironment::probeDisplay<&_createProbeDisplay>>(msg::createProbeDisplay),
  method<&BroodEnvironment::probeDisplay<&_createCompleteProbeDisplay>>(msg::createCompleteProbeDisplay),
  method<&BroodEnvironment::archivedProbeDisplay<&createArchivedProbeDisplayNamed>>(
      msg::createArchivedProbeDisplay_name),
  method<&BroodEnvironment::archivedProbeDisplay<&createArchivedCompleteProbeDisplayNamed>>(
      msg::createArchivedCompleteProbeDisplay_name),
  method<&BroodEnvironment::updateDisplay>(msg::updateDisplay),
  method<&BroodEnvironment::setWindowGeometryRecordName_name>(msg::setWindowGeometryRecordName_name),
  method<&BroodEnvironment::setComponentWindowGeometryRecordNameFor_widget_name>(
      msg::setComponentWindowGeometryRecordNameFor_widget_name),
  method<&BroodEnvironment::setComponentWindowGeometryRecordName_name>(
      msg::setComponentWindowGeometryRecordName_name),
  method<&BroodEnvironment::typeModule>(msg::typeModule),
  method<&BroodEnvironment::verboseMessage>(msg::verboseMessage),
  method<&BroodEnvironment::dumpDirectory>(msg::dumpDirectory))

id _initBrood_(int argc, const char* const* argv, const char* appName, const char* version,
               const char* bugAddress, Class argumentsClass, const argp_option* options,
               option_func_t optionFunc, BOOL forceBatchMode, BOOL inhibitExecutableSearchFlag) {
  brood_register_classes();
  __objc_exec_class_for_all_initial_modules();
  id env = msg::createBegin_(objc_get_class("BroodEnvironment"));
  id args = msg::createArgc_Argv_appName_version_bugAddress_options_optionFunc_inhibitExecutableSearchFlag(
      argumentsClass ? argumentsClass : objc_get_class("Arguments_c"), argc, argv, appName, version,
      bugAddress, options, optionFunc, inhibitExecutableSearchFlag);
  msg::setArguments(env, args);
  msg::setBatchMode(env, forceBatchMode);
  return msg::createEnd(env);
}
