#include "collections/ArchiverNodes.h"

#include <cstring>

#include "collections/InputStream.h"
#include "collections/collections.h"
#include "collections/predicates.h"
#include "collections/stream_messages.h"
#include "defobj/fcall_type.h"
#include "defobj/phase.h"
#include "defobj/zstrdup.h"

namespace {

// A String in a tree is a string constant when its literal flag is set,
// else a bare symbol, which prints as its text so that it reads back as
// the same symbol; a symbol whose text would read back as something else
// prints as a string constant.
void printString(id string, id stream) {
  const char* text = msg::getC(string);
  if (msg::getLiteralFlag(string) || !archive_symbol_text_p(text)) msg::catString(stream, text);
  else msg::catLiteral(stream, text);
}

void printNode(id node, id stream, const char* function) {
  if (stringp(node)) printString(node, stream);
  else if (keywordp(node) || valuep(node) || arrayp(node) || pairp(node) || quotedp(node) ||
           archiver_list_p(node))
    msg::lispOutDeep(node, stream);
  else
    raiseAt(InvalidArgument, function, "expression type not supported");
}

// The words a list may begin with. "array" heads the array types of
// make-class forms.
BOOL isFunctionWord(const char* word) {
  for (const char* known : {"list", "cons", "array", "make-instance", "make-class", "parse"})
    if (std::strcmp(word, known) == 0) return YES;
  return NO;
}

// A list's text. A form must begin with one of the function words; a
// quoted list is data, whatever its first member.
void printList(id list, id stream, BOOL form) {
  const char* function = "-[ArchiverList(c) _lispOutDeep:]";
  msg::catC(stream, "(");
  id index = msg::begin(list, _obj_scratchZone);
  BOOL first = YES;
  for (id member = msg::next(index); msg::getLoc(index) == Member; member = msg::next(index)) {
    if (!first) msg::catC(stream, " ");
    if (!form && archiver_list_p(member)) {
      printList(member, stream, NO);
    } else if (!first || !form || !stringp(member)) {
      printNode(member, stream, function);
    } else if (isFunctionWord(msg::getC(member))) {
      msg::catC(stream, msg::getC(member));
    } else {
      raiseAt(InvalidArgument, function, "function not one of %s", "make-instance or make-class or parse");
    }
    first = NO;
  }
  msg::drop(index);
  msg::catC(stream, ")");
}

}  // namespace

// --- keyword ---

void ArchiverKeyword_c::setKeywordName(const char* name) { zreplaceBlock(getZone(), keywordName, name); }

const char* ArchiverKeyword_c::getKeywordName() { return keywordName; }

void ArchiverKeyword_c::lispOutDeep(id stream) { msg::catKeyword(stream, keywordName); }

void ArchiverKeyword_c::drop() {
  zreplaceBlock(getZone(), keywordName, nullptr);
  Object_s::drop();
}

// --- value ---

void ArchiverValue_c::setBoolean(BOOL flag) {
  type = fcall_type_boolean;
  value.boolean = flag;
}

void ArchiverValue_c::setChar(char c) {
  type = fcall_type_schar;
  value.character = c;
}

void ArchiverValue_c::setLongLong(long long n) {
  type = fcall_type_slonglong;
  value.longLong = n;
}

void ArchiverValue_c::setFloat(float f) {
  type = fcall_type_float;
  value.floatValue = f;
}

void ArchiverValue_c::setDouble(double d) {
  type = fcall_type_double;
  value.doubleValue = d;
}

void ArchiverValue_c::setLongDouble(long double d) {
  type = fcall_type_long_double;
  value.longDouble = d;
}

void ArchiverValue_c::setNil() {
  type = fcall_type_object;
  value.object = nil;
}

void ArchiverValue_c::setClass(Class c) {
  type = fcall_type_class;
  value.cls = c;
  zreplaceBlock(getZone(), className, nullptr);
}

// Another application's class: its users see nil, as for any name no
// class has, but the name is written back as it was read.
void ArchiverValue_c::setClassName(const char* name) {
  setClass(Nil);
  zreplaceBlock(getZone(), className, name);
}

int ArchiverValue_c::getValueType() { return type; }
BOOL ArchiverValue_c::getBoolean() { return value.boolean; }
char ArchiverValue_c::getChar() { return value.character; }
long long ArchiverValue_c::getLongLong() { return value.longLong; }

int ArchiverValue_c::getInteger() {
  if (type != fcall_type_slonglong) raiseAt(InvalidArgument, "-[ArchiverValue(c) _getInteger]", "expecting an integer");
  return static_cast<int>(value.longLong);
}

unsigned ArchiverValue_c::getUnsigned() {
  if (type != fcall_type_slonglong) raiseAt(InvalidArgument, "-[ArchiverValue(c) _getUnsigned]", "expecting an integer");
  return static_cast<unsigned>(value.longLong);
}

float ArchiverValue_c::getFloat() { return value.floatValue; }
double ArchiverValue_c::getDouble() { return value.doubleValue; }
long double ArchiverValue_c::getLongDouble() { return value.longDouble; }
id ArchiverValue_c::getObject() { return value.object; }
Class ArchiverValue_c::getClass() { return value.cls; }

void ArchiverValue_c::lispOutDeep(id stream) {
  switch (type) {
    case fcall_type_boolean: msg::catBoolean(stream, value.boolean); break;
    case fcall_type_schar: msg::catChar(stream, value.character); break;
    case fcall_type_slonglong: msg::catLongLong(stream, value.longLong); break;
    case fcall_type_float: msg::catFloat(stream, value.floatValue); break;
    case fcall_type_double: msg::catDouble(stream, value.doubleValue); break;
    case fcall_type_long_double: msg::catLongDouble(stream, value.longDouble); break;
    case fcall_type_object: msg::catNil(stream); break;
    case fcall_type_class:
      if (className) msg::catClassName(stream, className);
      else msg::catClass(stream, value.cls);
      break;
  }
}

void ArchiverValue_c::drop() {
  zreplaceBlock(getZone(), className, nullptr);
  Object_s::drop();
}

// --- pair ---

void ArchiverPair_c::setCar(id node) { car = node; }
void ArchiverPair_c::setCdr(id node) { cdr = node; }
id ArchiverPair_c::getCar() { return car; }
id ArchiverPair_c::getCdr() { return cdr; }
void ArchiverPair_c::setConsFormatFlag(BOOL flag) { consFormatFlag = flag; }
BOOL ArchiverPair_c::getConsFormatFlag() { return consFormatFlag; }

void ArchiverPair_c::lispOutDeep(id stream) {
  const char* function = "-[ArchiverPair(c) _lispOutDeep:]";
  msg::catC(stream, consFormatFlag ? "(cons " : "(");
  printNode(car, stream, function);
  msg::catC(stream, consFormatFlag ? " " : " . ");
  printNode(cdr, stream, function);
  msg::catC(stream, ")");
}

// --- quoted ---

void ArchiverQuoted_c::setQuotedObject(id node) { value = node; }
id ArchiverQuoted_c::getQuotedObject() { return value; }

void ArchiverQuoted_c::lispOutDeep(id stream) {
  msg::catC(stream, "'");
  if (stringp(value)) printString(value, stream);
  else if (archiver_list_p(value)) printList(value, stream, NO);
  else printNode(value, stream, "-[ArchiverQuoted(c) _lispOutDeep:]");
}

// --- list ---

void ArchiverList_c::lispOutDeep(id stream) { printList(this, stream, YES); }

REGISTER_CLASS(ArchiverKeyword_c, CreateDrop_s,
  ivar(&ArchiverKeyword_c::keywordName, "keywordName"),
  phase(Phase::Setting),
  method<&ArchiverKeyword_c::setKeywordName>(msg::setKeywordName),
  method<&ArchiverKeyword_c::drop>(msg::drop),
  phase(Phase::Using),
  method<&ArchiverKeyword_c::getKeywordName>(msg::getKeywordName),
  method<&ArchiverKeyword_c::lispOutDeep>(msg::lispOutShallow),
  method<&ArchiverKeyword_c::lispOutDeep>(msg::lispOutDeep))

REGISTER_CLASS(ArchiverValue_c, CreateDrop_s,
  ivar(&ArchiverValue_c::type, "type"),
  ivar(&ArchiverValue_c::value, "value"),
  phase(Phase::Setting),
  method<&ArchiverValue_c::setBoolean>(msg::setBoolean),
  method<&ArchiverValue_c::setChar>(msg::setChar),
  method<&ArchiverValue_c::setLongLong>(msg::setLongLong),
  method<&ArchiverValue_c::setFloat>(msg::setFloat),
  method<&ArchiverValue_c::setDouble>(msg::setDouble),
  method<&ArchiverValue_c::setLongDouble>(msg::setLongDouble),
  method<&ArchiverValue_c::setNil>(msg::setNil),
  method<&ArchiverValue_c::setClass>(msg::setClass),
  method<&ArchiverValue_c::setClassName>(msg::setClassName),
  method<&ArchiverValue_c::drop>(msg::drop),
  phase(Phase::Using),
  method<&ArchiverValue_c::getValueType>(msg::getValueType),
  method<&ArchiverValue_c::getBoolean>(msg::getBoolean),
  method<&ArchiverValue_c::getChar>(msg::getChar),
  method<&ArchiverValue_c::getLongLong>(msg::getLongLong),
  method<&ArchiverValue_c::getInteger>(msg::getInteger),
  method<&ArchiverValue_c::getUnsigned>(msg::getUnsigned),
  method<&ArchiverValue_c::getFloat>(msg::getFloat),
  method<&ArchiverValue_c::getDouble>(msg::getDouble),
  method<&ArchiverValue_c::getLongDouble>(msg::getLongDouble),
  method<&ArchiverValue_c::getObject>(msg::getObject),
  method<&ArchiverValue_c::getClass>(msg::getClass),
  method<&ArchiverValue_c::lispOutDeep>(msg::lispOutShallow),
  method<&ArchiverValue_c::lispOutDeep>(msg::lispOutDeep))

REGISTER_CLASS(ArchiverPair_c, CreateDrop_s,
  ivar(&ArchiverPair_c::car, "car"),
  ivar(&ArchiverPair_c::cdr, "cdr"),
  ivar(&ArchiverPair_c::consFormatFlag, "consFormatFlag"),
  phase(Phase::Setting),
  method<&ArchiverPair_c::setCar>(msg::setCar),
  method<&ArchiverPair_c::setCdr>(msg::setCdr),
  method<&ArchiverPair_c::setConsFormatFlag>(msg::setConsFormatFlag),
  phase(Phase::Using),
  method<&ArchiverPair_c::getCar>(msg::getCar),
  method<&ArchiverPair_c::getCdr>(msg::getCdr),
  method<&ArchiverPair_c::getConsFormatFlag>(msg::getConsFormatFlag),
  method<&ArchiverPair_c::lispOutDeep>(msg::lispOutShallow),
  method<&ArchiverPair_c::lispOutDeep>(msg::lispOutDeep))

REGISTER_CLASS(ArchiverQuoted_c, CreateDrop_s,
  ivar(&ArchiverQuoted_c::value, "value"),
  phase(Phase::Setting),
  method<&ArchiverQuoted_c::setQuotedObject>(msg::setQuotedObject),
  phase(Phase::Using),
  method<&ArchiverQuoted_c::getQuotedObject>(msg::getQuotedObject),
  method<&ArchiverQuoted_c::lispOutDeep>(msg::lispOutDeep))

REGISTER_CLASS(ArchiverList_c, List_linked,
  phase(Phase::Using),
  method<&ArchiverList_c::lispOutDeep>(msg::lispOutShallow),
  method<&ArchiverList_c::lispOutDeep>(msg::lispOutDeep))
