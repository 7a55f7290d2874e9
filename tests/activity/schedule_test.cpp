// Schedules: order at equal times, repetition, relative time, auto-drop,
// insertion while they run, options and refusals.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "activity/fixtures.h"

namespace {

std::string runSchedule(id schedule) {
  clearLog();
  EXPECT_EQ(msg::run(msg::activateIn(schedule, nil)), Completed);
  return performed();
}

}  // namespace

TEST(Schedules, ActionsRunByTimeThenInInsertionOrder) {
  struct Case {
    std::vector<std::pair<timeval_t, const char*>> inserts;
    const char* log;
  };
  const Case cases[] = {
      {{{3, "a"}, {1, "b"}, {2, "c"}}, "b@1 c@2 a@3"},
      {{{1, "a"}, {1, "b"}}, "a@1 b@1"},
      {{{1, "a"}, {0, "z"}, {1, "b"}, {1, "c"}}, "z@0 a@1 b@1 c@1"},
      {{{0xFFFFFFFF, "late"}, {0, "early"}}, "early@0 late@4294967295"},
  };
  for (const Case& c : cases) {
    id schedule = newSchedule();
    for (const auto& [t, label] : c.inserts) at(schedule, t, newAgent(label));
    EXPECT_EQ(runSchedule(schedule), c.log);
  }
}

TEST(Schedules, RandomizedScheduleShufflesEachTime) {
  id schedule = newSchedule([](id s) { msg::setDefaultOrder(s, Randomized); });
  for (const char* l : {"a", "b", "c", "d", "e"}) at(schedule, 1, newAgent(l));
  at(schedule, 2, newAgent("f"));
  std::vector<std::string> logs;
  for (int i = 0; i < 6; i++) {
    logs.push_back(runSchedule(schedule));
    EXPECT_EQ(logs.back().substr(logs.back().size() - 4), " f@2");
  }
  std::sort(logs.begin(), logs.end());
  EXPECT_NE(logs.front(), logs.back());
}

TEST(Schedules, RepeatingScheduleRestartsEveryInterval) {
  id schedule = newRepeating(10);
  at(schedule, 5, newAgent("b"));
  at(schedule, 0, newAgent("a"));
  id top = msg::activateIn(schedule, nil);
  clearLog();
  EXPECT_EQ(msg::stepUntil(top, 30), Stopped);
  EXPECT_EQ(performed(), "a@0 b@5 a@10 b@15 a@20 b@25");
  EXPECT_EQ(msg::getRelativeTime(schedule), YES);
}

TEST(Schedules, AutoDropEmptiesTheSchedule) {
  id schedule = msg::create_setAutoDrop(Schedule, _obj_globalZone, YES);
  at(schedule, 1, newAgent("a"));
  at(schedule, 1, newAgent("b"));
  at(schedule, 2, newAgent("c"));
  EXPECT_EQ(runSchedule(schedule), "a@1 b@1 c@2");
  EXPECT_EQ(msg::getCount(schedule), 0u);
}

namespace {

// An agent whose insertLater puts logAct of another agent at a time.
id inserter(id schedule, const char* label, timeval_t when, const char* inserted) {
  Agent* agent = newAgent(label);
  agent->plan = schedule;
  agent->when = when;
  agent->other = newAgent(inserted);
  return agent;
}

}  // namespace

TEST(Schedules, InsertionWhileRunning) {
  struct Case {
    const char* name;
    timeval_t at, when;
    const char* log;
  };
  const Case cases[] = {
      {"between now and the next action", 2, 5, "i@2 new@5 b@8"},
      {"after the last action", 2, 9, "i@2 b@8 new@9"},
      {"at the next action's time", 2, 8, "i@2 b@8 new@8"},
      {"at the present time", 2, 2, "i@2 new@2 b@8"},
      {"in the past", 2, 1, "i@2 b@8"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    id schedule = newSchedule();
    at(schedule, c.at, static_cast<Agent*>(inserter(schedule, "i", c.when, "new")), msg::insertLater.sel);
    at(schedule, 8, newAgent("b"));
    EXPECT_EQ(runSchedule(schedule), c.log);
  }
}

// The single action due now becomes a group while it runs: the rest of
// the group follows in the same pass.
TEST(Schedules, ActionChangedIntoAGroupWhileItRuns) {
  id schedule = msg::create_setAutoDrop(Schedule, _obj_globalZone, YES);
  id first = inserter(schedule, "i", 3, "second");
  at(schedule, 3, static_cast<Agent*>(first), msg::insertLater.sel);
  EXPECT_EQ(runSchedule(schedule), "i@3 second@3");
  EXPECT_EQ(msg::getCount(schedule), 0u);
}

TEST(Schedules, OptionReaders) {
  struct Case {
    std::function<void(id)> setup;
    BOOL relative, singleton, autoDrop;
  };
  const Case cases[] = {
      {[](id) {}, NO, NO, NO},
      {[](id s) { msg::setRelativeTime(s, YES); }, YES, NO, NO},
      {[](id s) { msg::setSingletonGroups(s, YES); }, NO, YES, NO},
      {[](id s) { msg::setAutoDrop(s, YES); }, NO, NO, YES},
      {[](id s) { msg::setRepeatInterval(s, 4); }, YES, NO, NO},
  };
  for (const Case& c : cases) {
    id schedule = newSchedule(c.setup);
    EXPECT_EQ(msg::getRelativeTime(schedule), c.relative);
    EXPECT_EQ(msg::getSingletonGroups(schedule), c.singleton);
    EXPECT_EQ(msg::getAutoDrop(schedule), c.autoDrop);
    EXPECT_EQ(msg::getConcurrentGroupType(schedule), ConcurrentGroup);
  }
  id repeating = newRepeating(4);
  msg::setRepeatInterval(repeating, 6);
  EXPECT_EQ(msg::getRepeatInterval(repeating), 6u);
}

TEST(Schedules, GroupsAtOneTime) {
  id singletons = newSchedule([](id s) { msg::setSingletonGroups(s, YES); });
  Agent* a = newAgent("a");
  id action = at(singletons, 2, a);
  EXPECT_NE(msg::getOwner(action), singletons);  // its group
  EXPECT_NE(forEachDescriptionOf(singletons).find("at time: 2 action is: [ActionConcurrent_c 0x"), std::string::npos);

  id schedule = newSchedule();
  id single = at(schedule, 2, a);
  EXPECT_EQ(msg::getOwner(single), schedule);
  id group = msg::insertGroup(schedule, 2);
  EXPECT_EQ(msg::getOwner(single), group);
  EXPECT_EQ(msg::getCount(group), 1u);
  EXPECT_EQ(msg::insertGroup(schedule, 2), group);
  id empty = msg::insertGroup(schedule, 7);
  EXPECT_EQ(msg::getCount(empty), 0u);
  EXPECT_EQ(runSchedule(schedule), "a@2");
}

TEST(Schedules, RemovingActions) {
  id schedule = newSchedule();
  Agent *a = newAgent("a"), *b = newAgent("b"), *c = newAgent("c");
  id single = at(schedule, 1, a);
  id first = at(schedule, 2, b);
  id second = at(schedule, 2, c);
  EXPECT_EQ(msg::remove(schedule, single), single);
  EXPECT_EQ(msg::remove(schedule, first), first);
  EXPECT_EQ(msg::getCount(schedule), 1u);  // time 2 still holds its group
  EXPECT_EQ(msg::remove(schedule, second), second);
  EXPECT_EQ(msg::getCount(schedule), 0u);
  EXPECT_EQ(runSchedule(schedule), "");
}

// An action that removes itself while its schedule runs does not disturb
// the walk.
TEST(Schedules, ActionRemovingItselfWhileRunning) {
  static id schedule, self;
  schedule = newSchedule();
  self = msg::at_createActionCall(schedule, 1, asFunction(+[]() {
    logEntry("once");
    msg::remove(schedule, self);
  }));
  at(schedule, 2, newAgent("b"));
  EXPECT_EQ(runSchedule(schedule), "once b@2");
  EXPECT_EQ(runSchedule(schedule), "b@2");
}

TEST(Schedules, Describe) {
  id schedule = newSchedule();
  at(schedule, 4, newAgent("a"));
  EXPECT_EQ(forEachDescriptionOf(schedule).substr(0, 24), "at time: 4 action is: 0x");
}

TEST(Schedules, Refusals) {
  id plain = newSchedule();
  id repeating = newRepeating(5);
  id concurrent = msg::create(ConcurrentSchedule, _obj_globalZone);
  const Misuse cases[] = {
      {"repeat and absolute time",
       [] {
         newSchedule([](id s) {
           msg::setRelativeTime(s, NO);
           msg::setRepeatInterval(s, 3);
         });
       },
       "-[Schedule_c createEnd]", "> cannot specify both a repeat interval and absolute time\n"},
      {"zero interval", [] { newRepeating(0); }, "-[Schedule_c setRepeatInterval:]",
       "> repeat interval must be greater than zero\n"},
      {"interval after creation", [&] { msg::setRepeatInterval(plain, 3); }, "-[Schedule_c setRepeatInterval:]",
       "> cannot specify a repeat interval after schedule created without it\n"},
      {"beyond the interval", [&] { at(repeating, 5, newAgent("a")); }, "_activity_insertAction",
       "> cannot insert action at time greater than or equal to repeat interval\n"},
      {"plan that is no plan", [&] { msg::at_createAction(plain, 1, newAgent("a")); }, "-[Schedule_c at:createAction:]",
       "> Invalid argument value passed in call.\n"},
      {"adding to a concurrent schedule", [&] { msg::addLast(concurrent, newAgent("a")); },
       "-[ConcurrentSchedule_c addLast:]",
       "> A concurrent schedule requires either that a subclass override the method\n"
       "> that adds a new action, or that all actions be added to the group by\n"
       "> explicit operations rather than by automatic addition at a key value.\n"},
      {"dropping a schedule in use",
       [&] {
         Agent* stopper = newAgent("s");
         at(plain, 1, stopper, msg::stopRun.sel);
         msg::run(msg::activateIn(plain, nil));
         msg::drop(plain);
       },
       "-[CompoundAction drop]", "> cannot drop action plan still referenced by an uncompleted activity\n"},
  };
  expectReports(cases);
}
