// Messages of the probes and simulation-object library: model objects,
// variable and message probes, probe maps and the probe library.
#pragma once

#include "collections/stream_messages.h"  // getRank and getDims, which variable probes answer too
#include "defobj/fcall_type.h"

// What iterateAsDouble:using: and iterateAsInteger:using: call for each
// element: the rank, the element's indices and its value.
typedef void (*double_iter_t)(unsigned rank, unsigned* indices, double value);
typedef void (*int_iter_t)(unsigned rank, unsigned* indices, int value);

namespace msg {
// Model objects (the probe forms also on broods).
inline const Message<id()> getProbeMap{"getProbeMap"};
inline const Message<id()> getCompleteProbeMap{"getCompleteProbeMap"};
inline const Message<id(const char*)> getProbeForVariable{"getProbeForVariable:"};  // probe maps too
inline const Message<id(const char*)> getProbeForMessage{"getProbeForMessage:"};    // probe maps too
// The hook told about probe writes: object, probe, probe kind, variable
// name, type character, data.
inline const Message<void(id, id, const char*, const char*, char, const void*)>
    eventOccurredOn_via_withProbeType_on_ofType_withData{
        "eventOccurredOn:via:withProbeType:on:ofType:withData:"};

// Probes and probe maps.
inline const Message<id(Class)> setProbedClass{"setProbedClass:"};
inline const Message<id(id)> setProbedObject{"setProbedObject:"};
inline const Message<Class()> getProbedClass{"getProbedClass"};
inline const Message<id(id)> clone{"clone:"};
inline const Message<void(id)> setObjectToNotify{"setObjectToNotify:"};  // the library too
inline const Message<id()> getObjectToNotify{"getObjectToNotify"};

// Probes.
inline const Message<void()> setSafety{"setSafety"};
inline const Message<void()> unsetSafety{"unsetSafety"};
inline const Message<const char*()> getProbedType{"getProbedType"};
inline const Message<val_t(const char*)> guessValue{"guessValue:"};

// Variable probes.
inline const Message<id(const char*)> setProbedVariable{"setProbedVariable:"};
inline const Message<void()> setNonInteractive{"setNonInteractive"};
inline const Message<void(id)> setStringReturnType{"setStringReturnType:"};
inline const Message<void(const char*)> setFloatFormat{"setFloatFormat:"};
inline const Message<const char*()> getProbedVariable{"getProbedVariable"};
inline const Message<BOOL()> getInteractiveFlag{"getInteractiveFlag"};
inline const Message<int()> getDataOffset{"getDataOffset"};
inline const Message<void*(id)> probeRaw{"probeRaw:"};
inline const Message<void*(id)> probeAsPointer{"probeAsPointer:"};
inline const Message<id(id)> probeObject{"probeObject:"};
inline const Message<int(id)> probeAsInt{"probeAsInt:"};
inline const Message<double(id)> probeAsDouble{"probeAsDouble:"};
inline const Message<id(id)> probeAsString{"probeAsString:"};
inline const Message<char*(id, char*)> probeAsString_Buffer{"probeAsString:Buffer:"};
inline const Message<char*(id, char*, BOOL)> probeAsString_Buffer_withFullPrecision{
    "probeAsString:Buffer:withFullPrecision:"};
inline const Message<const char*()> getBaseType{"getBaseType"};
inline const Message<void(id, double_iter_t)> iterateAsDouble_using{"iterateAsDouble:using:"};
inline const Message<void(id, int_iter_t)> iterateAsInteger_using{"iterateAsInteger:using:"};
inline const Message<void(id, const void*)> setData_To{"setData:To:"};
inline const Message<BOOL(id, const char*)> setData_ToString{"setData:ToString:"};
inline const Message<void(id, double)> setData_ToDouble{"setData:ToDouble:"};
inline const Message<void(id, const void*)> notifyFor_with{"notifyFor:with:"};

// Message probes (create:setProbedSelector: is a class message).
inline const Message<id(id, SEL)> create_setProbedSelector{"create:setProbedSelector:"};
inline const Message<void(SEL)> setProbedSelector{"setProbedSelector:"};
inline const Message<void(const char*)> setProbedMethodName{"setProbedMethodName:"};
inline const Message<void(BOOL)> setHideResult{"setHideResult:"};
inline const Message<BOOL()> getHideResult{"getHideResult"};
inline const Message<BOOL()> isResultId{"isResultId"};
inline const Message<BOOL(int)> isArgumentId{"isArgumentId:"};
inline const Message<const char*()> getProbedMessage{"getProbedMessage"};
inline const Message<int()> getArgCount{"getArgCount"};
inline const Message<val_t(int)> getArg{"getArg:"};
inline const Message<const char*(int)> getArgName{"getArgName:"};
inline const Message<void(int, const char*)> setArg_ToString{"setArg:ToString:"};
inline const Message<void(int, unsigned)> setArg_ToUnsigned{"setArg:ToUnsigned:"};
inline const Message<val_t(id)> dynamicCallOn{"dynamicCallOn:"};
inline const Message<double(id)> doubleDynamicCallOn{"doubleDynamicCallOn:"};
inline const Message<long(id)> longDynamicCallOn{"longDynamicCallOn:"};
inline const Message<const char*(id)> stringDynamicCallOn{"stringDynamicCallOn:"};
inline const Message<id(id)> objectDynamicCallOn{"objectDynamicCallOn:"};

// Probe maps.
inline const Message<void(id)> addProbe{"addProbe:"};
inline const Message<void(id)> addProbeMap{"addProbeMap:"};
inline const Message<void(const char*)> dropProbeForVariable{"dropProbeForVariable:"};
inline const Message<void(const char*)> dropProbeForMessage{"dropProbeForMessage:"};
inline const Message<void(id)> dropProbeMap{"dropProbeMap:"};
inline const Message<void(Class)> addObjcFields{"addObjcFields:"};
inline const Message<void(Class)> addObjcMethods{"addObjcMethods:"};
// Custom maps: variable names, the marker ":", selector names, then a null
// pointer (create:forClass:withIdentifiers: is a class message).
inline const Message<id(id, Class, const char*, ...)> create_forClass_withIdentifiers{
    "create:forClass:withIdentifiers:"};
inline const Message<void(Class, const char*, ...)> addProbesForClass_withIdentifiers{
    "addProbesForClass:withIdentifiers:"};

// The probe library.
inline const Message<void(unsigned)> setDisplayPrecision{"setDisplayPrecision:"};
inline const Message<unsigned()> getDisplayPrecision{"getDisplayPrecision"};
inline const Message<void(unsigned)> setSavedPrecision{"setSavedPrecision:"};
inline const Message<unsigned()> getSavedPrecision{"getSavedPrecision"};
inline const Message<BOOL(Class)> isProbeMapDefinedFor{"isProbeMapDefinedFor:"};
inline const Message<BOOL(id)> isProbeMapDefinedForObject{"isProbeMapDefinedForObject:"};
inline const Message<id(Class)> getProbeMapFor{"getProbeMapFor:"};
inline const Message<id(id)> getProbeMapForObject{"getProbeMapForObject:"};
inline const Message<id(Class)> getCompleteProbeMapFor{"getCompleteProbeMapFor:"};
inline const Message<id(id)> getCompleteProbeMapForObject{"getCompleteProbeMapForObject:"};
inline const Message<id(Class)> getCompleteVarMapFor{"getCompleteVarMapFor:"};
inline const Message<id(id)> getCompleteVarMapForObject{"getCompleteVarMapForObject:"};
inline const Message<id(const char*, Class)> getProbeForVariable_inClass{"getProbeForVariable:inClass:"};
inline const Message<id(const char*, id)> getProbeForVariable_inObject{"getProbeForVariable:inObject:"};
inline const Message<id(const char*, Class)> getProbeForMessage_inClass{"getProbeForMessage:inClass:"};
inline const Message<id(const char*, id)> getProbeForMessage_inObject{"getProbeForMessage:inObject:"};
inline const Message<void(id, Class)> setProbeMap_For{"setProbeMap:For:"};
inline const Message<void(id, id)> setProbeMap_ForObject{"setProbeMap:ForObject:"};
}  // namespace msg
