#include "defobj/Object_s.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "collections/collections.h"
#include "defobj/Class_s.h"
#include "defobj/address.h"
#include "defobj/archiving_messages.h"
#include "defobj/hdf5_messages.h"
#include "defobj/fcall_type.h"
#include "defobj/module.h"
#include "misc/avl.h"
#include "misc/debugabort.h"
#include "runtime/protocol.h"

namespace {

// The reference lists of all objects are clones of one ordered set whose
// member link sits in the reference record.
id suballocPrototype;

id makeRefList(id zone) {
  if (!suballocPrototype) {
    suballocPrototype = msg::createBegin(OrderedSet, _obj_globalZone);
    msg::setIndexFromMemberLoc(suballocPrototype, RefListLinkOffset);
    suballocPrototype = msg::createEnd(suballocPrototype);
  }
  const size_t size = suballocPrototype->isa->instanceSize;
  auto* list = static_cast<Object_s*>(msg::allocBlock(zone, size));
  std::memcpy(static_cast<void*>(list), suballocPrototype, size);
  list->zbits = reinterpret_cast<zbits_t>(zone);
  return list;
}

size_t blockSize(const ref_s* ref) { return static_cast<const size_t*>(ref->argument)[0]; }
size_t blockOrder(const ref_s* ref) { return static_cast<const size_t*>(ref->argument)[1]; }

void freeRef(id zone, ref_s* ref) { msg::freeBlock_blockSize(zone, ref, sizeof(ref_s)); }

// Display names, keyed by object identity. Each entry holds a copy of the
// name from _obj_sessionZone.
struct DisplayName {
  id object;
  char* name;
};

avl_tree* displayNames;

int compareEntries(const void* a, const void* b, void*) {
  return avl_compare_pointers(static_cast<const DisplayName*>(a)->object,
                              static_cast<const DisplayName*>(b)->object, nullptr);
}

DisplayName* findDisplayName(id object) {
  if (!displayNames) return nullptr;
  DisplayName key{object, nullptr};
  return static_cast<DisplayName*>(avl_find(displayNames, &key));
}

void freeName(char* name) { msg::freeBlock_blockSize(_obj_sessionZone, name, std::strlen(name) + 1); }

// Keeps the display-name table in step with the object: a drop removes
// its entry, a move re-keys it.
void displayNameNotify(id object, id reallocAddress, void*) {
  DisplayName* entry = findDisplayName(object);
  if (!entry) return;
  avl_delete(displayNames, entry);
  if (reallocAddress) {
    entry->object = reallocAddress;
    avl_insert(displayNames, entry);
    return;
  }
  freeName(entry->name);
  msg::freeBlock_blockSize(_obj_sessionZone, entry, sizeof(DisplayName));
}

IMP implementationFor(id self, SEL sel) {
  IMP imp = get_imp(self->isa, sel);
  if (!imp) raiseAt(InvalidArgument, "-[Object(s) _perform:]", "> message selector not valid\n");
  return imp;
}

}  // namespace

void describeText(id stream, const char* format, ...) {
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  msg::catC(stream, text);
}

// --- class messages ---

const char* Object_s::classGetName(Class cls) { return cls->name; }
Class Object_s::classGetClass(Class cls) { return cls; }
Class Object_s::getSuperclass(Class cls) { return cls->superclass; }

BOOL Object_s::isSubclass(Class cls, Class other) {
  for (Class c = cls; c; c = c->superclass)
    if (c == other) return YES;
  return NO;
}

IMP Object_s::getMethodFor(Class cls, SEL sel) { return get_imp(cls, sel); }
Class Object_s::getDefiningClass(Class cls) { return definingClassOfPhase(cls); }
Class Object_s::getNextPhase(Class cls) { return static_cast<Class>(_obj_getNextPhase(cls)); }

// A class made at run time (a phase class among them) conforms as the
// class it was made from.
BOOL Object_s::conformsTo(Class cls, void* protocol) {
  if (cls->info & CLS_RUNTIME_MADE)
    if (const Class defining = reinterpret_cast<CreatedClass_s*>(cls)->definingClass)
      return msg::conformsTo(defining, protocol);
  return class_conforms_to(cls, static_cast<Protocol*>(protocol));
}

id Object_s::classAlloc(Class) {
  raiseDefaultAt(BlockedObjectAlloc, "+[Object(s) _alloc]");
  return nil;
}

namespace {

const char* moduleName(id module) {
  return module ? static_cast<ProgramModule_c*>(module)->name : "(none)";
}

}  // namespace

// Records cls as the implementation of the type; only a module's implement
// function may do so, for its own classes.
void Object_s::setTypeImplemented(Class cls, id type) {
  if (!_obj_implModule)
    raiseAt(SourceMessage, "+[Object(s) _setTypeImplemented:]",
            "> setTypeImplemented: implementating classes for types can only be declared\n"
            "> from a module \"_implement\" function\n");
  if (!type)
    raiseAt(InvalidArgument, "+[Object(s) _setTypeImplemented:]",
            "> setTypeImplemented: argument is nil\n"
            "> (argument may be an uninitialized type from an uninitialized module)\n"
            "> Module currently being initialized is: %s\n",
            moduleName(_obj_implModule));
  static Class typeClass = objc_get_class("Type_c");
  if (!isSubclass(type->isa, typeClass))
    raiseAt(InvalidArgument, "+[Object(s) _setTypeImplemented:]", "> setTypeImplemented: argument is not a type object\n");
  classData_t data = _obj_getClassData(cls);
  if (data->owner != _obj_implModule)
    raiseAt(SourceMessage, "+[Object(s) _setTypeImplemented:]",
            "> setTypeImplemented: class %s in module %s does not belong to module\n"
            "> currently being initialized (%s)\n",
            cls->name, moduleName(data->owner), moduleName(_obj_implModule));
  if (data->typeImplemented && data->typeImplemented != type)
    raiseAt(SourceMessage, "+[Object(s) _setTypeImplemented:]",
            "> setTypeImplemented: class %s, requested to implement the type %s,\n"
            "> has already been specified as the implementation of type %s\n",
            cls->name, static_cast<Type_c*>(type)->name, static_cast<Type_c*>(data->typeImplemented)->name);
  data->typeImplemented = type;
}

id Object_s::getTypeImplemented(Class cls) { return _obj_getClassData(cls)->typeImplemented; }
id Object_s::getOwner(Class cls) { return _obj_getClassData(cls)->owner; }

// --- instance messages ---

id Object_s::zone() const {
  zbits_t bits = zbits;
  if (bits & BitHasRefs) bits = reinterpret_cast<const Object_s*>(bits & ~ZbitsFlags)->zbits;
  return reinterpret_cast<id>(bits & ~ZbitsFlags);
}

id Object_s::getZone() { return zone(); }
const char* Object_s::getName() { return isa->name; }
Class Object_s::getClass() { return isa; }
id Object_s::getType() { return _obj_getClassData(isa)->typeImplemented; }

const char* Object_s::getTypeName() {
  id type = getType();
  return type ? static_cast<Type_c*>(type)->name : isa->name;
}

int Object_s::compare(id other) {
  const auto self = reinterpret_cast<uintptr_t>(this), that = reinterpret_cast<uintptr_t>(other);
  return self < that ? -1 : self > that ? 1 : 0;
}

id Object_s::perform(SEL sel) { return imp_cast<id (*)(id, SEL)>(implementationFor(this, sel))(this, sel); }

id Object_s::perform_with(SEL sel, id a) {
  return imp_cast<id (*)(id, SEL, id)>(implementationFor(this, sel))(this, sel, a);
}

id Object_s::perform_with_with(SEL sel, id a, id b) {
  return imp_cast<id (*)(id, SEL, id, id)>(implementationFor(this, sel))(this, sel, a, b);
}

id Object_s::perform_with_with_with(SEL sel, id a, id b, id c) {
  return imp_cast<id (*)(id, SEL, id, id, id)>(implementationFor(this, sel))(this, sel, a, b, c);
}

ref_t Object_s::addRef_withArgument(notify_t function, void* argument) {
  id zone = this->zone();
  if (!(zbits & BitHasRefs))
    zbits = reinterpret_cast<zbits_t>(makeRefList(zone)) | (zbits & ZbitsFlags) | BitHasRefs;
  id refs = reinterpret_cast<id>(zbits & ~ZbitsFlags);
  auto* ref = static_cast<ref_s*>(msg::allocBlock(zone, sizeof(ref_s)));
  *ref = {function, argument, {nullptr, nullptr}};
  if (function) {
    msg::addLast(refs, reinterpret_cast<id>(ref));
    return ref;
  }
  // Owned blocks stay in front of the notifications, in descending order
  // of the block's second word.
  id index = msg::begin(refs, _obj_scratchZone);
  BOOL placed = NO;
  for (auto* r = reinterpret_cast<ref_s*>(msg::next(index)); msg::getLoc(index) == Member;
       r = reinterpret_cast<ref_s*>(msg::next(index)))
    if (r->function || blockOrder(r) <= blockOrder(ref)) {
      msg::addBefore(index, reinterpret_cast<id>(ref));
      placed = YES;
      break;
    }
  if (!placed) msg::addLast(refs, reinterpret_cast<id>(ref));
  msg::drop(index);
  return ref;
}

void Object_s::removeRef(ref_t ref) {
  if (!(zbits & BitHasRefs)) {
    if (_obj_debug)
      raiseAt(InvalidOperation, "-[Object(s) _removeRef:]",
              "> object from which reference to be removed does not have any references\n");
    return;
  }
  // A record that drop has already taken out (its notification is running)
  // is left to drop.
  if (!ref->links[0]) return;
  msg::remove(reinterpret_cast<id>(zbits & ~ZbitsFlags), reinterpret_cast<id>(ref));
  freeRef(zone(), ref);
}

void Object_s::setDisplayName(const char* name) {
  char generated[ObjectIDTextSize];
  if (!name) name = formatObjectID(generated, this);
  const size_t size = std::strlen(name) + 1;
  auto* copy = static_cast<char*>(msg::allocBlock(_obj_sessionZone, size));
  std::memcpy(copy, name, size);
  if (DisplayName* entry = findDisplayName(this)) {
    freeName(entry->name);
    entry->name = copy;
    return;
  }
  if (!displayNames) displayNames = avl_create(compareEntries, nullptr);
  auto* entry = static_cast<DisplayName*>(msg::allocBlock(_obj_sessionZone, sizeof(DisplayName)));
  *entry = {this, copy};
  avl_insert(displayNames, entry);
  addRef_withArgument(displayNameNotify, nullptr);
}

const char* storedDisplayName(id object) {
  DisplayName* entry = findDisplayName(object);
  return entry ? entry->name : nullptr;
}

const char* Object_s::getDisplayName() {
  if (!findDisplayName(this)) {
    const char* name = msg::getName(this);
    if (!name) return nullptr;
    msg::setDisplayName(this, name);
  }
  return storedDisplayName(this);
}

// The class name, as the bridge writes it: an object that answers getName
// with a name of its own still has this one name.
const char* Object_s::getObjectName() {
  static char text[ObjectNameTextSize];
  return formatObjectName(text, isa, this);
}

const char* getObjectName(id object) { return object ? msg::getObjectName(object) : "nil"; }

void Object_s::describe(id stream) { msg::describeID(this, stream); }

void Object_s::describeID(id stream) {
  char text[ObjectIDTextSize];
  msg::catC(stream, formatObjectID(text, this));
  if (const char* name = msg::getDisplayName(this)) {
    msg::catC(stream, ", display name: ");
    msg::catC(stream, name);
  }
  msg::catC(stream, "\n");
}

void _obj_dropAlloc(mapalloc_t mapalloc, BOOL internal) {
  auto* object = static_cast<Object_s*>(mapalloc->alloc);
  if (internal) msg::dropAllocations(object, YES);
  else if (mapalloc->descriptor == t_ByteArray)
    msg::freeBlock_blockSize(mapalloc->zone, mapalloc->alloc, mapalloc->size);
  else if (mapalloc->descriptor == t_PopulationObject) msg::dropAllocations(object, NO);
  else if (mapalloc->descriptor == t_LeafObject) {
    object->zbits &= ~BitInternalAlloc;
    msg::dropAllocations(object, YES);
  } else
    raiseAt(InvalidArgument, "_obj_dropAlloc", "> unrecognized descriptor of allocated block\n> in mapAlloc() call\n");
}

void Object_s::drop() {
  id zone = this->zone();
  id refs = nil;
  if (zbits & BitHasRefs) {
    refs = reinterpret_cast<id>(zbits & ~ZbitsFlags);
    // Newest notification first. Each record is unlinked before its
    // function runs, so the function may remove other references safely.
    while (msg::getCount(refs)) {
      auto* ref = reinterpret_cast<ref_s*>(msg::getLast(refs));
      if (!ref->function) break;
      msg::removeLast(refs);
      ref->links[0] = ref->links[1] = nullptr;
      ref->function(this, nil, ref->argument);
      freeRef(zone, ref);
    }
    zbits = reinterpret_cast<zbits_t>(zone) | (zbits & (BitComponentAlloc | BitInternalAlloc));
  }
  if (zbits & BitInternalAlloc) {
    mapalloc_s mapalloc{_obj_dropAlloc, nullptr, nil, zone, 0};
    msg::mapAllocations(this, &mapalloc);
  }
  if (refs) {
    while (msg::getCount(refs)) {
      auto* ref = reinterpret_cast<ref_s*>(msg::removeFirst(refs));
      msg::freeBlock_blockSize(zone, ref->argument, blockSize(ref));
      freeRef(zone, ref);
    }
    msg::freeBlock_blockSize(zone, refs, refs->isa->instanceSize);
  }
  if (zbits & BitComponentAlloc) msg::freeIVarsComponent(zone, this);
  else msg::freeIVars(zone, this);
}

void Object_s::dropAllocations(BOOL componentAlloc) {
  if (componentAlloc && !(zbits & BitComponentAlloc))
    raiseAt(InvalidOperation, "-[Object(s) _dropAllocations:]",
            "object was allocated as a free-standing object but dropAllocations: requested drop as a "
            "component allocation\n");
  if (!componentAlloc && (zbits & BitComponentAlloc))
    raiseAt(InvalidOperation, "-[Object(s) _dropAllocations:]",
            "object was allocated as a component allocation but dropAllocations: requested drop as a "
            "free-standing object\n");
  msg::drop(this);
}

id Object_s::lispInCreate(id) { return this; }
id Object_s::hdf5InCreate(id) { return this; }

id Object_s::doesNotRecognize(SEL sel) {
  raiseAt(InvalidArgument, "-[Object(s) _doesNotRecognize:]", "%s does not recognize %s\n",
          msg::getName(this), sel_get_name(sel));
  return nil;
}

namespace {

// A class that declares a message for its subclasses to implement sends
// subclassResponsibility: from its own version of it.
void raiseSubclassMustImplement(const char* function, Class cls, SEL sel) {
  raiseAt(SubclassMustImplement, function, "> class %s: %s must be implemented by a subclass\n", cls->name,
          sel_get_name(sel));
}

}  // namespace

void Object_s::subclassResponsibility(SEL sel) {
  raiseSubclassMustImplement("-[Object(s) _subclassResponsibility:]", isa, sel);
}

void Object_s::classSubclassResponsibility(Class cls, SEL sel) {
  raiseSubclassMustImplement("+[Object(s) _subclassResponsibility:]", cls, sel);
}

// No object of this program has a counterpart in a foreign host, so every
// forwarded message ends in doesNotRecognize:.
id Object_s::forward(SEL sel, void*) {
  if (!sel_get_type(sel)) {
    sel = sel_get_any_typed_uid(sel_get_name(sel));
    if (!sel) debugabort("DefObject", 640, "-[Object(s) _forward::]");
  }
  return msg::doesNotRecognize(this, sel);
}

// The runtime root's copying and freeing bypass zones.
id Object_s::copy_() {
  raiseDefaultAt(BlockedObjectAlloc, "-[Object(s) _copy]");
  return nil;
}
id Object_s::free_() {
  raiseDefaultAt(BlockedObjectAlloc, "-[Object(s) _free]");
  return nil;
}
id Object_s::shallowCopy() {
  raiseDefaultAt(BlockedObjectAlloc, "-[Object(s) _shallowCopy]");
  return nil;
}
id Object_s::deepen() {
  raiseDefaultAt(BlockedObjectAlloc, "-[Object(s) _deepen]");
  return nil;
}
id Object_s::deepCopy() {
  raiseDefaultAt(BlockedObjectAlloc, "-[Object(s) _deepCopy]");
  return nil;
}

REGISTER_CLASS(Object_s, Object,
  ivar(&Object_s::zbits, "zbits"),
  ivar(&Object_s::foreignEntry, "foreignEntry"),
  classMethod<&Object_s::classGetName>(msg::getName),
  classMethod<&Object_s::classGetClass>(msg::getClass),
  classMethod<&Object_s::getSuperclass>(msg::getSuperclass),
  classMethod<&Object_s::isSubclass>(msg::isSubclass),
  classMethod<&Object_s::getMethodFor>(msg::getMethodFor),
  classMethod<&Object_s::getDefiningClass>(msg::getDefiningClass),
  classMethod<&Object_s::getNextPhase>(msg::getNextPhase),
  classMethod<&Object_s::conformsTo>(msg::conformsTo),
  classMethod<&Object_s::classAlloc>(msg::alloc_),
  classMethod<&Object_s::setTypeImplemented>(msg::setTypeImplemented),
  classMethod<&Object_s::getTypeImplemented>(msg::getTypeImplemented),
  classMethod<&Object_s::getOwner>(msg::getOwner),
  classMethod<&Object_s::classSubclassResponsibility>(msg::subclassResponsibility),
  method<&Object_s::lispInCreate>(msg::lispInCreate),
  method<&Object_s::hdf5InCreate>(msg::hdf5InCreate),
  method<&Object_s::lispOutShallow>(msg::lispOutShallow),
  method<&Object_s::lispOutDeep>(msg::lispOutDeep),
  method<&Object_s::_lispOut__deep>(msg::_lispOut__deep),
  method<&Object_s::lispOutVars_deep>(msg::lispOutVars_deep),
  method<&Object_s::lispIn>(msg::lispIn),
  method<&Object_s::hdf5OutShallow>(msg::hdf5OutShallow),
  method<&Object_s::hdf5OutDeep>(msg::hdf5OutDeep),
  method<&Object_s::hdf5In>(msg::hdf5In),
  method<&Object_s::updateArchiver>(msg::updateArchiver),
  method<&Object_s::lispSaveStream<BOOL, msg::catBoolean>>(msg::lispSaveStream_Boolean_Value),
  method<&Object_s::lispSaveStream<char, msg::catChar>>(msg::lispSaveStream_Char_Value),
  method<&Object_s::lispSaveStream<short, msg::catShort>>(msg::lispSaveStream_Short_Value),
  method<&Object_s::lispSaveStream<unsigned short, msg::catUnsignedShort>>(msg::lispSaveStream_UnsignedShort_Value),
  method<&Object_s::lispSaveStream<int, msg::catInt>>(msg::lispSaveStream_Integer_Value),
  method<&Object_s::lispSaveStream<unsigned, msg::catUnsigned>>(msg::lispSaveStream_Unsigned_Value),
  method<&Object_s::lispSaveStream<long, msg::catLong>>(msg::lispSaveStream_Long_Value),
  method<&Object_s::lispSaveStream<unsigned long, msg::catUnsignedLong>>(msg::lispSaveStream_UnsignedLong_Value),
  method<&Object_s::lispSaveStream<long long, msg::catLongLong>>(msg::lispSaveStream_LongLong_Value),
  method<&Object_s::lispSaveStream<unsigned long long, msg::catUnsignedLongLong>>(
      msg::lispSaveStream_UnsignedLongLong_Value),
  method<&Object_s::lispSaveStream<float, msg::catFloat>>(msg::lispSaveStream_Float_Value),
  method<&Object_s::lispSaveStream<double, msg::catDouble>>(msg::lispSaveStream_Double_Value),
  method<&Object_s::lispStoreArray<BOOL, fcall_type_boolean>>(msg::lispStoreBooleanArray_Keyword_Rank_Dims_Stream),
  method<&Object_s::lispStoreArray<char, fcall_type_schar>>(msg::lispStoreCharArray_Keyword_Rank_Dims_Stream),
  method<&Object_s::lispStoreArray<short, fcall_type_sshort>>(msg::lispStoreShortArray_Keyword_Rank_Dims_Stream),
  method<&Object_s::lispStoreArray<int, fcall_type_sint>>(msg::lispStoreIntegerArray_Keyword_Rank_Dims_Stream),
  method<&Object_s::lispStoreArray<unsigned, fcall_type_uint>>(msg::lispStoreUnsignedArray_Keyword_Rank_Dims_Stream),
  method<&Object_s::lispStoreArray<long, fcall_type_slong>>(msg::lispStoreLongArray_Keyword_Rank_Dims_Stream),
  method<&Object_s::lispStoreArray<unsigned long, fcall_type_ulong>>(
      msg::lispStoreUnsignedLongArray_Keyword_Rank_Dims_Stream),
  method<&Object_s::lispStoreArray<long long, fcall_type_slonglong>>(
      msg::lispStoreLongLongArray_Keyword_Rank_Dims_Stream),
  method<&Object_s::lispStoreArray<unsigned long long, fcall_type_ulonglong>>(
      msg::lispStoreUnsignedLongLongArray_Keyword_Rank_Dims_Stream),
  method<&Object_s::lispStoreArray<float, fcall_type_float>>(msg::lispStoreFloatArray_Keyword_Rank_Dims_Stream),
  method<&Object_s::lispStoreArray<double, fcall_type_double>>(msg::lispStoreDoubleArray_Keyword_Rank_Dims_Stream),
  method<&Object_s::lispStoreArray<long double, fcall_type_long_double>>(
      msg::lispStoreLongDoubleArray_Keyword_Rank_Dims_Stream),
  method<&Object_s::getZone>(msg::getZone),
  method<&Object_s::getName>(msg::getName),
  method<&Object_s::getClass>(msg::getClass),
  method<&Object_s::getType>(msg::getType),
  method<&Object_s::getTypeName>(msg::getTypeName),
  method<&Object_s::compare>(msg::compare),
  method<&Object_s::perform>(msg::perform),
  method<&Object_s::perform_with>(msg::perform_with),
  method<&Object_s::perform_with_with>(msg::perform_with_with),
  method<&Object_s::perform_with_with_with>(msg::perform_with_with_with),
  method<&Object_s::addRef_withArgument>(msg::addRef_withArgument),
  method<&Object_s::removeRef>(msg::removeRef),
  method<&Object_s::setDisplayName>(msg::setDisplayName),
  method<&Object_s::getDisplayName>(msg::getDisplayName),
  method<&Object_s::getObjectName>(msg::getObjectName),
  method<&Object_s::describe>(msg::describe),
  method<&Object_s::describeID>(msg::describeID),
  method<&Object_s::xprint_>(msg::xprint_),
  method<&Object_s::xprintid>(msg::xprintid),
  method<&Object_s::xfprint_>(msg::xfprint_),
  method<&Object_s::xfprintid>(msg::xfprintid),
  method<&Object_s::drop>(msg::drop),
  method<&Object_s::dropAllocations>(msg::dropAllocations),
  method<&Object_s::doesNotRecognize>(msg::doesNotRecognize),
  method<&Object_s::subclassResponsibility>(msg::subclassResponsibility),
  method<&Object_s::forward>(msg::forward),
  method<&Object_s::copy_>(msg::copy_),
  method<&Object_s::free_>(msg::free_),
  method<&Object_s::shallowCopy>(msg::shallowCopy),
  method<&Object_s::deepen>(msg::deepen),
  method<&Object_s::deepCopy>(msg::deepCopy))
