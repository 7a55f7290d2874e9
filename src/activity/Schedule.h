// Schedules: action plans keyed by simulated time. A schedule is a sorted
// map from time to one member, a single action or an ActionConcurrent_c
// standing for the group of actions due at that time.
#pragma once

#include "activity/Action.h"
#include "collections/Map.h"

// Option bits of schedules beside those of ActionGroup.h.
inline constexpr uint32_t BitRelativeTime = 0x1000;
inline constexpr uint32_t BitRelativeTimeSet = 0x2000;
inline constexpr uint32_t BitSingletonGroups = 0x8000;

struct Schedule_c : Map_c {
  id activityRefs;  // the activities running this schedule
  id concurrentGroupType;
  timeval_t repeatInterval;
  BOOL keepEmptyFlag;

  // Creating.
  static id createBegin(Class cls, id zone);
  static id create_setRepeatInterval(Class cls, id zone, timeval_t interval);
  static id create_setAutoDrop(Class cls, id zone, BOOL flag);
  void setRelativeTime(BOOL flag);
  void setSingletonGroups(BOOL flag);
  void setConcurrentGroupType(id type);
  void setKeepEmptyFlag(BOOL flag);
  id createEnd();

  // Setting.
  void setRepeatInterval(timeval_t interval);
  void setDefaultOrder(id order);
  void setAutoDrop(BOOL flag);

  // Using.
  timeval_t getRepeatInterval();
  BOOL getAutoDrop();
  BOOL getRelativeTime();
  BOOL getSingletonGroups();
  id getConcurrentGroupType();
  id getDefaultOrder();

  id at_createAction(timeval_t t, id plan);
  id at_createFAction(timeval_t t, id call);
  template <class... A>
  id at_createActionCall(timeval_t t, func_t function, A... args);
  template <class... A>
  id at_createActionTo(timeval_t t, id target, SEL sel, A... args);
  template <class... A>
  id at_createActionForEach(timeval_t t, id collection, SEL sel, A... args);
  id at_createActionForEachHomogeneous(timeval_t t, id collection, SEL sel);
  id at_createFActionForEachHomogeneous(timeval_t t, id collection, id call);
  id at_createFActionForEachHeterogeneous(timeval_t t, id collection, id call);
  // The same at time 0.
  template <auto AtTime, class... A>
  id atZero(A... args) {
    return (this->*AtTime)(0, args...);
  }

  id insertGroup(timeval_t t);
  id remove(id action);
  id activate_();
  id activateIn(id context);
  id _performPlan_();
  void _attachActivity_(id activity);
  void _detachActivity_(id activity);
  void describeForEach(id stream);
  void drop();

  bool relative() const { return bits & BitRelativeTime; }
  void removeMember(id member);
  // A group for time t holding nothing yet, wrapped in its ActionConcurrent_c.
  id makeGroup();
  timeval_t keyTime(id key) const { return static_cast<timeval_t>(reinterpret_cast<uintptr_t>(key)); }
  static id timeKey(timeval_t t) { return reinterpret_cast<id>(static_cast<uintptr_t>(t)); }
};

// A schedule used as a concurrent group: members only by keyed insertion.
struct ConcurrentSchedule_c : Schedule_c {
  id actionConcurrent;

  static id createBegin(Class cls, id zone);
  void addLast(id action);
  void setActionConcurrent(id action);
  id getActionConcurrent();
  id remove(id action);
  id _createPermutedIndex_activity(id zone, id activity);
};

// The concurrent group of brood synchronization schedules: merge actions
// keyed by the activation number of their activity.
struct ActivationOrder_c : ConcurrentSchedule_c {
  void addLast(id action);
  id remove(id action);
};

struct ActionConcurrent_c : CAction {
  id concurrentGroup;

  id getConcurrentGroup();
  void _performAction_(id activity);
  void describe(id stream);
  void drop();
};

// Stands at the index for a single action that was changed into a group
// while it ran: performing it runs the rest of the group.
struct ActionChanged_c : CAction {
  id actionAtIndex;

  void _performAction_(id activity);
  void describe(id stream);
};

// The group that an ActionConcurrent_c stands for, when action is one.
id concurrentGroupOf(id action);
