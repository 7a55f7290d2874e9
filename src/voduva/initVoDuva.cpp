// Start-up of the Tk layer.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "defobj/Zone.h"
#include "defobj/arguments_messages.h"
#include "defobj/messages.h"
#include "defobj/module.h"
#include "defobj/defobj.h"
#include "voduva/builtinTcl.h"
#include "voduva/voduva.h"

id globalTkInterp = nil;
id WindowCreation, WindowUsage, MissingFiles, PaletteError, PixmapError, WindowGeometryRecordError;

namespace {

void makeErrorSymbols() {
  const struct {
    id* symbol;
    const char* name;
  } symbols[] = {{&WindowCreation, "WindowCreation"}, {&WindowUsage, "WindowUsage"},
                 {&MissingFiles, "MissingFiles"},     {&PaletteError, "PaletteError"},
                 {&PixmapError, "PixmapError"},       {&WindowGeometryRecordError, "WindowGeometryRecordError"}};
  for (const auto& s : symbols) {
    *s.symbol = msg::create_setName(Error, _obj_globalZone, s.name);
    msg::setMessageString(*s.symbol, nullptr);
  }
}

// Tk would end the process with an abort when there is no X display; the
// person is told what an interactive run needs instead.
void requireDisplay(id args) {
  if (Display* display = XOpenDisplay(nullptr)) {
    XCloseDisplay(display);
    return;
  }
  const char* name = XDisplayName(nullptr);
  const std::string problem =
      *name ? "cannot open the X display \"" + std::string(name) + "\"" : "no X display (DISPLAY is not set)";
  std::fprintf(stderr, "%s: %s. An interactive run needs an X display; use --batch to run without graphics.\n",
               msg::getAppName(args), problem.c_str());
  std::exit(1);
}

// The interpreter sees only the program name, so no script file runs.
void initInterp(const char* className) {
  const char* programName = arguments ? msg::getArgv(arguments)[0] : "voDuva";
  globalTkInterp = msg::initWithArgc_argv(msg::alloc_(objc_get_class(className)), 1, &programName);
  registerInterp();
}

}  // namespace

void registerInterp() { msg::registerObject_withName(globalTkInterp, globalTkInterp, "globalTkInterp"); }

void voduva_initTclInterp() { initInterp("TclInterp"); }
void voduva_initTkInterp() { initInterp("TkExtra"); }

void initVoDuva(id args) {
  if (msg::getBatchModeFlag(args)) return;
  requireDisplay(args);
  makeErrorSymbols();
  voduva_initTkInterp();
  msg::eval(globalTkInterp, "proc fmtx {sigfigures widget val} {\nformat \"%%.${sigfigures}g\" $val\n}\n");
  msg::eval(globalTkInterp, simtools_tcl);
  if (msg::newBLTp(globalTkInterp))
    msg::eval(globalTkInterp, "uplevel #0 {set hideOption -hide\nset hideYes yes\nset hideNo no\n}\n");
  else
    msg::eval(globalTkInterp, "uplevel #0 {set hideOption -mapped\nset hideYes 0\nset hideNo 1\n}\n");
  msg::eval(globalTkInterp, analysis_tcl);
  msg::eval(globalTkInterp, "proc send {id args} { }");
}
