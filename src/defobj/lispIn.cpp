#include "defobj/lispIn.h"

#include <cstring>
#include <vector>

#include "collections/collections.h"
#include "collections/predicates.h"
#include "collections/stream_messages.h"
#include "defobj/archiving_messages.h"
#include "defobj/brood_directory.h"
#include "defobj/fcall_type.h"
#include "defobj/module.h"
#include "defobj/runtime_classes.h"

namespace {

// Classes made at run time live as long as the process, so their records
// and names come from the global zone whatever zone the caller reads into.
Class makeClass(const char* name, id variables) {
  id record = type_create(_obj_globalZone, name);
  const Class cls = static_cast<Class>(msg::createEnd(msg::lispInCreate(record, variables)));
  registerLocalClass(cls);
  return cls;
}

id makeInstance(id zone, const char* name, id variables) {
  const Class cls = brood_directory_ensure_class_named(name);
  if (!cls) raiseAt(InvalidArgument, "lispIn", "> type `%s' not found", name);
  archive_check_creatable(cls, "lispIn");
  id object = msg::createBegin(cls, zone);
  msg::lispInCreate(object, variables);
  return msg::lispIn(msg::createEnd(object), variables);
}

struct Requirement {
  const char* className;
  BOOL (*present)();
  const char* what;
};

std::vector<Requirement>& requirements() {
  static std::vector<Requirement> list;
  return list;
}

// The first requirement of the class or an ancestor that is not met. Phase
// classes carry the number of the class they were made from.
const Requirement* unmetRequirement(Class cls) {
  for (const Requirement& r : requirements()) {
    const Class required = objc_lookup_class(r.className);
    if (!required || r.present()) continue;
    for (Class ancestor = cls; ancestor; ancestor = ancestor->superclass)
      if (class_get_number(ancestor) == class_get_number(required)) return &r;
  }
  return nullptr;
}

// The runtime's root classes and the registry's records stand outside the
// creation protocol.
BOOL followsCreationProtocol(Class cls) {
  if (class_responds_to(cls->isa, msg::createBegin.sel))
    for (Class ancestor = cls; ancestor; ancestor = ancestor->superclass)
      if (ancestor == static_cast<Class>(id_Object_s)) return YES;
  return NO;
}

}  // namespace

BOOL archive_creatable(Class cls) { return followsCreationProtocol(cls) && !unmetRequirement(cls); }

void archive_check_creatable(Class cls, const char* function) {
  if (!followsCreationProtocol(cls))
    raiseAt(LoadError, function, "> class `%s' cannot be created from an archive\n", cls->name);
  if (const Requirement* r = unmetRequirement(cls))
    raiseAt(LoadError, function, "> class `%s' cannot be created from an archive: it needs %s\n", cls->name, r->what);
}

void archive_require(const char* className, BOOL (*present)(), const char* what) {
  requirements().push_back({className, present, what});
}

id lispIn(id zone, id expr) {
  if (!expr || nil_value_p(expr)) return nil;
  if (!archiver_list_p(expr)) raiseAt(InvalidArgument, "lispIn", "> expr not an archiver list");
  id index = msg::begin(expr, _obj_scratchZone);
  id head = msg::next(index);
  if (!stringp(head)) raiseAt(InvalidArgument, "lispIn", "> makeExprObj not a string");
  const char* function = msg::getC(head);
  const bool classForm = std::strcmp(function, "make-class") == 0;
  if (!classForm && std::strcmp(function, "make-instance") != 0 && std::strcmp(function, "make-objc") != 0)
    raiseAt(InvalidArgument, "lispIn", "> makeExprObj not \"make-instance\" or \"make-class\" (%s)\n", function);
  id type = msg::next(index);
  if (quotedp(type)) type = msg::getQuotedObject(type);
  if (!stringp(type)) raiseAt(InvalidArgument, "lispIn", "> argument not a string");

  id variables = msg::create(List, msg::getZone(expr));
  for (id element = msg::next(index); msg::getLoc(index) == Member; element = msg::next(index))
    msg::addLast(variables, element);
  msg::drop(index);
  id result = classForm ? makeClass(msg::getC(type), variables) : makeInstance(zone, msg::getC(type), variables);
  msg::drop(variables);
  return result;
}

BOOL lispInBoolean(id index) {
  id node = msg::next(index);
  if (!valuep(node)) raiseAt(InvalidArgument, "lispInBoolean", "expected ArchiverValue");
  if (msg::getValueType(node) != fcall_type_boolean)
    raiseAt(InvalidArgument, "lispInBoolean", "expected boolean ArchiverValue");
  return msg::getBoolean(node);
}

int lispInInteger(id index) {
  id node = msg::next(index);
  if (!valuep(node)) raiseAt(InvalidArgument, "lispInInteger", "expected ArchiverValue");
  return msg::getInteger(node);
}

const char* lispInString(id index) {
  id node = msg::next(index);
  if (!stringp(node)) raiseAt(InvalidArgument, "lispInString", "expected String");
  return msg::getC(node);
}

id lispInKeyword(id index) {
  id node = msg::next(index);
  if (!keywordp(node)) raiseAt(InvalidArgument, "lispInKeyword", "expected ArchiverKeyword");
  return node;
}
