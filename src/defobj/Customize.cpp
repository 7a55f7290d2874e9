// Customization of a type: customizeBegin: prepares an object, its
// createEnd chooses a create-by action, customizeEnd saves the action in a
// CreateBy_c record that later create: messages run.
#include <cstring>

#include "defobj/Class_s.h"
#include "defobj/CreateBy.h"
#include "defobj/CreateDrop.h"
#include "defobj/Type.h"
#include "defobj/address.h"
#include "defobj/module.h"
#include "runtime/protocol.h"

namespace {

// While a customization is open, the prepared object's class is a private
// copy of its class: CLS_CUSTOMIZING set, the record in filler. The copy
// is a block of the zone rather than an object of its population, since it
// is a class record.
BehaviorPhase_s* privateClass(id object) { return reinterpret_cast<BehaviorPhase_s*>(object->isa); }
bool customizing(id object) { return object->isa->info & CLS_CUSTOMIZING; }
CreateBy_c* recordOf(id object) { return static_cast<CreateBy_c*>(privateClass(object)->filler); }

// The record remembers the class from before customization until
// customizeEnd.
void beginCustomizing(id object, id zone) {
  const Class original = object->isa;
  auto* record = static_cast<CreateBy_c*>(msg::allocIVars(zone, static_cast<Class>(id_CreateBy_c)));
  record->implementedType = original;
  auto* copy = static_cast<BehaviorPhase_s*>(msg::allocBlock(zone, sizeof(BehaviorPhase_s)));
  std::memset(static_cast<void*>(copy), 0, sizeof(BehaviorPhase_s));
  std::memcpy(static_cast<void*>(copy), original, sizeof(objc_class));
  copy->nextPhase = _obj_getNextPhase(original);
  copy->info |= CLS_CUSTOMIZING;
  copy->filler = record;
  object->isa = reinterpret_cast<Class>(copy);
}

CreateBy_c* openRecord(id object, const char* function) {
  if (!customizing(object))
    raiseAt(CreateUsage, function,
            "> class %s: customizeEnd must follow customizeBegin\n"
            "> (If classes coded properly, error raised by a createBy... macro\n"
            "> in a createEnd method.)\n",
            object->isa->name);
  return recordOf(object);
}

int argumentCount(SEL sel) {
  int count = 0;
  for (const char* c = sel_get_name(sel); *c; c++) count += *c == ':';
  return count;
}

void setAction(CreateBy_c* record, id action, SEL sel, id receiver) {
  record->isa = static_cast<Class>(action);
  record->createMessage = sel;
  record->createReceiver = receiver;
}

// Releases the prepared object the way its zone allocated it.
void releasePrepared(Object_s* object) {
  if (object->zbits & BitComponentAlloc) msg::freeIVarsComponent(object->getZone(), object);
  else msg::freeIVars(object->getZone(), object);
}

}  // namespace

// Every concrete class supplies its own createBegin:.
id Customize_s::createBegin(Class cls, id) {
  msg::subclassResponsibility(cls, msg::createBegin.sel);
  return nil;
}

id Customize_s::customizeBegin(Class cls, id zone) {
  id object = msg::createBegin(cls, msg::getComponentZone(zone));
  if (object) beginCustomizing(object, zone);
  return object;
}

id Customize_s::customizeBeginEnd(Class cls, id zone) {
  auto* type = static_cast<CreateBy_c*>(msg::customizeEnd(msg::customizeBegin(cls, zone)));
  if (type) type->implementedType = cls;
  return type;
}

// A public type is also a protocol, which adopts the type's supertypes;
// the implementing class adopts it, so conformsTo: answers for its type.
void Customize_s::setTypeImplemented(Class cls, id type) {
  Object_s::setTypeImplemented(cls, type);
  const auto* record = static_cast<Type_c*>(type);
  Protocol* protocol = objc_get_protocol(record->name);
  for (const char* const* super = record->supertypes; super && *super; super++)
    protocol_add_protocol(protocol, objc_get_protocol(*super));
  class_add_protocol(cls, protocol);
  _obj_splitPhases(cls);
}

id Customize_s::customizeEnd() {
  if (!customizing(this))
    raiseAt(CreateUsage, "-[Customize(s) _customizeEnd]",
            "> class %s: customizeEnd may only follow customizeBegin\n", isa->name);
  BehaviorPhase_s* copy = privateClass(this);
  CreateBy_c* record = recordOf(this);
  const Class original = record->implementedType;
  msg::createEnd(this);

  const Class action = record->isa;
  if (action == static_cast<Class>(id_CreateBy_c))
    raiseAt(CreateSubclassing, "-[Customize(s) _customizeEnd]",
            "> class %s: createEnd did not select a createBy action when called by\n"
            "> customizeEnd to save a customization\n",
            original->name);
  const bool sends = action != static_cast<Class>(id_Create_bycopy);
  const bool copies = action != static_cast<Class>(id_Create_bysend);
  if (sends && !msg::respondsTo(record->createReceiver, record->createMessage)) {
    char text[ObjectIDTextSize];
    raiseAt(CreateSubclassing, "-[Customize(s) _customizeEnd]",
            "> class %s, setCreateByMessage: or setCreateByMessage:to:\n"
            "> receiver object: %s\n"
            "> message selector name: \"%s\"\n"
            "> message selector not valid for receiver\n",
            original->name, record->createReceiver ? formatObjectID(text, record->createReceiver) : "nil",
            sel_get_name(record->createMessage));
  }

  if (copies && record->createReceiver != this) {
    releasePrepared(this);
  } else {
    if (isa == reinterpret_cast<Class>(copy)) isa = original;
    // The saved template or receiver is the record's own: its drop
    // releases it.
    if (record->createReceiver == this) record->zbits |= BitInternalAlloc;
  }
  if (sends) record->createMethod = objc_msg_lookup(record->createReceiver, record->createMessage);

  msg::freeBlock_blockSize(record->getZone(), copy, sizeof(BehaviorPhase_s));
  record->implementedType = nil;
  return record;
}

id Customize_s::customizeCopy(id zone) {
  if (!customizing(this))
    raiseAt(CreateUsage, "-[Customize(s) _customizeCopy:]",
            "> class %s: customizeCopy must follow customizeBegin\n", isa->name);
  id object = msg::copyIVars(zone, this);
  object->isa = recordOf(this)->implementedType;
  beginCustomizing(object, zone);
  return object;
}

void Customize_s::_setCreateByCopy_() {
  setAction(openRecord(this, "-[Customize(s) __setCreateByCopy_]"), id_Create_bycopy, nullptr, this);
}

void Customize_s::_setCreateByMessage_to(SEL sel, id receiver) {
  CreateBy_c* record = openRecord(this, "-[Customize(s) __setCreateByMessage_:to:]");
  if (argumentCount(sel) != 1)
    raiseAt(CreateSubclassing, "-[Customize(s) __setCreateByMessage_:to:]",
            "> class %s: setCreateByMessage:to: message selector name: \"%s\"\n"
            "> message selector must accept one argument (for create zone)\n",
            isa->name, sel_get_name(sel));
  setAction(record, id_Create_bysend, sel, receiver);
}

void Customize_s::_setCreateByMessage_toCopy(SEL sel, id original) {
  CreateBy_c* record = openRecord(this, "-[Customize(s) __setCreateByMessage_:toCopy:]");
  if (argumentCount(sel) > 1)
    raiseAt(CreateSubclassing, "-[Customize(s) __setCreateByMessage_:toCopy:]",
            "> class %s: setCreateByMessage:to: message selector name: \"%s\"\n"
            "> message selector must accept at most one argument\n",
            isa->name, sel_get_name(sel));
  setAction(record, id_Create_byboth, sel, original);
}

void Customize_s::_setRecustomize_(id receiver) {
  CreateBy_c* record = openRecord(this, "-[Customize(s) __setRecustomize_:]");
  if (!msg::respondsTo(receiver, msg::createBegin.sel))
    raiseAt(InvalidArgument, "-[Customize(s) __setRecustomize_:]",
            "> setRecustomize receiver argument does not respond to createBegin:\n");
  record->recustomize = receiver;
}
