#include "defobj/Type.h"

#include "defobj/zstrdup.h"

const char* const _obj_creatableType[] = {"CREATABLE", nullptr};

const char* Type_c::getName() { return zstrdup(_obj_scratchZone, name); }
BOOL Type_c::getCreatable() { return implementation != nil; }
id Type_c::getImplementation() { return implementation; }

REGISTER_CLASS(Type_c, Object_s,
  ivar(&Type_c::owner, "owner"),
  ivar(&Type_c::name, "name"),
  ivar(&Type_c::typeID, "typeID"),
  ivar(&Type_c::implementation, "implementation"),
  ivar(&Type_c::supertypes, "supertypes"),
  method<&Type_c::getName>(msg::getName),
  method<&Type_c::getCreatable>(msg::getCreatable),
  method<&Type_c::getImplementation>(msg::getImplementation))
