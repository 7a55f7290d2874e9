#include "driver/WarmlingBatchBrood.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "activity/activity.h"
#include "analysis/messages.h"
#include "defobj/Archiver.h"
#include "defobj/archiving_messages.h"
#include "defobj/Object_s.h"
#include "defobj/phase.h"
#include "defobj/raise.h"
#include "driver/messages.h"
#include "model/messages.h"

id archivedBrood(id zone, const char* key, const char* className, const char* function) {
  id brood = msg::getWithZone_key(lispAppArchiver, zone, key);
  if (!brood) raiseAt(InvalidOperation, function, "Can't find the parameters to create %s\n", key);
  if (!Object_s::isSubclass(brood->isa, objc_get_class(className)))
    raiseAt(InvalidOperation, function, "The parameters to create %s are a %s, not a %s\n", key, brood->isa->name,
            className);
  return brood;
}

id WarmlingBatchBrood::createBegin(Class cls, id zone) {
  auto* self = static_cast<WarmlingBatchBrood*>(Brood::createBegin(cls, zone));
  self->loggingFrequency = 1;
  self->experimentDuration = 250;
  return self;
}

id WarmlingBatchBrood::buildObjects() {
  Brood::buildObjects();
  // Negative values read from the archive would turn into huge unsigned
  // times; refuse them here.
  if (loggingFrequency < 0 || experimentDuration < 0)
    raiseAt(InvalidArgument, "-[WarmlingBatchBrood buildObjects]",
            "loggingFrequency (%d) and experimentDuration (%d) must not be negative\n", loggingFrequency,
            experimentDuration);
  warmlingModelBrood = archivedBrood(this, "modelBrood", "WarmlingModelBrood", "-[WarmlingBatchBrood buildObjects]");
  msg::buildObjects(warmlingModelBrood);
  if (loggingFrequency) {
    unhappyGraph = msg::createBegin(objc_get_class("EZGraph"), this);
    msg::setGraphics(unhappyGraph, 0);
    msg::setFileOutput(unhappyGraph, YES);
    unhappyGraph = msg::createEnd(unhappyGraph);
    msg::createAverageSequence_withFeedFrom_andSelector(unhappyGraph, "unhappiness.output",
                                                       msg::getWarmlingList(warmlingModelBrood),
                                                       msg::getUnhappiness.sel);
  }
  return this;
}

id WarmlingBatchBrood::buildActions() {
  Brood::buildActions();
  msg::buildActions(warmlingModelBrood);
  if (loggingFrequency) {
    displayActions = msg::create(ActionGroup, this);
    msg::createActionTo_message(displayActions, unhappyGraph, msg::step.sel);
    displaySchedule = msg::createBegin(Schedule, this);
    msg::setRepeatInterval(displaySchedule, loggingFrequency);
    displaySchedule = msg::createEnd(displaySchedule);
    msg::at_createAction(displaySchedule, 0, displayActions);
  }
  stopSchedule = msg::create(Schedule, this);
  msg::at_createActionTo_message(stopSchedule, experimentDuration, this, msg::stopRunning.sel);
  return this;
}

id WarmlingBatchBrood::activateIn(id context) {
  Brood::activateIn(context);
  msg::activateIn(warmlingModelBrood, this);
  msg::activateIn(stopSchedule, this);
  if (loggingFrequency) msg::activateIn(displaySchedule, this);
  return msg::getActivity(this);
}

id WarmlingBatchBrood::go() {
  // Past a file-size limit a write should fail and be reported with the
  // file's name, not kill the run unexplained.
  std::signal(SIGXFSZ, SIG_IGN);
  std::printf("You typed `rarevadiv -b' or `rarevadiv --batch', so we're running without graphics.\n");
  std::printf("Rarevadiv is running for %d timesteps.\n", experimentDuration);
  if (loggingFrequency)
    std::printf("It is logging data every %d timesteps to: unhappiness.output.\n", loggingFrequency);
  // A banner lost to a full disk or a closed pipe is a failed run.
  if (std::fflush(stdout) != 0 || std::ferror(stdout))
    raiseAt(SaveError, "-[WarmlingBatchBrood go]", "cannot write the standard output: %s\n", std::strerror(errno));
  id activity = msg::getActivity(this);
  msg::run(activity);
  return msg::getStatus(activity);
}

id WarmlingBatchBrood::stopRunning() {
  msg::terminate(msg::getTopLevelActivity(_activity_current));
  if (loggingFrequency) {
    // The display schedule runs after this action at the stop time: take
    // the graph's step out of it before the graph goes.
    msg::drop(unhappyGraph);
    unhappyGraph = nil;
    msg::deleteAll(displayActions);
  }
  return this;
}

REGISTER_CLASS(WarmlingBatchBrood, Brood,
  ivar(&WarmlingBatchBrood::loggingFrequency, "loggingFrequency"),
  ivar(&WarmlingBatchBrood::experimentDuration, "experimentDuration"),
  ivar(&WarmlingBatchBrood::displayActions, "displayActions"),
  ivar(&WarmlingBatchBrood::displaySchedule, "displaySchedule"),
  ivar(&WarmlingBatchBrood::stopSchedule, "stopSchedule"),
  ivar(&WarmlingBatchBrood::warmlingModelBrood, "warmlingModelBrood"),
  ivar(&WarmlingBatchBrood::unhappyGraph, "unhappyGraph"),
  phase(Phase::Creating),
  classMethod<&WarmlingBatchBrood::createBegin>(msg::createBegin),
  phase(Phase::Using),
  method<&WarmlingBatchBrood::buildObjects>(msg::buildObjects),
  method<&WarmlingBatchBrood::buildActions>(msg::buildActions),
  method<&WarmlingBatchBrood::activateIn>(msg::activateIn),
  method<&WarmlingBatchBrood::go>(msg::go),
  method<&WarmlingBatchBrood::stopRunning>(msg::stopRunning))
