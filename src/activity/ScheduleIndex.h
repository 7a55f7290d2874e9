// The index of a schedule activity: walks the schedule's times, repeats,
// and, under a brood, puts the activity's merge action at its next time.
#pragma once

#include "activity/messages.h"
#include "collections/MapIndex.h"

struct ScheduleIndex_c : MapIndex_c {
  id activity;
  id currentAction;  // Removed after a removal through the index
  timeval_t currentTime;
  timeval_t startTime;

  void setActivity(id owner);
  id nextAction(id* status);
  id get();
  id remove_();
  void setCurrentTime(timeval_t t);
  timeval_t getCurrentTime();
  void describe(id stream);
  void mapAllocations(mapalloc_t mapalloc);

  // The absolute time of key t for this index's activity.
  timeval_t absoluteTime(timeval_t t) const;
  // Forgets the schedule, keeping the times: its plan has been dropped.
  void detach();
};
