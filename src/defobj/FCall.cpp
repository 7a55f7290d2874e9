#include "defobj/FCall.h"

#include <cstring>

#include "defobj/phase.h"
#include "misc/debugabort.h"

namespace {

ffi_type* const ffi_types[FCALL_TYPE_COUNT] = {
    &ffi_type_void,                                                    // void
    &ffi_type_uchar,   &ffi_type_uchar,  &ffi_type_schar,              // boolean, uchar, schar
    &ffi_type_ushort,  &ffi_type_sshort, &ffi_type_uint, &ffi_type_sint,
    &ffi_type_ulong,   &ffi_type_slong,  &ffi_type_uint64, &ffi_type_sint64,
    &ffi_type_float,   &ffi_type_double, &ffi_type_longdouble,
    &ffi_type_pointer, &ffi_type_pointer, &ffi_type_pointer, &ffi_type_pointer,  // object, class, string, selector
    &ffi_type_pointer, &ffi_type_pointer, &ffi_type_pointer,                     // foreign objects
    &ffi_type_pointer,                                                           // iid
};

constexpr size_t GCInfoSize = 2 * sizeof(id);

func_t methodFor(id receiver, SEL sel) { return imp_cast<func_t>(objc_msg_lookup(receiver, sel)); }

// The hidden arguments of a method call (receiver and selector) sit just
// below the caller's arguments.
void fillTypes(FCall_c* call) {
  FArguments_c* a = call->fargs;
  a->ffiReturnType = ffi_types[a->retVal.type];
  switch (call->callType) {
    case ccall:
      a->hiddenArgumentCount = 0;
      break;
    case objccall:
      a->hiddenArgumentCount = 2;
      a->argTypes[1] = fcall_type_object;
      a->argTypes[2] = fcall_type_selector;
      a->ffiArgTypes[1] = a->ffiArgTypes[2] = &ffi_type_pointer;
      break;
    default:  // foreign calls: no host is installed and Java is not available
      debugabort(__FILE_NAME__, __LINE__, "-[FCall(c) _createEnd]");
  }
  for (unsigned slot = MAX_HIDDEN; slot < MAX_HIDDEN + a->assignedArgumentCount; slot++)
    a->ffiArgTypes[slot] = ffi_types[a->argTypes[slot]];
}

// libffi widens integral results narrower than a word to a whole word.
union RawResult {
  ffi_arg word;
  types_t value;
};

template <class T>
void storeNarrowed(types_t& val, const RawResult& raw) {
  T v = static_cast<T>(raw.word);
  std::memcpy(&val, &v, sizeof v);
}

template <class T>
void storeWhole(types_t& val, const RawResult& raw) {
  std::memcpy(&val, &raw.value, sizeof(T));
}

void storeResult(val_t& retVal, const RawResult& raw) {
  switch (retVal.type) {
    case fcall_type_void: break;
    case fcall_type_boolean:
    case fcall_type_uchar: storeNarrowed<unsigned char>(retVal.val, raw); break;
    case fcall_type_schar: storeNarrowed<signed char>(retVal.val, raw); break;
    case fcall_type_ushort: storeNarrowed<unsigned short>(retVal.val, raw); break;
    case fcall_type_sshort: storeNarrowed<short>(retVal.val, raw); break;
    case fcall_type_uint: storeNarrowed<unsigned>(retVal.val, raw); break;
    case fcall_type_sint: storeNarrowed<int>(retVal.val, raw); break;
    case fcall_type_ulong:
    case fcall_type_slong: storeWhole<long>(retVal.val, raw); break;
    case fcall_type_ulonglong:
    case fcall_type_slonglong: storeWhole<long long>(retVal.val, raw); break;
    case fcall_type_float: storeWhole<float>(retVal.val, raw); break;
    case fcall_type_double: storeWhole<double>(retVal.val, raw); break;
    case fcall_type_long_double: storeWhole<long double>(retVal.val, raw); break;
    case fcall_type_object:
    case fcall_type_class:
    case fcall_type_string:
    case fcall_type_selector: storeWhole<void*>(retVal.val, raw); break;
    default: debugabort(__FILE_NAME__, __LINE__, "-[FCall(c) _performCall]");
  }
}

}  // namespace

id FCall_c::createBegin(Class cls, id zone) {
  auto* self = static_cast<FCall_c*>(msg::allocIVars(zone, cls));
  self->gcInfo = static_cast<id*>(msg::allocBlock(_obj_GCFixedRootZone, GCInfoSize));
  std::memset(self->gcInfo, 0, GCInfoSize);
  return self;
}

id FCall_c::create_target_selector_arguments(Class cls, id zone, id target, SEL sel, id arguments) {
  id self = msg::createBegin(cls, zone);
  msg::setArguments(self, arguments);
  msg::setMethodFromSelector_inObject(self, sel, target);
  return msg::createEnd(self);
}

id FCall_c::create_target_methodName_arguments(Class cls, id zone, id target, const char* name, id arguments) {
  id self = msg::createBegin(cls, zone);
  msg::setArguments(self, arguments);
  msg::setMethodFromName_inObject(self, name, target);
  return msg::createEnd(self);
}

void FCall_c::setArguments(id arguments) { fargs = static_cast<FArguments_c*>(arguments); }

void FCall_c::setFunctionPointer(func_t function) {
  callType = ccall;
  ffunction = function;
}

void FCall_c::setMethodFromSelector_inObject(SEL sel, id object) {
  callType = objccall;
  gcInfo[0] = object ? object->isa : nil;
  gcInfo[1] = object;
  fmethod = sel;
  ffunction = methodFor(object, sel);
}

void FCall_c::setMethodFromName_inObject(const char* name, id object) {
  setMethodFromSelector_inObject(fcall_typed_selector(name, "-[FCall(c) _setMethodFromName:inObject:]"), object);
}

void FCall_c::setJavaMethodFromName_inObject(const char*, id) {
  raiseAt(NotImplemented, "-[FCall(c) _setJavaMethodFromName:inObject:]",
          "Java support not available on this configuration");
}

void FCall_c::setJavaMethodFromName_inClass(const char*, const char*) {
  raiseAt(NotImplemented, "-[FCall(c) _setJavaMethodFromName:inClass:]",
          "Java support not available on this configuration");
}

id FCall_c::createEnd() {
  if (!ffunction) raiseAt(SourceMessage, "-[FCall(c) _createEnd]", "Function to be called not set!\n");
  if (!fargs) raiseAt(SourceMessage, "-[FCall(c) _createEnd]", "Arguments and return type not specified!\n");
  fillTypes(this);
  unsigned hidden = fargs->hiddenArgumentCount;
  if (ffi_prep_cif(&cif, FFI_DEFAULT_ABI, hidden + fargs->assignedArgumentCount, fargs->ffiReturnType,
                   &fargs->ffiArgTypes[MAX_HIDDEN - hidden]) != FFI_OK)
    raiseAt(SourceMessage, "-[FCall(c) _createEnd]", "Failed while preparing foreign function call\n");
  zbits |= BitInternalAlloc;  // gcInfo goes with the call
  return CreateDrop_s::createEnd();
}

id FCall_c::getArguments() { return fargs; }

func_t FCall_c::getFunctionPointer() {
  if (callType != ccall) debugabort(__FILE_NAME__, __LINE__, "-[FCall(c) _getFunctionPointer]");
  return ffunction;
}

call_type_t FCall_c::getCallType() { return callType; }

void FCall_c::performGeneralCall() {
  FArguments_c* a = fargs;
  if (callType == objccall) {
    // A message to nil answers zero.
    if (!gcInfo[1]) {
      std::memset(&a->retVal.val, 0, sizeof a->retVal.val);
      return;
    }
    a->argValues[1] = &gcInfo[1];
    a->argValues[2] = &fmethod;
  }
  RawResult raw;
  ffi_call(&cif, ffunction, &raw, &a->argValues[MAX_HIDDEN - a->hiddenArgumentCount]);
  storeResult(a->retVal, raw);
}

void* FCall_c::getResult() { return fargs->getResult(); }

val_t FCall_c::getRetVal_buf(void*, void* buf) {
  const val_t& retVal = fargs->retVal;
  if (retVal.type >= fcall_type_selector) debugabort(__FILE_NAME__, __LINE__, "-[FCall(c) _getRetVal:buf:]");
  std::memcpy(buf, &retVal.val, sizeof retVal.val);
  return retVal;
}

void FCall_c::mapAllocations(mapalloc_t mapalloc) {
  mapalloc->alloc = gcInfo;
  mapalloc->descriptor = t_ByteArray;
  mapalloc->zone = _obj_GCFixedRootZone;
  mapalloc->size = GCInfoSize;
  mapalloc->mappingFunction(mapalloc, NO);
}

void FCall_c::lookUpMethodFor(id target) {
  gcInfo[0] = target ? target->isa : Nil;
  ffunction = methodFor(target, fmethod);
}

REGISTER_CLASS(FCall_c, CreateDrop_s,
  ivar(&FCall_c::callType, "callType"),
  ivar(&FCall_c::fargs, "fargs"),
  ivar(&FCall_c::cif, "cif"),
  ivar(&FCall_c::ffunction, "ffunction"),
  ivar(&FCall_c::gcInfo, "gcInfo"),
  ivar(&FCall_c::fmethod, "fmethod"),
  phase(Phase::Creating),
  classMethod<&FCall_c::createBegin>(msg::createBegin),
  classMethod<&FCall_c::create_target_selector_arguments>(msg::create_target_selector_arguments),
  classMethod<&FCall_c::create_target_methodName_arguments>(msg::create_target_methodName_arguments),
  method<&FCall_c::setArguments>(msg::setArguments),
  method<&FCall_c::setFunctionPointer>(msg::setFunctionPointer),
  method<&FCall_c::setMethodFromSelector_inObject>(msg::setMethodFromSelector_inObject),
  method<&FCall_c::setMethodFromName_inObject>(msg::setMethodFromName_inObject),
  method<&FCall_c::setJavaMethodFromName_inObject>(msg::setJavaMethodFromName_inObject),
  method<&FCall_c::setJavaMethodFromName_inClass>(msg::setJavaMethodFromName_inClass),
  method<&FCall_c::createEnd>(msg::createEnd),
  phase(Phase::Setting),
  method<&FCall_c::getArguments>(msg::getArguments),
  method<&FCall_c::getFunctionPointer>(msg::getFunctionPointer),
  method<&FCall_c::getCallType>(msg::getCallType),
  phase(Phase::Using),
  method<&FCall_c::performCall>(msg::performCall),
  method<&FCall_c::getResult>(msg::getResult),
  method<&FCall_c::getRetVal_buf>(msg::getRetVal_buf),
  method<&FCall_c::mapAllocations>(msg::mapAllocations))
