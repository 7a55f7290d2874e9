#include "gui_brood_fixture.h"

#include "defobj/Arguments.h"
#include "defobj/module.h"
#include "simtoolsgui/simtoolsgui.h"
#include "voduva/voduva.h"

std::vector<unsigned> GUIBroodTest::stepTimes;
std::function<void(unsigned)> GUIBroodTest::onStep;

namespace {

void recordStep() {
  const unsigned t = msg::getCurrentTime(msg::getScheduleActivity(_activity_current));
  GUIBroodTest::stepTimes.push_back(t);
  if (GUIBroodTest::onStep) GUIBroodTest::onStep(t);
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

}  // namespace

void GUIBroodTest::SetUpTestSuite() {
  if (globalTkInterp) return;
  const char* argv[] = {"simtoolsguitest"};
  arguments = msg::createArgc_Argv_appName_version_bugAddress_options_optionFunc_inhibitExecutableSearchFlag(
      objc_get_class("Arguments_c"), 1, argv, "simtoolsguitest", "1.0", "nobody", nullptr, nullptr, YES);
  initSimtoolsGUI();
}

void GUIBroodTest::SetUp() {
  stepTimes.clear();
  onStep = nullptr;
  id b = msg::createBegin(objc_get_class("GUIBrood"), _obj_globalZone);
  msg::setWindowGeometryRecordName(b, "theTopLevelBrood");
  brood = static_cast<GUIBrood*>(msg::createEnd(b));
  msg::buildObjects(brood);
  msg::buildActions(brood);
  msg::activateIn(brood, nil);
  steps = msg::create_setRepeatInterval(Schedule, brood, 1);
  msg::at_createActionCall(steps, 0, recordStep);
  msg::activateIn(steps, brood);
}

void GUIBroodTest::TearDown() {
  tcl("foreach pending [after info] {after cancel $pending}");
  onStep = nullptr;
  msg::drop(cache()->panel);
  cache()->panel = nil;
  while (voduva_doOneEventAsync()) {}
}

void GUIBroodTest::whenIdle(const std::string& script) {
  tcl("after idle {" + replaceAll(script, "CACHE", msg::getObjectName(cache())) + "}");
}

std::string GUIBroodTest::tcl(const std::string& script) {
  msg::eval(globalTkInterp, "%s", script.c_str());
  return msg::result(globalTkInterp);
}

std::vector<std::string> GUIBroodTest::queued() {
  std::vector<std::string> names;
  id index = msg::begin(cache()->actionCache, _obj_scratchZone);
  for (id holder = msg::next(index); holder; holder = msg::next(index)) names.push_back(msg::getActionName(holder));
  msg::drop(index);
  return names;
}
