#include "defobj/CreateBy.h"

#include <cstring>

#include "defobj/module.h"

id CreateBy_c::createBegin(id zone) {
  if (!implementedType)
    raiseAt(CreateUsage, "-[CreateBy(c) _createBegin:]",
            "> class %s: createBegin not supported after customization already\n"
            "> completed a first time by customizeBegin/End\n",
            isa->name);
  return msg::createBegin(implementedType, zone);
}

id CreateBy_c::customizeBegin(id zone) {
  if (!implementedType)
    raiseAt(CreateUsage, "-[CreateBy(c) _customizeBegin:]",
            "> class %s: customizeBegin not supported after customization already\n"
            "> completed a first time by customizeBegin/End\n",
            isa->name);
  return msg::customizeBegin(implementedType, zone);
}

// Only a record that owns its saved object (customizeEnd marks it so)
// reports it, as the kind of allocation it is: the object goes with the
// record's drop.
void CreateBy_c::mapAllocations(mapalloc_t mapalloc) {
  const BOOL component = (static_cast<Object_s*>(createReceiver)->zbits & BitComponentAlloc) != 0;
  mapalloc->alloc = createReceiver;
  mapalloc->descriptor = component ? nil : t_PopulationObject;
  mapalloc->mappingFunction(mapalloc, component);
}

template <bool copyTemplate, bool sendMessage>
id CreateBy_action<copyTemplate, sendMessage>::create(id zone) {
  id object = copyTemplate ? msg::copyIVars(zone, createReceiver) : createReceiver;
  if constexpr (!sendMessage) {
    return object;
  } else {
    // The saved message takes the zone, or no argument at all.
    if (std::strchr(sel_get_name(createMessage), ':'))
      return imp_cast<id (*)(id, SEL, id)>(createMethod)(object, createMessage, zone);
    return imp_cast<id (*)(id, SEL)>(createMethod)(object, createMessage);
  }
}

REGISTER_CLASS(CreateBy_c, Object_s,
  ivar(&CreateBy_c::implementedType, "implementedType"),
  ivar(&CreateBy_c::createReceiver, "createReceiver"),
  ivar(&CreateBy_c::createMessage, "createMessage"),
  ivar(&CreateBy_c::createMethod, "createMethod"),
  ivar(&CreateBy_c::recustomize, "recustomize"),
  method<&CreateBy_c::createBegin>(msg::createBegin),
  method<&CreateBy_c::customizeBegin>(msg::customizeBegin),
  method<&CreateBy_c::mapAllocations>(msg::mapAllocations))

REGISTER_CLASS(Create_bycopy, CreateBy_c, method<&Create_bycopy::create>(msg::create))
REGISTER_CLASS(Create_bysend, CreateBy_c, method<&Create_bysend::create>(msg::create))
REGISTER_CLASS(Create_byboth, CreateBy_c, method<&Create_byboth::create>(msg::create))
