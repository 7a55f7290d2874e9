// The run loop: run, stop, next, step and terminate with their
// granularity, the audits, the readers and the drop rules.
#include <gtest/gtest.h>

#include <vector>

#include "activity/Schedule.h"
#include "activity/fixtures.h"

namespace {

// At 1 the group {a, b}; at 2 c; at 3 a for-each over x and y.
struct Plan {
  Agent *a = newAgent("a"), *b = newAgent("b"), *c = newAgent("c");
  id members = newList();
  id schedule = newSchedule();
  id activity;

  explicit Plan(SEL first = msg::logAct.sel, SEL each = msg::logAct.sel) {
    msg::addLast(members, newAgent("x"));
    msg::addLast(members, newAgent("y"));
    at(schedule, 1, a, first);
    at(schedule, 1, b);
    at(schedule, 2, c);
    msg::at_createActionForEach_message(schedule, 3, members, each);
    activity = msg::activateIn(schedule, nil);
    clearLog();
  }
};

struct Request {
  const Message<id()>* message;
  id answer;
  const char* log;
};

struct RunCase {
  const char* name;
  SEL first;  // the message of a's action
  std::vector<Request> requests;
  SEL each = msg::logAct.sel;  // the message of the for-each action
};

}  // namespace

TEST(RunLoop, RequestsPerformTheirShareOfThePlan) {
  const SEL act = msg::logAct.sel, stop = msg::stopRun.sel, terminate = msg::terminateRun.sel;
  const RunCase cases[] = {
      {"run to the end", act, {{&msg::run, Completed, "a@1 b@1 c@2 x@3 y@3"}}},
      // The first step performs the group action, which stops before its
      // first member; each later step performs one action of the leaf.
      {"steps",
       act,
       {{&msg::stepAction, Stopped, ""},
        {&msg::stepAction, Stopped, "a@1"},
        {&msg::stepAction, Stopped, "b@1"},
        {&msg::stepAction, Stopped, ""},
        {&msg::stepAction, Stopped, "c@2"},
        {&msg::stepAction, Stopped, ""},
        {&msg::stepAction, Stopped, "x@3"},
        {&msg::run, Completed, "y@3"}}},
      // next performs the next action of the leaf's level with all below it.
      {"nexts",
       act,
       {{&msg::nextAction_, Stopped, "a@1 b@1"},
        {&msg::nextAction_, Stopped, "c@2"},
        {&msg::nextAction_, Stopped, "x@3 y@3"},
        {&msg::run, Completed, ""}}},
      {"next inside the group",
       act,
       {{&msg::stepAction, Stopped, ""}, {&msg::nextAction_, Stopped, "a@1"}, {&msg::nextAction_, Stopped, "b@1"}}},
      {"stop from an action stops before the next one",
       stop,
       {{&msg::run, Stopped, "a@1"}, {&msg::run, Completed, "b@1 c@2 x@3 y@3"}}},
      {"terminate from an action ends the run", terminate, {{&msg::run, Completed, "a@1"}}},
      // A walk stopped by its first member resumes at the second, and the
      // stop from the last member holds the walk at its end.
      {"stop from a member stops before the next member",
       act,
       {{&msg::run, Stopped, "a@1 b@1 c@2 x@3"}, {&msg::run, Stopped, "y@3"}, {&msg::run, Completed, ""}},
       stop},
      {"step after a member stopped the walk",
       act,
       {{&msg::run, Stopped, "a@1 b@1 c@2 x@3"}, {&msg::stepAction, Stopped, "y@3"}, {&msg::run, Completed, ""}},
       stop},
      {"terminate from a member ends the walk and the run", act, {{&msg::run, Completed, "a@1 b@1 c@2 x@3"}},
       terminate},
  };
  for (const RunCase& c : cases) {
    SCOPED_TRACE(c.name);
    Plan plan(c.first, c.each);
    for (const Request& r : c.requests) {
      clearLog();
      EXPECT_EQ((*r.message)(plan.activity), r.answer);
      EXPECT_EQ(performed(), r.log);
      EXPECT_EQ(_activity_current, nil);
    }
    EXPECT_EQ(msg::getStatus(plan.activity), c.requests.back().answer);
  }
}

TEST(RunLoop, StepOnAStoppedActivityPerformsOneAction) {
  Plan plan(msg::stopRun.sel);
  EXPECT_EQ(msg::run(plan.activity), Stopped);
  clearLog();
  EXPECT_EQ(msg::stepAction(plan.activity), Stopped);
  EXPECT_EQ(performed(), "b@1");
}

// Terminated while stopped, the next run carries the termination out
// through the subactivity instead of leaving the activity running.
TEST(RunLoop, TerminatingAStoppedActivityCompletesItOnItsNextRun) {
  Plan plan(msg::stopRun.sel);
  msg::run(plan.activity);
  EXPECT_EQ(msg::terminate(plan.activity), Terminated);
  clearLog();
  EXPECT_EQ(msg::run(plan.activity), Completed);
  EXPECT_EQ(performed(), "");
  EXPECT_EQ(msg::getStatus(plan.activity), Completed);
}

TEST(RunLoop, TerminatingAnIdleLeafCompletesIt) {
  Plan plan;
  EXPECT_EQ(msg::terminate(plan.activity), Terminated);
  EXPECT_EQ(msg::run(plan.activity), Completed);
  EXPECT_EQ(performed(), "");
}

TEST(RunLoop, StepUntilAdvancesByWholeTimes) {
  Plan plan;
  EXPECT_EQ(msg::stepUntil(plan.activity, 2), Stopped);
  EXPECT_EQ(performed(), "a@1 b@1");
  EXPECT_EQ(timeOf(plan.activity), 2u);
  clearLog();
  EXPECT_EQ(msg::stepUntil(plan.activity, 2), Stopped);  // nothing to do: the status
  EXPECT_EQ(performed(), "");
  EXPECT_EQ(msg::stepUntil(plan.activity, 10), Completed);
  EXPECT_EQ(performed(), "c@2 x@3 y@3");
}

namespace {

// Records the activities seen from inside an action.
struct Probe {
  static inline id current, top, scheduleActivity, broodActivity, owner, action, actionType;
  static void look() {
    current = _activity_current;
    top = msg::getTopLevelActivity(current);
    scheduleActivity = msg::getScheduleActivity(current);
    broodActivity = msg::getBroodActivity(current);
    owner = msg::getOwnerActivity(current);
    action = msg::getAction(current);
    actionType = msg::getActionType(current);
  }
};

}  // namespace

TEST(RunLoop, ReadersSeeTheActivityTree) {
  id schedule = newSchedule();
  id group = newGroup();
  msg::createActionCall(group, asFunction(&Probe::look));
  msg::at_createAction(schedule, 4, group);
  id top = msg::activateIn(schedule, nil);
  EXPECT_EQ(msg::run(top), Completed);
  EXPECT_NE(Probe::current, top);  // the nested group's activity
  EXPECT_EQ(Probe::top, top);
  EXPECT_EQ(Probe::scheduleActivity, top);
  EXPECT_EQ(Probe::broodActivity, nil);
  EXPECT_EQ(Probe::owner, top);
  EXPECT_EQ(Probe::actionType, group);
  EXPECT_EQ(msg::getOwner(Probe::action), schedule);  // the action that performs the group
  EXPECT_EQ(msg::getTarget(Probe::action), group);
  EXPECT_EQ(msg::getOwnerActivity(top), nil);
  EXPECT_EQ(msg::getOwner(msg::getAction(top)), schedule);  // the placeholder of a top-level activity
  EXPECT_EQ(msg::getActionType(top), schedule);
  EXPECT_EQ(msg::getHoldType(top), nil);
  EXPECT_EQ(msg::getSerialMode(top), YES);
  EXPECT_EQ(timeOf(top), 4u);
}

TEST(RunLoop, RunFromInsideAnActionIsControlledByTheRunningActivity) {
  static id inner, outer, controller;
  inner = msg::activateIn(newGroup(), nil);
  id group = newGroup();
  msg::createActionCall(group, asFunction(+[]() {
    outer = _activity_current;
    msg::createActionCall(msg::getActionType(inner), asFunction(+[]() {
      controller = msg::getControllingActivity(_activity_current);
    }));
    msg::run(inner);
    EXPECT_EQ(_activity_current, outer);
  }));
  EXPECT_EQ(msg::run(msg::activateIn(group, nil)), Completed);
  EXPECT_EQ(controller, outer);
  EXPECT_EQ(msg::getControllingActivity(inner), nil);
}

TEST(RunLoop, CompletedSubactivitiesAreDroppedUnlessKept) {
  id nested = newSchedule();
  at(nested, 0, newAgent("n"));
  id schedule = newSchedule();
  msg::at_createAction(schedule, 1, nested);
  msg::at_createAction(schedule, 2, nested);
  id top = msg::activateIn(schedule, nil);
  clearLog();
  EXPECT_EQ(msg::run(top), Completed);
  EXPECT_EQ(performed(), "n@0 n@0");
  msg::drop(nested);  // no activity of it is left
  msg::drop(top);
}

TEST(RunLoop, RefusedRequests) {
  Plan plan(msg::stopRun.sel);
  msg::run(plan.activity);
  id sub = msg::getCurrentSubactivity(plan.activity);
  Plan done;
  msg::run(done.activity);
  static id running;
  id group = newGroup();
  msg::createActionCall(group, asFunction(+[]() { msg::run(running); }));
  running = msg::activateIn(group, nil);
  id idle = msg::activateIn(newGroup(), nil);

  const Misuse cases[] = {
      {"run below the top", [&] { msg::run(sub); }, "auditRunRequest",
       "> can only run a top-level activity (top-level activity will automatically\n"
       "> run the lowest level pending activity)\n"},
      {"step below the top", [&] { msg::stepAction(sub); }, "auditRunRequest",
       "> can only step a top-level activity (top-level activity will automatically\n"
       "> step the lowest level pending activity)\n"},
      {"run while running", [&] { msg::run(running); }, "auditRunRequest",
       "> cannot request to run an activity while it is already running\n> (must stop first)\n"},
      {"run when completed", [&] { msg::run(done.activity); }, "auditRunRequest",
       "> cannot run an activity that is already completed\n"},
      {"next when completed", [&] { msg::nextAction_(done.activity); }, "auditRunRequest",
       "> cannot next an activity that is already completed\n"},
      {"drop a stopped subactivity", [&] { msg::drop(sub); }, "-[Activity_c drop]",
       "> can only drop a top-level activity or a terminated activity that is not\n> currently running\n"},
      {"serial mode off", [&] { msg::setSerialMode(idle, NO); }, "-[Activity_c setSerialMode:]",
       "> A concurrent processing mode that would allow multiple simultaneous\n"
       "> subactivities to be present has not been implemented for any type of\n"
       "> activity except a Brood.\n"},
      {"leaf action without subactivity", [&] { msg::getCurrentSubactivity(idle); },
       "-[Activity_c getCurrentSubactivity]",
       "> creation of a subactivity to obtain reference to leaf-level action has\n"
       "> not yet been implemented\n"},
      {"subactivities", [&] { msg::getSubactivities(idle); }, "-[Activity_c getSubactivities]", ""},
      {"owner not a brood activity", [&] { msg::setOwnerActivity(idle, idle); }, "-[Activity_c setOwnerActivity:]",
       "> new owner activity is not a brood activity\n"},
      {"context query outside a run", [] { _activity_context_error("getCurrentTime"); }, "_activity_context_error",
       "> getCurrentTime(): there is no currently running activity from which\n"
       "> to obtain requested activity context information.\n"
       "> The context query macros are available only within a> compiled action being executed under a "
       "running activity.\n"
       "> They are not available when the activity is stopped\n"
       "> or otherwise inactive.\n"
       "> This includes any external probe request.\n"},
  };
  expectReports(cases);
}

TEST(RunLoop, RefusalsFromInsideARun) {
  static id top;
  const auto runGroup = [](void (*body)()) {
    id group = newGroup();
    msg::createActionCall(group, asFunction(body));
    top = msg::activateIn(group, nil);
    msg::run(top);
  };
  const Misuse cases[] = {
      {"drop while running", [&] { runGroup(+[]() { msg::drop(top); }); }, "-[Activity_c drop]",
       "> cannot drop an activity while it is running\n"},
      {"context query without schedule",
       [&] { runGroup(+[]() { _activity_context_error("getCurrentBroodActivity"); }); },
       "_activity_context_error",
       "> getCurrentBroodActivity(): an Brood or Schedule does not exist in the current>activity context from "
       "which to obtain the requested value.\n"},
      {"drop a plan in use", [&] { runGroup(+[]() { msg::drop(msg::getActionType(top)); }); },
       "-[CompoundAction drop]", "> cannot drop action plan still referenced by an uncompleted activity\n"},
  };
  expectReports(cases);
}

// A dropped activity leaves the schedule it ran, which a new activity can
// then run from the start.
TEST(RunLoop, ActivitiesCanBeDroppedWhenNotRunning) {
  const auto running = [](id schedule) { return msg::getCount(static_cast<Schedule_c*>(schedule)->activityRefs); };
  Plan stopped(msg::stopRun.sel);
  msg::run(stopped.activity);
  EXPECT_EQ(running(stopped.schedule), 1u);
  msg::drop(stopped.activity);
  EXPECT_EQ(running(stopped.schedule), 0u);
  id again = msg::activateIn(stopped.schedule, nil);
  EXPECT_EQ(msg::run(again), Stopped);  // at the same first action
  EXPECT_EQ(timeOf(again), 1u);
  msg::drop(again);
  Plan done;
  EXPECT_EQ(msg::run(done.activity), Completed);
  msg::drop(done.activity);
  EXPECT_EQ(running(done.schedule), 0u);
  msg::drop(done.schedule);
}

// A completed schedule can go while its activity is kept; the activity
// keeps its time.
TEST(RunLoop, CompletedScheduleCanBeDroppedBeforeItsActivity) {
  Plan plan;
  msg::run(plan.activity);
  msg::drop(plan.schedule);
  EXPECT_EQ(timeOf(plan.activity), 3u);
  EXPECT_EQ(msg::getActionType(plan.activity), nil);
  msg::drop(plan.activity);
}

TEST(RunLoop, DescribeShowsStatusPlanAndIndex) {
  Plan plan(msg::stopRun.sel);
  msg::run(plan.activity);
  const std::string text = descriptionOf(plan.activity);
  EXPECT_NE(text.find("> current activity status: Stopped\n> compound action being processed: 0x"), std::string::npos);
  EXPECT_NE(text.find(": Schedule_c\n> Index of activity: \n"), std::string::npos);
  EXPECT_NE(text.find("  current time: 1 start time: 0\n"), std::string::npos);
  EXPECT_NE(text.find("\n> describe of current subactivity follows:\n"), std::string::npos);
  EXPECT_NE(text.find("\n> activity has no current subactivity\n"), std::string::npos);
}
