// Action groups: ordered sets of actions performed one after another as
// one activity. Their members are linked through each action's
// ownerActions field, so adding an action costs no allocation.
#pragma once

#include "activity/messages.h"
#include "collections/OrderedSet.h"
#include "collections/PermutedIndex.h"

struct ActionGroup_c : OrderedSet_c {
  id activityRefs;  // the activities running this group

  id createEnd();
  void setDefaultOrder(id order);
  id getDefaultOrder();
  void setAutoDrop(BOOL flag);
  BOOL getAutoDrop();

  id createAction(id plan);
  id createFAction(id call);
  template <class... A>
  id createActionCall(func_t function, A... args);
  template <class... A>
  id createActionTo(id target, SEL sel, A... args);
  template <class... A>
  id createActionForEach(id collection, SEL sel, A... args);
  id createActionForEachHomogeneous(id collection, SEL sel);
  id createFActionForEachHomogeneous(id collection, id call);
  id createFActionForEachHeterogeneous(id collection, id call);

  id activate_();
  id activateIn(id context);
  id _performPlan_();
  void _attachActivity_(id activity);
  void _detachActivity_(id activity);
  id _createPermutedIndex_activity(id zone, id activity);
  void describeForEach(id stream);
  void drop();
};

// The group of actions due at one time in a schedule.
struct ConcurrentGroup_c : ActionGroup_c {
  id actionConcurrent;  // the action that stands for the group in its schedule

  void setActionConcurrent(id action);
  id getActionConcurrent();
  id remove(id action);
};

struct GroupIndex_c : ListIndex_mlinks {
  id activity;

  void setActivity(id owner);
  id nextAction(id* status);
};

struct GroupPermutedIndex_c : PermutedIndex_c {
  id activity;

  void setActivity(id owner);
  id nextAction(id* status);
  id getCollection();
};
