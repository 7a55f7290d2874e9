#include "activity/BroodProcess.h"

#include "activity/BroodActivity.h"
#include "activity/activity.h"
#include "defobj/Zone.h"
#include "defobj/phase.h"

namespace {

// The brood and its activity are linked for dropping: either goes first.
void notifyBrood(id, id, void* brood) { static_cast<CBroodProcess*>(brood)->activity = nil; }

void dropBroodActivity(id brood, id, void*) {
  if (id activity = static_cast<CBroodProcess*>(brood)->activity) msg::dropAllocations(activity, YES);
}

bool customizing(id object) { return object && !(object->isa->info & CLS_META) && (object->isa->info & CLS_CUSTOMIZING); }

}  // namespace

// --- creating ---

id CBroodProcess::createBegin(Class cls, id zone) {
  auto* brood = static_cast<CBroodProcess*>(CreateDrop_s::createBegin(cls, zone));
  brood->internalZone = Zone;
  return brood;
}

void CBroodProcess::setInternalZoneType(id type) { internalZone = type; }
void CBroodProcess::setSynchronizationType(id type) { syncType = type; }

// The page size goes to the zone type, customized for the brood.
void CBroodProcess::setPageSize(int size) {
  if (!customizing(internalZone)) internalZone = msg::customizeBegin(internalZone, zone());
  msg::setPageSize(internalZone, size);
}

id CBroodProcess::createEnd() {
  if (isa->info & CLS_CUSTOMIZING) {
    msg::_setCreateByMessage_toCopy(this, msg::createEnd.sel, this);
    return this;
  }
  if (customizing(internalZone)) internalZone = msg::customizeEnd(internalZone);
  if (internalZone) internalZone = msg::create(internalZone, zone());
  if (!syncType) syncType = _activity_broodSyncType;
  return CreateDrop_s::createEnd();
}

// --- using ---

id CBroodProcess::getInternalZone() { return internalZone; }
id CBroodProcess::getActivity() { return activity; }
id CBroodProcess::getSynchronizationType() { return syncType; }
id CBroodProcess::activate_() { return msg::activateIn(this, nil); }

id CBroodProcess::activateIn(id context) {
  if (activity)
    raiseAt(InvalidOperation, "-[CBroodProcess activateIn:]",
            "> Brood has already been activated.  A brood cannot be activated more than\n> once.\n");
  id z = context ? msg::getZone(context) : _activity_zone;
  id sync = msg::create(syncType, componentZoneOf(z));
  auto* a = static_cast<BroodActivity_c*>(
      activatePlan(sync, context, static_cast<Class>(id_ScheduleIndex_c), static_cast<Class>(id_BroodActivity_c)));
  a->brood = this;
  a->status = Initialized;
  activity = a;
  msg::addRef_withArgument(a, notifyBrood, this);
  msg::addRef_withArgument(this, dropBroodActivity, nullptr);
  return a;
}

id CBroodProcess::activate(id plan) { return msg::activateIn(plan, this); }

// A brood performed as an action of another plan runs below the performer.
id CBroodProcess::_performPlan_() {
  auto* a = static_cast<Activity_c*>(msg::activateIn(this, nil));
  if (auto* owner = static_cast<Activity_c*>(_activity_current)) {
    a->ownerActivity = owner;
    owner->currentSubactivity = a;
  }
  return a;
}

int CBroodProcess::getInternalTimeMultiplier() { return 1; }

void CBroodProcess::setInternalTimeMultiplier(int) {
  raiseDefaultAt(NotImplemented, "-[CBroodProcess setInternalTimeMultiplier:]");
}

id CBroodProcess::at_activate(timeval_t, id) {
  raiseDefaultAt(NotImplemented, "-[CBroodProcess at:activate:]");
  return nil;
}

id CBroodProcess::at__activate(timeval_t, timeval_t, id) {
  raiseDefaultAt(NotImplemented, "-[CBroodProcess at::activate:]");
  return nil;
}

// The objects of the internal zone go after the activity that uses them.
void CBroodProcess::drop() {
  id zone = internalZone;
  Object_s::drop();
  msg::drop(zone);
}

// --- the zone messages ---

id CBroodProcess::zoneFor(const char* function) {
  if (!internalZone) raiseDefaultAt(InvalidBroodZone, function);
  return internalZone;
}

void* CBroodProcess::alloc(size_t size) { return msg::alloc(zoneFor("-[CBroodProcess alloc:]"), size); }
id CBroodProcess::allocIVars(Class cls) { return msg::allocIVars(zoneFor("-[CBroodProcess allocIVars:]"), cls); }
id CBroodProcess::copyIVars(id object) { return msg::copyIVars(zoneFor("-[CBroodProcess copyIVars:]"), object); }

id CBroodProcess::allocIVarsComponent(Class cls) {
  return msg::allocIVarsComponent(zoneFor("-[CBroodProcess allocIVarsComponent:]"), cls);
}

id CBroodProcess::copyIVarsComponent(id object) {
  return msg::copyIVarsComponent(zoneFor("-[CBroodProcess copyIVarsComponent:]"), object);
}

void* CBroodProcess::allocBlock(size_t size) { return msg::allocBlock(zoneFor("-[CBroodProcess allocBlock:]"), size); }
void CBroodProcess::free(void* pointer) { msg::free(zoneFor("-[CBroodProcess free:]"), pointer); }
void CBroodProcess::freeIVars(id object) { msg::freeIVars(zoneFor("-[CBroodProcess freeIVars:]"), object); }

void CBroodProcess::freeIVarsComponent(id object) {
  msg::freeIVarsComponent(zoneFor("-[CBroodProcess freeIVarsComponent:]"), object);
}

void CBroodProcess::freeBlock(void* block, size_t size) {
  msg::freeBlock_blockSize(zoneFor("-[CBroodProcess freeBlock:blockSize:]"), block, size);
}

id CBroodProcess::getComponentZone() { return msg::getComponentZone(zoneFor("-[CBroodProcess getComponentZone]")); }
int CBroodProcess::getPageSize() { return msg::getPageSize(zoneFor("-[CBroodProcess getPageSize]")); }
id CBroodProcess::getPopulation() { return msg::getPopulation(zoneFor("-[CBroodProcess getPopulation]")); }

void CBroodProcess::describeForEach(id stream) {
  msg::describeForEach(zoneFor("-[CBroodProcess describeForEach:]"), stream);
}

void CBroodProcess::describeForEachID(id stream) {
  msg::describeForEachID(zoneFor("-[CBroodProcess describeForEachID:]"), stream);
}

REGISTER_CLASS(CBroodProcess, CreateDrop_s,
  ivar(&CBroodProcess::internalZone, "internalZone"),
  ivar(&CBroodProcess::syncType, "syncType"),
  ivar(&CBroodProcess::activity, "activity"),
  classMethod<&CBroodProcess::createBegin>(msg::createBegin),
  phase(Phase::Creating),
  method<&CBroodProcess::setInternalZoneType>(msg::setInternalZoneType),
  method<&CBroodProcess::setSynchronizationType>(msg::setSynchronizationType),
  method<&CBroodProcess::setPageSize>(msg::setPageSize),
  method<&CBroodProcess::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&CBroodProcess::getInternalZone>(msg::getInternalZone),
  method<&CBroodProcess::getActivity>(msg::getActivity),
  method<&CBroodProcess::getActivity>(msg::getBroodActivity),
  method<&CBroodProcess::getSynchronizationType>(msg::getSynchronizationType),
  method<&CBroodProcess::activate_>(msg::activate_),
  method<&CBroodProcess::activateIn>(msg::activateIn),
  method<&CBroodProcess::activate>(msg::activate),
  method<&CBroodProcess::_performPlan_>(msg::_performPlan_),
  method<&CBroodProcess::getInternalTimeMultiplier>(msg::getInternalTimeMultiplier),
  method<&CBroodProcess::setInternalTimeMultiplier>(msg::setInternalTimeMultiplier),
  method<&CBroodProcess::at_activate>(msg::at_activate),
  method<&CBroodProcess::at__activate>(msg::at__activate),
  method<&CBroodProcess::drop>(msg::drop),
  method<&CBroodProcess::alloc>(msg::alloc),
  method<&CBroodProcess::allocIVars>(msg::allocIVars),
  method<&CBroodProcess::copyIVars>(msg::copyIVars),
  method<&CBroodProcess::allocIVarsComponent>(msg::allocIVarsComponent),
  method<&CBroodProcess::copyIVarsComponent>(msg::copyIVarsComponent),
  method<&CBroodProcess::allocBlock>(msg::allocBlock),
  method<&CBroodProcess::free>(msg::free),
  method<&CBroodProcess::freeIVars>(msg::freeIVars),
  method<&CBroodProcess::freeIVarsComponent>(msg::freeIVarsComponent),
  method<&CBroodProcess::freeBlock>(msg::freeBlock_blockSize),
  method<&CBroodProcess::getComponentZone>(msg::getComponentZone),
  method<&CBroodProcess::getPageSize>(msg::getPageSize),
  method<&CBroodProcess::getPopulation>(msg::getPopulation),
  method<&CBroodProcess::describeForEach>(msg::describeForEach),
  method<&CBroodProcess::describeForEachID>(msg::describeForEachID))
