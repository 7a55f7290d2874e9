// Plain tests on the nodes of an archive expression, for the readers of
// archives that walk a node tree. Each takes any object, nil included.
#pragma once

#include "runtime/objc.h"

BOOL stringp(id object);
BOOL literal_string_p(id object);  // a string constant or literal word
BOOL symbolp(id object);
BOOL archiver_list_p(id object);
BOOL keywordp(id object);
BOOL valuep(id object);
BOOL nil_value_p(id object);  // the value nil (not just any zero value)
BOOL arrayp(id object);
BOOL pairp(id object);
BOOL quotedp(id object);
BOOL cons_literal_p(id object);   // the word "cons"
BOOL list_literal_p(id object);   // the word "list"
BOOL quote_literal_p(id object);  // the word "quote"
