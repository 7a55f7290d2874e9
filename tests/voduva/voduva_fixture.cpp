#include "voduva_fixture.h"

#include <cstring>

#include "defobj/Arguments.h"
#include "defobj/Zone.h"
#include "defobj/defobj.h"
#include "defobj/module.h"

const char* VoduvaWidget::getWidgetName() { return path; }
void VoduvaWidget::touch(int n) { touched += n; }

REGISTER_CLASS(VoduvaWidget, CreateDrop,
  method<&VoduvaWidget::getWidgetName>(msg::getWidgetName),
  method<&VoduvaWidget::touch>(msg::t_touch))

void register_voduva_specimens() { objc_register_VoduvaWidget(); }

VoduvaWidget* makeWidget(const char* path) {
  auto* w = static_cast<VoduvaWidget*>(msg::create(objc_get_class("VoduvaWidget"), _obj_globalZone));
  std::strncpy(w->path, path, sizeof w->path - 1);
  return w;
}

void TkTest::SetUpTestSuite() {
  if (globalTkInterp) return;
  const char* argv[] = {"voduvatest"};
  arguments = msg::createArgc_Argv_appName_version_bugAddress_options_optionFunc_inhibitExecutableSearchFlag(
      objc_get_class("Arguments_c"), 1, argv, "voduvatest", "1.0", "nobody", nullptr, nullptr, YES);
  initVoDuva(arguments);
}

std::string TkTest::run(const std::string& text) {
  msg::eval(globalTkInterp, "%s", text.c_str());
  return (msg::code(globalTkInterp) == TCL_OK ? "" : "error: ") + std::string(msg::result(globalTkInterp));
}
