// Start-up of the Tk layer.
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
