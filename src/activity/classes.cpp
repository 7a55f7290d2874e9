// Registration of every class of the scheduling engine, before start-up.
#include "activity/activity.h"
#include "runtime/registration.h"

#define ACTIVITY_CLASSES(X)                                                                          \
  X(CAction) X(PAction) X(PFAction) X(FAction_c) X(ActionCall_c) X(ActionTo_c) X(ActionForEach_c)    \
  X(ActionForEachHomogeneous_c) X(FActionForEachHeterogeneous_c) X(FActionForEachHomogeneous_c)      \
  X(ActionGroup_c) X(ConcurrentGroup_c) X(GroupIndex_c) X(GroupPermutedIndex_c) X(Activity_c)        \
  X(ForEachActivity_c) X(ForEachIndex_c) X(Schedule_c) X(ActionConcurrent_c) X(ConcurrentSchedule_c) \
  X(ActivationOrder_c) X(ScheduleActivity_c) X(ScheduleIndex_c) X(ActionChanged_c) X(CBroodProcess)  \
  X(BroodActivity_c) X(ActionMerge_c) X(Module__activity_)

#define DECLARE(cls) DECLARE_CLASS_REGISTRATION(cls);
ACTIVITY_CLASSES(DECLARE)
#undef DECLARE

void activity_register_classes() {
  random_register_classes();
#define REGISTER(cls) objc_register_##cls();
  ACTIVITY_CLASSES(REGISTER)
#undef REGISTER
}
