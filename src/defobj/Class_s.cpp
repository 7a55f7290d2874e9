#include "defobj/Class_s.h"

#include <cstring>
#include <vector>

#include "collections/collections.h"
#include "collections/predicates.h"
#include "collections/stream_messages.h"
#include "defobj/archiving_messages.h"
#include "defobj/classData.h"
#include "defobj/defobj.h"
#include "defobj/hdf5_messages.h"
#include "defobj/phase.h"
#include "defobj/runtime_classes.h"

id CreatedClass_s::createBegin(Class cls, id zone) {
  auto* created = static_cast<CreatedClass_s*>(msg::allocIVars(zone, cls));
  // The zone stores its link where an object keeps its zbits, which in a
  // class record is the superclass.
  created->superclass = nil;
  return created;
}

void CreatedClass_s::setName(const char* className) { name = className; }
void CreatedClass_s::setClass(Class metaClass) { metaobjects = metaClass; }
void CreatedClass_s::setSuperclass(Class super) { superclass = super; }

void CreatedClass_s::setDefiningClass(Class cls) {
  definingClass = cls;
  info = cls->info;
  instanceSize = cls->instanceSize;
  ivarList = cls->ivarList;
  methodList = cls->methodList;
}

void CreatedClass_s::at_addMethod(SEL sel, IMP imp) {
  if (!superclass)
    raiseAt(InvalidCombination, "-[CreatedClass(s) _at:addMethod:]",
            "must specify superclass before adding methods to a created class\n");
  if (!dtable) dtable = sarray_lazy_copy(superclass->dtable);
  sarray_at_put_safe(dtable, sel->uid, imp);
}

id CreatedClass_s::createEnd() {
  if (!dtable) dtable = superclass ? sarray_lazy_copy(superclass->dtable) : sarray_new();
  isa = metaobjects;
  info |= CLS_RUNTIME_MADE;
  return this;
}

Class CreatedClass_s::getDefiningClass() { return definingClass; }

void CreatedClass_s::lispOutShallow(id stream) {
  msg::catStartMakeClass(stream, name);
  for (int i = 0; ivarList && i < ivarList->ivar_count; i++) {
    msg::catSeparator(stream);
    msg::catKeyword(stream, ivarList->ivar_list[i].ivar_name);
    msg::catSeparator(stream);
    msg::catType(stream, ivarList->ivar_list[i].ivar_type);
  }
  msg::catEndMakeClass(stream);
}

id CreatedClass_s::hdf5InCreate(id node) {
  msg::setBaseTypeObject(node, this);
  return msg::getClass(node);
}

void CreatedClass_s::hdf5OutShallow(id) {
  raiseAt(NotImplemented, "-[CreatedClass(s) _hdf5OutShallow:]", "DefClass / hdf5OutShallow:");
}

void CreatedClass_s::updateArchiver(id archiver) { msg::putShallow_object(archiver, name, this); }

namespace {

constexpr const char* lispInCreateName = "-[CreatedClass(s) _lispInCreate:]";

// The elements of an archive list, walked with an index in the scratch
// zone; a quoted element (the writer quotes type names) is taken as its
// content.
struct Elements {
  id index;
  explicit Elements(id list) : index(msg::begin(list, _obj_scratchZone)) {}
  ~Elements() { msg::drop(index); }
  // The next element; false after the last.
  bool next(id* element) {
    id node = msg::next(index);
    *element = quotedp(node) ? msg::getQuotedObject(node) : node;
    return msg::getLoc(index) == Member;
  }
};

// ("array" element-type dimension...)
void addArrayVariable(Class cls, const char* name, id form) {
  Elements elements(form);
  id word, type;
  if (!elements.next(&word) || !stringp(word))
    raiseAt(InvalidArgument, lispInCreateName, "argument should be a string");
  if (std::strcmp(msg::getC(word), "array") != 0)
    raiseAt(InvalidArgument, lispInCreateName, "argument should be \"array\"");
  if (!elements.next(&type) || !stringp(type))
    raiseAt(InvalidArgument, lispInCreateName, "array type should be a string");
  std::vector<unsigned> dims;
  for (id dim; elements.next(&dim);) {
    if (!valuep(dim)) raiseAt(InvalidArgument, lispInCreateName, "array dimension count should be a value");
    const unsigned count = msg::getUnsigned(dim);
    if (count == 0 || msg::getLongLong(dim) != count)
      raiseAt(InvalidArgument, lispInCreateName, "> array dimension %lld out of range\n", msg::getLongLong(dim));
    dims.push_back(count);
  }
  class_addVariable(cls, name, fcall_type_for_lisp_type(msg::getC(type)), dims.size(), dims.data());
}

}  // namespace

id CreatedClass_s::lispInCreate(id expr) {
  Class extended = class_copy(reinterpret_cast<Class>(this));
  Elements elements(expr);
  for (id key, value; elements.next(&key);) {
    if (!keywordp(key))
      raiseAt(InvalidArgument, lispInCreateName, "expecting keyword [%s]", key ? key->isa->name : "nil");
    if (!elements.next(&value)) raiseAt(InvalidArgument, lispInCreateName, "missing value");
    const char* variable = msg::getKeywordName(key);
    if (stringp(value))
      class_addVariable(extended, variable, fcall_type_for_lisp_type(msg::getC(value)), 0, nullptr);
    else if (archiver_list_p(value))
      addArrayVariable(extended, variable, value);
    else
      raiseAt(InvalidArgument, lispInCreateName, "argument should be string or list");
  }
  return extended;
}

// Phase classes share their defining class's class data, which names
// them; other classes made at run time need not carry definingClass.
Class definingClassOfPhase(Class cls) {
  const Class first = _obj_getClassData(cls)->initialPhase;
  if (!first || (cls != first && cls != usingPhaseOf(cls))) return nil;
  return reinterpret_cast<CreatedClass_s*>(cls)->definingClass;
}

void BehaviorPhase_s::setNextPhase(id phase) { nextPhase = phase; }
Class BehaviorPhase_s::getNextPhase() { return static_cast<Class>(nextPhase); }

REGISTER_CLASS(Class_s, Object,
  ivar(&Class_s::superclass, "superclass"),
  ivar(&Class_s::name, "name"),
  ivar(&Class_s::version, "version"),
  ivar(&Class_s::info, "info"),
  ivar(&Class_s::instanceSize, "instanceSize"),
  ivar(&Class_s::ivarList, "ivarList"),
  ivar(&Class_s::methodList, "methodList"),
  ivar(&Class_s::dtable, "dtable"))

REGISTER_CLASS(CreatedClass_s, Class_s,
  ivar(&CreatedClass_s::definingClass, "definingClass"),
  ivar(&CreatedClass_s::metaobjects, "metaobjects"),
  classMethod<&CreatedClass_s::createBegin>(msg::createBegin),
  method<&CreatedClass_s::setName>(msg::setName),
  method<&CreatedClass_s::setClass>(msg::setClass),
  method<&CreatedClass_s::setSuperclass>(msg::setSuperclass),
  method<&CreatedClass_s::setDefiningClass>(msg::setDefiningClass),
  method<&CreatedClass_s::at_addMethod>(msg::at_addMethod),
  method<&CreatedClass_s::createEnd>(msg::createEnd),
  method<&CreatedClass_s::getDefiningClass>(msg::getDefiningClass),
  method<&CreatedClass_s::lispOutShallow>(msg::lispOutShallow),
  method<&CreatedClass_s::lispInCreate>(msg::lispInCreate),
  method<&CreatedClass_s::hdf5InCreate>(msg::hdf5InCreate),
  method<&CreatedClass_s::hdf5OutShallow>(msg::hdf5OutShallow),
  method<&CreatedClass_s::updateArchiver>(msg::updateArchiver))

REGISTER_CLASS(BehaviorPhase_s, CreatedClass_s,
  ivar(&BehaviorPhase_s::nextPhase, "nextPhase"),
  ivar(&BehaviorPhase_s::filler, "filler"),
  ivar(&BehaviorPhase_s::morefiller, "morefiller"),
  phase(Phase::CreatingOnly),
  method<&BehaviorPhase_s::setNextPhase>(msg::setNextPhase),
  method<&BehaviorPhase_s::getNextPhase>(msg::getNextPhase))
