#include "collections/predicates.h"

#include <cstring>

#include "collections/ArchiverArray.h"
#include "collections/ArchiverNodes.h"
#include "collections/String.h"
#include "collections/stream_messages.h"
#include "defobj/fcall_type.h"
#include "defobj/module.h"

namespace {

// Objects in use belong to the using class of their type or of a type
// derived from it.
BOOL isKind(id object, id cls) {
  if (!object || !cls) return NO;
  for (Class c = object->isa; c; c = c->superclass)
    if (c == cls) return YES;
  return NO;
}

BOOL isWord(id object, const char* word) { return stringp(object) && std::strcmp(msg::getC(object), word) == 0; }

}  // namespace

BOOL stringp(id object) { return isKind(object, id_String_c); }
BOOL literal_string_p(id object) { return stringp(object) && msg::getLiteralFlag(object); }
BOOL symbolp(id object) { return isKind(object, id_Symbol_c); }
BOOL archiver_list_p(id object) { return isKind(object, id_ArchiverList_c); }
BOOL keywordp(id object) { return isKind(object, id_ArchiverKeyword_c); }
BOOL valuep(id object) { return isKind(object, id_ArchiverValue_c); }

BOOL nil_value_p(id object) {
  return valuep(object) && msg::getValueType(object) == fcall_type_object && !msg::getObject(object);
}

BOOL arrayp(id object) { return isKind(object, id_ArchiverArray_c); }
BOOL pairp(id object) { return isKind(object, id_ArchiverPair_c); }
BOOL quotedp(id object) { return isKind(object, id_ArchiverQuoted_c); }
BOOL cons_literal_p(id object) { return isWord(object, "cons"); }
BOOL list_literal_p(id object) { return isWord(object, "list"); }
BOOL quote_literal_p(id object) { return isWord(object, "quote"); }
