#include "simtoolsgui/ActionCache.h"

#include <cstdio>
#include <cstring>

#include "activity/activity.h"
#include "defobj/Arguments.h"
#include "defobj/module.h"
#include "defobj/address.h"
#include "defobj/phase.h"
#include "defobj/raise.h"
#include "simtoolsgui/ActionHolder.h"
#include "simtoolsgui/simtoolsgui.h"
#include "voduva/voduva.h"

id Control, Probing, Spatial;
id InvalidActionType, ActionTypeNotImplemented;

namespace {

constexpr char StartRequest[] = "Start", StopRequest[] = "Stop", StepRequest[] = "Step", NextRequest[] = "Next", SaveRequest[] = "Save",
               QuitRequest[] = "Quit";

// The control requests and what each asks of the control panel.
const struct {
  const char* name;
  const SEL* selector;
} controlRequests[] = {
    {StartRequest, &msg::setStateRunning.sel}, {StepRequest, &msg::setStateStepping.sel}, {NextRequest, &msg::setStateNextTime.sel},
    {StopRequest, &msg::setStateStopped.sel},  {SaveRequest, &msg::setStateSave.sel},     {QuitRequest, &msg::setStateQuit.sel},
};

const SEL* controlSelector(const char* name) {
  for (const auto& request : controlRequests)
    if (std::strcmp(request.name, name) == 0) return request.selector;
  return nullptr;
}

bool immediate(const char* name) {
  return std::strcmp(name, StopRequest) == 0 || std::strcmp(name, SaveRequest) == 0 || std::strcmp(name, QuitRequest) == 0;
}

// Every cache shares the symbols, so holders of one are known to all.
void makeSymbols() {
  if (Control) return;
  Control = msg::create_setName(Symbol, _obj_globalZone, "Control");
  Probing = msg::create_setName(Symbol, _obj_globalZone, "Probing");
  Spatial = msg::create_setName(Symbol, _obj_globalZone, "Spatial");
  InvalidActionType = msg::create_setName(Error, _obj_globalZone, "InvalidActionType");
  msg::setMessageString(InvalidActionType, "Action Name not recognized.\n");
  ActionTypeNotImplemented = msg::create_setName(Error, _obj_globalZone, "ActionTypeNotImplemented");
  msg::setMessageString(ActionTypeNotImplemented, "Action type not yet implemented.\n");
}

timeval_t currentTime() {
  id schedule = msg::getScheduleActivity(_activity_current);
  if (!schedule) _activity_context_error("getCurrentTime");
  return msg::getCurrentTime(schedule);
}

}  // namespace

id ActionCache::setControlPanel(id controlPanel) {
  ctrlPanel = controlPanel;
  return this;
}

id ActionCache::createEnd() {
  makeSymbols();
  GUIComposite::createEnd();
  actionCache = msg::create(List, getZone());
  destinationSchedule = msg::createBegin(Schedule, getZone());
  msg::setAutoDrop(destinationSchedule, YES);
  destinationSchedule = msg::createEnd(destinationSchedule);
  msg::at_createActionTo_message(destinationSchedule, 0, this, msg::_deliverActions_.sel);
  createProcCtrl();
  return this;
}

id ActionCache::createProcCtrl() {
  panel = msg::createBegin(objc_get_class("ButtonPanel"), getZone());
  setWindowGeometryRecordNameForComponent_widget("panelWidget", panel);
  msg::setSaveSizeFlag(panel, saveSizeFlag);
  msg::setButtonTarget(panel, this);
  panel = msg::createEnd(panel);
  msg::addButtonName_method(panel, StartRequest, msg::sendStartAction.sel);
  msg::addButtonName_method(panel, StopRequest, msg::sendStopAction.sel);
  msg::addButtonName_method(panel, NextRequest, msg::sendNextAction.sel);
  msg::addButtonName_method(panel, SaveRequest, msg::sendSaveAction.sel);
  msg::addButtonName_method(panel, QuitRequest, msg::sendQuitAction.sel);
  msg::setWindowTitle(panel, "ProcCtrl");
  msg::setWindowGeometry(panel, "120x180");
  msg::updateSize(panel);
  // Closing the window is the person's Quit: the run could not be ended
  // once its only controls were gone.
  msg::eval(globalTkInterp, "wm protocol %s WM_DELETE_WINDOW {%s sendQuitAction}", msg::getWidgetName(panel),
            tclObjc_objectToName(this));
  return this;
}

id ActionCache::setScheduleContext(id context) {
  msg::activateIn(destinationSchedule, context);
  return this;
}

id ActionCache::insertAction(id holder) {
  const id type = msg::getType(holder);
  if (type == Control) {
    const char* name = msg::getActionName(holder);
    const SEL* selector = controlSelector(name);
    if (!selector)
      raiseAt(InvalidActionType, "-[ActionCache insertAction:]",
              "Control Action Name: [%s] not recognized in insertAction", name);
    msg::setActionTarget(holder, ctrlPanel);
    msg::setSelector(holder, *selector);
    msg::addLast(actionCache, holder);
  } else if (type == Probing || type == Spatial) {
    raiseDefaultAt(ActionTypeNotImplemented, "-[ActionCache insertAction:]");
  } else {
    char address[AddressTextSize];
    raiseAt(InvalidActionType, "-[ActionCache insertAction:]",
            "The ActionType Symbol embedded in action %s was not found.\n", formatAddress(address, holder));
  }
  return this;
}

id ActionCache::deliverActions() {
  if (msg::getShowCurrentTimeFlag(arguments) && _activity_current) {
    char title[32];
    std::snprintf(title, sizeof title, "%lu", static_cast<unsigned long>(currentTime()));
    msg::setWindowTitle(panel, title);
  }
  while (msg::getCount(actionCache)) {
    id holder = msg::removeFirst(actionCache);
    if (msg::getType(holder) == Control) {
      const char* name = msg::getActionName(holder);
      if (!controlSelector(name))
        raiseAt(InvalidActionType, "-[ActionCache deliverActions]",
                "Control Action Name: [%s] not recognized in deliverActions", name);
      if (std::strcmp(name, StopRequest) == 0 && _activity_current) {
        // The running step completes; a second Stop in the same step
        // would halt the run again after the next Start.
        if (!stopPending)
          msg::at_createActionTo_message(destinationSchedule, currentTime() + 1, this, msg::_deliverStop_.sel);
        stopPending = YES;
      } else {
        msg::perform(msg::getActionTarget(holder), msg::getSelector(holder));
      }
    }
    msg::drop(holder);
  }
  return this;
}

// Only the scheduled delivery keeps the chain going, so deliveries made at
// once add no chain of their own.
id ActionCache::_deliverActions_() {
  msg::deliverActions(this);
  if (_activity_current)
    msg::at_createActionTo_message(destinationSchedule, currentTime() + 1, this, msg::_deliverActions_.sel);
  return this;
}

id ActionCache::_deliverStop_() {
  stopPending = NO;
  msg::setStateStopped(ctrlPanel);
  return this;
}

id ActionCache::sendActionOfType_toExecute(id type, const char* name) {
  const bool now = immediate(name);
  // A Start or Next ends the control panel's wait before it is delivered.
  if (!now && msg::getState(ctrlPanel) == ControlStateStopped) msg::setState_(ctrlPanel, ControlStateRunning);
  id holder = msg::createBegin(objc_get_class("ActionHolder"), getZone());
  msg::setActionName(holder, name);
  msg::setType(holder, type);
  holder = msg::createEnd(holder);
  msg::insertAction(this, holder);
  if (now) msg::deliverActions(this);
  return this;
}

id ActionCache::verifyActions() { return this; }
id ActionCache::getPanel() { return panel; }

id ActionCache::doTkEvents() {
  while (voduva_doOneEventAsync()) {}
  return this;
}

id ActionCache::waitForControlEvent() {
  msg::setState_(ctrlPanel, ControlStateStopped);
  while (msg::getState(ctrlPanel) == ControlStateStopped) voduva_doOneEventSync();
  return this;
}

void ActionCache::drop() {
  msg::drop(panel);
  msg::deleteAll(actionCache);
  msg::drop(actionCache);
  GUIComposite::drop();
}

REGISTER_CLASS(ActionCache, GUIComposite,
  ivar(&ActionCache::actionCache, "actionCache"),
  ivar(&ActionCache::destinationSchedule, "destinationSchedule"),
  ivar(&ActionCache::ctrlPanel, "ctrlPanel"),
  ivar(&ActionCache::panel, "panel"),
  ivar(&ActionCache::stopPending, "stopPending"),
  phase(Phase::Creating),
  method<&ActionCache::setControlPanel>(msg::setControlPanel),
  method<&ActionCache::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&ActionCache::createProcCtrl>(msg::createProcCtrl),
  method<&ActionCache::setScheduleContext>(msg::setScheduleContext),
  method<&ActionCache::insertAction>(msg::insertAction),
  method<&ActionCache::deliverActions>(msg::deliverActions),
  method<&ActionCache::_deliverActions_>(msg::_deliverActions_),
  method<&ActionCache::_deliverStop_>(msg::_deliverStop_),
  method<&ActionCache::sendActionOfType_toExecute>(msg::sendActionOfType_toExecute),
  method<&ActionCache::sendAction<StartRequest>>(msg::sendStartAction),
  method<&ActionCache::sendAction<StopRequest>>(msg::sendStopAction),
  method<&ActionCache::sendAction<StepRequest>>(msg::sendStepAction),
  method<&ActionCache::sendAction<NextRequest>>(msg::sendNextAction),
  method<&ActionCache::sendAction<SaveRequest>>(msg::sendSaveAction),
  method<&ActionCache::sendAction<QuitRequest>>(msg::sendQuitAction),
  method<&ActionCache::verifyActions>(msg::verifyActions),
  method<&ActionCache::getPanel>(msg::getPanel),
  method<&ActionCache::doTkEvents>(msg::doTkEvents),
  method<&ActionCache::waitForControlEvent>(msg::waitForControlEvent),
  method<&ActionCache::drop>(msg::drop))
