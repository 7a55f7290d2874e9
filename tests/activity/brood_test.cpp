// Broods: merged schedules at common times in activation order, nested
// broods, schedules activated while the brood runs, the brood as a zone.
#include <gtest/gtest.h>

#include "activity/Schedule.h"
#include "activity/fixtures.h"
#include "defobj/module.h"

namespace {

id newBroodIn(id zone) { return msg::create(objc_get_class("Brood"), zone); }

std::string runTop(id activity, id answer = Completed) {
  clearLog();
  EXPECT_EQ(msg::run(activity), answer);
  return performed();
}

// A schedule with logAct of a new agent at each time.
id scheduleOf(const char* label, std::initializer_list<timeval_t> times, id schedule = nil) {
  if (!schedule) schedule = newSchedule();
  Agent* agent = newAgent(label);
  for (timeval_t t : times) at(schedule, t, agent);
  return schedule;
}

}  // namespace

TEST(Broods, SchedulesRunInActivationOrderAtEachTime) {
  struct Case {
    const char* first;
    const char* log;
  };
  const Case cases[] = {{"A", "A@1 B@1 B@2 A@3 B@3"}, {"B", "B@1 A@1 B@2 B@3 A@3"}};
  for (const Case& c : cases) {
    id a = scheduleOf("A", {3, 1});
    id b = scheduleOf("B", {1, 2, 3});
    id brood = newBrood();
    id top = msg::activateIn(brood, nil);
    const bool aFirst = std::string(c.first) == "A";
    msg::activateIn(aFirst ? a : b, brood);
    msg::activateIn(aFirst ? b : a, brood);
    EXPECT_EQ(runTop(top), c.log);
  }
}

// The model brood inside the top-level brood: a repeated model step, an
// observer that logs every other time, a stop at 5, then on to the end.
TEST(Broods, TwoLevelBroodPerformsEveryActionInOrder) {
  id top = newBrood();
  id model = newBrood();
  id modelSchedule = scheduleOf("m", {0}, newRepeating(1));
  scheduleOf("n", {0}, modelSchedule);
  id observer = scheduleOf("o", {0}, newRepeating(2));
  id stopper = newSchedule();
  at(stopper, 5, newAgent("stop"), msg::stopRun.sel);
  at(stopper, 8, newAgent("end"), msg::terminateRun.sel);

  id topActivity = msg::activateIn(top, nil);
  id modelActivity = msg::activateIn(model, top);
  msg::activateIn(modelSchedule, model);
  msg::activateIn(observer, top);
  msg::activateIn(stopper, top);
  EXPECT_EQ(msg::getBroodActivity(model), modelActivity);
  EXPECT_EQ(msg::getBrood(modelActivity), model);

  EXPECT_EQ(runTop(topActivity, Stopped),
            "m@0 n@0 o@0 m@1 n@1 m@2 n@2 o@2 m@3 n@3 m@4 n@4 o@4 m@5 n@5 stop@5");
  EXPECT_EQ(timeOf(topActivity), 5u);
  EXPECT_EQ(_activity_current, nil);
  EXPECT_EQ(runTop(topActivity), "m@6 n@6 o@6 m@7 n@7 m@8 n@8 o@8 end@8");
  EXPECT_EQ(msg::getStatus(topActivity), Completed);
  msg::drop(top);
  EXPECT_EQ(msg::getActivity(model), nil);  // dropped with the top-level activity
}

TEST(Broods, StepAndNextInABrood) {
  id brood = newBrood();
  id top = msg::activateIn(brood, nil);
  msg::activateIn(scheduleOf("a", {1, 2}), brood);
  msg::activateIn(scheduleOf("b", {1}), brood);
  clearLog();
  EXPECT_EQ(msg::nextAction_(top), Stopped);  // the merge actions due at 1, as one group
  EXPECT_EQ(performed(), "a@1 b@1");
  clearLog();
  EXPECT_EQ(msg::stepUntil(top, 3), Completed);
  EXPECT_EQ(performed(), "a@2");
}

// Every time the activated schedule has left runs, starting in the pass
// that is under way.
TEST(Broods, SchedulesActivatedWhileTheBroodRuns) {
  id brood = newBrood();
  id top = msg::activateIn(brood, nil);
  id late = scheduleOf("late", {3, 5});
  id relative = scheduleOf("rel", {0, 2}, newSchedule([](id s) { msg::setRelativeTime(s, YES); }));
  id nested = newBroodIn(_obj_globalZone);
  Agent* activator = newAgent("go");
  activator->plan = late;
  activator->context = brood;
  Agent* second = newAgent("go2");
  second->plan = relative;
  second->context = brood;
  Agent* third = newAgent("go3");
  third->plan = nested;
  third->context = brood;
  id schedule = newSchedule();
  at(schedule, 3, activator, msg::activateLater.sel);
  at(schedule, 3, second, msg::activateLater.sel);
  at(schedule, 4, third, msg::activateLater.sel);
  at(schedule, 6, newAgent("tail"));
  msg::activateIn(schedule, brood);
  // The nested brood's schedule joins at its activation time.
  id inner = scheduleOf("in", {4, 6});
  Agent* fourth = newAgent("go4");
  fourth->plan = inner;
  fourth->context = nested;
  at(schedule, 4, fourth, msg::activateLater.sel);
  EXPECT_EQ(runTop(top), "go@3 go2@3 late@3 rel@3 go3@4 go4@4 in@4 late@5 rel@5 tail@6 in@6");
}

TEST(Broods, RelativeScheduleStartsAtTheBroodTime) {
  id brood = newBrood();
  id top = msg::activateIn(brood, nil);
  id relative = scheduleOf("r", {0, 4}, newSchedule([](id s) { msg::setRelativeTime(s, YES); }));
  Agent* activator = newAgent("go");
  activator->plan = relative;
  activator->context = brood;
  id schedule = newSchedule();
  at(schedule, 10, activator, msg::activateLater.sel);
  msg::activateIn(schedule, brood);
  EXPECT_EQ(runTop(top), "go@10 r@10 r@14");
}

// An insertion earlier than a merged schedule's pending time moves its
// wake-up in the brood, also for a relative schedule started late.
TEST(Broods, InsertionMovesTheMergedScheduleEarlier) {
  struct Case {
    bool relative;
    timeval_t key;
    const char* log;
  };
  const Case cases[] = {
      {false, 5, "i@2 new@5 a@8"},
      {true, 5, "i@12 new@15 a@18"},
  };
  for (const Case& c : cases) {
    id brood = newBrood();
    id top = msg::activateIn(brood, nil);
    id target = newSchedule([&](id s) { msg::setRelativeTime(s, c.relative); });
    at(target, 8, newAgent("a"));
    Agent* insert = newAgent("i");
    insert->plan = target;
    insert->when = c.key;
    insert->other = newAgent("new");
    id other = newSchedule();
    at(other, c.relative ? 12 : 2, insert, msg::insertLater.sel);
    if (c.relative) {
      // The target starts at 10, from an action of the brood at that time.
      Agent* activator = newAgent("go");
      activator->plan = target;
      activator->context = brood;
      id starter = newSchedule();
      at(starter, 10, activator, msg::activateLater.sel);
      msg::activateIn(starter, brood);
    } else {
      msg::activateIn(target, brood);
    }
    msg::activateIn(other, brood);
    clearLog();
    EXPECT_EQ(msg::run(top), Completed);
    std::string log = performed();
    if (c.relative) log = log.substr(log.find("i@"));
    EXPECT_EQ(log, c.log);
  }
}

// A kept, completed schedule comes back when an action is put into it.
TEST(Broods, KeptScheduleRevivesOnInsertion) {
  id brood = newBrood();
  id top = msg::activateIn(brood, nil);
  id target = scheduleOf("a", {1});
  Agent* insert = newAgent("i");
  insert->plan = target;
  insert->when = 5;
  insert->other = newAgent("again");
  id other = newSchedule();
  at(other, 3, insert, msg::insertLater.sel);
  id merged = msg::activateIn(target, brood);
  msg::activateIn(other, brood);
  EXPECT_EQ(runTop(top), "a@1 i@3 again@5");
  EXPECT_EQ(msg::getStatus(merged), Completed);
}

TEST(Broods, EmptyScheduleCompletesAndIsDroppedUnlessKept) {
  struct Case {
    BOOL keep;
  };
  for (const Case c : {Case{YES}, Case{NO}}) {
    id brood = newBrood();
    id top = msg::activateIn(brood, nil);
    id once = newSchedule([&](id s) { msg::setKeepEmptyFlag(s, c.keep); });
    at(once, 1, newAgent("a"));
    id merged = msg::activateIn(once, brood);
    msg::activateIn(scheduleOf("b", {2}), brood);
    EXPECT_EQ(runTop(top), "a@1 b@2");
    const unsigned left = msg::getCount(static_cast<Schedule_c*>(once)->activityRefs);
    EXPECT_EQ(left, c.keep ? 1u : 0u);
    if (c.keep) {
      EXPECT_EQ(msg::getStatus(merged), Completed);
    }
    msg::drop(brood);
    msg::drop(once);
  }
}

// Stopped after the group of merge actions due at 1 ran out, the brood
// meets a schedule activated at that time from outside: the group keeps
// it and runs again.
TEST(Broods, MergeActionJoiningAFinishedGroupStillRuns) {
  id brood = newBrood();
  id top = msg::activateIn(brood, nil);
  id first = msg::activateIn(scheduleOf("b", {1}), brood);
  id last = newSchedule();
  at(last, 1, newAgent("a"), msg::stopRun.sel);
  at(last, 3, newAgent("a"));
  msg::activateIn(last, brood);
  EXPECT_EQ(runTop(top, Stopped), "b@1 a@1");
  // Between performances a merged activity belongs to its brood.
  EXPECT_EQ(msg::getTopLevelActivity(first), top);
  EXPECT_EQ(msg::getBroodActivity(first), top);
  msg::activateIn(scheduleOf("c", {1, 2}), brood);
  EXPECT_EQ(runTop(top), "c@1 c@2 a@3");
}

TEST(Broods, TerminateEndsEveryMergedSchedule) {
  id brood = newBrood();
  id top = msg::activateIn(brood, nil);
  id waiting = msg::activateIn(scheduleOf("w", {9}), brood);
  id schedule = newSchedule();
  at(schedule, 2, newAgent("t"), msg::terminateRun.sel);
  at(schedule, 3, newAgent("never"));
  msg::activateIn(schedule, brood);
  EXPECT_EQ(runTop(top), "t@2");
  EXPECT_EQ(msg::getStatus(waiting), Terminated);
}

TEST(Broods, GroupsAndBroodsAsActions) {
  id brood = newBrood();
  id top = msg::activateIn(brood, nil);
  id group = newGroup();
  msg::createActionTo_message(group, newAgent("g"), msg::logAct.sel);
  id inner = newBroodIn(_obj_globalZone);
  id outer = newSchedule();
  msg::at_createAction(outer, 2, inner);
  msg::activateIn(group, brood);
  msg::activateIn(outer, brood);
  EXPECT_EQ(runTop(top), "g@0");
  EXPECT_EQ(msg::getActivity(inner), nil);  // it ran empty below the schedule, and went
}

TEST(Broods, BroodIsAZone) {
  id brood = newBrood();
  Agent* agent = newAgent("a", brood);
  EXPECT_EQ(msg::getZone(agent), msg::getInternalZone(brood));
  EXPECT_EQ(msg::getComponentZone(brood), msg::getComponentZone(msg::getInternalZone(brood)));
  EXPECT_EQ(msg::getSynchronizationType(brood), _activity_broodSyncType);
  EXPECT_EQ(msg::getInternalTimeMultiplier(brood), 1);
  id zoneless = msg::createBegin(objc_get_class("Brood"), _obj_globalZone);
  msg::setInternalZoneType(zoneless, nil);
  zoneless = msg::createEnd(zoneless);
  id activated = newBrood();
  msg::activateIn(activated, nil);
  const Misuse cases[] = {
      {"zone message without internal zone", [&] { newAgent("a", zoneless); }, "-[CBroodProcess allocIVars:]",
       "> zone message invalid because brood was created with no internal zone\n"},
      {"second activation", [&] { msg::activateIn(activated, nil); }, "-[CBroodProcess activateIn:]",
       "> Brood has already been activated.  A brood cannot be activated more than\n> once.\n"},
      {"time multiplier", [&] { msg::setInternalTimeMultiplier(brood, 2); },
       "-[CBroodProcess setInternalTimeMultiplier:]", ""},
      {"activation at a time", [&] { msg::at_activate(brood, 1, newSchedule()); }, "-[CBroodProcess at:activate:]",
       ""},
      {"context not activated", [&] { msg::activateIn(newSchedule(), brood); }, "activateIn:",
       "> requested brood context has not yet been activated\n"},
      {"page size, which the zone refuses",
       [] {
         id b = msg::createBegin(objc_get_class("Brood"), _obj_globalZone);
         msg::setPageSize(b, 512);
       },
       "-[Zone(c) _setPageSize:]",
       "> PageSize option not yet implemented.\n"
       "> Page size must be a power of two, at least 256, and no greater than\n"
       "> the page size of the zone owner.  Page size requested was: 512.\n"},
      {"context that is no brood", [&] { msg::activateIn(newSchedule(), newAgent("a")); }, "activateIn:",
       "> argument is neither nil nor a valid brood context\n"},
  };
  expectReports(cases);
}

TEST(Broods, MergeActionDescribesItsSchedule) {
  id brood = newBrood();
  id top = msg::activateIn(brood, nil);
  id model = newBroodIn(_obj_globalZone);
  msg::activateIn(model, brood);
  msg::activateIn(scheduleOf("a", {1}), brood);
  const std::string text = forEachDescriptionOf(msg::getSynchronizationSchedule(top));
  EXPECT_NE(text.find(": ActionMerge_c in schedule: 0x"), std::string::npos);
  EXPECT_NE(text.find(" non-Brood ScheduleActivity\n]\n"), std::string::npos);
  EXPECT_NE(text.find(": BroodActivity_c in Brood 0x"), std::string::npos);
  EXPECT_NE(text.find(" (Brood)\n]\n"), std::string::npos);
}

TEST(Broods, ModuleIsRegistered) {
  EXPECT_EQ(defobj_lookup_type("Schedule"), Schedule);
  EXPECT_STREQ(static_cast<Class>(Schedule)->name, "Schedule_c.Creating");
  for (auto [symbol, name] : {std::pair{Randomized, "Randomized"}, {Holding, "Holding"}}) {
    const char* copy = msg::getName(symbol);
    EXPECT_STREQ(copy, name);
    msg::free(_obj_scratchZone, const_cast<char*>(copy));
  }
  EXPECT_EQ(msg::getMessageString(InvalidBroodZone),
            std::string("> zone message invalid because brood was created with no internal zone\n"));
  EXPECT_STREQ(brood_lookup_module("BroodActivity"), "activity");
  id group = msg::createBegin(ActionGroup, _obj_globalZone);
  EXPECT_FALSE(msg::respondsTo(group, msg::activateIn.sel));  // not before createEnd
  EXPECT_TRUE(msg::respondsTo(msg::createEnd(group), msg::activateIn.sel));
}
