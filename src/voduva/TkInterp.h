// The Tcl interpreter with Tk loaded: a main window, and an event loop for
// interactive use.
#pragma once

#include "tclobjc/TclInterp.h"
#include "voduva/messages.h"

struct TkInterp : TclInterp {
  BOOL stopped;
  Tcl_DString command;

  id initWithArgc_argv(int argc, const char* const* argv);
  const char* preInitWithArgc_argv(int argc, const char* const* argv);
  Tk_Window mainWindow();
  id stop();
  const char* checkTkLibrary();
  void promptAndEval();
  id free_();
};

// The main window and the application name of the Tk interpreter.
extern Tk_Window voduva_mainWindow;
extern const char* voduva_appName;
