#include "simtoolsgui/ControlPanel.h"

#include "activity/activity.h"
#include "defobj/Archiver.h"
#include "defobj/archiving_messages.h"
#include "defobj/phase.h"
#include "simtoolsgui/simtoolsgui.h"
#include "voduva/voduva.h"

namespace {

// Stopped and stepping runs drop closed probe displays at once; a running
// one leaves that to the display manager's update.
void setDropImmediately(BOOL flag) { msg::setDropImmediatelyFlag(probeDisplayManager, flag); }

bool finished(id status) { return status == Completed || status == Terminated; }

// A request from inside a run acts on the run as a whole.
id currentTopLevelActivity() { return _activity_current ? msg::getTopLevelActivity(_activity_current) : nil; }

}  // namespace

id ControlPanel::createEnd() {
  setState(ControlStateStopped);
  return BroodObject::createEnd();
}

id ControlPanel::getState() { return state; }

id ControlPanel::setState(id newState) {
  state = newState;
  if (state == ControlStateStopped) setDropImmediately(YES);
  else if (state == ControlStateRunning) setDropImmediately(NO);
  return this;
}

id ControlPanel::startInActivity(id activity) {
  for (;;) {
    const id requested = state;
    const id status = msg::getStatus(activity);
    if (requested == ControlStateQuit) return Completed;
    if (requested == ControlStateStopped) {
      if (_activity_current) return state;
    } else if (requested == ControlStateRunning && status == Running) {
      // Entered from inside the run: the run goes on by itself.
    } else if (finished(status)) {
      // Nothing is left to run: a further run would return at once, forever.
      return Completed;
    } else if (requested == ControlStateRunning) {
      msg::run(activity);
      continue;
    } else {
      if (requested == ControlStateStepping) msg::stepAction(activity);
      else msg::stepUntil(activity, msg::getCurrentTime(activity) + 1);
      // A Start or Quit that arrived during the step stands.
      if (state != requested) continue;
    }
    setStateStopped();
  }
}

id ControlPanel::setStateRunning() {
  setDropImmediately(NO);
  state = ControlStateRunning;
  return this;
}

id ControlPanel::setStateStopped() {
  if (id top = currentTopLevelActivity()) {
    msg::stop(top);
    setState(ControlStateStopped);
    return this;
  }
  setState(ControlStateStopped);
  // A Stop pressed while stopped arrives inside the wait's own event
  // processing: the state is all it changes.
  if (waiting) return this;
  waiting = YES;
  while (state == ControlStateStopped) voduva_doOneEventSync();
  waiting = NO;
  return this;
}

id ControlPanel::setStateStepping() {
  setDropImmediately(YES);
  if (id top = currentTopLevelActivity()) msg::stop(top);
  state = ControlStateStepping;
  return this;
}

id ControlPanel::setStateNextTime() {
  if (id top = currentTopLevelActivity()) msg::stop(top);
  state = ControlStateNextTime;
  return this;
}

id ControlPanel::setStateQuit() {
  if (id top = currentTopLevelActivity()) msg::terminate(top);
  state = ControlStateQuit;
  return this;
}

id ControlPanel::setStateSave() {
  msg::sync(lispArchiver);
  msg::sync(hdf5Archiver);
  return this;
}

REGISTER_CLASS(ControlPanel, BroodObject,
  ivar(&ControlPanel::state, "state"),
  ivar(&ControlPanel::waiting, "waiting"),
  phase(Phase::Creating),
  method<&ControlPanel::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&ControlPanel::getState>(msg::getState),
  method<&ControlPanel::setState>(msg::setState_),
  method<&ControlPanel::startInActivity>(msg::startInActivity),
  method<&ControlPanel::setStateRunning>(msg::setStateRunning),
  method<&ControlPanel::setStateStopped>(msg::setStateStopped),
  method<&ControlPanel::setStateStepping>(msg::setStateStepping),
  method<&ControlPanel::setStateNextTime>(msg::setStateNextTime),
  method<&ControlPanel::setStateQuit>(msg::setStateQuit),
  method<&ControlPanel::setStateSave>(msg::setStateSave))
