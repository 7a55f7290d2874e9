// Class records, registration of compiled classes, class lookup and message
// lookup.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "runtime/dispatch.h"
#include "runtime/message.h"
#include "runtime/registration.h"

Class (*_objc_lookup_class)(const char* name) = nullptr;

namespace {

struct ClassTable {
  std::vector<Class> classes;  // compiled classes in resolution order
  std::unordered_map<std::string_view, Class> byName;
  objc_class_def* pending = nullptr;  // queued before start-up, newest first
  bool started = false;
};

ClassTable& table() {
  // Never destroyed: selectors and classes outlive every static object.
  static ClassTable& t = *new ClassTable;
  return t;
}

[[noreturn]] void fatal(const char* format, const char* arg) {
  std::fprintf(stderr, format, arg);
  std::abort();
}

Class newClassRecord() {
  auto* c = static_cast<Class>(std::calloc(1, sizeof(objc_class)));
  if (!c) std::abort();
  return c;
}

objc_method_list* methodList(const objc_class_def* def, objc_class_entry::Kind kind) {
  int n = 0;
  for (const auto& e : def->entries) n += e.kind == kind;
  auto* list = static_cast<objc_method_list*>(
      std::calloc(1, sizeof(objc_method_list) + n * sizeof(objc_method)));
  if (!list) std::abort();
  for (const auto& e : def->entries)
    if (e.kind == kind)
      list->method_list[list->method_count++] = {e.sel, e.types.c_str(), e.imp};
  return list;
}

objc_ivar_list* ivarList(const objc_class_def* def) {
  int n = 0;
  for (const auto& e : def->entries) n += e.kind == objc_class_entry::Ivar;
  auto* list = static_cast<objc_ivar_list*>(
      std::calloc(1, sizeof(objc_ivar_list) + n * sizeof(objc_ivar)));
  if (!list) std::abort();
  for (const auto& e : def->entries)
    if (e.kind == objc_class_entry::Ivar)
      list->ivar_list[list->ivar_count++] = {e.name, e.types.c_str(), e.offset};
  return list;
}

sarray* inheritTable(Class super) { return super ? sarray_lazy_copy(super->dtable) : sarray_new(); }

void fillTable(sarray* table, const objc_method_list* list) {
  for (int i = 0; i < list->method_count; i++)
    sarray_at_put_safe(table, list->method_list[i].method_name->uid, list->method_list[i].method_imp);
}

// Builds the class and its meta-class once the superclass exists.
void resolve(objc_class_def* def) {
  ClassTable& t = table();
  Class super = nullptr;
  if (def->superName) {
    auto it = t.byName.find(def->superName);
    if (it == t.byName.end()) fatal("objc runtime: superclass of a class is not registered: %s\n", def->superName);
    super = it->second;
  }
  if (t.byName.count(def->name)) fatal("objc runtime: class registered twice: %s\n", def->name);
  const unsigned long number = t.classes.size() + 1;
  Class cls = newClassRecord(), meta = newClassRecord();
  cls->superclass = super;
  cls->name = def->name;
  cls->info = CLS_CLASS | CLS_RESOLVED | (number << CLS_NUMBER_SHIFT);
  cls->instanceSize = def->instanceSize;
  cls->ivarList = ivarList(def);
  cls->methodList = methodList(def, objc_class_entry::InstanceMethod);
  cls->dtable = inheritTable(super);
  fillTable(cls->dtable, cls->methodList);

  // The root meta-class inherits from the root class, so classes answer
  // the root's instance messages too.
  meta->superclass = super ? super->isa : cls;
  meta->name = def->name;
  meta->info = CLS_META | CLS_RESOLVED | (number << CLS_NUMBER_SHIFT);
  meta->instanceSize = sizeof(objc_class);
  meta->ivarList = static_cast<objc_ivar_list*>(std::calloc(1, sizeof(objc_ivar_list)));
  meta->methodList = methodList(def, objc_class_entry::ClassMethod);
  meta->dtable = inheritTable(meta->superclass);
  fillTable(meta->dtable, meta->methodList);

  Class rootMeta = meta;
  while (rootMeta->superclass && class_is_meta(rootMeta->superclass)) rootMeta = rootMeta->superclass;
  meta->isa = rootMeta;
  cls->isa = meta;

  def->cls = cls;
  t.classes.push_back(cls);
  t.byName.emplace(def->name, cls);
}

id nilMethod(id, SEL, ...) { return nil; }

SEL forwardSelector() {
  static SEL s = sel_register_name("forward::");
  return s;
}

// What lookups hand out for a selector without implementation, to callers
// that call it through a type of their own.
id forwardTrampoline(id self, SEL sel, ...) { return objc_forward_message(self, sel, nullptr); }

}  // namespace

id objc_forward_message(id self, SEL sel, const void* const* frame) {
  IMP forward = sarray_get(self->isa->dtable, forwardSelector()->uid);
  if (!forward)
    fatal("objc runtime: object does not implement forward:: (message %s)\n", sel_get_name(sel));
  using Forward = id (*)(id, SEL, SEL, void*);
  return imp_cast<Forward>(forward)(self, forwardSelector(), sel, const_cast<void*>(static_cast<const void*>(frame)));
}

void objc_register_def(objc_class_def* def, const char* name, const char* superName,
                       long instanceSize, std::initializer_list<objc_class_entry> entries) {
  if (def->name) return;  // registered already
  def->name = name;
  def->superName = superName;
  def->instanceSize = instanceSize;
  def->entries.assign(entries);
  __objc_exec_class(def);
}

void __objc_exec_class(objc_class_def* def) {
  ClassTable& t = table();
  if (t.started) {
    resolve(def);
    return;
  }
  def->next = t.pending;
  t.pending = def;
}

void __objc_exec_class_for_all_initial_modules() {
  ClassTable& t = table();
  if (t.started) return;
  std::vector<objc_class_def*> waiting;
  for (objc_class_def* d = t.pending; d; d = d->next) waiting.insert(waiting.begin(), d);
  t.pending = nullptr;
  // Resolve superclasses before subclasses, keeping registration order
  // otherwise.
  while (!waiting.empty()) {
    bool progress = false;
    for (auto it = waiting.begin(); it != waiting.end();) {
      objc_class_def* d = *it;
      if (!d->superName || t.byName.count(d->superName)) {
        resolve(d);
        it = waiting.erase(it);
        progress = true;
      } else {
        ++it;
      }
    }
    if (!progress) fatal("objc runtime: superclass of a class is not registered: %s\n", waiting.front()->superName);
  }
  t.started = true;
}

BOOL objc_runtime_started() { return table().started; }

IMP __objc_forward_lookup(id, SEL) { return &forwardTrampoline; }

IMP objc_msg_lookup(id receiver, SEL sel) {
  if (!receiver) return &nilMethod;
  return objc_send_lookup(receiver, sel);
}

IMP objc_msg_lookup_super(Class cls, SEL sel) {
  IMP imp = cls->superclass ? sarray_get(cls->superclass->dtable, sel->uid) : nullptr;
  return imp ? imp : &forwardTrampoline;
}

IMP get_imp(Class cls, SEL sel) { return cls && cls->dtable ? sarray_get(cls->dtable, sel->uid) : nullptr; }

BOOL class_responds_to(Class cls, SEL sel) { return get_imp(cls, sel) != nullptr; }

Class objc_lookup_class(const char* name) {
  if (!name) return nullptr;
  auto& byName = table().byName;
  auto it = byName.find(name);
  if (it != byName.end()) return it->second;
  return _objc_lookup_class ? _objc_lookup_class(name) : nullptr;
}

Class objc_get_class(const char* name) {
  Class c = objc_lookup_class(name);
  if (!c) fatal("objc runtime: cannot find class %s\n", name ? name : "(null)");
  return c;
}

Class objc_next_class(void** state) {
  auto& classes = table().classes;
  auto i = reinterpret_cast<uintptr_t>(*state);
  if (i >= classes.size()) return nullptr;
  *state = reinterpret_cast<void*>(i + 1);
  return classes[i];
}

unsigned long objc_class_count() { return table().classes.size(); }

id class_create_instance(Class cls) {
  auto* object = static_cast<id>(std::calloc(1, cls->instanceSize));
  if (!object) std::abort();
  object->isa = cls;
  return object;
}

void object_dispose(id object) { std::free(object); }

Method class_get_instance_method(Class cls, SEL sel) {
  for (Class c = cls; c; c = c->superclass)
    for (objc_method_list* list = c->methodList; list; list = list->method_next)
      for (int i = 0; i < list->method_count; i++)
        if (list->method_list[i].method_name->uid == sel->uid) return &list->method_list[i];
  return nullptr;
}

Method class_get_class_method(Class meta, SEL sel) { return class_get_instance_method(meta, sel); }

void* objc_malloc(size_t size) {
  void* p = std::malloc(size ? size : 1);
  if (!p) std::abort();
  return p;
}

void objc_free(void* p) { std::free(p); }
