#include "defobj/test_gadget.h"

#include "defobj/module.h"
#include "defobj/phase.h"

REGISTER_CLASS(Gadget_c, CreateDrop_s,
  ivar(&Gadget_c::size, "size"),
  ivar(&Gadget_c::color, "color"),
  phase(Phase::Creating),
  method<&Gadget_c::setGadgetSize>(msg::setGadgetSize),
  phase(Phase::Setting),
  method<&Gadget_c::setGadgetColor>(msg::setGadgetColor),
  method<&Gadget_c::getGadgetColor>(msg::getGadgetColor),
  phase(Phase::Using),
  method<&Gadget_c::getGadgetSize>(msg::getGadgetSize))

#define GADGET_TYPES(X) X(Gadget, _obj_creatableType)
GADGET_TYPES(TYPE_VARIABLE)
TYPE_TABLE(gadgetTypes, GADGET_TYPES)
id id_Gadget_c;

namespace {

id* gadgetClasses[] = {&id_Gadget_c, nullptr};

void implementGadgets() { msg::setTypeImplemented(id_Gadget_c, Gadget); }

ProgramModule_c gadgetModule{{}, "gadgets", nil, nil, gadgetTypes, nullptr, nullptr, gadgetClasses,
                             &implementGadgets, nullptr};

}  // namespace

void registerGadgets() {
  if (id_Gadget_c) return;
  objc_register_Gadget_c();
  id_Gadget_c = objc_get_class("Gadget_c");
  _obj_initModule(&gadgetModule);
}
