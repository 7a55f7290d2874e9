// The Tk layer: the one Tk interpreter of the process, its start-up, and
// the plain functions through which the GUI classes reach Tk.
#pragma once

#include "tclobjc/tclobjc.h"
#include "voduva/TkExtra.h"
#include "voduva/TkInterp.h"
#include "voduva/messages.h"
#include "voduva/ArchivedGeometryWidget.h"
#include "voduva/Button.h"
#include "voduva/ButtonPanel.h"
#include "voduva/Canvas.h"
#include "voduva/Entry.h"
#include "voduva/Frame.h"
#include "voduva/InputWidget.h"
#include "voduva/Label.h"
#include "voduva/Widget.h"
#include "voduva/WindowGeometryRecord.h"
#include "voduva/BLTVector.h"
#include "voduva/Graph.h"
#include "voduva/GraphElement.h"
#include "voduva/Colormap.h"
#include "voduva/Raster.h"
#include "voduva/ZoomRaster.h"

// The interpreter every GUI class evaluates its Tcl text in (interactive
// mode only).
extern id globalTkInterp;

// Errors of the Tk layer, made by initVoDuva.
extern id WindowCreation, WindowUsage, MissingFiles, PaletteError, PixmapError, WindowGeometryRecordError;

// Registers the classes of this library and of those it stands on.
void voduva_register_classes();
// Archives may make objects of the named class (and its subclasses) only
// while globalTkInterp is there: they talk to Tk or report with the Tk
// layer's errors.
void voduva_archive_requires_interpreter(const char* className);

// Starts Tk with BLT and the support procedures of the widgets; in batch
// mode it does nothing, as nothing there may touch Tcl or Tk.
void initVoDuva(id arguments);
void voduva_initTclInterp();
void voduva_initTkInterp();
// Makes globalTkInterp the Tcl command "globalTkInterp".
void registerInterp();

// Makes sure BLT's "graph.tcl" can be found, else ends the process with
// status 1 after saying where it was looked for.
void ensureBltSupportFiles(id arguments, id interp);
void setBltLibrary(id interp, const char* directory);
const char* fix_tcl_path(const char* path);

// Events: the only event loop of the system.
int voduva_doOneEventSync();
int voduva_doOneEventAsync();
void voduva_update();
void voduva_updateIdleTasks();
void voduva_releaseAndUpdate();

// Windows, variables and small commands; a widget answers getWidgetName.
Tk_Window voduva_nameToWindow(const char* pathName);
void voduva_makeFrame(id widget);
void voduva_pack(id widget);
void voduva_focus(id widget);
void voduva_ringBell();
int voduva_linkVar(const char* name, void* address, int type);
void voduva_unlinkVar(const char* name);
void voduva_createEventHandler(id widget, Tk_EventProc* procedure);
void voduva_deleteEventHandler(id widget, Tk_EventProc* procedure);
void voduva_move(id widget, int x, int y);
void voduva_setName(id widget, const char* name);
void voduva_configureSpecialBitmap(id widget);
const char* voduva_createText(id zone, id canvas, int x, int y, const char* text, const char* font, BOOL centerFlag);
const char* voduva_dynamicEval(const char* text);
id voduva_drag_and_drop_object();
// Flies a message bitmap in a pop-up window from one widget to another.
void voduva_animate_message(id from, id to);

// Drag and drop and button 3 of the probe-display rows; object answers the
// callbacks.
void voduva_dragAndDrop(id widget, id object);
void voduva_setupHandler(id widget);
void voduva_dragAndDropTarget(id widget, id object);
void voduva_dragAndDropArg(id widget, id object, int argNumber);
void voduva_setupDragAndDropArg(id widget, id object, int argNumber);
void voduva_bindButton3ToSpawn(id widget, id object, BOOL flag);
void voduva_bindButton3ToArgSpawn(id widget, id object, int argNumber);
