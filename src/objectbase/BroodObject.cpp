#include "objectbase/BroodObject.h"

#include "defobj/phase.h"

REGISTER_CLASS(BroodObject, CreateDrop)
