// The module and type registry and the object model's start-up.
#pragma once

#include <cstddef>

#include "defobj/ProgramModule.h"
#include "defobj/Type.h"
#include "defobj/classData.h"

// Registers one module; the first call bootstraps the object model (phase
// symbols, error streams, the defobj module, the global zones, then the
// collections module). A module already registered is left as it is.
void _obj_initModule(ProgramModule_c* module);

extern ProgramModule_c _defobj_, _collections_;

// Start-up allocations: zero-filled, from _obj_initZone once it exists.
void* _obj_initAlloc(size_t size);

extern Class* _obj_modules;  // module classes found at bootstrap
extern unsigned _obj_nmodules;
extern id _obj_programModule;
extern id _obj_implModule;  // the module whose implement function runs
extern id arguments;        // the command-line arguments object

// The module that defines a public type or protocol name: its name, "" for
// the few names outside every module, null for a name not in the map.
const char* brood_lookup_module(const char* name);

// The content of the first type variable whose type is so named, or nil.
id defobj_lookup_type(const char* name);
// A public type, else a class made at run time with that name, else nil;
// the runtime's class-lookup hook.
Class findTypeOrLocalClass(const char* name);
void registerLocalClass(Class cls);

// The object named by a text: "Class@0x<hex address>" for a live object,
// "nil", "Nil" or "0x0" for nil, else a class name. A name that finds
// nothing ends the process.
id nameToObject(const char* name);
// The same lookup for text that may name nothing (null included): it
// answers nil then, and found tells such a text from a name of nil.
id nameToObjectOrNil(const char* name, BOOL* found);

// Object-model start-up with the parsed arguments: keeps them in arguments,
// installs the class-lookup hook and makes the four global archivers.
void initDefobj(id args);

// The object model's classes, each looked up by name at bootstrap.
extern id id_Object_s, id_Customize_s, id_CreateDrop_s, id_CreateDrop, id_CreateBy_c,
    id_Create_bycopy, id_Create_bysend, id_Create_byboth, id_Class_s, id_CreatedClass_s,
    id_BehaviorPhase_s, id_Zone_c, id_ComponentZone_c, id_Symbol_c, id_EventType_c, id_Warning_c,
    id_Error_c, id_Type_c, id_ProgramModule_c, id_FArguments_c, id_FCall_c;
