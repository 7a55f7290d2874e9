#include "defobj/ProgramModule.h"

#include "defobj/defobj.h"
#include "defobj/zstrdup.h"

const char* ProgramModule_c::getName() { return zstrdup(_obj_scratchZone, name); }
id ProgramModule_c::getOwner() { return owner; }
id ProgramModule_c::getModules() { return modules; }
id* ProgramModule_c::getTypes() { return types; }
id** ProgramModule_c::getSymbols() { return symbols; }
id** ProgramModule_c::getClasses() { return classes; }

REGISTER_CLASS(ProgramModule_c, Object,
  ivar(&ProgramModule_c::name, "name"),
  ivar(&ProgramModule_c::owner, "owner"),
  ivar(&ProgramModule_c::modules, "modules"),
  ivar(&ProgramModule_c::types, "types"),
  ivar(&ProgramModule_c::symbols, "symbols"),
  ivar(&ProgramModule_c::symbolNames, "symbolNames"),
  ivar(&ProgramModule_c::classes, "classes"),
  ivar(&ProgramModule_c::implement, "implement"),
  ivar(&ProgramModule_c::initialize, "initialize"),
  method<&ProgramModule_c::getName>(msg::getName),
  method<&ProgramModule_c::getOwner>(msg::getOwner),
  method<&ProgramModule_c::getModules>(msg::getModules),
  method<&ProgramModule_c::getTypes>(msg::getTypes),
  method<&ProgramModule_c::getSymbols>(msg::getSymbols),
  method<&ProgramModule_c::getClasses>(msg::getClasses))

id Module_super_::self(Class cls) { return cls; }
void Module_super_::initialize(Class) {}

REGISTER_ROOT_CLASS(Module_super_,
  classMethod<&Module_super_::self>(msg::self),
  classMethod<&Module_super_::initialize>(msg::initialize))
