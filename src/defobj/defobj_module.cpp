// The object model's module: its globals, symbols, types and classes, and
// the library start-up.
#include "collections/collections.h"
#include "defobj/module.h"
#include "defobj/symbols.h"

id _obj_globalZone, _obj_sessionZone, _obj_scratchZone, _obj_GCFixedRootZone, _obj_initZone;
FILE* _obj_xerror;
FILE* _obj_xdebug;

id Creating, Setting, Using, CreatingOnly, UsingOnly;

#define DEFOBJ_WARNINGS(X) \
  X(WarningMessage) X(ResourceAvailability) X(LibraryUsage) X(DefaultAssumed) X(ObsoleteFeature) \
  X(ObsoleteMessage) X(SaveWarning)
#define DEFOBJ_ERRORS(X)                                                                      \
  X(SourceMessage) X(NotImplemented) X(SubclassMustImplement) X(InvalidCombination)           \
  X(InvalidOperation) X(InvalidArgument) X(CreateSubclassing) X(CreateUsage) X(OutOfMemory)   \
  X(InvalidAllocSize) X(InternalError) X(BlockedObjectAlloc) X(BlockedObjectUsage)            \
  X(ProtocolViolation) X(LoadError) X(SaveError)
#define DEFOBJ_PLAIN_SYMBOLS(X)                                                               \
  X(t_ByteArray) X(t_LeafObject) X(t_PopulationObject) X(LanguageCOM) X(LanguageJS)           \
  X(LanguageJava) X(LanguageObjc)

// (type variable, supertypes)
#define DEFOBJ_TYPES(X)                                                                       \
  X(DefinedObject, nullptr) X(Zone, _obj_creatableType) X(Symbol, _obj_creatableType)         \
  X(EventType, nullptr) X(Warning, _obj_creatableType) X(Error, _obj_creatableType)           \
  X(Arguments, _obj_creatableType) X(Archiver, nullptr) X(LispArchiver, _obj_creatableType)   \
  X(HDF5Archiver, _obj_creatableType) X(HDF5, _obj_creatableType)                             \
  X(HDF5CompoundType, _obj_creatableType) X(FCall, _obj_creatableType)                        \
  X(FArguments, _obj_creatableType) X(CreatedClass, nullptr) X(BehaviorPhase, nullptr)

#define DEFOBJ_MODULE_CLASSES(X)                                                              \
  X(Object_s) X(Customize_s) X(CreateDrop_s) X(CreateDrop) X(CreateBy_c) X(Create_bycopy)     \
  X(Create_bysend) X(Create_byboth) X(Class_s) X(CreatedClass_s) X(BehaviorPhase_s) X(Zone_c) \
  X(ComponentZone_c) X(Symbol_c) X(EventType_c) X(Warning_c) X(Error_c) X(Type_c)             \
  X(ProgramModule_c) X(FArguments_c) X(FCall_c) X(Arguments_c)         \
  X(Archiver_c) X(LispArchiver_c) X(HDF5Archiver_c) X(Application) X(HDF5_c) X(HDF5CompoundType_c)

DEFOBJ_WARNINGS(MODULE_VARIABLE)
DEFOBJ_ERRORS(MODULE_VARIABLE)
DEFOBJ_PLAIN_SYMBOLS(MODULE_VARIABLE)
DEFOBJ_TYPES(TYPE_VARIABLE)
DEFOBJ_MODULE_CLASSES(MODULE_CLASS_VARIABLE)

TYPE_TABLE(defobjTypes, DEFOBJ_TYPES)

namespace {

id* defobjSymbols[] = {DEFOBJ_WARNINGS(MODULE_SYMBOL_ADDRESS) DEFOBJ_ERRORS(MODULE_SYMBOL_ADDRESS)
                           DEFOBJ_PLAIN_SYMBOLS(MODULE_SYMBOL_ADDRESS) nullptr};
const char* const defobjSymbolNames[] = {"0Warning", DEFOBJ_WARNINGS(MODULE_SYMBOL_NAME) "0Error",
                                         DEFOBJ_ERRORS(MODULE_SYMBOL_NAME) "0Symbol",
                                         DEFOBJ_PLAIN_SYMBOLS(MODULE_SYMBOL_NAME) nullptr};
id* defobjClasses[] = {DEFOBJ_MODULE_CLASSES(MODULE_CLASS_ADDRESS) nullptr};

void implementTypes() {
  msg::setTypeImplemented(id_Zone_c, Zone);
  msg::setTypeImplemented(id_Symbol_c, Symbol);
  msg::setTypeImplemented(id_Warning_c, Warning);
  msg::setTypeImplemented(id_Error_c, Error);
  msg::setTypeImplemented(id_FCall_c, FCall);
  msg::setTypeImplemented(id_FArguments_c, FArguments);
  msg::setTypeImplemented(id_Arguments_c, Arguments);
  msg::setTypeImplemented(id_LispArchiver_c, LispArchiver);
  msg::setTypeImplemented(id_HDF5Archiver_c, HDF5Archiver);
  msg::setTypeImplemented(id_HDF5_c, HDF5);
  msg::setTypeImplemented(id_HDF5CompoundType_c, HDF5CompoundType);
}

void setDefaultMessages() {
  msg::setMessageString(InvalidCombination,
                        "> Customization messages sent to a type are incompatible with each other\n"
                        "> or with other requirements of the type.\n");
  msg::setMessageString(InvalidArgument, "> Invalid argument value passed in call.\n");
  msg::setMessageString(OutOfMemory, "> No more memory available from the system.  Value of sbrk: %0#8x\n");
  msg::setMessageString(InvalidAllocSize,
                        "> Requested allocation size must be at least one byte.\n"
                        "> (Requested allocation size was zero.)\n");
  msg::setMessageString(BlockedObjectAlloc,
                        "> The requested operation is defined by the runtime's root class, but it\n"
                        "> is blocked: its default implementation does not fit the zone-based\n"
                        "> allocation of the object-model library.\n"
                        "> Objects of that library are allocated, freed or copied with one of\n"
                        "> the messages create:, createBegin:/createEnd, drop or copy: instead\n"
                        "> of the root class's own messages.\n");
  msg::setMessageString(BlockedObjectUsage,
                        "> The requested operation is implemented by the runtime's root class, but\n"
                        "> it is blocked because it is not part of the standard public view of\n"
                        "> the object-model library.\n"
                        "> The library's documentation describes that view and gives\n"
                        "> equivalents for most messages of the root class.\n"
                        "> This error goes away when the library is built without the\n"
                        "> compile-time option that turns these errors on.\n");
  msg::setMessageString(ProtocolViolation, "> This object does not comply with an expected protocol\n");
}

}  // namespace

MODULE_CLASS(defobj, DEFOBJ_MODULE_CLASSES)

ProgramModule_c _defobj_{{}, "defobj", nil, nil, defobjTypes, defobjSymbols, defobjSymbolNames,
                         defobjClasses, &implementTypes, &setDefaultMessages};

void initModules() {
  collections_register_classes();
  __objc_exec_class_for_all_initial_modules();
  _obj_initModule(&_defobj_);
  _obj_initModule(&_collections_);
}
