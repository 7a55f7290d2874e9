// Selector interning. A selector is registered per (name, types); every
// variant of one name shares the name's uid, which is what dispatch keys on.
#include <cstring>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "runtime/objc.h"

namespace {

struct SelectorName {
  uint32_t uid;
  std::vector<objc_selector*> variants;  // registration order
};

struct SelectorTable {
  std::unordered_map<std::string_view, SelectorName> names;
  std::deque<std::string> strings;  // stable storage for names and types
  uint32_t nextUid = 0;

  const char* keep(const char* s) { return strings.emplace_back(s).c_str(); }

  SelectorName& entry(const char* name) {
    auto it = names.find(name);
    if (it != names.end()) return it->second;
    const char* kept = keep(name);
    return names.emplace(kept, SelectorName{nextUid++, {}}).first->second;
  }
};

SelectorTable& table() {
  // Never destroyed: selectors and classes outlive every static object.
  static SelectorTable& t = *new SelectorTable;
  return t;
}

bool sameTypes(const char* a, const char* b) {
  if (!a || !b) return a == b;
  return std::strcmp(a, b) == 0;
}

}  // namespace

SEL sel_register_typed_name(const char* name, const char* types) {
  SelectorTable& t = table();
  SelectorName& e = t.entry(name);
  for (objc_selector* s : e.variants)
    if (sameTypes(s->types, types)) return s;
  auto* s = new objc_selector{t.names.find(name)->first.data(), types ? t.keep(types) : nullptr, e.uid};
  e.variants.push_back(s);
  return s;
}

SEL sel_register_name(const char* name) { return sel_register_typed_name(name, nullptr); }

SEL sel_get_typed_uid(const char* name, const char* types) {
  auto& names = table().names;
  auto it = names.find(name);
  if (it == names.end()) return nullptr;
  for (objc_selector* s : it->second.variants)
    if (sameTypes(s->types, types)) return s;
  return nullptr;
}

SEL sel_get_any_uid(const char* name) {
  auto& names = table().names;
  auto it = names.find(name);
  if (it == names.end() || it->second.variants.empty()) return nullptr;
  return it->second.variants.front();
}

SEL sel_get_any_typed_uid(const char* name) {
  auto& names = table().names;
  auto it = names.find(name);
  if (it == names.end()) return nullptr;
  for (objc_selector* s : it->second.variants)
    if (s->types) return s;
  return nullptr;
}

SEL sel_get_uid(const char* name) { return sel_get_any_uid(name); }

const char* sel_get_name(SEL sel) { return sel ? sel->name : nullptr; }
const char* sel_get_type(SEL sel) { return sel ? sel->types : nullptr; }

BOOL sel_is_mapped(SEL sel) {
  if (!sel) return NO;
  auto& names = table().names;
  auto it = names.find(sel->name);
  if (it == names.end()) return NO;
  for (objc_selector* s : it->second.variants)
    if (s == sel) return YES;
  return NO;
}
