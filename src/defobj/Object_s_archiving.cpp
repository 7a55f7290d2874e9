// The default archiving forms of every object: its type name and all of
// its value variables, found by name through the variable tables.
#include "collections/collections.h"
#include "collections/predicates.h"
#include "defobj/Object_s.h"
#include "defobj/archiving_messages.h"
#include "defobj/lisp_array.h"
#include "defobj/setVariableFromExpr.h"
#include "defobj/var_access.h"

void Object_s::lispOutShallow(id stream) { msg::_lispOut__deep(this, stream, NO); }
void Object_s::lispOutDeep(id stream) { msg::_lispOut__deep(this, stream, YES); }

// Each variable begins with a blank of its own, so text has two blanks
// after the type.
void Object_s::_lispOut__deep(id stream, BOOL deep) {
  msg::catStartMakeInstance(stream, msg::getTypeName(this));
  msg::catSeparator(stream);
  msg::lispOutVars_deep(this, stream, deep);
  msg::catEndMakeInstance(stream);
}

void Object_s::lispOutVars_deep(id stream, BOOL deep) {
  map_object_ivars(this, [&](const char* name, fcall_type_t type, void* address, unsigned rank,
                             const unsigned* dims) {
    lispSaveKeyword(stream, name);
    if (rank > 0) lisp_process_array(rank, dims, type, address, stream, deep);
    else lisp_output_type(type, address, 0, stream, deep);
  });
}

void Object_s::lispSaveKeyword(id stream, const char* name) {
  msg::catSeparator(stream);
  msg::catKeyword(stream, name);
  msg::catSeparator(stream);
}

void Object_s::lispSaveArray(const void* array, unsigned type, unsigned rank, const unsigned* dims, id stream) {
  lisp_process_array(rank, dims, static_cast<fcall_type_t>(type), array, stream, NO);
}

// Keyword and value pairs; variables not named keep their values.
id Object_s::lispIn(id expr) {
  const char* function = "-[Object(s) _lispIn:]";
  id index = msg::begin(expr, _obj_scratchZone);
  for (id key = msg::next(index); msg::getLoc(index) == Member; key = msg::next(index)) {
    if (!keywordp(key)) raiseAt(InvalidArgument, function, "expecting keyword [%s]", key ? key->isa->name : "nil");
    id value = msg::next(index);
    if (msg::getLoc(index) != Member) raiseAt(InvalidArgument, function, "missing value");
    object_setVariableFromExpr(this, msg::getKeywordName(key), value);
  }
  msg::drop(index);
  return this;
}

void Object_s::updateArchiver(id) {
  raiseAt(SubclassMustImplement, "-[Object(s) _updateArchiver:]", "updateArchiver");
}
