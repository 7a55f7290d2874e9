// Messages of dynamic calls: the typed argument list (FArguments) and the
// prepared call (FCall).
#pragma once

#include "defobj/fcall_type.h"
#include "defobj/messages.h"

namespace msg {
// FArguments, creating phase (create:setSelector: is a class message).
inline const Message<id(id, SEL)> create_setSelector{"create:setSelector:"};
inline const Message<void(BOOL)> addBoolean{"addBoolean:"};
inline const Message<void(char)> addChar{"addChar:"};
inline const Message<void(unsigned char)> addUnsignedChar{"addUnsignedChar:"};
inline const Message<void(short)> addShort{"addShort:"};
inline const Message<void(unsigned short)> addUnsignedShort{"addUnsignedShort:"};
inline const Message<void(int)> addInt{"addInt:"};
inline const Message<void(unsigned)> addUnsigned{"addUnsigned:"};
inline const Message<void(long)> addLong{"addLong:"};
inline const Message<void(unsigned long)> addUnsignedLong{"addUnsignedLong:"};
inline const Message<void(long long)> addLongLong{"addLongLong:"};
inline const Message<void(unsigned long long)> addUnsignedLongLong{"addUnsignedLongLong:"};
inline const Message<void(float)> addFloat{"addFloat:"};
inline const Message<void(double)> addDouble{"addDouble:"};
inline const Message<void(long double)> addLongDouble{"addLongDouble:"};
inline const Message<void(const char*)> addString{"addString:"};
inline const Message<void(id)> addObject{"addObject:"};
inline const Message<void(SEL)> addSelector{"addSelector:"};
inline const Message<void(const void*, fcall_type_t)> addArgument_ofType{"addArgument:ofType:"};
inline const Message<void(const void*, char)> addArgument_ofObjCType{"addArgument:ofObjCType:"};
inline const Message<void(fcall_type_t)> setReturnType{"setReturnType:"};
inline const Message<void(char)> setObjCReturnType{"setObjCReturnType:"};
inline const Message<void()> setBooleanReturnType{"setBooleanReturnType"};
inline const Message<void(SEL)> setSelector{"setSelector:"};
inline const Message<void(id)> setLanguage{"setLanguage:"};
inline const Message<void(const char*)> setJavaSignature{"setJavaSignature:"};
inline const Message<void(void*)> addJavaObject{"addJavaObject:"};
inline const Message<void(void*, fcall_type_t)> addJavaObject_type{"addJavaObject:type:"};

// FArguments, either phase / using phase.
inline const Message<id()> getLanguage{"getLanguage"};
inline const Message<void*()> getResult{"getResult"};  // FCall too
inline const Message<val_t()> getRetVal{"getRetVal"};

// FCall, creating phase (the create: forms are class messages).
inline const Message<id(id, id, SEL, id)> create_target_selector_arguments{"create:target:selector:arguments:"};
inline const Message<id(id, id, const char*, id)> create_target_methodName_arguments{
    "create:target:methodName:arguments:"};
inline const Message<void(id)> setArguments{"setArguments:"};
inline const Message<void(func_t)> setFunctionPointer{"setFunctionPointer:"};
inline const Message<void(SEL, id)> setMethodFromSelector_inObject{"setMethodFromSelector:inObject:"};
inline const Message<void(const char*, id)> setMethodFromName_inObject{"setMethodFromName:inObject:"};
inline const Message<void(const char*, id)> setJavaMethodFromName_inObject{"setJavaMethodFromName:inObject:"};
inline const Message<void(const char*, const char*)> setJavaMethodFromName_inClass{
    "setJavaMethodFromName:inClass:"};

// FCall, either phase / using phase.
inline const Message<id()> getArguments{"getArguments"};
inline const Message<func_t()> getFunctionPointer{"getFunctionPointer"};
inline const Message<call_type_t()> getCallType{"getCallType"};
inline const Message<void()> performCall{"performCall"};
// The result into a buffer and, typed, as the message's own result; the
// first argument is the caller's return-value record.
inline const Message<val_t(void*, void*)> getRetVal_buf{"getRetVal:buf:"};
}  // namespace msg
