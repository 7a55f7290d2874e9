// Classes as objects of the object model: Class_s declares the runtime's
// class record; CreatedClass_s builds a class at run time; BehaviorPhase_s
// is one phase class of a split type.
#pragma once

#include "runtime/Object.h"

struct Class_s : Object {
  Class superclass;
  const char* name;
  long version;
  unsigned long info;
  long instanceSize;
  objc_ivar_list* ivarList;
  objc_method_list* methodList;
  sarray* dtable;
};
static_assert(sizeof(Class_s) == sizeof(objc_class), "Class_s declares the runtime's class record");

struct CreatedClass_s : Class_s {
  Class definingClass;
  Class metaobjects;  // the meta-class given by setClass:, until createEnd

  static id createBegin(Class cls, id zone);
  void setName(const char* className);
  void setClass(Class metaClass);
  void setSuperclass(Class super);
  void setDefiningClass(Class cls);
  void at_addMethod(SEL sel, IMP imp);
  id createEnd();
  Class getDefiningClass();

  // Archiving: the class form of the class's variables, and a copy of the
  // class extended with the variables of an archived class form. A class
  // read from HDF5 is the one its node describes; it has no HDF5 form of
  // its own. As an archiver client it stores itself under its name.
  void lispOutShallow(id stream);
  id lispInCreate(id expr);
  id hdf5InCreate(id node);
  void hdf5OutShallow(id node);
  void updateArchiver(id archiver);
};

// A finished class's class pointer is its meta-class, so the archivers'
// messages reach it as class messages; this turns a CreatedClass_s method
// into such a class message for the class that classes are made below.
template <auto F, class... A>
void finishedClassMessage(Class cls, A... args) {
  (reinterpret_cast<CreatedClass_s*>(cls)->*F)(args...);
}

struct BehaviorPhase_s : CreatedClass_s {
  id nextPhase;  // class of the next phase, or CreatingOnly / UsingOnly
  id filler;     // a customization copy keeps its create-by record here
  id morefiller;

  void setNextPhase(id phase);
  Class getNextPhase();
};

// Splits a class into its creating and using classes, once, after its
// superclasses. A class's methods go by its phase markers (phase.h).
void _obj_splitPhases(Class cls);

// The next phase of a phase class or of a customization copy of one: the
// class an object moves to at createEnd, CreatingOnly or UsingOnly for a
// type with one phase, nil for any other class (a using class among them).
id _obj_getNextPhase(Class cls);

// The class that a phase class was split from; nil for any other class.
Class definingClassOfPhase(Class cls);

// The creating class of a split class, found from the class or any of its
// phase classes; nil where it has none or is not split.
Class creatingPhaseOf(Class cls);
// The class of a finished object of cls's type: the using class (the
// creating class of a creating-only type) of a split class, else cls.
Class usingPhaseOf(Class cls);
