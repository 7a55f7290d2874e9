// Protocols: named sets of messages that classes adopt. A protocol is
// interned by name, so protocols compare by identity, and may itself adopt
// other protocols.
#pragma once

#include "runtime/objc.h"

struct objc_protocol;
typedef objc_protocol Protocol;

// The protocol of the name, made on first use.
Protocol* objc_get_protocol(const char* name);
const char* protocol_get_name(const Protocol* protocol);
void protocol_add_protocol(Protocol* protocol, Protocol* adopted);
// YES when the protocol is the other one or adopts it, directly or through
// the protocols it adopts.
BOOL protocol_conforms_to(const Protocol* protocol, const Protocol* other);

void class_add_protocol(Class cls, Protocol* protocol);
// YES when the class or one of its superclasses adopts a protocol that
// conforms to the given one.
BOOL class_conforms_to(Class cls, const Protocol* protocol);
