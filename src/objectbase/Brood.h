// The base class of model and observer broods: subclasses build their
// objects and schedules in buildObjects and buildActions, and activate
// their schedules in the brood from activateIn:.
#pragma once

#include "activity/BroodProcess.h"

struct Brood : CBroodProcess {
  id buildObjects();
  id buildActions();
  id activateIn(id context);
};
