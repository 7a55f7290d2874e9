// Registration of every class of the object model, before start-up.
#include "defobj/defobj.h"
#include "runtime/Object.h"
#include "runtime/registration.h"

#define DEFOBJ_CLASSES(X)                                                                  \
  X(Object_s) X(Customize_s) X(CreateDrop_s) X(CreateDrop) X(CreateBy_c) X(Create_bycopy) \
  X(Create_bysend) X(Create_byboth) X(Class_s) X(CreatedClass_s) X(BehaviorPhase_s)       \
  X(Zone_c) X(ComponentZone_c) X(Symbol_c) X(EventType_c) X(Warning_c) X(Error_c)         \
  X(Type_c) X(ProgramModule_c) X(Module_super_) X(Module__defobj_) X(FArguments_c) X(FCall_c) \
  X(Directory) X(DirectoryEntry) X(ObjectEntry) X(SelectorEntry) X(COMProxy) X(JavaProxy)         \
  X(JavaClassProxy) X(JavaCollection) X(JavaCollectionIndex)                                 \
  X(Arguments_c) X(Archiver_c) X(LispArchiver_c) X(HDF5Archiver_c) X(Application) \
  X(HDF5_c) X(HDF5CompoundType_c)

#define DECLARE(cls) DECLARE_CLASS_REGISTRATION(cls);
DEFOBJ_CLASSES(DECLARE)
#undef DECLARE

void defobj_register_classes() {
  objc_register_runtime();
#define REGISTER(cls) objc_register_##cls();
  DEFOBJ_CLASSES(REGISTER)
#undef REGISTER
}
