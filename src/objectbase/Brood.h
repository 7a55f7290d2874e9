// The base class of model and observer broods: subclasses build their
// objects and schedules in buildObjects and buildActions, and activate
// their schedules in the brood from activateIn:. Its probe forms ask the
// global probe library about the brood, as BroodObject's do.
#pragma once

#include "activity/BroodProcess.h"

struct Brood : CBroodProcess {
  id buildObjects();
  id buildActions();
  id activateIn(id context);
  id getProbeMap();
  id getCompleteProbeMap();
  id getProbeForVariable(const char* name);
};
