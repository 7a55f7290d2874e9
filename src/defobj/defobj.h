// The object model's globals: zones, streams, module bookkeeping and the
// type variables, each holding the class to send createBegin: to.
#pragma once

#include <cstdio>

#include "defobj/messages.h"
#include "defobj/raise.h"
#include "defobj/symbols.h"
#include "defobj/types.h"

extern id _obj_globalZone, _obj_sessionZone, _obj_scratchZone, _obj_GCFixedRootZone, _obj_initZone;
extern FILE* _obj_xerror;
extern FILE* _obj_xdebug;
extern BOOL _obj_debug;
inline constexpr unsigned char _obj_fillalloc = 0xAA;
inline constexpr unsigned char _obj_fillfree = 0xFF;

// Public types of the object model.
extern id DefinedObject, Zone, Symbol, EventType, Warning, Error, Arguments, Archiver, LispArchiver,
    HDF5Archiver, HDF5, HDF5CompoundType, FCall, FArguments, CreatedClass, BehaviorPhase;

// Library start-up for a program or test that uses the object model and
// collections: registers every class, starts the runtime and bootstraps the
// modules. Safe to call more than once.
void defobj_register_classes();
void initModules();
