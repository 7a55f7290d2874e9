#include "defobj/FArguments.h"

#include <cstring>

#include "defobj/phase.h"
#include "defobj/zstrdup.h"
#include "misc/debugabort.h"

SEL fcall_typed_selector(const char* name, const char* function) {
  SEL typed = name ? sel_get_any_typed_uid(name) : nullptr;
  if (!typed)
    raiseAt(InvalidArgument, function, "> no typed selector is registered under the name `%s'\n",
            name ? name : "nil");
  return typed;
}

id FArguments_c::createBegin(Class cls, id zone) {
  auto* self = static_cast<FArguments_c*>(msg::allocIVars(zone, cls));
  self->ffiReturnType = &ffi_type_void;
  self->javaSignatureLength = 2;
  return self;
}

id FArguments_c::create_setSelector(Class cls, id zone, SEL sel) {
  id self = msg::createBegin(cls, zone);
  msg::setSelector(self, sel);
  return msg::createEnd(self);
}

void FArguments_c::addArgument_ofType(const void* value, fcall_type_t type) {
  if (assignedArgumentCount == MAX_ARGS)
    raiseAt(SourceMessage, "-[FArguments(c) _addArgument:ofType:]",
            "Types already assigned to maximum number arguments in the call!\n");
  // Blocks, not sized allocations: the fixed-root zone refuses alloc:.
  size_t size = fcall_type_size(type);
  void* block = msg::allocBlock(_obj_GCFixedRootZone, size);
  std::memcpy(block, value, size);
  unsigned slot = MAX_HIDDEN + assignedArgumentCount++;
  argTypes[slot] = type;
  argValues[slot] = block;
}

void FArguments_c::addArgument_ofObjCType(const void* value, char objcType) {
  addArgument_ofType(value, fcall_type_for_objc_type(objcType));
}

void FArguments_c::setReturnType(fcall_type_t type) {
  if (language == LanguageJava) {
    if (type == fcall_type_object) type = fcall_type_jobject;
    else if (type == fcall_type_string) type = fcall_type_jstring;
  }
  if (type > fcall_type_jstring) debugabort(__FILE_NAME__, __LINE__, "-[FArguments(c) _setReturnType:]");
  retVal.type = type;
  result = type == fcall_type_void ? nullptr : &retVal.val;
}

void FArguments_c::setObjCReturnType(char objcType) { setReturnType(fcall_type_for_objc_type(objcType)); }

void FArguments_c::setBooleanReturnType() { setReturnType(fcall_type_boolean); }

void FArguments_c::setSelector(SEL sel) {
  const char* types = sel_get_type(sel);
  if (!types) types = sel_get_type(fcall_typed_selector(sel_get_name(sel), "-[FArguments(c) _setSelector:]"));
  language = LanguageObjc;
  setObjCReturnType(types[0]);
}

void FArguments_c::setLanguage(id newLanguage) { language = newLanguage; }

void FArguments_c::setJavaSignature(const char* signature) {
  // A block, as the fixed-root zone refuses alloc:.
  zreplaceBlock(_obj_GCFixedRootZone, javaSignature, signature);
  language = LanguageJava;
}

void FArguments_c::addJavaObject(void*) { debugabort(__FILE_NAME__, __LINE__, "-[FArguments(c) _addJavaObject:]"); }

void FArguments_c::addJavaObject_type(void*, fcall_type_t) {
  debugabort(__FILE_NAME__, __LINE__, "-[FArguments(c) _addJavaObject:type:]");
}

id FArguments_c::createEnd() {
  zbits |= BitInternalAlloc;  // the argument blocks go with the object
  return CreateDrop_s::createEnd();
}

id FArguments_c::getLanguage() { return language; }

void* FArguments_c::getResult() { return result; }

val_t FArguments_c::getRetVal() { return retVal; }

void FArguments_c::mapAllocations(mapalloc_t mapalloc) {
  const auto report = [mapalloc](void* block, size_t size) {
    mapalloc->alloc = block;
    mapalloc->descriptor = t_ByteArray;
    mapalloc->zone = _obj_GCFixedRootZone;
    mapalloc->size = size;
    mapalloc->mappingFunction(mapalloc, NO);
  };
  for (unsigned slot = MAX_HIDDEN; slot < MAX_HIDDEN + assignedArgumentCount; slot++)
    report(argValues[slot], fcall_type_size(argTypes[slot]));
  if (javaSignature) report(const_cast<char*>(javaSignature), std::strlen(javaSignature) + 1);
}

REGISTER_CLASS(FArguments_c, CreateDrop_s,
  ivar(&FArguments_c::assignedArgumentCount, "assignedArgumentCount"),
  ivar(&FArguments_c::hiddenArgumentCount, "hiddenArgumentCount"),
  ivar(&FArguments_c::retVal, "retVal"),
  ivar(&FArguments_c::argTypes, "argTypes"),
  ivar(&FArguments_c::argValues, "argValues"),
  ivar(&FArguments_c::ffiArgTypes, "ffiArgTypes"),
  ivar(&FArguments_c::ffiReturnType, "ffiReturnType"),
  ivar(&FArguments_c::result, "result"),
  ivar(&FArguments_c::javaSignature, "javaSignature"),
  ivar(&FArguments_c::javaSignatureLength, "javaSignatureLength"),
  ivar(&FArguments_c::language, "language"),
  phase(Phase::Creating),
  classMethod<&FArguments_c::createBegin>(msg::createBegin),
  classMethod<&FArguments_c::create_setSelector>(msg::create_setSelector),
  method<&FArguments_c::addTyped<BOOL, fcall_type_boolean>>(msg::addBoolean),
  method<&FArguments_c::addTyped<char, fcall_type_schar>>(msg::addChar),
  method<&FArguments_c::addTyped<unsigned char, fcall_type_uchar>>(msg::addUnsignedChar),
  method<&FArguments_c::addTyped<short, fcall_type_sshort>>(msg::addShort),
  method<&FArguments_c::addTyped<unsigned short, fcall_type_ushort>>(msg::addUnsignedShort),
  method<&FArguments_c::addTyped<int, fcall_type_sint>>(msg::addInt),
  method<&FArguments_c::addTyped<unsigned, fcall_type_uint>>(msg::addUnsigned),
  method<&FArguments_c::addTyped<long, fcall_type_slong>>(msg::addLong),
  method<&FArguments_c::addTyped<unsigned long, fcall_type_ulong>>(msg::addUnsignedLong),
  method<&FArguments_c::addTyped<long long, fcall_type_slonglong>>(msg::addLongLong),
  method<&FArguments_c::addTyped<unsigned long long, fcall_type_ulonglong>>(msg::addUnsignedLongLong),
  method<&FArguments_c::addTyped<float, fcall_type_float>>(msg::addFloat),
  method<&FArguments_c::addTyped<double, fcall_type_double>>(msg::addDouble),
  method<&FArguments_c::addTyped<long double, fcall_type_long_double>>(msg::addLongDouble),
  method<&FArguments_c::addTyped<const char*, fcall_type_string>>(msg::addString),
  method<&FArguments_c::addTyped<id, fcall_type_object>>(msg::addObject),
  method<&FArguments_c::addTyped<SEL, fcall_type_selector>>(msg::addSelector),
  method<&FArguments_c::addArgument_ofType>(msg::addArgument_ofType),
  method<&FArguments_c::addArgument_ofObjCType>(msg::addArgument_ofObjCType),
  method<&FArguments_c::setReturnType>(msg::setReturnType),
  method<&FArguments_c::setObjCReturnType>(msg::setObjCReturnType),
  method<&FArguments_c::setBooleanReturnType>(msg::setBooleanReturnType),
  method<&FArguments_c::setSelector>(msg::setSelector),
  method<&FArguments_c::setLanguage>(msg::setLanguage),
  method<&FArguments_c::setJavaSignature>(msg::setJavaSignature),
  method<&FArguments_c::addJavaObject>(msg::addJavaObject),
  method<&FArguments_c::addJavaObject_type>(msg::addJavaObject_type),
  method<&FArguments_c::createEnd>(msg::createEnd),
  phase(Phase::Setting),
  method<&FArguments_c::getLanguage>(msg::getLanguage),
  phase(Phase::Using),
  method<&FArguments_c::getResult>(msg::getResult),
  method<&FArguments_c::getRetVal>(msg::getRetVal),
  method<&FArguments_c::mapAllocations>(msg::mapAllocations))
