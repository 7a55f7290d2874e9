// The typed argument list of a dynamic call, with its result slot. Slots 0
// to 2 are kept for hidden arguments (a method's receiver and selector sit
// just below slot 3); the caller's arguments fill slots 3 to 12.
#pragma once

#include <ffi.h>

#include "defobj/CreateDrop.h"
#include "defobj/fcall_messages.h"

inline constexpr unsigned MAX_ARGS = 10;
inline constexpr unsigned MAX_HIDDEN = 3;
inline constexpr unsigned MAX_TOTAL = MAX_HIDDEN + MAX_ARGS;

struct FArguments_c : CreateDrop_s {
  unsigned assignedArgumentCount;
  unsigned hiddenArgumentCount;
  val_t retVal;
  fcall_type_t argTypes[MAX_TOTAL];
  void* argValues[MAX_TOTAL];  // each argument in its own block of its type's size
  ffi_type* ffiArgTypes[MAX_TOTAL];
  ffi_type* ffiReturnType;
  void* result;  // the value of retVal, or null for a void result
  const char* javaSignature;  // a block of _obj_GCFixedRootZone
  unsigned javaSignatureLength;
  id language;

  // Creating.
  static id createBegin(Class cls, id zone);
  static id create_setSelector(Class cls, id zone, SEL sel);
  template <class T, fcall_type_t Type>
  void addTyped(T value) {
    addArgument_ofType(&value, Type);
  }
  void addArgument_ofType(const void* value, fcall_type_t type);
  void addArgument_ofObjCType(const void* value, char objcType);
  void setReturnType(fcall_type_t type);
  void setObjCReturnType(char objcType);
  void setBooleanReturnType();
  void setSelector(SEL sel);
  void setLanguage(id language);
  // Java calls are not available: a signature only sets the language.
  void setJavaSignature(const char* signature);
  void addJavaObject(void* object);
  void addJavaObject_type(void* object, fcall_type_t type);
  id createEnd();

  // Setting.
  id getLanguage();

  // Using.
  void* getResult();
  val_t getRetVal();
  void mapAllocations(mapalloc_t mapalloc);
};

// A typed selector registered under the name; a name without one is an
// error reported for function.
SEL fcall_typed_selector(const char* name, const char* function);
