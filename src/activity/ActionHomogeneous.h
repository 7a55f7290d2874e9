// For-each actions over collections whose members share one class: the
// members and the method are fixed when the action is made, so each member
// costs one direct call.
#pragma once

#include "activity/Action.h"

struct ActionForEachHomogeneous_c : CAction {
  SEL selector;
  id target;  // the collection
  IMP imp;    // the members' method for selector
  unsigned targetCount;
  id* objcTargets;  // snapshot of the members

  void setTarget(id collection);
  void setMessageSelector(SEL sel);
  id createEnd();
  id getTarget();
  SEL getMessageSelector();
  void setDefaultOrder(id order);
  id getDefaultOrder();
  void _performAction_(id activity);
  void describe(id stream);
  void drop();
};

struct FActionForEachHomogeneous_c : FAction_c {
  unsigned targetCount;
  id* objcTargets;

  id createEnd();
  void setDefaultOrder(id order);
  id getDefaultOrder();
  void _performAction_(id activity);
  void describe(id stream);
  void drop();
};
