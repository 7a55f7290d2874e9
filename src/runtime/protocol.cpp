#include "runtime/protocol.h"

#include <string>
#include <unordered_map>
#include <vector>

struct objc_protocol {
  std::string name;
  std::vector<Protocol*> adopted;
};

namespace {

// Never destroyed: protocols outlive every static object. A class's list
// is found through its class number, as the runtime keeps everything else
// of a class beside its record.
struct ProtocolTable {
  std::unordered_map<std::string, Protocol*> byName;
  std::unordered_map<unsigned long, std::vector<Protocol*>> byClass;
};

ProtocolTable& table() {
  static ProtocolTable& t = *new ProtocolTable;
  return t;
}

void addOnce(std::vector<Protocol*>& list, Protocol* protocol) {
  for (Protocol* p : list)
    if (p == protocol) return;
  list.push_back(protocol);
}

}  // namespace

Protocol* objc_get_protocol(const char* name) {
  Protocol*& protocol = table().byName[name];
  if (!protocol) protocol = new Protocol{name, {}};
  return protocol;
}

const char* protocol_get_name(const Protocol* protocol) { return protocol->name.c_str(); }

void protocol_add_protocol(Protocol* protocol, Protocol* adopted) { addOnce(protocol->adopted, adopted); }

BOOL protocol_conforms_to(const Protocol* protocol, const Protocol* other) {
  if (protocol == other) return YES;
  for (const Protocol* adopted : protocol->adopted)
    if (protocol_conforms_to(adopted, other)) return YES;
  return NO;
}

void class_add_protocol(Class cls, Protocol* protocol) { addOnce(table().byClass[class_get_number(cls)], protocol); }

BOOL class_conforms_to(Class cls, const Protocol* protocol) {
  const auto& byClass = table().byClass;
  for (Class c = cls; c; c = c->superclass) {
    const auto it = byClass.find(class_get_number(c));
    if (it == byClass.end()) continue;
    for (const Protocol* adopted : it->second)
      if (protocol_conforms_to(adopted, protocol)) return YES;
  }
  return NO;
}
