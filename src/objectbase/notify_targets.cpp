#include "objectbase/notify_targets.h"

#include "collections/collections.h"

BOOL isTargetCollection(id targets) { return targets && msg::respondsTo(targets, msg::forEach.sel); }

void forEachTarget(id targets, const std::function<void(id)>& f) {
  if (!isTargetCollection(targets)) {
    if (targets) f(targets);
    return;
  }
  id index = msg::begin(targets, _obj_scratchZone);
  while (id target = msg::next(index)) f(target);
  msg::drop(index);
}

void addTargets(id list, id targets) {
  forEachTarget(targets, [list](id target) {
    if (!msg::contains(list, target)) msg::addLast(list, target);
  });
}
