// The start-up environment: _initBrood_ starts the toolkit's libraries in
// order and decides between interactive and batch mode; the environment
// object answers the global objects through accessors.
#pragma once

#include "defobj/CreateDrop.h"
#include "defobj/arguments_messages.h"

// YES for an interactive run; set once during start-up.
extern BOOL broodGUIMode;

struct BroodEnvironment : CreateDrop {
  id arguments;
  BOOL forceBatchMode;

  static id createBegin_(Class cls);
  void setArguments(id args);
  void setBatchMode(BOOL flag);
  id createEnd();

  // The start for a foreign host that embeds the toolkit: the arguments
  // come without the program name, and the executable is not searched for.
  static id initBrood(Class cls, const char* appName, const char* version, const char* bugAddress, int count,
                      const char* const* args);
  static id initBroodUsing(Class cls, const char* appName, const char* version, const char* bugAddress,
                           const char* const* args);  // null-terminated
  id _init_(const char* appName, const char* version, const char* bugAddress, int count, const char* const* args);

  template <id* Global>
  id global() {
    return *Global;
  }
  BOOL getGuiFlag();
  unsigned getCurrentTime();
  id getCurrentBroodActivity();
  // The debugging functions, for code that cannot call them directly.
  template <void (*Print)(id)>
  void print(id object) {
    Print(object);
  }
  // The probe-display entry points, for code that cannot call them.
  template <id (*Create)(id)>
  id probeDisplay(id object) {
    return Create(object);
  }
  template <id (*Create)(id, const char*)>
  id archivedProbeDisplay(id object, const char* name) {
    return Create(object, name);
  }
  void updateDisplay();
  void setWindowGeometryRecordName_name(id widget, const char* name);
  void setComponentWindowGeometryRecordNameFor_widget_name(id owner, id widget, const char* name);
  void setComponentWindowGeometryRecordName_name(id widget, const char* name);
  const char* typeModule(const char* name);
  void verboseMessage(const char* text);
  void dumpDirectory();
};

// Registers every class of the toolkit's libraries.
void brood_register_classes();

// Starts the toolkit for a program: registers and resolves every class,
// bootstraps the object model, parses the command line into the arguments
// object (argumentsClass, or Arguments_c when nil) and starts the
// libraries. Answers the environment object.
id _initBrood_(int argc, const char* const* argv, const char* appName, const char* version,
               const char* bugAddress, Class argumentsClass, const argp_option* options,
               option_func_t optionFunc, BOOL forceBatchMode, BOOL inhibitExecutableSearchFlag);
