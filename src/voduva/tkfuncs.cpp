// The Tk utilities: events, windows, linked variables and the bindings of
// the probe displays, all through globalTkInterp.
#include <cstring>

#include "defobj/Zone.h"
#include "defobj/arguments_messages.h"
#include "defobj/defobj.h"
#include "defobj/messages.h"
#include "defobj/module.h"
#include "defobj/zstrdup.h"
#include "voduva/voduva.h"

namespace {

const char* pathOf(id widget) { return msg::getWidgetName(widget); }
const char* nameOf(id object) { return msg::getObjectName(object); }
Tcl_Interp* tcl() { return msg::interp(globalTkInterp); }

Tk_Window windowOf(id widget) { return voduva_nameToWindow(pathOf(widget)); }

Tk_Window topLevelOf(id widget) {
  Tk_Window window = windowOf(widget);
  while (window && !Tk_IsTopLevel(window)) window = Tk_Parent(window);
  return window;
}

bool newBLT() { return msg::newBLTp(globalTkInterp); }

}  // namespace

int voduva_doOneEventSync() { return Tcl_DoOneEvent(TCL_ALL_EVENTS); }
int voduva_doOneEventAsync() { return Tcl_DoOneEvent(TCL_ALL_EVENTS | TCL_DONT_WAIT); }
void voduva_update() { msg::eval(globalTkInterp, "update"); }
void voduva_updateIdleTasks() { msg::eval(globalTkInterp, "update idletasks"); }
void voduva_releaseAndUpdate() {}

Tk_Window voduva_nameToWindow(const char* pathName) {
  return Tk_NameToWindow(tcl(), pathName, msg::mainWindow(globalTkInterp));
}

void voduva_makeFrame(id widget) { msg::eval(globalTkInterp, "frame %s", pathOf(widget)); }
void voduva_pack(id widget) { msg::eval(globalTkInterp, "pack %s -fill both -expand true;", pathOf(widget)); }
void voduva_focus(id widget) { msg::eval(globalTkInterp, "focus %s", pathOf(widget)); }
void voduva_ringBell() { msg::eval(globalTkInterp, "bell"); }

int voduva_linkVar(const char* name, void* address, int type) {
  return Tcl_LinkVar(tcl(), name, static_cast<char*>(address), type);
}
void voduva_unlinkVar(const char* name) { Tcl_UnlinkVar(tcl(), name); }

void voduva_createEventHandler(id widget, Tk_EventProc* procedure) {
  Tk_CreateEventHandler(windowOf(widget), StructureNotifyMask, procedure, widget);
}
void voduva_deleteEventHandler(id widget, Tk_EventProc* procedure) {
  Tk_DeleteEventHandler(windowOf(widget), StructureNotifyMask, procedure, widget);
}

void voduva_move(id widget, int x, int y) { Tk_MoveToplevelWindow(topLevelOf(widget), x, y); }

void voduva_setName(id widget, const char* name) {
  Tk_Window top = topLevelOf(widget);
  // Tk has no call to rename a window; its name is what the window
  // manager sees as the instance name when the window is mapped.
  if (name) reinterpret_cast<Tk_FakeWin*>(top)->nameUid = Tk_GetUid(name);
  Tcl_DString windowClass;
  Tcl_DStringInit(&windowClass);
  for (const char* part : {"Brood", "-", msg::getAppName(arguments), "-", msg::getAppModeString(arguments)})
    Tcl_DStringAppend(&windowClass, part ? part : "", -1);
  Tk_SetClass(top, Tcl_DStringValue(&windowClass));
  Tcl_DStringFree(&windowClass);
}

void voduva_configureSpecialBitmap(id widget) {
  msg::eval(globalTkInterp, "%s configure -bitmap special -activeforeground red -foreground red", pathOf(widget));
}

const char* voduva_createText(id zone, id canvas, int x, int y, const char* text, const char* font,
                              BOOL centerFlag) {
  msg::eval(globalTkInterp, "%s create text %d %d -text \"%s\" %s%s -anchor %s", pathOf(canvas), x, y, text,
            font ? "-font " : "", font ? font : "", centerFlag ? "c" : "w");
  return zstrdup(zone, msg::result(globalTkInterp));
}

const char* voduva_dynamicEval(const char* text) {
  msg::eval(globalTkInterp, "%s", text);
  return zstrdup(_obj_scratchZone, msg::result(globalTkInterp));
}

// A dropped name that names no live object gives nil, never a stale address.
id voduva_drag_and_drop_object() {
  msg::eval(globalTkInterp, "gimme_ddobj");
  id object = tclObjc_nameToObject(msg::result(globalTkInterp));
  return object == TclObjcNotFound ? nil : object;
}

void voduva_dragAndDrop(id widget, id object) {
  if (newBLT())
    msg::eval(globalTkInterp, "drag&drop source %s -packagecmd {do_package %s %%t} -sitecmd {sitecmd %%s %%t} -button 1",
              pathOf(widget), nameOf(object));
  else
    msg::eval(globalTkInterp, "drag&drop source %s config -packagecmd {do_package %s} -sitecmd sitecmd -button 1",
              pathOf(widget), nameOf(object));
  voduva_setupHandler(widget);
}

void voduva_setupHandler(id widget) {
  if (newBLT())
    msg::eval(globalTkInterp, "drag&drop source %s handler id {send_id %%i %%w %%v}", pathOf(widget));
  else
    msg::eval(globalTkInterp, "drag&drop source %s handler id send_id", pathOf(widget));
}

void voduva_dragAndDropTarget(id widget, id object) {
  msg::eval(globalTkInterp, "drag&drop target %s handler id {%s idReceive: %%W}", pathOf(widget), nameOf(object));
}

void voduva_dragAndDropArg(id widget, id object, int argNumber) {
  msg::eval(globalTkInterp, "drag&drop target %s handler id {%s idReceive: %%W arg: %d}", pathOf(widget),
            nameOf(object), argNumber);
  voduva_setupDragAndDropArg(widget, object, argNumber);
  voduva_setupHandler(widget);
}

void voduva_setupDragAndDropArg(id widget, id object, int argNumber) {
  if (newBLT())
    msg::eval(globalTkInterp,
              "drag&drop source %s -packagecmd {do_package_arg %s %d %%t} -sitecmd {sitecmd %%s %%t} -button 1",
              pathOf(widget), nameOf(object), argNumber);
  else
    msg::eval(globalTkInterp,
              "drag&drop source %s config -packagecmd {do_package_arg %s %d} -sitecmd sitecmd -button 1",
              pathOf(widget), nameOf(object), argNumber);
}

void voduva_bindButton3ToSpawn(id widget, id object, BOOL flag) {
  const char* w = pathOf(widget);
  if (flag)
    msg::eval(globalTkInterp,
              "bind %s <Button-3> {focus %s ; %s configure -highlightcolor red ;update ; %s Spawn: %s; "
              "%s configure -highlightcolor black ;update ; focus %s ; update } ;",
              w, w, w, nameOf(object), w, w, w);
  else
    msg::eval(globalTkInterp,
              "bind %s <Button-3> {focus %s; %s configure -highlightcolor red;update;%s Spawn: %s;"
              "%s configure -highlightcolor black;update};",
              w, w, w, nameOf(object), w, w);
}

void voduva_bindButton3ToArgSpawn(id widget, id object, int argNumber) {
  const char* w = pathOf(widget);
  msg::eval(globalTkInterp,
            "bind %s <Button-3> {focus %s ; %s configure -highlightcolor red ;update ; %s argSpawn: %s arg: %d ; "
            "%s configure -highlightcolor black ;update ; focus %s ; update } ;",
            w, w, w, nameOf(object), w, argNumber, w, w);
}
