// The bridge between Tcl and objects: object names, the Tcl commands that
// send messages, and the set-up of an interpreter for them.
#pragma once

#include <tcl.h>

#include "defobj/address.h"
#include "runtime/objc.h"

// What tclObjc_nameToObject answers for a text that names nothing.
inline id const TclObjcNotFound = reinterpret_cast<id>(~uintptr_t(0));

// Called after every successful message from Tcl, when set.
extern void (*tclObjc_eventHook)();

// The interpreter that TclObjc_Init last set up.
extern Tcl_Interp* tclObjc_lastInterp;

// "Class@0x<hex address>", or "nil"; one static buffer that the next call
// overwrites.
const char* tclObjc_objectToName(id object);
// The same name in the caller's buffer, for texts that hold several names.
const char* tclObjc_objectToNameIn(char (&text)[ObjectNameTextSize], id object);
// The object of a name: "Class@0x<address>" only for a live object (the
// toolkit's objects and the bridge's interpreters), "nil", "Nil" or "0x0"
// for nil, else a class name; TclObjcNotFound for anything else.
id tclObjc_nameToObject(const char* name);

// Makes every class a Tcl command, the command tclObjc_msg_send and the
// unknown procedure that sends "...@0x..." words to their objects.
int TclObjc_Init(Tcl_Interp* interp);
void tclObjc_registerClassnames(Tcl_Interp* interp);
void tclObjc_registerObjectWithName(Tcl_Interp* interp, id object, const char* name);
void tclObjc_unregisterObjectNamed(Tcl_Interp* interp, const char* name);

// The command procedures: the target is the client data, or word 1.
int tclObjc_msgSendToClientData(ClientData clientData, Tcl_Interp* interp, int argc, const char* argv[]);
int tclObjc_msgSendToArgv1(ClientData clientData, Tcl_Interp* interp, int argc, const char* argv[]);
