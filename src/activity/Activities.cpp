#include "activity/Activities.h"

#include "activity/Action.h"
#include "activity/BroodActivity.h"
#include "activity/ScheduleIndex.h"
#include "activity/activity.h"
#include "collections/List.h"
#include "defobj/Symbol.h"
#include "defobj/Zone.h"
#include "defobj/address.h"
#include "defobj/phase.h"

id _activity_current;
break_t _activity_trace;
id _activity_zone;

namespace {

Activity_c* asActivity(id a) { return static_cast<Activity_c*>(a); }

// The activity above: the owner, or, for a merged schedule between two
// performances, the brood activity it is registered in.
Activity_c* above(const Activity_c* a) {
  if (a->ownerActivity || a->topLevelAction) return a->ownerActivity;
  return a->registeredOwnerActivity;
}

const char* symbolName(id symbol) { return symbol ? static_cast<Symbol_c*>(symbol)->name : "nil"; }

}  // namespace

BOOL isKindOf(id object, id cls) {
  for (Class c = object ? object->isa : nil; c; c = c->superclass)
    if (c == cls) return YES;
  return NO;
}

void registerSubactivity(Activity_c* owner, Activity_c* sub) {
  if (!owner->activitySet) owner->activitySet = msg::create(_activity_activitySetRefsType, componentZoneOf(owner->zone()));
  msg::addLast(owner->activitySet, sub);
  sub->ownerActivity = sub->registeredOwnerActivity = owner;
}

Activity_c* createActivity(id plan, Activity_c* owner, Class indexClass, Class activityClass, id zone,
                           bool permutable) {
  auto* a = asActivity(msg::allocIVarsComponent(zone, activityClass));
  if (owner) {
    registerSubactivity(owner, a);
  } else {
    auto* placeholder = static_cast<CAction*>(msg::allocIVarsComponent(zone, static_cast<Class>(id_CAction)));
    placeholder->owner = plan;
    a->topLevelAction = placeholder;
  }
  msg::_attachActivity_(plan, a);
  a->status = Initialized;
  a->breakFunction = _activity_current ? asActivity(_activity_current)->breakFunction : _activity_trace;
  // Action groups (and concurrent schedules) draw a fresh order at each run.
  // The index is the activity's own part, outside the zone's population.
  const uint32_t bits = static_cast<Collection_any*>(plan)->bits;
  id parts = componentZoneOf(zone);
  if (permutable && (bits & BitOrder) == BitRandomized && msg::respondsTo(plan, msg::_createPermutedIndex_activity.sel)) {
    a->currentIndex = msg::_createPermutedIndex_activity(plan, parts, a);
  } else {
    a->currentIndex = msg::_createIndex_forIndexSubclass(plan, parts, indexClass);
    msg::setActivity(a->currentIndex, a);
  }
  return a;
}

id activatePlan(id plan, id context, Class indexClass, Class activityClass) {
  if (!context) return createActivity(plan, nullptr, indexClass, activityClass, _activity_zone);
  return activateUnderBrood(plan, contextBroodActivity(context), indexClass, activityClass, msg::getZone(context));
}

id performPlan(id plan, Class indexClass, Class activityClass) {
  Activity_c* owner = asActivity(_activity_current);
  Activity_c* a = createActivity(plan, owner, indexClass, activityClass, owner ? owner->zone() : _activity_zone);
  if (owner) owner->currentSubactivity = a;
  return a;
}

void detachFromPlan(Activity_c* a) {
  if (a->currentIndex && isKindOf(a->currentIndex, id_ScheduleIndex_c)) {
    static_cast<ScheduleIndex_c*>(a->currentIndex)->detach();
  } else {
    msg::drop(a->currentIndex);
    a->currentIndex = nil;
  }
  if (a->topLevelAction) static_cast<CAction*>(a->topLevelAction)->owner = nil;
}

id Activity_c::plan() const {
  if (!currentIndex || currentIndex->isa == static_cast<Class>(id_ForEachIndex_c)) return nil;
  return msg::getCollection(currentIndex);
}

Activity_c* Activity_c::leaf() {
  Activity_c* a = this;
  while (a->currentSubactivity) a = a->currentSubactivity;
  return a;
}

// --- running ---

namespace {

void auditRunRequest(Activity_c* a, const char* request) {
  if (!a->topLevelAction)
    raiseAt(SourceMessage, "auditRunRequest",
            "> can only %s a top-level activity (top-level activity will automatically\n"
            "> %s the lowest level pending activity)\n",
            request, request);
  if (a->status == Running)
    raiseAt(SourceMessage, "auditRunRequest",
            "> cannot request to %s an activity while it is already running\n> (must stop first)\n", request);
  if (a->status == Completed)
    raiseAt(SourceMessage, "auditRunRequest", "> cannot %s an activity that is already completed\n", request);
}

// Merge actions of finished activities are passed over (the activity of
// a group of merge actions passes over those in the group).
bool skipFinishedMerge(id index, id action) {
  if (!finishedMerge(action)) return false;
  msg::remove_(index);
  static_cast<CAction*>(action)->owner = nil;
  return true;
}

}  // namespace

id Activity_c::run() {
  auditRunRequest(this, "run");
  ownerActivity = asActivity(_activity_current);
  _activity_current = this;
  const id answer = msg::_run_(this);
  _activity_current = ownerActivity;
  ownerActivity = nullptr;
  return answer;
}

// The main loop of the simulation.
id Activity_c::_run_() {
  const id previous = status;
  id action;
  status = Running;
  if (previous == Released || (previous == Stopped && !currentSubactivity)) goto resume;
  if (previous == Terminated) {
    if (!currentSubactivity) return terminateWalk();
    status = Terminated;  // carried out once the subactivity has completed
  }
  for (;;) {
    while (currentSubactivity) {
      Activity_c* sub = currentSubactivity;
      _activity_current = sub;
      const id answer = msg::_run_(sub);
      _activity_current = this;
      currentSubactivity = nullptr;
      if (answer != Holding && answer != Completed) {
        currentSubactivity = sub;
        status = Stopped;
        return Stopped;
      }
      if (answer == Completed && !sub->keepEmptyFlag) {
        msg::dropAllocations(sub, YES);
      } else {
        // A waiting or kept activity outlives this performance; the
        // performer may be a group activity that goes before it.
        sub->ownerActivity = sub->registeredOwnerActivity;
      }
    }
    if (status == Terminated) return terminateWalk();
  next:
    action = msg::nextAction(currentIndex, &status);
    if (!action) goto exhausted;
    if (skipFinishedMerge(currentIndex, action)) goto next;
    goto perform;
  resume:
    // An action removed while the activity waited leaves no action at the
    // index: the index goes on from the gap.
    action = msg::get(currentIndex);
    if (!action) goto next;
  perform:
    if (breakFunction && breakFunction(this)) return interrupted();
    msg::_performAction_(action, this);
  }
exhausted:
  if (breakFunction && breakFunction(this)) return interrupted();
  return status;
}

id Activity_c::interrupted() { return status == Terminated ? terminateWalk() : status; }

id Activity_c::terminateWalk() {
  msg::setLoc(currentIndex, End);
  currentSubactivity = nullptr;
  status = Completed;
  return Completed;
}

id Activity_c::stop() {
  if (status == Terminated) return status;
  if (currentSubactivity) msg::stop(currentSubactivity);
  else breakFunction = stopFunction;
  return status;
}

id Activity_c::terminate() {
  if (currentSubactivity) msg::terminate(currentSubactivity);
  else if (status == Running) breakFunction = terminateFunction;
  return status = Terminated;
}

namespace {

id advance(Activity_c* a, const char* request, break_t install) {
  auditRunRequest(a, request);
  Activity_c* leaf = a->leaf();
  if (leaf->breakFunction == terminateFunction) {
    if (leaf->ownerActivity) leaf->ownerActivity->breakFunction = stopFunction;
  } else {
    leaf->breakFunction = install;
  }
  return msg::run(a);
}

}  // namespace

id Activity_c::nextAction_() { return advance(this, "next", installNext); }
id Activity_c::stepAction() { return advance(this, "step", installStep); }

// --- break functions ---

BOOL terminateFunction(id activity) {
  asActivity(activity)->status = Terminated;
  if (_activity_trace) _activity_trace(activity);
  return YES;
}

// A waiting schedule passes the stop up to its brood, which stops before
// its next action.
BOOL stopFunction(id activity) {
  Activity_c* a = asActivity(activity);
  Activity_c* owner = a->ownerActivity;
  a->breakFunction = _activity_trace;
  if (owner && owner->breakFunction == stopFunction) owner->breakFunction = _activity_trace;
  if (a->status == Holding) {
    if (owner) owner->breakFunction = stopFunction;
    return NO;
  }
  a->status = Stopped;
  return YES;
}

BOOL nextFunction(id activity) {
  Activity_c* a = asActivity(activity);
  Activity_c* owner = a->ownerActivity;
  a->breakFunction = _activity_trace;
  if (owner && owner->breakFunction == nextFunction) return NO;
  if (a->status == Holding) {
    if (owner) owner->breakFunction = stopFunction;
    return NO;
  }
  a->status = Stopped;
  return YES;
}

namespace {

// The action about to be performed still runs; the following check stops.
BOOL install(id activity, break_t function) {
  Activity_c* a = asActivity(activity);
  if (a->status == Completed) {
    if (a->ownerActivity) a->ownerActivity->breakFunction = function;
  } else {
    a->breakFunction = function;
  }
  if (_activity_trace) _activity_trace(activity);
  return NO;
}

}  // namespace

BOOL installNext(id activity) { return install(activity, nextFunction); }
BOOL installStep(id activity) { return install(activity, stopFunction); }

// --- readers ---

id Activity_c::getStatus() { return status; }
id Activity_c::getHoldType() { return nil; }

id Activity_c::getAction() {
  if (topLevelAction) return topLevelAction;
  return ownerActivity ? msg::get(ownerActivity->currentIndex) : nil;
}

id Activity_c::getActionType() { return plan(); }
id Activity_c::getOwnerActivity() { return topLevelAction ? nil : ownerActivity; }
id Activity_c::getControllingActivity() { return topLevelAction ? ownerActivity : nil; }

id Activity_c::getTopLevelActivity() {
  for (Activity_c* a = this; a; a = above(a))
    if (a->topLevelAction) return a;
  return nil;
}

id Activity_c::getBroodActivity() {
  for (Activity_c* a = this; a; a = above(a)) {
    if (isKindOf(a, id_BroodActivity_c)) return a;
    if (a->topLevelAction) return nil;
  }
  return nil;
}

id Activity_c::getScheduleActivity() {
  for (Activity_c* a = this; a; a = above(a)) {
    if (isKindOf(a, id_ScheduleActivity_c)) return a;
    if (a->topLevelAction) return nil;
  }
  return nil;
}

BOOL Activity_c::getSerialMode() { return YES; }

void Activity_c::setSerialMode(BOOL flag) {
  if (!flag)
    raiseAt(NotImplemented, "-[Activity_c setSerialMode:]",
            "> A concurrent processing mode that would allow multiple simultaneous\n"
            "> subactivities to be present has not been implemented for any type of\n"
            "> activity except a Brood.\n");
}

id Activity_c::getCurrentSubactivity() {
  if (!currentSubactivity && currentIndex)
    raiseAt(NotImplemented, "-[Activity_c getCurrentSubactivity]",
            "> creation of a subactivity to obtain reference to leaf-level action has\n"
            "> not yet been implemented\n");
  return currentSubactivity;
}

id Activity_c::getSubactivities() {
  raiseDefaultAt(NotImplemented, "-[Activity_c getSubactivities]");
  return nil;
}

void Activity_c::setOwnerActivity(id owner) {
  const char* function = "-[Activity_c setOwnerActivity:]";
  if (!isKindOf(owner, id_BroodActivity_c))
    raiseAt(SourceMessage, function, "> new owner activity is not a brood activity\n");
  if (!isKindOf(ownerActivity, id_BroodActivity_c))
    raiseAt(SourceMessage, function, "> cannot reassign owner activity unless running under a brood activity\n");
  if (status == Running) raiseAt(SourceMessage, function, "> cannot change owner brood while activity is running\n");
  raiseDefaultAt(NotImplemented, function);
}

void Activity_c::setKeepEmptyFlag(BOOL flag) { keepEmptyFlag = flag; }

// --- dropping ---

void Activity_c::drop() {
  if (ownerActivity) {
    const bool carriedOut = status == Terminated && leaf()->breakFunction != terminateFunction;
    if (status != Completed && !carriedOut)
      raiseAt(SourceMessage, "-[Activity_c drop]",
              "> can only drop a top-level activity or a terminated activity that is not\n"
              "> currently running\n");
  } else if (status == Running) {
    raiseAt(SourceMessage, "-[Activity_c drop]", "> cannot drop an activity while it is running\n");
  }
  msg::dropAllocations(this, YES);
}

void Activity_c::dropAllocations(BOOL) {
  if (ownerActivity && ownerActivity->currentSubactivity == this) ownerActivity->currentSubactivity = nullptr;
  // The set links its members in place: no index is needed to take one out.
  if (registeredOwnerActivity) removeMlinksMember(registeredOwnerActivity->activitySet, this);
  if (activitySet) {
    // Each subactivity leaves the set as it goes.
    while (msg::getCount(activitySet)) msg::dropAllocations(getFirstMlinksList(activitySet), YES);
    msg::drop(activitySet);
  }
  if (id p = plan()) msg::_detachActivity_(p, this);
  msg::drop(currentIndex);
  msg::drop(topLevelAction);
  Object_s::drop();
}

void Activity_c::describe(id stream) {
  char text[ObjectIDTextSize];
  Object_s::describe(stream);
  msg::catC(stream, "> current activity status: ");
  msg::catC(stream, symbolName(status));
  msg::catC(stream, "\n> compound action being processed: ");
  id p = plan();
  msg::catC(stream, p ? formatObjectID(text, p) : "nil");
  msg::catC(stream, "\n> Index of activity: \n");
  msg::describe(currentIndex, stream);
  if (currentSubactivity) {
    msg::catC(stream, "\n> describe of current subactivity follows:\n");
    msg::describe(currentSubactivity, stream);
  } else {
    msg::catC(stream, "\n> activity has no current subactivity\n");
  }
}

// --- schedule activities ---

timeval_t ScheduleActivity_c::getCurrentTime() { return static_cast<ScheduleIndex_c*>(currentIndex)->currentTime; }

id ScheduleActivity_c::stepUntil(timeval_t t) {
  id answer = nil;
  while (getCurrentTime() < t) {
    answer = msg::nextAction_(this);
    if (answer == Completed) break;
  }
  return answer ? answer : status;
}

// Its merge action leaves the brood with it.
void ScheduleActivity_c::dropAllocations(BOOL componentAlloc) {
  if (auto* merge = static_cast<CAction*>(mergeAction)) {
    if (merge->owner) msg::remove(broodActivity->plan(), merge);
    msg::drop(merge);
  }
  Activity_c::dropAllocations(componentAlloc);
}

// --- context queries ---

void _activity_context_error(const char* name) {
  if (!_activity_current)
    raiseAt(InvalidOperation, "_activity_context_error",
            "> %s(): there is no currently running activity from which\n"
            "> to obtain requested activity context information.\n"
            "> The context query macros are available only within a"
            "> compiled action being executed under a running activity.\n"
            "> They are not available when the activity is stopped\n"
            "> or otherwise inactive.\n"
            "> This includes any external probe request.\n",
            name);
  raiseAt(InvalidOperation, "_activity_context_error",
          "> %s(): an Brood or Schedule does not exist in the current"
          ">activity context from which to obtain the requested value.\n",
          name);
  __builtin_unreachable();
}

REGISTER_CLASS(Activity_c, Object_s,
  ivar(&Activity_c::ownerActivity, "ownerActivity"),
  ivar(&Activity_c::topLevelAction, "topLevelAction"),
  ivar(&Activity_c::status, "status"),
  ivar(&Activity_c::activityRefs, "activityRefs"),
  ivar(&Activity_c::registeredOwnerActivity, "registeredOwnerActivity"),
  ivar(&Activity_c::activitySet, "activitySet"),
  ivar(&Activity_c::activitySetRefs, "activitySetRefs"),
  ivar(&Activity_c::currentIndex, "currentIndex"),
  ivar(&Activity_c::currentSubactivity, "currentSubactivity"),
  ivar(&Activity_c::breakFunction, "breakFunction"),
  ivar(&Activity_c::keepEmptyFlag, "keepEmptyFlag"),
  method<&Activity_c::run>(msg::run),
  method<&Activity_c::_run_>(msg::_run_),
  method<&Activity_c::stop>(msg::stop),
  method<&Activity_c::terminate>(msg::terminate),
  method<&Activity_c::nextAction_>(msg::nextAction_),
  method<&Activity_c::stepAction>(msg::stepAction),
  method<&Activity_c::getStatus>(msg::getStatus),
  method<&Activity_c::getHoldType>(msg::getHoldType),
  method<&Activity_c::getAction>(msg::getAction),
  method<&Activity_c::getActionType>(msg::getActionType),
  method<&Activity_c::setOwnerActivity>(msg::setOwnerActivity),
  method<&Activity_c::getOwnerActivity>(msg::getOwnerActivity),
  method<&Activity_c::getSubactivities>(msg::getSubactivities),
  method<&Activity_c::getControllingActivity>(msg::getControllingActivity),
  method<&Activity_c::getTopLevelActivity>(msg::getTopLevelActivity),
  method<&Activity_c::getBroodActivity>(msg::getBroodActivity),
  method<&Activity_c::getScheduleActivity>(msg::getScheduleActivity),
  method<&Activity_c::setSerialMode>(msg::setSerialMode),
  method<&Activity_c::getSerialMode>(msg::getSerialMode),
  method<&Activity_c::getCurrentSubactivity>(msg::getCurrentSubactivity),
  method<&Activity_c::setKeepEmptyFlag>(msg::setKeepEmptyFlag),
  method<&Activity_c::drop>(msg::drop),
  method<&Activity_c::dropAllocations>(msg::dropAllocations),
  method<&Activity_c::describe>(msg::describe))

REGISTER_CLASS(ScheduleActivity_c, Activity_c,
  ivar(&ScheduleActivity_c::broodActivity, "broodActivity"),
  ivar(&ScheduleActivity_c::mergeAction, "mergeAction"),
  ivar(&ScheduleActivity_c::activationNumber, "activationNumber"),
  method<&ScheduleActivity_c::getCurrentTime>(msg::getCurrentTime),
  method<&ScheduleActivity_c::stepUntil>(msg::stepUntil),
  method<&ScheduleActivity_c::dropAllocations>(msg::dropAllocations))
