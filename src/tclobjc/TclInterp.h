// The embedded Tcl interpreter: evaluation of printf-formatted text, Tcl
// variables, and objects registered as Tcl commands. Made with alloc and
// initWithArgc:argv:, released with free.
#pragma once

#include <tcl.h>

#include "runtime/Object.h"
#include "tclobjc/messages.h"

struct TclInterp : Object {
  Tcl_Interp* interp;
  int code;
  id namesToObjects;  // name text -> object
  id objectsToNames;  // object -> name text
  BOOL evalDebugPrint;
  const char* secondaryPath;

  id initWithArgc_argv(int argc, const char* const* argv);
  const char* preInitWithArgc_argv(int argc, const char* const* argv);
  id evalFile(const char* path);
  const char* result();
  int getCode();
  Tcl_Interp* getInterp();
  const char* variableValue(const char* name);
  const char* globalVariableValue(const char* name);
  BOOL variableExists(const char* name);
  BOOL globalVariableExists(const char* name);
  id registerObject_withName(id object, const char* name);
  id unregisterObject(id object);
  id unregisterObjectNamed(const char* name);
  const char* nameForObject(id object);
  BOOL objectIsRegistered(id object);
  BOOL nameIsRegistered(const char* name);
  id objectNamed(const char* name);
  void setEvalDebugPrint(BOOL flag);
  void setSecondaryLibraryPath(const char* path);
  const char* checkPath_subdirectory_file(const char* path, const char* subdirectory, const char* file);
  void promptAndEval();
  id free_();

  static unsigned tclCount(Class cls);
  static id tclAtIndex(Class cls, unsigned index);
  static id firstTcl(Class cls);
};

// The text of a Tcl error: the global errorInfo, else the result.
const char* tclInterp_errorText(Tcl_Interp* interp);
// YES for an interpreter object of the bridge (they live outside the zones).
BOOL tclInterp_isInterpreter(const void* object);
