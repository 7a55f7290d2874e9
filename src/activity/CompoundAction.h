// What action groups and schedules share: the order option, the making of
// each action kind for a plan, and the set of activities running a plan.
#pragma once

#include <cstdint>

#include "activity/activity.h"

// Concurrent and Randomized each set their bit; Sequential clears both.
void setOrderBits(uint32_t& bits, id order);
// Concurrent wins when both bits are set.
id orderOfBits(uint32_t bits);

// The zone in which a plan makes its actions: the component zone of the
// plan's zone, so that they are internal allocations of the plan.
id actionZoneOf(id plan);

// Each kind of action made for a plan, with its setters sent and ended.
id newPlanAction(id plan, id subplan, const char* function);
id newFAction(id plan, id call);
id newActionCall(id plan, func_t function, unsigned n, const id* args);
id newActionTo(id plan, id type, id target, SEL sel, unsigned n, const id* args);
id newActionForEachHomogeneous(id plan, id collection, SEL sel);
id newFActionForEach(id plan, id type, id collection, id call);

// The variadic creation messages pass their object arguments as an array.
template <class... A>
struct ArgList {
  static_assert(sizeof...(A) <= 3, "an action takes at most three arguments");
  id values[sizeof...(A) + 1];
  explicit ArgList(A... args) : values{args..., nil} {}
  static constexpr unsigned count = sizeof...(A);
};

// The activities running a plan, in a set made on first use.
void attachActivity(id& refs, id plan, id activity);
void detachActivity(id refs, id activity);
// The refusal to drop a plan that an unfinished activity still runs; the
// completed ones are detached from it.
void releaseActivities(id refs);
// The activity of a plan whose index stands on member, if any: a member
// removed while an activity waits or runs on it leaves through that index.
struct Activity_c;
Activity_c* activityOn(id refs, id member);
