// Saved create-by actions: what customizeEnd answers, and what later
// create: messages to a customized type run.
#pragma once

#include "defobj/Object_s.h"

struct CreateBy_c : Object_s {
  Class implementedType;  // the type that createBegin: passes on to, or nil
  id createReceiver;      // the template, or the receiver of createMessage
  SEL createMessage;
  IMP createMethod;       // looked up once by customizeEnd
  id recustomize;

  id createBegin(id zone);
  id customizeBegin(id zone);
  void mapAllocations(mapalloc_t mapalloc);
};

// The three actions differ only in whether create: copies the template and
// whether it sends the saved message.
template <bool copyTemplate, bool sendMessage>
struct CreateBy_action : CreateBy_c {
  id create(id zone);
};

using Create_bycopy = CreateBy_action<true, false>;
using Create_bysend = CreateBy_action<false, true>;
using Create_byboth = CreateBy_action<true, true>;
