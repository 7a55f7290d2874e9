// A small object class for tests: two spare link words for member-link
// lists, a partner that is dropped with it, and methods to perform.
#pragma once

#include <cstddef>

#include "defobj/CreateDrop.h"

namespace msg {
inline const Message<id()> testSelf{"testSelf"};
inline const Message<id()> testBump{"testBump"};
inline const Message<id(id)> testFirst{"testFirst:"};
inline const Message<id(id, id, id)> testThird{"testFirst:second:third:"};
}  // namespace msg

struct Thing : CreateDrop {
  void* links[2];
  id partner;
  id seen;  // the last argument of a performed message
  long value;

  id testSelf() { return this; }
  id testBump() {
    value++;
    return this;
  }
  id testFirst(id a) { return seen = a; }
  id testThird(id, id, id c) { return seen = c; }
  void drop() {
    if (id other = partner) {
      partner = nil;
      msg::drop(other);
    }
    Object_s::drop();
  }
};

inline int thingLinkOffset() {
  static Thing probe;
  return static_cast<int>(reinterpret_cast<char*>(&probe.links) - reinterpret_cast<char*>(&probe));
}

inline Class thingClass() {
  static objc_class_def def;
  objc_register_def(&def, "Thing", "CreateDrop", sizeof(Thing),
                    {method<&Thing::testSelf>(msg::testSelf), method<&Thing::testBump>(msg::testBump),
                     method<&Thing::testFirst>(msg::testFirst),
                     method<&Thing::testThird>(msg::testThird), method<&Thing::drop>(msg::drop)});
  return def.cls;
}

inline Thing* makeThing(id zone, long value = 0) {
  auto* thing = static_cast<Thing*>(msg::create(thingClass(), zone));
  thing->value = value;
  return thing;
}
