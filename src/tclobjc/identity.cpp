#include "tclobjc/identity.h"

#include <cstdint>

#include "tclobjc/messages.h"

unsigned long tclObjc_hash(id object) {
  if (object && class_responds_to(object->isa, msg::hash.sel)) return msg::hash(object);
  return reinterpret_cast<uintptr_t>(object) >> 3;
}

BOOL tclObjc_isEqual(id object, id other) {
  if (object == other) return YES;
  if (object && class_responds_to(object->isa, msg::isEqual.sel)) return msg::isEqual(object, other);
  return NO;
}

void tclObjc_perform(id object, SEL sel) {
  if (object) imp_cast<id (*)(id, SEL)>(objc_msg_lookup(object, sel))(object, sel);
}

void tclObjc_perform_with(id object, SEL sel, id argument) {
  if (object) imp_cast<id (*)(id, SEL, id)>(objc_msg_lookup(object, sel))(object, sel, argument);
}
