// Notification targets of probes and probe maps: nil, one object, or a
// collection of objects.
#pragma once

#include <functional>

#include "runtime/objc.h"

// YES for a collection of targets (anything that answers forEach:).
BOOL isTargetCollection(id targets);

// Adds the target, or each member of a collection of them, to list unless
// the list holds it already.
void addTargets(id list, id targets);

// Calls f with each target in order.
void forEachTarget(id targets, const std::function<void(id)>& f);
