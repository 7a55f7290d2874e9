// The root class of the system's objects.
#pragma once

#include "defobj/defobj.h"
#include "runtime/Object.h"

struct Object_s : Object {
  zbits_t zbits;    // owning zone or reference list, with flag bits
  id foreignEntry;  // object-directory entry, or nil

  // Class messages.
  static const char* classGetName(Class cls);
  static Class classGetClass(Class cls);
  static Class getSuperclass(Class cls);
  static BOOL isSubclass(Class cls, Class other);
  static IMP getMethodFor(Class cls, SEL sel);
  static Class getDefiningClass(Class cls);
  static Class getNextPhase(Class cls);
  static BOOL conformsTo(Class cls, void* protocol);  // a runtime Protocol
  static id classAlloc(Class cls);
  static void setTypeImplemented(Class cls, id type);
  static id getTypeImplemented(Class cls);
  static id getOwner(Class cls);
  static void classSubclassResponsibility(Class cls, SEL sel);

  // Instance messages.
  id getZone();
  const char* getName();
  Class getClass();
  id getType();
  const char* getTypeName();
  int compare(id other);
  id perform(SEL sel);
  id perform_with(SEL sel, id a);
  id perform_with_with(SEL sel, id a, id b);
  id perform_with_with_with(SEL sel, id a, id b, id c);
  ref_t addRef_withArgument(notify_t function, void* argument);
  void removeRef(ref_t ref);
  void setDisplayName(const char* name);
  const char* getDisplayName();
  const char* getObjectName();
  void describe(id stream);
  void describeID(id stream);
  void xprint_();
  void xprintid();
  void xfprint_();
  void xfprintid();
  void drop();
  void dropAllocations(BOOL componentAlloc);
  id lispInCreate(id expr);
  id hdf5InCreate(id node);
  id doesNotRecognize(SEL sel);
  void subclassResponsibility(SEL sel);
  id forward(SEL sel, void* frame);
  id copy_();
  id free_();
  id shallowCopy();
  id deepen();
  id deepCopy();

  // Archiving forms (Object_s_archiving.cpp): a make-instance expression
  // of the type and every variable, read back by variable name.
  void lispOutShallow(id stream);
  void lispOutDeep(id stream);
  void _lispOut__deep(id stream, BOOL deep);
  void lispOutVars_deep(id stream, BOOL deep);
  id lispIn(id expr);
  // HDF5 forms: a record of a dataset (shallow), or a group with one
  // dataset per value variable and one group per object variable (deep).
  void hdf5OutShallow(id node);
  void hdf5OutDeep(id node);
  id hdf5In(id node);
  void updateArchiver(id archiver);
  // One variable written by hand: " #:name value".
  template <class T, const Message<void(T)>& cat>
  void lispSaveStream(id stream, const char* name, T value) {
    lispSaveKeyword(stream, name);
    cat(stream, value);
  }
  template <class T, unsigned type>
  void lispStoreArray(const T* array, const char* name, unsigned rank, const unsigned* dims, id stream) {
    lispSaveKeyword(stream, name);
    lispSaveArray(array, type, rank, dims, stream);
  }
  static void lispSaveKeyword(id stream, const char* name);
  static void lispSaveArray(const void* array, unsigned type, unsigned rank, const unsigned* dims, id stream);

  // The zone without the flag bits, also while the object has references.
  id zone() const;
};

// The display name set for the object, or null when it has none.
const char* storedDisplayName(id object);

// The object's public name ("Class@0x..."), or "nil".
const char* getObjectName(id object);

// The release callback of drop's mapAllocations: walk.
void _obj_dropAlloc(mapalloc_t mapalloc, BOOL internal);

// Appends text to a describe stream (anything that answers catC:).
void describeText(id stream, const char* format, ...) __attribute__((format(printf, 2, 3)));
