#include "voduva/TkInterp.h"

#include <cstdio>
#include <cstdlib>

#include "activity/messages.h"
#include "misc/debugabort.h"
#include "tclobjc/report.h"

Tk_Window voduva_mainWindow = nullptr;
const char* voduva_appName = "voDuva";

namespace {

// Where Debian keeps Tk's script library.
constexpr const char TkScriptDirectory[] = "/usr/share/tcltk/tk8.6";

}  // namespace

id TkInterp::initWithArgc_argv(int argc, const char* const* argv) {
  if (!TclInterp::initWithArgc_argv(argc, argv)) return nil;
  stopped = YES;
  std::fflush(stdout);
  msg::eval(this, "update");
  return this;
}

const char* TkInterp::preInitWithArgc_argv(int argc, const char* const* argv) {
  const char* script = TclInterp::preInitWithArgc_argv(argc, argv);
  Tcl_SetVar(interp, "voDuva", "1", TCL_GLOBAL_ONLY);
  if (argc > 0 && argv[0]) voduva_appName = argv[0];
  if (Tk_Init(interp) != TCL_OK) {
    tclObjc_error("%s\n", tclInterp_errorText(interp));
    debugabort("TkInterp", 179, "-[TkInterp preInitWithArgc:argv:]");
  }
  voduva_mainWindow = Tk_MainWindow(interp);
  if (!voduva_mainWindow) {
    std::fprintf(stderr, "%s\n", Tcl_GetStringResult(interp));
    std::exit(1);
  }
  return script;
}

Tk_Window TkInterp::mainWindow() { return voduva_mainWindow; }

id TkInterp::stop() {
  stopped = YES;
  return this;
}

const char* TkInterp::checkTkLibrary() {
  if (const char* directory = checkPath_subdirectory_file(TkScriptDirectory, nullptr, "tk.tcl")) return directory;
  return secondaryPath ? checkPath_subdirectory_file(secondaryPath, "tk8.6", "tk.tcl") : nullptr;
}

void TkInterp::promptAndEval() {
  std::fputs("Tk% ", stdout);
  std::fflush(stdout);
  stopped = NO;
  while (Tk_GetNumMainWindows() > 0 && !stopped) Tcl_DoOneEvent(0);
  std::putchar('\n');
}

// Tcl's "exit" would end the process, so only the windows go.
id TkInterp::free_() {
  msg::globalEval(this, "destroy .\n");
  voduva_mainWindow = nullptr;
  return TclInterp::free_();
}

REGISTER_CLASS(TkInterp, TclInterp,
  ivar(&TkInterp::stopped, "stopped"),
  ivar(&TkInterp::command, "command"),
  method<&TkInterp::initWithArgc_argv>(msg::initWithArgc_argv),
  method<&TkInterp::preInitWithArgc_argv>(msg::preInitWithArgc_argv),
  method<&TkInterp::mainWindow>(msg::mainWindow),
  method<&TkInterp::stop>(msg::stop),
  method<&TkInterp::checkTkLibrary>(msg::checkTkLibrary),
  method<&TkInterp::promptAndEval>(msg::promptAndEval),
  method<&TkInterp::free_>(msg::free_))
