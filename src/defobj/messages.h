// Messages of the object model: creation, zones, symbols and the root
// object. Each message is declared once, here or in the messages header of
// the module that introduces it.
#pragma once

#include <cstddef>

#include "defobj/types.h"
#include "runtime/messages.h"

namespace msg {
// Creation protocol (class messages unless noted).
inline const Message<id(id)> createBegin{"createBegin:"};
inline const Message<id(id)> create{"create:"};
inline const Message<id()> createEnd{"createEnd"};  // instance
inline const Message<id(id)> customizeBegin{"customizeBegin:"};
inline const Message<id(id)> customizeBeginEnd{"customizeBeginEnd:"};
inline const Message<id()> customizeEnd{"customizeEnd"};
inline const Message<id(id)> customizeCopy{"customizeCopy:"};
inline const Message<void(id)> setTypeImplemented{"setTypeImplemented:"};
inline const Message<id()> getTypeImplemented{"getTypeImplemented"};
inline const Message<id()> getOwner{"getOwner"};
inline const Message<Class()> getDefiningClass{"getDefiningClass"};
inline const Message<Class()> getNextPhase{"getNextPhase"};
inline const Message<BOOL(Class)> isSubclass{"isSubclass:"};
inline const Message<Class()> getSuperclass{"getSuperclass"};
inline const Message<IMP(SEL)> getMethodFor{"getMethodFor:"};
inline const Message<BOOL(void*)> conformsTo{"conformsTo:"};

// Create-by actions chosen inside createEnd while a type is customized.
inline const Message<void()> _setCreateByCopy_{"_setCreateByCopy_"};
inline const Message<void(SEL, id)> _setCreateByMessage_to{"_setCreateByMessage_:to:"};
inline const Message<void(SEL, id)> _setCreateByMessage_toCopy{"_setCreateByMessage_:toCopy:"};
inline const Message<void(id)> _setRecustomize_{"_setRecustomize_:"};

// Phase markers in class tables: each answers its phase symbol.
inline const Message<id()> _I_Creating{"_I_Creating"};
inline const Message<id()> _I_Setting{"_I_Setting"};
inline const Message<id()> _I_Using{"_I_Using"};
inline const Message<id()> _I_CreatingOnly{"_I_CreatingOnly"};
inline const Message<id()> _I_UsingOnly{"_I_UsingOnly"};

// Classes and modules: classes made at run time, phase classes, type
// records and module records.
inline const Message<void(const char*)> setName{"setName:"};
inline const Message<void(Class)> setClass{"setClass:"};
inline const Message<void(Class)> setSuperclass{"setSuperclass:"};
inline const Message<void(Class)> setDefiningClass{"setDefiningClass:"};
inline const Message<void(SEL, IMP)> at_addMethod{"at:addMethod:"};
inline const Message<void(id)> setNextPhase{"setNextPhase:"};
inline const Message<void()> initialize{"initialize"};  // module classes
inline const Message<BOOL()> getCreatable{"getCreatable"};
inline const Message<id()> getImplementation{"getImplementation"};
inline const Message<id()> getModules{"getModules"};
inline const Message<id*()> getTypes{"getTypes"};
inline const Message<id**()> getSymbols{"getSymbols"};
inline const Message<id**()> getClasses{"getClasses"};

// Root object.
inline const Message<void()> drop{"drop"};
inline const Message<id(id)> copy{"copy:"};
inline const Message<id()> getZone{"getZone"};
inline const Message<const char*()> getName{"getName"};
inline const Message<const char*()> getTypeName{"getTypeName"};
inline const Message<Class()> getClass{"getClass"};
inline const Message<id()> getType{"getType"};
inline const Message<int(id)> compare{"compare:"};
inline const Message<id(SEL)> perform{"perform:"};
inline const Message<id(SEL, id)> perform_with{"perform:with:"};
inline const Message<id(SEL, id, id)> perform_with_with{"perform:with:with:"};
inline const Message<id(SEL, id, id, id)> perform_with_with_with{"perform:with:with:with:"};
inline const Message<ref_t(notify_t, void*)> addRef_withArgument{"addRef:withArgument:"};
inline const Message<void(ref_t)> removeRef{"removeRef:"};
inline const Message<void(const char*)> setDisplayName{"setDisplayName:"};
inline const Message<const char*()> getDisplayName{"getDisplayName"};
inline const Message<const char*()> getObjectName{"getObjectName"};
inline const Message<void(id)> describe{"describe:"};
inline const Message<void(id)> describeID{"describeID:"};
inline const Message<void(id)> describeForEach{"describeForEach:"};
inline const Message<void(id)> describeForEachID{"describeForEachID:"};
inline const Message<void()> xprint_{"xprint"};
inline const Message<void()> xprintid{"xprintid"};
inline const Message<void()> xfprint_{"xfprint"};
inline const Message<void()> xfprintid{"xfprintid"};
inline const Message<void(mapalloc_t)> mapAllocations{"mapAllocations:"};
inline const Message<void(BOOL)> dropAllocations{"dropAllocations:"};
inline const Message<void(SEL)> subclassResponsibility{"subclassResponsibility:"};
inline const Message<id(id)> lispInCreate{"lispInCreate:"};
inline const Message<id(id)> hdf5InCreate{"hdf5InCreate:"};

// Zones.
inline const Message<id(Class)> allocIVars{"allocIVars:"};
inline const Message<id(id)> copyIVars{"copyIVars:"};
inline const Message<void(id)> freeIVars{"freeIVars:"};
inline const Message<id(Class)> allocIVarsComponent{"allocIVarsComponent:"};
inline const Message<id(id)> copyIVarsComponent{"copyIVarsComponent:"};
inline const Message<void(id)> freeIVarsComponent{"freeIVarsComponent:"};
inline const Message<void*(size_t)> alloc{"alloc:"};
inline const Message<void(void*)> free{"free:"};
inline const Message<void*(size_t)> allocBlock{"allocBlock:"};
inline const Message<void(void*, size_t)> freeBlock_blockSize{"freeBlock:blockSize:"};
inline const Message<id()> getComponentZone{"getComponentZone"};
inline const Message<id()> getPopulation{"getPopulation"};
inline const Message<void(int)> setPageSize{"setPageSize:"};
inline const Message<int()> getPageSize{"getPageSize"};
inline const Message<void(BOOL)> setGCFixedRootFlag{"setGCFixedRootFlag:"};

// Symbols, warnings and errors.
inline const Message<id(id, const char*)> create_setName{"create:setName:"};
inline const Message<void()> raiseEvent_{"raiseEvent"};
inline const Message<void(const char*, ...)> raiseEvent{"raiseEvent:"};
inline const Message<void(const char*)> setMessageString{"setMessageString:"};
inline const Message<const char*()> getMessageString{"getMessageString"};
}  // namespace msg
