#include "activity/fixtures.h"

#include <gtest/gtest.h>

#include <vector>

#include "collections/stream_messages.h"
#include "defobj/phase.h"
#include "defobj/test_stream.h"

namespace {

std::vector<std::string> entries;

std::string labelOf(id object) { return object ? static_cast<Agent*>(object)->label : "nil"; }

std::string stamp() {
  id scheduleActivity = _activity_current ? msg::getScheduleActivity(_activity_current) : nil;
  return scheduleActivity ? "@" + std::to_string(msg::getCurrentTime(scheduleActivity)) : "";
}

}  // namespace

void logEntry(const std::string& entry) { entries.push_back(entry); }
void clearLog() { entries.clear(); }

std::string performed() {
  std::string text;
  for (const std::string& e : entries) text += (text.empty() ? "" : " ") + e;
  return text;
}

void Agent::logAct() { logEntry(label + stamp()); }
void Agent::logLoud(id a) { logEntry(std::string(label) + "!(" + labelOf(a) + ")" + stamp()); }
void Agent::logWith(id a) { logEntry(std::string(label) + "(" + labelOf(a) + ")" + stamp()); }
void Agent::logWith_and(id a, id b) { logEntry(std::string(label) + "(" + labelOf(a) + "," + labelOf(b) + ")" + stamp()); }

void Agent::logWith_and_and(id a, id b, id c) {
  logEntry(std::string(label) + "(" + labelOf(a) + "," + labelOf(b) + "," + labelOf(c) + ")" + stamp());
}

void Agent::stopRun() {
  logEntry(std::string(label) + stamp());
  msg::stop(msg::getTopLevelActivity(_activity_current));
}

void Agent::terminateRun() {
  logEntry(std::string(label) + stamp());
  msg::terminate(msg::getTopLevelActivity(_activity_current));
}

void Agent::insertLater() {
  logEntry(std::string(label) + stamp());
  msg::at_createActionTo_message(plan, when, other, msg::logAct.sel);
}

void Agent::activateLater() {
  logEntry(std::string(label) + stamp());
  msg::activateIn(plan, context);
}

void Agent::logMember() {
  logEntry(std::string(label) + "[" + labelOf(msg::getCurrentMember(_activity_current)) + "]");
}

// Logs, then takes the `when` members after this one out of the list `plan`.
void Agent::removeFollowers() {
  logAct();
  if (!when) return;
  id index = msg::begin(plan, _obj_scratchZone);
  while (msg::next(index) != this) {}
  for (timeval_t i = 0; i < when; i++) {
    msg::next(index);
    msg::remove_(index);
  }
  msg::drop(index);
}

void logCall() { logEntry("call" + stamp()); }
void logCall3(id a, id b, id c) { logEntry("call(" + labelOf(a) + "," + labelOf(b) + "," + labelOf(c) + ")" + stamp()); }

Agent* newAgent(const char* label, id zone) {
  auto* agent = static_cast<Agent*>(msg::create(objc_get_class("Agent"), zone));
  agent->label = label;
  return agent;
}

OtherAgent* newOtherAgent(const char* label) {
  auto* agent = static_cast<OtherAgent*>(msg::create(objc_get_class("OtherAgent"), _obj_globalZone));
  agent->label = label;
  return agent;
}

namespace {

id made(id type, const std::function<void(id)>& setup) {
  id plan = msg::createBegin(type, _obj_globalZone);
  if (setup) setup(plan);
  return msg::createEnd(plan);
}

}  // namespace

id newSchedule(std::function<void(id)> setup) { return made(Schedule, setup); }
id newRepeating(timeval_t interval) { return msg::create_setRepeatInterval(Schedule, _obj_globalZone, interval); }
id newBrood() { return msg::create(objc_get_class("Brood"), _obj_globalZone); }
id newGroup(std::function<void(id)> setup) { return made(ActionGroup, setup); }
id newList() { return msg::create(List, _obj_globalZone); }

REGISTER_CLASS(Agent, CreateDrop,
  ivar(&Agent::label, "label"),
  ivar(&Agent::plan, "plan"),
  ivar(&Agent::other, "other"),
  ivar(&Agent::context, "context"),
  ivar(&Agent::when, "when"),
  method<&Agent::logAct>(msg::logAct),
  method<&Agent::logLoud>(msg::logLoud),
  method<&Agent::logWith>(msg::logWith),
  method<&Agent::logWith_and>(msg::logWith_and),
  method<&Agent::logWith_and_and>(msg::logWith_and_and),
  method<&Agent::stopRun>(msg::stopRun),
  method<&Agent::terminateRun>(msg::terminateRun),
  method<&Agent::insertLater>(msg::insertLater),
  method<&Agent::activateLater>(msg::activateLater),
  method<&Agent::logMember>(msg::logMember),
  method<&Agent::removeFollowers>(msg::removeFollowers))

REGISTER_CLASS(OtherAgent, Agent)

void activity_register_test_classes() {
  objc_register_Agent();
  objc_register_OtherAgent();
}
