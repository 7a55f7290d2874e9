// A proxy for a command that lives in Tcl: a message the proxy has no
// method for becomes a Tcl command line, the proxy's name, the selector and
// the arguments as words, evaluated at global level.
#pragma once

#include <tcl.h>

#include "tclobjc/messages.h"

struct TclObject : objc_object {
  Tcl_Interp* _interp;
  char* _tclName;

  // A proxy for the Tcl command name, bound to the interpreter that
  // TclObjc_Init last set up.
  static id newName(Class cls, const char* name);
  BOOL respondsTo(SEL sel);
  // Answers what performv:: answers.
  id forward(SEL sel, void* frame);
  // The frame holds the addresses of the arguments, ended by null. Answers
  // self once the command ran without a Tcl error, else nil, after a report
  // on standard error when the message could not be sent.
  id performv(SEL sel, void* frame);
  id free_();
};
