#include "defobj/CreateDrop.h"

#include "collections/stream_messages.h"
#include "defobj/Class_s.h"
#include "defobj/archiving_messages.h"
#include "defobj/hdf5_messages.h"
#include "defobj/phase.h"

namespace {

// Under customization createEnd saves the object as the template that
// later create: messages copy.
void saveTemplateWhenCustomizing(id object) {
  if (object->isa->info & CLS_CUSTOMIZING) msg::_setCreateByCopy_(object);
}

}  // namespace

id CreateDrop_s::createBegin(Class cls, id zone) { return msg::allocIVars(zone, cls); }

id CreateDrop_s::create(Class cls, id zone) { return msg::createEnd(msg::createBegin(cls, zone)); }

id CreateDrop_s::createEnd() {
  saveTemplateWhenCustomizing(this);
  const id next = _obj_getNextPhase(isa);
  if (next && next != CreatingOnly && next != UsingOnly) isa = static_cast<Class>(next);
  return this;
}

id CreateDrop::createEnd() {
  saveTemplateWhenCustomizing(this);
  return this;
}

REGISTER_CLASS(Customize_s, Object_s,
  classMethod<&Customize_s::createBegin>(msg::createBegin),
  classMethod<&Customize_s::customizeBegin>(msg::customizeBegin),
  classMethod<&Customize_s::customizeBeginEnd>(msg::customizeBeginEnd),
  classMethod<&Customize_s::setTypeImplemented>(msg::setTypeImplemented),
  phase(Phase::Creating),
  method<&Customize_s::customizeEnd>(msg::customizeEnd),
  method<&Customize_s::customizeCopy>(msg::customizeCopy),
  method<&Customize_s::_setCreateByCopy_>(msg::_setCreateByCopy_),
  method<&Customize_s::_setCreateByMessage_to>(msg::_setCreateByMessage_to),
  method<&Customize_s::_setCreateByMessage_toCopy>(msg::_setCreateByMessage_toCopy),
  method<&Customize_s::_setRecustomize_>(msg::_setRecustomize_))

REGISTER_CLASS(CreateDrop_s, Customize_s,
  classMethod<&CreateDrop_s::createBegin>(msg::createBegin),
  classMethod<&CreateDrop_s::create>(msg::create),
  phase(Phase::Creating),
  method<&CreateDrop_s::createEnd>(msg::createEnd))

// Classes made at run time are made below CreateDrop and answer the
// archivers through its class messages once finished.
REGISTER_CLASS(CreateDrop, CreateDrop_s,
  classMethod<&finishedClassMessage<&CreatedClass_s::lispOutShallow, id>>(msg::lispOutShallow),
  classMethod<&finishedClassMessage<&CreatedClass_s::hdf5OutShallow, id>>(msg::hdf5OutShallow),
  classMethod<&finishedClassMessage<&CreatedClass_s::updateArchiver, id>>(msg::updateArchiver),
  phase(Phase::Creating),
  method<&CreateDrop::createEnd>(msg::createEnd))
