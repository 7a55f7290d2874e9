// Setting up an interpreter for the bridge.
#include <cstdio>

#include "tclobjc/tclObjc.h"

void (*tclObjc_eventHook)() = nullptr;
Tcl_Interp* tclObjc_lastInterp = nullptr;

namespace {

// Words such as "Class@0x..." that are no command go to their objects; every
// other unknown command to the unknown procedure that was there before. The
// command word passes on as one list element: a name that holds spaces,
// braces or brackets stays one word and is not substituted again.
const char unknownProcedure[] =
    "if {[llength [info procs unknown]]} { \n"
    "   rename unknown _unknown_pre_tclObjc \n"
    " } \n"
    " proc unknown {name args} {\n"
    "   if {[string match *@0x* $name]} {\n"
    "     return [uplevel 1 [list tclObjc_msg_send $name] $args]\n"
    "   } else {\n"
    "     if {[llength [info procs _unknown_pre_tclObjc]]} {\n"
    "       uplevel 1 [list _unknown_pre_tclObjc $name] $args\n"
    "     } else {\n"
    "       error \"in unknown: invalid command in tclObjc: $name\"\n"
    "     }\n"
    "   }\n"
    " }\n";

}  // namespace

void tclObjc_registerObjectWithName(Tcl_Interp* interp, id object, const char* name) {
  Tcl_CreateCommand(interp, name, tclObjc_msgSendToClientData, object, nullptr);
}

void tclObjc_unregisterObjectNamed(Tcl_Interp* interp, const char* name) { Tcl_DeleteCommand(interp, name); }

void tclObjc_registerClassnames(Tcl_Interp* interp) {
  void* state = nullptr;
  while (Class cls = objc_next_class(&state)) tclObjc_registerObjectWithName(interp, cls, cls->name);
}

int TclObjc_Init(Tcl_Interp* interp) {
  tclObjc_lastInterp = interp;
  tclObjc_registerClassnames(interp);
  Tcl_CreateCommand(interp, "tclObjc_msg_send", tclObjc_msgSendToArgv1, nullptr, nullptr);
  if (Tcl_Eval(interp, unknownProcedure) != TCL_OK)
    std::fprintf(stderr, "tclObjc: Error during TclObjc_Init:\n%s", Tcl_GetStringResult(interp));
  return TCL_OK;
}
