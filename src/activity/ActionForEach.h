// For-each actions that visit the members of a collection one action at a
// time: the message of an ActionForEach, or the prepared call of an
// FActionForEachHeterogeneous, goes to each member in turn from a for-each
// subactivity of the running activity.
#pragma once

#include "activity/Action.h"
#include "activity/Activities.h"
#include "activity/activity.h"

struct ActionForEach_c : ActionTo_c {
  id createEnd();
  void setDefaultOrder(id order);
  id getDefaultOrder();
  void _performAction_(id activity);
  void describe(id stream);
};

struct FActionForEachHeterogeneous_c : FAction_c {
  void setDefaultOrder(id order);
  id getDefaultOrder();
  void _performAction_(id activity);
  void describe(id stream);
};

struct ForEachActivity_c : Activity_c {
  id _run_();
  id getCurrentMember();
};

struct ForEachIndex_c : Object_s {
  id activity;
  id memberIndex;   // over the collection
  id memberAction;  // the per-member action
  IMP nextMember;   // the member index's next, looked up once for the walk (null: none)
  BOOL ended;       // the member index has answered its last member
  SEL hintMessage;  // the message whose visit hints are given ahead (null: none)
  Class hintClass;  // the last class looked up for them, and its hint
  VisitHint hint;

  void hintAhead();

  id nextAction(id* status);
  id get();
  id getLoc();
  void drop();
  // Not offered by this index.
  id setOffset(int offset);
  int getOffset();
  void setLoc(id location);
  id remove_();
  id put(id member);
  id findPrev(id member);
  id findNext(id member);
  id prev();
  id next();
  id getCollection();
};
