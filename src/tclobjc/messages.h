// Messages of the Tcl bridge: its two tables (HashTable, TclObjcList) and
// the interpreter objects.
#pragma once

#include <tcl.h>

#include "collections/keyed_messages.h"
#include "defobj/fcall_messages.h"
#include "runtime/messages.h"
#include "runtime/typed_stream_messages.h"

namespace msg {
// HashTable (the new... forms are class messages); count and removeKey:
// come from the collections.
inline const Message<id(const char*)> newKeyDesc{"newKeyDesc:"};
inline const Message<id(const char*, const char*)> newKeyDesc_valueDesc{"newKeyDesc:valueDesc:"};
inline const Message<id(const char*, const char*, unsigned)> newKeyDesc_valueDesc_capacity{
    "newKeyDesc:valueDesc:capacity:"};
inline const Message<id(const char*, const char*, unsigned)> initKeyDesc_valueDesc_capacity{
    "initKeyDesc:valueDesc:capacity:"};
inline const Message<id(const char*, const char*)> initKeyDesc_valueDesc{"initKeyDesc:valueDesc:"};
inline const Message<id(const char*)> initKeyDesc{"initKeyDesc:"};
inline const Message<BOOL(const void*)> isKey{"isKey:"};
inline const Message<void*(const void*)> valueForKey{"valueForKey:"};
inline const Message<void*(const void*, const void*)> insertKey_value{"insertKey:value:"};
inline const Message<id(void (*)(void*), void (*)(void*))> freeKeys_values{"freeKeys:values:"};

// Both tables.
inline const Message<id()> empty{"empty"};
inline const Message<id()> freeObjects{"freeObjects"};
inline const Message<id(SEL)> makeObjectsPerform{"makeObjectsPerform:"};
inline const Message<id(SEL, id)> makeObjectsPerform_with{"makeObjectsPerform:with:"};

// TclObjcList (newCount: is a class message); addObject: comes from the
// dynamic calls.
inline const Message<id(unsigned)> newCount{"newCount:"};
inline const Message<id(unsigned)> initCount{"initCount:"};
inline const Message<unsigned()> capacity{"capacity"};
inline const Message<id(unsigned)> objectAt{"objectAt:"};
inline const Message<id()> lastObject{"lastObject"};
inline const Message<id(unsigned, id)> replaceObjectAt_with{"replaceObjectAt:with:"};
inline const Message<id(id, unsigned)> insertObject_at{"insertObject:at:"};
inline const Message<id(unsigned)> removeObjectAt{"removeObjectAt:"};
inline const Message<id()> removeLastObject{"removeLastObject"};
inline const Message<id(id)> removeObject{"removeObject:"};
inline const Message<id(id, id)> replaceObject_with{"replaceObject:with:"};
inline const Message<unsigned(id)> indexOf{"indexOf:"};
inline const Message<id(id)> addObjectIfAbsent{"addObjectIfAbsent:"};
inline const Message<id(id)> appendList{"appendList:"};
inline const Message<BOOL(id)> isEqual{"isEqual:"};
inline const Message<id(unsigned)> setAvailableCapacity{"setAvailableCapacity:"};

// Objects that are keys of "@" tables may answer these.
inline const Message<unsigned long()> hash{"hash"};

// TclInterp (tclCount, tclAtIndex: and firstTcl are class messages).
inline const Message<id(int, const char* const*)> initWithArgc_argv{"initWithArgc:argv:"};
inline const Message<const char*(int, const char* const*)> preInitWithArgc_argv{"preInitWithArgc:argv:"};
inline const Message<id(const char*, ...)> eval{"eval:"};
inline const Message<id(const char*, ...)> globalEval{"globalEval:"};
inline const Message<id(const char*)> evalFile{"evalFile:"};
inline const Message<const char*()> result{"result"};
inline const Message<int()> code{"code"};
inline const Message<Tcl_Interp*()> interp{"interp"};
inline const Message<const char*(const char*)> variableValue{"variableValue:"};
inline const Message<const char*(const char*)> globalVariableValue{"globalVariableValue:"};
inline const Message<BOOL(const char*)> variableExists{"variableExists:"};
inline const Message<BOOL(const char*)> globalVariableExists{"globalVariableExists:"};
inline const Message<id(id, const char*)> registerObject_withName{"registerObject:withName:"};
inline const Message<id(id)> unregisterObject{"unregisterObject:"};
inline const Message<id(const char*)> unregisterObjectNamed{"unregisterObjectNamed:"};
inline const Message<const char*(id)> nameForObject{"nameForObject:"};
inline const Message<BOOL(id)> objectIsRegistered{"objectIsRegistered:"};
inline const Message<BOOL(const char*)> nameIsRegistered{"nameIsRegistered:"};
inline const Message<id(const char*)> objectNamed{"objectNamed:"};
inline const Message<void(BOOL)> setEvalDebugPrint{"setEvalDebugPrint:"};
inline const Message<void(const char*)> setSecondaryLibraryPath{"setSecondaryLibraryPath:"};
inline const Message<const char*(const char*, const char*, const char*)> checkPath_subdirectory_file{
    "checkPath:subdirectory:file:"};
inline const Message<void()> promptAndEval{"promptAndEval"};
inline const Message<unsigned()> tclCount{"tclCount"};
inline const Message<id(unsigned)> tclAtIndex{"tclAtIndex:"};
inline const Message<id()> firstTcl{"firstTcl"};

// TclObject (newName: is a class message).
inline const Message<id(const char*)> newName{"newName:"};
inline const Message<id(SEL, void*)> performv{"performv::"};
}  // namespace msg
