// Action kinds, the order option, action groups and the describe texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "activity/Activities.h"
#include "activity/fixtures.h"
#include "defobj/phase.h"

namespace {

id agents(std::initializer_list<const char*> labels) {
  id list = newList();
  for (const char* l : labels) msg::addLast(list, newAgent(l));
  return list;
}

// A prepared call of logAct on the agent.
id callOn(id agent) {
  return msg::create_target_selector_arguments(FCall, _obj_globalZone, agent, msg::logAct.sel,
                                               msg::create_setSelector(FArguments, _obj_globalZone, msg::logAct.sel));
}

std::string runGroup(id group) {
  clearLog();
  EXPECT_EQ(msg::run(msg::activateIn(group, nil)), Completed);
  return performed();
}

}  // namespace

TEST(Actions, EachKindPerformsItsWork) {
  Agent *a = newAgent("a"), *p = newAgent("p"), *q = newAgent("q"), *r = newAgent("r");
  struct Case {
    const char* name;
    std::function<void(id)> make;
    const char* log;
  };
  const Case cases[] = {
      {"message", [&](id g) { msg::createActionTo_message(g, a, msg::logAct.sel); }, "a"},
      {"message with one", [&](id g) { msg::createActionTo_message_(g, a, msg::logWith.sel, p); }, "a(p)"},
      {"message with two", [&](id g) { msg::createActionTo_message__(g, a, msg::logWith_and.sel, p, q); }, "a(p,q)"},
      {"message with three",
       [&](id g) { msg::createActionTo_message___(g, a, msg::logWith_and_and.sel, p, q, r); }, "a(p,q,r)"},
      {"function", [&](id g) { msg::createActionCall(g, asFunction(logCall)); }, "call"},
      {"function with three",
       [&](id g) { msg::createActionCall___(g, asFunction(logCall3), p, q, r); }, "call(p,q,r)"},
      {"prepared call", [&](id g) { msg::createFAction(g, callOn(a)); }, "a"},
      {"for each", [&](id g) { msg::createActionForEach_message(g, agents({"x", "y"}), msg::logAct.sel); }, "x y"},
      {"for each with one",
       [&](id g) { msg::createActionForEach_message_(g, agents({"x", "y"}), msg::logWith.sel, p); }, "x(p) y(p)"},
      {"for each over mixed classes",
       [&](id g) {
         id list = agents({"x"});
         msg::addLast(list, newOtherAgent("o"));
         msg::createFActionForEachHeterogeneous_call(g, list, callOn(a));
       },
       "x o"},
      {"for each fixed",
       [&](id g) { msg::createActionForEachHomogeneous_message(g, agents({"x", "y", "z"}), msg::logAct.sel); },
       "x y z"},
      {"for each fixed call",
       [&](id g) { msg::createFActionForEachHomogeneous_call(g, agents({"x", "y"}), callOn(a)); }, "x y"},
      {"for each over nothing", [&](id g) { msg::createActionForEach_message(g, newList(), msg::logAct.sel); }, ""},
      {"for each fixed over nothing",
       [&](id g) { msg::createActionForEachHomogeneous_message(g, newList(), msg::logAct.sel); }, ""},
      {"nested plan",
       [&](id g) {
         id inner = newGroup();
         msg::createActionTo_message(inner, p, msg::logAct.sel);
         msg::createAction(g, inner);
       },
       "p"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    id group = newGroup();
    c.make(group);
    EXPECT_EQ(runGroup(group), c.log);
  }
}

TEST(Actions, MessageWithoutTargetMakesItsCallAtEachPerformance) {
  id group = newGroup();
  id action = msg::createActionTo_message(group, nil, msg::logAct.sel);
  EXPECT_EQ(runGroup(group), "");  // nil answers nothing
  msg::setTarget(action, newAgent("late"));
  EXPECT_EQ(runGroup(group), "late");
  msg::setTarget(action, newAgent("later"));
  EXPECT_EQ(runGroup(group), "later");
}

TEST(Actions, MessageSelectorCanChangeAfterCreation) {
  id group = newGroup();
  id action = msg::createActionTo_message_(group, newAgent("a"), msg::logWith.sel, newAgent("p"));
  EXPECT_EQ(msg::getMessageSelector(action), msg::logWith.sel);
  EXPECT_EQ(runGroup(group), "a(p)");
  msg::setMessageSelector(action, msg::logLoud.sel);
  EXPECT_EQ(runGroup(group), "a!(p)");
}

TEST(Actions, ForEachVisitsOneMemberPerAction) {
  id group = newGroup();
  id list = agents({"x", "y"});
  msg::createActionForEach_message(group, list, msg::logMember.sel);
  EXPECT_EQ(runGroup(group), "x[x] y[y]");
}

namespace {

// An agent whose logAct is its own, for members whose class changes.
struct LoudAgent : Agent {
  void logAct() { logEntry(std::string(label) + "!"); }
};

REGISTER_CLASS(LoudAgent, Agent, method<&LoudAgent::logAct>(msg::logAct))

}  // namespace

// The walk's call is made once and kept across passes; each member is sent
// its own class's method, after a member's class changed and when a new
// member takes the storage of a dropped one of another class.
TEST(Actions, ForEachKeepsItsCallAcrossPassesAndFollowsTheMembersClasses) {
  if (!objc_lookup_class("LoudAgent")) objc_register_LoudAgent();
  id group = newGroup();
  id list = agents({"x", "y"});
  auto* action = static_cast<PAction*>(msg::createActionForEach_message(group, list, msg::logAct.sel));
  EXPECT_EQ(runGroup(group), "x y");
  const id call = action->call;
  id y = msg::getLast(list);
  y->isa = objc_get_class("LoudAgent");
  EXPECT_EQ(runGroup(group), "x y!");
  msg::remove(list, y);
  msg::drop(y);
  msg::addFirst(list, newAgent("z"));
  EXPECT_EQ(runGroup(group), "z x");
  EXPECT_EQ(action->call, call);
}

namespace {

void logHint(id member) { logEntry(std::string("^") + static_cast<Agent*>(member)->label); }

// The log of a walk whose members are visited, after the hint given four
// places ahead of each, in the order given.
std::string hintedWalk(const std::vector<int>& visits) {
  std::string log;
  for (size_t i = 0; i < visits.size(); i++) {
    if (i + 4 < visits.size()) log += "^" + std::to_string(visits[i + 4]) + " ";
    log += std::to_string(visits[i]) + (i + 1 < visits.size() ? " " : "");
  }
  return log;
}

}  // namespace

// A long walk calls the hint of the visited method on the member four
// places ahead of each one it visits, reading the list as it stands when a
// member takes later ones out; a short or randomized walk gives none, nor
// does another method.
TEST(Actions, LongForEachWalksHintTheMembersAhead) {
  static std::vector<std::string> labels;
  const int count = 1100;
  for (int i = static_cast<int>(labels.size()); i < count; i++) labels.push_back(std::to_string(i));
  auto agentsUpTo = [](int n) {
    id list = newList();
    for (int i = 0; i < n; i++) msg::addLast(list, newAgent(labels[i].c_str()));
    return list;
  };
  static const IMP logAct = get_imp(objc_get_class("Agent"), msg::logAct.sel);
  setVisitHint(logAct, logHint);
  std::vector<int> all(count);
  for (int i = 0; i < count; i++) all[i] = i;

  id group = newGroup();
  msg::createActionForEach_message(group, agentsUpTo(count), msg::logAct.sel);
  EXPECT_EQ(runGroup(group), hintedWalk(all));

  // The first member takes the next six out when it is visited, after the
  // hint four ahead of it was given.
  id list = agentsUpTo(count);
  auto* first = static_cast<Agent*>(msg::getFirst(list));
  first->plan = list;
  first->when = 6;
  static const IMP removeFollowers = get_imp(objc_get_class("Agent"), msg::removeFollowers.sel);
  setVisitHint(removeFollowers, logHint);
  msg::createActionForEach_message(group = newGroup(), list, msg::removeFollowers.sel);
  std::vector<int> rest;
  for (int i = 7; i < count; i++) rest.push_back(i);
  EXPECT_EQ(runGroup(group), "^4 0 " + hintedWalk(rest));
  setVisitHint(removeFollowers, nullptr);

  msg::createActionForEach_message(group = newGroup(), agentsUpTo(10), msg::logAct.sel);
  EXPECT_EQ(runGroup(group), "0 1 2 3 4 5 6 7 8 9");
  msg::setDefaultOrder(msg::createActionForEach_message(group = newGroup(), agentsUpTo(count), msg::logAct.sel),
                       Randomized);
  EXPECT_EQ(runGroup(group).find('^'), std::string::npos);
  msg::createActionForEach_message(group = newGroup(), agentsUpTo(count), msg::logMember.sel);
  EXPECT_EQ(runGroup(group).find('^'), std::string::npos);
  setVisitHint(logAct, nullptr);
}

TEST(Actions, FixedForEachKeepsTheMembersItWasMadeWith) {
  id group = newGroup();
  id list = agents({"x"});
  msg::createActionForEachHomogeneous_message(group, list, msg::logAct.sel);
  msg::addLast(list, newAgent("y"));
  EXPECT_EQ(runGroup(group), "x");
}

namespace {

// The orders seen over several runs, each a permutation of the members.
std::set<std::string> ordersOver(int runs, id group, const std::multiset<std::string>& members) {
  std::set<std::string> orders;
  for (int i = 0; i < runs; i++) {
    const std::string log = runGroup(group);
    std::multiset<std::string> seen;
    for (size_t at = 0; at < log.size();) {
      const size_t end = std::min(log.find(' ', at), log.size());
      seen.insert(log.substr(at, end - at));
      at = end + 1;
    }
    EXPECT_EQ(seen, members) << log;
    orders.insert(log);
  }
  return orders;
}

}  // namespace

TEST(Actions, RandomizedOrderIsDrawnAfreshAtEachRun) {
  const std::multiset<std::string> five{"a", "b", "c", "d", "e"};
  id group = newGroup([](id g) { msg::setDefaultOrder(g, Randomized); });
  for (const char* l : {"a", "b", "c", "d", "e"}) msg::createActionTo_message(group, newAgent(l), msg::logAct.sel);
  EXPECT_GT(ordersOver(8, group, five).size(), 1u);

  id forEach = newGroup();
  msg::setDefaultOrder(msg::createActionForEach_message(forEach, agents({"a", "b", "c", "d", "e"}), msg::logAct.sel),
                       Randomized);
  EXPECT_GT(ordersOver(8, forEach, five).size(), 1u);

  id fixed = newGroup();
  msg::setDefaultOrder(
      msg::createActionForEachHomogeneous_message(fixed, agents({"a", "b", "c", "d", "e"}), msg::logAct.sel),
      Randomized);
  EXPECT_GT(ordersOver(8, fixed, five).size(), 1u);
}

TEST(Actions, ShuffleOfOneMemberDrawsNothing) {
  id group = newGroup();
  msg::setDefaultOrder(msg::createActionForEachHomogeneous_message(group, agents({"a"}), msg::logAct.sel), Randomized);
  const unsigned long long before = msg::getCurrentCount(randomGenerator);
  EXPECT_EQ(runGroup(group), "a");
  EXPECT_EQ(msg::getCurrentCount(randomGenerator), before);
}

// A permuted walk rebuilds its permutation (one shuffle when it is made,
// two more at each next), so a pass over n members takes n + 1 nexts and
// nothing else: (n - 1) + (n + 1) * 2 * (n - 1) draws, none below two.
TEST(Actions, RandomizedForEachPassDrawsOnlyForItsNexts) {
  for (unsigned n : {0u, 1u, 2u, 100u}) {
    SCOPED_TRACE("members " + std::to_string(n));
    id list = newList();
    for (unsigned i = 0; i < n; i++) msg::addLast(list, newAgent("m"));
    id group = newGroup();
    msg::setDefaultOrder(msg::createActionForEach_message(group, list, msg::logAct.sel), Randomized);
    const unsigned long long before = msg::getCurrentCount(randomGenerator);
    const unsigned long long calls = msg::getCurrentCount(uniformUnsRand);
    runGroup(group);
    const unsigned long long expected = n < 2 ? 0 : (n - 1) * (2ull * n + 3);
    EXPECT_EQ(msg::getCurrentCount(uniformUnsRand) - calls, expected);
    EXPECT_EQ(msg::getCurrentCount(randomGenerator) - before, expected);
    EXPECT_EQ(performed().size(), n ? 2 * n - 1 : 0);
  }
}

TEST(Actions, OrderOption) {
  struct Case {
    std::vector<id> settings;
    id order;
  };
  const Case cases[] = {
      {{}, Sequential},
      {{Randomized}, Randomized},
      {{Concurrent}, Concurrent},
      {{Concurrent, Randomized}, Concurrent},
      {{Randomized, Concurrent}, Concurrent},
      {{Concurrent, Randomized, Sequential}, Sequential},
  };
  for (const Case& c : cases) {
    id group = msg::createBegin(ActionGroup, _obj_globalZone);
    id schedule = msg::createBegin(Schedule, _obj_globalZone);
    id forEach = msg::createActionForEach_message(newGroup(), newList(), msg::logAct.sel);
    for (id o : c.settings)
      for (id plan : {group, schedule, forEach}) msg::setDefaultOrder(plan, o);
    EXPECT_EQ(msg::getDefaultOrder(msg::createEnd(group)), c.order);
    EXPECT_EQ(msg::getDefaultOrder(msg::createEnd(schedule)), c.order);
    EXPECT_EQ(msg::getDefaultOrder(forEach), c.order);
  }
}

TEST(Actions, ConcurrentPlansRunInInsertionOrder) {
  id group = newGroup([](id g) { msg::setDefaultOrder(g, Concurrent); });
  for (const char* l : {"a", "b", "c"}) msg::createActionTo_message(group, newAgent(l), msg::logAct.sel);
  EXPECT_EQ(runGroup(group), "a b c");
}

TEST(Actions, AutoDropGroupDropsEachActionOnceItRan) {
  id group = newGroup([](id g) { msg::setAutoDrop(g, YES); });
  EXPECT_EQ(msg::getAutoDrop(group), YES);
  for (const char* l : {"a", "b"}) msg::createActionTo_message(group, newAgent(l), msg::logAct.sel);
  EXPECT_EQ(runGroup(group), "a b");
  EXPECT_EQ(msg::getCount(group), 0u);
  EXPECT_EQ(runGroup(group), "");
}

TEST(Actions, GroupReadersAndDrop) {
  Agent* a = newAgent("a");
  id group = newGroup();
  id action = msg::createActionTo_message(group, a, msg::logAct.sel);
  EXPECT_EQ(msg::getOwner(action), nil);
  EXPECT_EQ(msg::getTarget(action), a);
  id call = msg::createActionCall(group, asFunction(logCall));
  EXPECT_EQ(msg::getFunctionPointer(call), asFunction(logCall));
  id activity = msg::activateIn(group, nil);
  msg::run(activity);
  msg::drop(group);  // its activity has completed
  msg::drop(activity);
}

TEST(Actions, DescribeTexts) {
  Agent* a = newAgent("a");
  id p = newAgent("p");
  id list = agents({"x"});
  id group = newGroup();
  const std::string address = descriptionOf(p).substr(0, descriptionOf(p).find(':'));
  const std::string listID = descriptionOf(list).substr(0, descriptionOf(list).find('\n'));
  struct Case {
    id action;
    std::string text;  // after the action's own identifier, where it starts with one
  };
  id to = msg::createActionTo_message_(group, a, msg::logWith.sel, p);
  id call = msg::createActionCall___(group, asFunction(logCall3), p, p, p);
  id forEach = msg::createActionForEach_message_(group, list, msg::logWith.sel, p);
  const std::string listName = listID.substr(0, listID.find(", display name"));
  const Case cases[] = {
      {to, "[" + descriptionOf(a).substr(0, descriptionOf(a).find(',')) + " logWith: " + address + "]\n"},
      {forEach, "[[foreach: " + listName + "] logWith: " + address + "]\n"},
      {msg::createFAction(group, callOn(a)), "FAction\n"},
      {msg::createActionForEachHomogeneous_message(group, list, msg::logAct.sel), "[[foreach fixed: " + listName + "]"},
      {msg::createFActionForEachHeterogeneous_call(group, list, callOn(a)), "[[faction foreach: " + listName + "]"},
  };
  for (const Case& c : cases) {
    const std::string text = descriptionOf(c.action);
    EXPECT_EQ(text.substr(text.size() - std::min(text.size(), c.text.size())), c.text);
  }
  const std::string callText = descriptionOf(call);
  EXPECT_EQ(callText.substr(0, 15), "(function at 0x");
  EXPECT_EQ(callText.substr(callText.find(")(")), ")(" + address + ", " + address + ", " + address + ")\n");
  const std::string each = forEachDescriptionOf(group);
  EXPECT_EQ(each.substr(0, 11), "action is: ");
  EXPECT_NE(each.find("action is: FAction\n"), std::string::npos);
}

TEST(Actions, Refusals) {
  id group = newGroup();
  id mixed = agents({"x"});
  msg::addLast(mixed, newOtherAgent("o"));
  const Misuse cases[] = {
      {"order that is no order", [&] { msg::setDefaultOrder(group, Completed); }, "setDefaultOrder",
       "> Invalid argument value passed in call.\n"},
      {"plan that is no plan", [&] { msg::createAction(group, newAgent("a")); }, "-[ActionGroup_c createAction:]",
       "> Invalid argument value passed in call.\n"},
      {"mixed classes for a fixed for-each",
       [&] { msg::createActionForEachHomogeneous_message(group, mixed, msg::logAct.sel); },
       "-[ActionForEachHomogeneous_c createEnd]", "Collection not homogeneous"},
      {"arguments that the selector does not take",
       [&] { msg::createActionTo_message_(group, newAgent("a"), msg::logAct.sel, newAgent("p")); },
       "-[ActionTo_c createEnd]", "> message selector logAct takes 0 arguments, but the action has 1\n"},
  };
  expectReports(cases);
}

// The for-each subactivity's index offers only what the run loop uses.
TEST(Actions, ForEachIndexRefusesTheOtherIndexMessages) {
  id group = newGroup();
  msg::createActionForEach_message(group, agents({"x", "y"}), msg::stopRun.sel);
  id top = msg::activateIn(group, nil);
  clearLog();
  EXPECT_EQ(msg::run(top), Stopped);
  EXPECT_EQ(performed(), "x");
  id index = static_cast<Activity_c*>(msg::getCurrentSubactivity(top))->currentIndex;
  const std::pair<const char*, std::function<void()>> cases[] = {
      {"next", [&] { msg::next(index); }},
      {"prev", [&] { msg::prev(index); }},
      {"getOffset", [&] { msg::getOffset(index); }},
      {"remove", [&] { msg::remove_(index); }},
      {"getCollection", [&] { msg::getCollection(index); }},
  };
  for (const auto& [name, action] : cases) EXPECT_DEATH(action(), std::string("-\\[ForEachIndex_c ") + name + "\\]");
  EXPECT_EQ(msg::getStatus(msg::getCurrentSubactivity(top)), Stopped);
  clearLog();
  EXPECT_EQ(msg::run(top), Stopped);
  EXPECT_EQ(performed(), "y");
}
