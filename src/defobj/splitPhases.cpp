// The phase split of the classes that implement public types: a creating
// class ("Zone_c.Creating") with the creation-time methods and a using
// class (named as the class) with the usage methods, so that a message sent
// in the wrong phase is not understood.
#include <cstring>

#include "defobj/Class_s.h"
#include "defobj/defobj.h"
#include "defobj/module.h"

namespace {

BehaviorPhase_s* phaseRecord(Class cls) { return reinterpret_cast<BehaviorPhase_s*>(cls); }

Class creatingClass(classData_t data) {
  Class first = data->initialPhase;
  return first && phaseRecord(first)->nextPhase != UsingOnly ? first : nil;
}

Class usingClass(classData_t data) {
  Class first = data->initialPhase;
  if (!first) return nil;
  id next = phaseRecord(first)->nextPhase;
  if (next == UsingOnly) return first;
  return next == CreatingOnly ? nil : static_cast<Class>(next);
}

bool isMarker(Method m) { return std::strncmp(sel_get_name(m->method_name), "_I_", 3) == 0; }

id markerPhase(Method m) { return imp_cast<id (*)(id, SEL)>(m->method_imp)(nil, m->method_name); }

methodDefs_t newRun(id phase, Method first) {
  auto* run = static_cast<methodDefs_t>(_obj_initAlloc(sizeof(methodDefs_s)));
  run->interfaceID = phase;
  run->firstEntry = first;
  return run;
}

// The runs of a class's own methods, in declaration order; methods before
// the first marker are Using. The runtime gives each class one method list.
methodDefs_t methodRuns(Class cls) {
  methodDefs_t first = nil, run = nil;
  auto append = [&](methodDefs_t next) { (run ? run->next : first) = next; run = next; };
  for (objc_method_list* list = cls->methodList; list; list = list->method_next)
    for (int i = 0; i < list->method_count; i++) {
      Method m = &list->method_list[i];
      if (isMarker(m)) {
        append(newRun(markerPhase(m), m + 1));
        continue;
      }
      if (!run) append(newRun(Using, m));
      run->count++;
    }
  return first;
}

void checkRuns(Class cls, methodDefs_t runs) {
  for (methodDefs_t run = runs; run; run = run->next) {
    const id p = run->interfaceID;
    if ((p == CreatingOnly || p == UsingOnly) && run != runs)
      raiseAt(SourceMessage, "_obj_splitPhases",
              "> setTypeImplemented: class %s: cannot specify any other phase\n"
              "> in combination with CreatingOnly or UsingOnly\n",
              cls->name);
    if (p != Creating && p != Setting && p != Using && p != CreatingOnly && p != UsingOnly)
      raiseAt(SourceMessage, "_obj_splitPhases", "> setTypeImplemented: invalid phase marker in class %s\n",
              cls->name);
  }
}

// The nearest ancestor's phase class of one kind; an ancestor that is not
// split (Object_s, above Customize_s) serves itself.
Class nearestPhase(Class cls, Class (*kind)(classData_t)) {
  for (Class s = cls->superclass; s; s = s->superclass) {
    classData_t data = _obj_getClassData(s);
    if (!data->initialPhase) return s;
    if (Class phase = kind(data)) return phase;
  }
  return nil;
}

id makePhase(Class cls, const char* name, Class meta, Class super) {
  id phase = msg::createBegin(id_BehaviorPhase_s, _obj_initZone);
  msg::setName(phase, name);
  msg::setClass(phase, meta);
  msg::setDefiningClass(phase, cls);
  msg::setSuperclass(phase, super);
  return phase;
}

const char* creatingName(Class cls) {
  static const char suffix[] = ".Creating";
  const size_t length = std::strlen(cls->name);
  auto* name = static_cast<char*>(_obj_initAlloc(length + sizeof suffix));
  std::memcpy(name, cls->name, length);
  std::memcpy(name + length, suffix, sizeof suffix);
  return name;
}

void addMethods(id phaseClass, methodDefs_t run) {
  for (int i = 0; i < run->count; i++)
    msg::at_addMethod(phaseClass, run->firstEntry[i].method_name, run->firstEntry[i].method_imp);
}

}  // namespace

void _obj_splitPhases(Class cls) {
  classData_t data = _obj_getClassData(cls);
  if (data->initialPhase) return;
  const bool base = class_get_number(cls) == class_get_number(static_cast<Class>(id_Customize_s));
  // CreateDrop keeps one class for every phase, so the phase classes of a
  // type implemented below it (Arguments_c) stand on CreateDrop itself.
  const bool onCreateDrop = cls->superclass && class_get_number(cls->superclass) ==
                                                   class_get_number(static_cast<Class>(id_CreateDrop));
  if (!base && cls->superclass && !onCreateDrop) _obj_splitPhases(cls->superclass);

  data->metaobjects = methodRuns(cls);
  checkRuns(cls, data->metaobjects);
  const id first = data->metaobjects ? data->metaobjects->interfaceID : nil;

  id creating = nil, using_ = nil;
  if (first != UsingOnly)
    creating = makePhase(cls, creatingName(cls), cls->isa, nearestPhase(cls, creatingClass));
  if (first != CreatingOnly)
    using_ = makePhase(cls, cls->name, static_cast<Class>(id_Object_s)->isa, nearestPhase(cls, usingClass));

  for (methodDefs_t run = data->metaobjects; run; run = run->next) {
    const id p = run->interfaceID;
    if (creating && (p == Creating || p == Setting || p == CreatingOnly)) addMethods(creating, run);
    if (using_ && (p == Using || p == Setting || p == UsingOnly)) addMethods(using_, run);
  }

  // The next phase is set while the records still answer their own
  // messages: createEnd turns them into classes.
  if (creating) {
    msg::setNextPhase(creating, using_ ? using_ : CreatingOnly);
    msg::createEnd(creating);
    data->initialPhase = static_cast<Class>(creating);
  } else {
    msg::setNextPhase(using_, UsingOnly);
    data->initialPhase = static_cast<Class>(using_);
  }
  if (using_) msg::createEnd(using_);
  if (data->classID) *data->classID = usingPhaseOf(cls);
}

id _obj_getNextPhase(Class cls) {
  if (cls->info & CLS_CUSTOMIZING) return phaseRecord(cls)->nextPhase;
  classData_t data = _obj_getClassData(cls);
  if (cls != creatingClass(data) && cls != usingClass(data)) return nil;
  return phaseRecord(cls)->nextPhase;
}

Class creatingPhaseOf(Class cls) { return creatingClass(_obj_getClassData(cls)); }

Class usingPhaseOf(Class cls) {
  classData_t data = _obj_getClassData(cls);
  if (!data->initialPhase) return cls;
  Class phase = usingClass(data);
  return phase ? phase : data->initialPhase;
}
