#include "voduva/TkExtra.h"

#include <cstdio>
#include <cstring>

#include "defobj/module.h"
#include "tclobjc/report.h"
#include "voduva/voduva.h"

extern "C" int Blt_Init(Tcl_Interp* interp);

namespace {

// The BLT releases whose commands live in the blt namespace only; 2.5 is
// the installed successor of 2.4.
bool needsImports(const char* fullVersion) {
  for (const char* v : {"8.0-unoff", "2.4", "2.5", "3.0"})
    if (!std::strcmp(fullVersion, v)) return true;
  return false;
}

}  // namespace

const char* TkExtra::preInitWithArgc_argv(int argc, const char* const* argv) {
  const char* script = TkInterp::preInitWithArgc_argv(argc, argv);
  if (Blt_Init(interp) != TCL_OK) {
    tclObjc_error("%s\n", tclInterp_errorText(interp));
    return nullptr;
  }
  ensureBltSupportFiles(arguments, this);
  msg::eval(this, "source $blt_library/graph.tcl");
  msg::eval(this, "wm withdraw .");
  msg::eval(this, "%s", "bind Entry <Delete> [bind Entry <BackSpace>]; bind Text <Delete> [bind Text <BackSpace>]");
  if (const char* full = getBltFullVersion(); full && needsImports(full)) {
    for (const char* command : {"barchart", "bitmap", "busy", "drag&drop", "graph", "BLT_ZoomStack", "vector", "table"})
      msg::eval(this, "namespace import blt::%s", command);
    msg::eval(this, "source %s/word.tcl", "$tcl_library");
  }
  return script;
}

const char* TkExtra::getBltVersion() {
  if (const char* version = Tcl_GetVar(interp, "blt_version", TCL_GLOBAL_ONLY)) return version;
  return Tcl_GetVar2(interp, "blt_versions", "BLT", TCL_GLOBAL_ONLY);
}

const char* TkExtra::getBltFullVersion() {
  const char* version = getBltVersion();
  if (version && !std::strcmp(version, "8.0"))
    if (const char* patch = Tcl_GetVar(interp, "blt::blt_versions(BLT_patchlevel)", TCL_GLOBAL_ONLY)) return patch;
  return version;
}

BOOL TkExtra::newBLTp() {
  int major = 0, minor = 0;
  const char* version = getBltVersion();
  if (!version || std::sscanf(version, "%d.%d", &major, &minor) != 2) return NO;
  if (major == 8) {
    if (minor != 0) return YES;
    const char* full = getBltFullVersion();
    return !full || std::strcmp(full, "8.0-unoff") ? YES : NO;
  }
  return major == 2 ? minor > 2 : major > 2;
}

REGISTER_CLASS(TkExtra, TkInterp,
  method<&TkExtra::preInitWithArgc_argv>(msg::preInitWithArgc_argv),
  method<&TkExtra::getBltVersion>(msg::getBltVersion),
  method<&TkExtra::getBltFullVersion>(msg::getBltFullVersion),
  method<&TkExtra::newBLTp>(msg::newBLTp))
