// Helpers of the scheduling tests: agents whose messages record what was
// performed, and when, in one log; shorthands for plans and texts.
#pragma once

#include "support/reports.h"

#include <functional>
#include <span>
#include <string>

#include "activity/activity.h"
#include "defobj/CreateDrop.h"

// Agents answer these; each entry of the log is "label@time" (the time of
// the schedule activity in progress, none outside schedules).
struct Agent : CreateDrop {
  const char* label;
  id plan;         // what insertLater and activateLater work on
  id other;        // the agent that an inserted action goes to
  id context;      // where activateLater activates the plan
  timeval_t when;  // when insertLater inserts

  void logAct();
  void logLoud(id a);
  void logWith(id a);
  void logWith_and(id a, id b);
  void logWith_and_and(id a, id b, id c);
  void stopRun();
  void terminateRun();
  void insertLater();
  void activateLater();
  void logMember();
  void removeFollowers();
};

namespace msg {
inline const Message<void()> logAct{"logAct"};
inline const Message<void(id)> logLoud{"logLoud:"};
inline const Message<void(id)> logWith{"logWith:"};
inline const Message<void(id, id)> logWith_and{"logWith:and:"};
inline const Message<void(id, id, id)> logWith_and_and{"logWith:and:and:"};
inline const Message<void()> stopRun{"stopRun"};
inline const Message<void()> terminateRun{"terminateRun"};
inline const Message<void()> insertLater{"insertLater"};
inline const Message<void()> activateLater{"activateLater"};
inline const Message<void()> logMember{"logMember"};
inline const Message<void()> removeFollowers{"removeFollowers"};
}  // namespace msg

// Another class, for collections that are not homogeneous.
struct OtherAgent : Agent {};

void activity_register_test_classes();

Agent* newAgent(const char* label, id zone = _obj_globalZone);
OtherAgent* newOtherAgent(const char* label);

// The log as one text, entries separated by single spaces, and its reset.
std::string performed();
void clearLog();
void logEntry(const std::string& entry);

// Plain functions for call actions: log "call" and their arguments' labels.
void logCall();
void logCall3(id a, id b, id c);
inline func_t asFunction(void (*f)()) { return f; }
inline func_t asFunction(void (*f)(id, id, id)) { return reinterpret_cast<func_t>(f); }

// Schedules, groups and broods in the global zone.
id newSchedule(std::function<void(id)> setup = {});
id newRepeating(timeval_t interval);
id newBrood();
id newGroup(std::function<void(id)> setup = {});
id newList();

// An action of the agent at time t of the schedule.
inline id at(id schedule, timeval_t t, Agent* agent, SEL sel = msg::logAct.sel) {
  return msg::at_createActionTo_message(schedule, t, agent, sel);
}

// The current time of a schedule activity.
inline timeval_t timeOf(id activity) { return msg::getCurrentTime(activity); }
