// Finding BLT's support scripts.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "defobj/arguments_messages.h"
#include "defobj/zstrdup.h"
#include "tclobjc/quote.h"
#include "voduva/voduva.h"

namespace {

constexpr const char SupportFile[] = "graph.tcl";

bool holdsSupportFile(const char* directory) {
  return directory && access((std::string(directory) + "/" + SupportFile).c_str(), F_OK) == 0;
}

}  // namespace

void setBltLibrary(id interp, const char* directory) { msg::globalEval(interp, "set blt_library %s", tclQuote(directory).c_str()); }

void ensureBltSupportFiles(id arguments, id interp) {
  if (holdsSupportFile(Tcl_GetVar(msg::interp(interp), "blt_library", TCL_GLOBAL_ONLY))) return;
  const char* home = msg::getBroodHome(arguments);  // ends in a separator
  const char* directory = home ? zstrdup(msg::getZone(arguments), (std::string(home) + "lib/blt2.4").c_str()) : ".";
  setBltLibrary(interp, directory);
  if (holdsSupportFile(directory)) return;
  std::fprintf(stderr, "BLT support file `%s' not found\n", SupportFile);
  std::fprintf(stderr,
               "If the directory `%s' not the intended location for the BLT support files,\n"
               "please adjust BLT_LIBRARY to the right place.\n",
               directory);
  std::exit(1);
}

const char* fix_tcl_path(const char* path) { return path; }
