#include "collections/OutputStream.h"

#include <cstdarg>
#include <cstring>
#include <vector>

#include "collections/ArchiverArray.h"
#include "collections/ArchiverNodes.h"
#include "collections/collections.h"
#include "collections/stream_messages.h"
#include "defobj/Type.h"
#include "defobj/address.h"
#include "defobj/classData.h"
#include "defobj/fcall_type.h"
#include "defobj/phase.h"

// --- creating and setting ---

id OutputStream_c::create_setFileStream(Class cls, id zone, FILE* file) {
  id stream = msg::create(cls, zone);
  msg::setFileStream(stream, file);
  return stream;
}

void OutputStream_c::setFileStream(FILE* file) { fileStream = file; }

void OutputStream_c::setExprFlag(BOOL flag) {
  if (!flag) return;
  expr = nil;
  exprStack = msg::create(List, getZone());
}

// --- helpers ---

void OutputStream_c::print(const char* format, ...) {
  if (!fileStream) raiseAt(InvalidOperation, "-[OutputStream(c) _catC:]", "> output stream has no file to write to\n");
  va_list args;
  va_start(args, format);
  std::vfprintf(fileStream, format, args);
  va_end(args);
}

void OutputStream_c::addNode(id node) {
  if (msg::getCount(exprStack) > 0) msg::addLast(msg::getFirst(exprStack), node);
  else expr = node;
}

id OutputStream_c::popList() { return msg::removeFirst(exprStack); }

id OutputStream_c::newString(const char* text) {
  id string = msg::create_setC(String, getZone(), text);
  msg::setLiteralFlag(string, YES);
  return string;
}

id OutputStream_c::newValue() { return msg::create(ArchiverValue, getZone()); }

id OutputStream_c::newQuoted(id node) {
  id quoted = msg::create(ArchiverQuoted, getZone());
  msg::setQuotedObject(quoted, node);
  return quoted;
}

void OutputStream_c::addInteger(long long n) {
  id value = newValue();
  msg::setLongLong(value, n);
  addNode(value);
}

void OutputStream_c::startMake(const char* function, const char* type) {
  catStartFunction(function);
  catSeparator();
  catSymbol(type);
}

// --- using ---

FILE* OutputStream_c::getFileStream() { return fileStream; }
id OutputStream_c::getExpr() { return expr; }

void OutputStream_c::catC(const char* text) {
  if (!nodeMode()) print("%s", text);
}

void OutputStream_c::catStartExpr() {
  if (nodeMode()) msg::addFirst(exprStack, msg::create(ArchiverList, getZone()));
  else print("(");
}

void OutputStream_c::catEndExpr() {
  if (nodeMode()) addNode(popList());
  else print(")");
}

void OutputStream_c::catSeparator() {
  if (!nodeMode()) print(" ");
}

void OutputStream_c::catLiteral(const char* text) {
  if (nodeMode()) addNode(newString(text));
  else print("%s", text);
}

void OutputStream_c::catString(const char* text) {
  // The text has no escapes: a double quote would end the string early.
  if (std::strchr(text, '"'))
    raiseAt(SaveError, "-[OutputStream(c) _catString:]",
            "> string contains a double quote, which archive text cannot hold:\n> %s\n", text);
  if (nodeMode()) addNode(newString(text));
  else print("\"%s\"", text);
}

// A symbol, as the reader makes it from 'name: its String is no string
// constant, so the tree prints it back without double quotes.
void OutputStream_c::catSymbol(const char* name) {
  if (nodeMode()) addNode(newQuoted(msg::create_setC(String, getZone(), name)));
  else print("'%s", name);
}

void OutputStream_c::catKeyword(const char* name) {
  if (nodeMode()) {
    id keyword = msg::create(ArchiverKeyword, getZone());
    msg::setKeywordName(keyword, name);
    addNode(keyword);
  } else {
    print("#:%s", name);
  }
}

void OutputStream_c::catBoolean(BOOL flag) {
  if (nodeMode()) {
    id value = newValue();
    msg::setBoolean(value, flag);
    addNode(value);
  } else {
    print(flag ? "#t" : "#f");
  }
}

void OutputStream_c::catChar(char c) {
  if (nodeMode()) {
    id value = newValue();
    msg::setChar(value, c);
    addNode(value);
    return;
  }
  // The digits 0 to 3 go in octal too: the reader takes a character
  // beginning with one of them as an octal code.
  const BOOL plain = c == ' ' || (c >= 0x21 && c <= 0x7E && (c < '0' || c > '3'));
  if (plain) print("#\\%c", c);
  else print("#\\%03o", static_cast<unsigned>(static_cast<int>(static_cast<signed char>(c))));
}

void OutputStream_c::catShort(short n) {
  if (nodeMode()) addInteger(n);
  else print("%hd", n);
}

void OutputStream_c::catUnsignedShort(unsigned short n) {
  if (nodeMode()) addInteger(n);
  else print("%hu", n);
}

void OutputStream_c::catInt(int n) {
  if (nodeMode()) addInteger(n);
  else print("%d", n);
}

void OutputStream_c::catUnsigned(unsigned n) {
  if (nodeMode()) addInteger(n);
  else print("%u", n);
}

void OutputStream_c::catLong(long n) {
  if (nodeMode()) addInteger(n);
  else print("%ld", n);
}

void OutputStream_c::catUnsignedLong(unsigned long n) {
  if (nodeMode()) addInteger(static_cast<long long>(n));
  else print("%lu", n);
}

void OutputStream_c::catLongLong(long long n) {
  if (nodeMode()) addInteger(n);
  else print("%lld", n);
}

void OutputStream_c::catUnsignedLongLong(unsigned long long n) {
  if (nodeMode()) addInteger(static_cast<long long>(n));
  else print("%llu", n);
}

void OutputStream_c::catFloat(float f) {
  if (nodeMode()) {
    id value = newValue();
    msg::setFloat(value, f);
    addNode(value);
  } else {
    print("%fF0", static_cast<double>(f));
  }
}

void OutputStream_c::catDouble(double d) {
  if (nodeMode()) {
    id value = newValue();
    msg::setDouble(value, d);
    addNode(value);
  } else {
    print("%fD0", d);
  }
}

void OutputStream_c::catLongDouble(long double d) {
  if (nodeMode()) {
    id value = newValue();
    msg::setLongDouble(value, d);
    addNode(value);
  } else {
    print("%fL0", static_cast<double>(d));
  }
}

// No node stands for an address; an integer keeps a keyword's value in
// its place.
void OutputStream_c::catPointer(const void* pointer) {
  if (nodeMode()) {
    addInteger(static_cast<long long>(reinterpret_cast<uintptr_t>(pointer)));
  } else {
    char text[AddressTextSize];
    print("%s", formatAddress(text, pointer));
  }
}

// The name that reads back as the class: a public type's name stands for
// the class that implements it, whose own name ("List_any.Creating") no
// lookup finds. Nil is written as a name no class has, which reads back as Nil.
void OutputStream_c::catClass(Class cls) {
  if (nodeMode()) {
    id value = newValue();
    msg::setClass(value, cls);
    addNode(value);
    return;
  }
  const char* name = cls ? cls->name : "nil";
  if (auto* type = static_cast<Type_c*>(cls ? _obj_getClassData(cls)->typeImplemented : nil))
    if (type->implementation == cls) name = type->name;
  catClassName(name);
}

// A class by its name, which need not be a class of this program: another
// application's class is written back as it was read.
void OutputStream_c::catClassName(const char* name) {
  if (nodeMode()) {
    id value = newValue();
    msg::setClassName(value, name);
    addNode(value);
  } else {
    print("<%s>", name);
  }
}

void OutputStream_c::catNil() {
  if (nodeMode()) {
    id value = newValue();
    msg::setNil(value);
    addNode(value);
  } else {
    print("nil");
  }
}

void OutputStream_c::catArrayRank(unsigned rank) {
  if (!nodeMode()) print("#%u", rank);
}

void OutputStream_c::catEndArray() {
  if (!nodeMode()) return;
  // The nested value list just written, in its open list or at the top.
  id values = msg::getCount(exprStack) > 0 ? msg::removeLast(msg::getFirst(exprStack)) : expr;
  addNode(archiverArrayFromList(getZone(), values));
}

void OutputStream_c::catUnsignedPair_(unsigned a, unsigned b) {
  if (!nodeMode()) {
    print("'(%u . %u)", a, b);
    return;
  }
  id pair = msg::create(ArchiverPair, getZone());
  id car = newValue(), cdr = newValue();
  msg::setLongLong(car, a);
  msg::setLongLong(cdr, b);
  msg::setCar(pair, car);
  msg::setCdr(pair, cdr);
  addNode(newQuoted(pair));
}

void OutputStream_c::catStartFunction(const char* name) {
  catStartExpr();
  catLiteral(name);
}

void OutputStream_c::catEndFunction() { catEndExpr(); }
void OutputStream_c::catStartList() { catStartFunction("list"); }
void OutputStream_c::catEndList() { catEndFunction(); }
void OutputStream_c::catStartParse() { catStartFunction("parse"); }
void OutputStream_c::catEndParse() { catEndFunction(); }
void OutputStream_c::catStartCons() { catStartFunction("cons"); }

void OutputStream_c::catEndCons() {
  if (!nodeMode()) {
    print(")");
    return;
  }
  id list = popList();
  msg::drop(msg::removeFirst(list));  // the word "cons"
  id pair = msg::create(ArchiverPair, getZone());
  msg::setConsFormatFlag(pair, YES);
  msg::setCar(pair, msg::getFirst(list));
  msg::setCdr(pair, msg::getLast(list));
  msg::drop(list);
  addNode(pair);
}

void OutputStream_c::catStartQuotedList() {
  if (nodeMode()) catStartExpr();
  else print("'(");
}

void OutputStream_c::catEndQuotedList() {
  if (nodeMode()) addNode(newQuoted(popList()));
  else print(")");
}

void OutputStream_c::catStartMakeInstance(const char* type) { startMake("make-instance", type); }
void OutputStream_c::catEndMakeInstance() { catEndFunction(); }
void OutputStream_c::catStartMakeClass(const char* type) { startMake("make-class", type); }
void OutputStream_c::catEndMakeClass() { catEndFunction(); }

void OutputStream_c::catType(const char* type) {
  if (type[0] == '[') catArrayType(type);
  else catSymbol(lisp_type_for_objc_type(type));
}

void OutputStream_c::catArrayType(const char* type) {
  std::vector<unsigned> dims;
  const char* element = lisp_type_for_objc_type(type, [&](unsigned, unsigned size) { dims.push_back(size); });
  catStartExpr();
  catLiteral("array");
  catSeparator();
  catSymbol(element);
  for (unsigned size : dims) {
    catSeparator();
    catUnsigned(size);
  }
  catEndExpr();
}

// The stack of open lists is the stream's own; the nodes are not.
void OutputStream_c::drop() {
  msg::drop(exprStack);
  Object_s::drop();
}

REGISTER_CLASS(OutputStream_c, CreateDrop_s,
  ivar(&OutputStream_c::fileStream, "fileStream"),
  ivar(&OutputStream_c::exprStack, "exprStack"),
  ivar(&OutputStream_c::expr, "expr"),
  classMethod<&OutputStream_c::create_setFileStream>(msg::create_setFileStream),
  phase(Phase::Setting),
  method<&OutputStream_c::setFileStream>(msg::setFileStream),
  method<&OutputStream_c::setExprFlag>(msg::setExprFlag),
  method<&OutputStream_c::drop>(msg::drop),
  phase(Phase::Using),
  method<&OutputStream_c::getFileStream>(msg::getFileStream),
  method<&OutputStream_c::getExpr>(msg::getExpr),
  method<&OutputStream_c::catC>(msg::catC),
  method<&OutputStream_c::catStartExpr>(msg::catStartExpr),
  method<&OutputStream_c::catEndExpr>(msg::catEndExpr),
  method<&OutputStream_c::catSeparator>(msg::catSeparator),
  method<&OutputStream_c::catLiteral>(msg::catLiteral),
  method<&OutputStream_c::catString>(msg::catString),
  method<&OutputStream_c::catSymbol>(msg::catSymbol),
  method<&OutputStream_c::catKeyword>(msg::catKeyword),
  method<&OutputStream_c::catBoolean>(msg::catBoolean),
  method<&OutputStream_c::catChar>(msg::catChar),
  method<&OutputStream_c::catShort>(msg::catShort),
  method<&OutputStream_c::catUnsignedShort>(msg::catUnsignedShort),
  method<&OutputStream_c::catInt>(msg::catInt),
  method<&OutputStream_c::catUnsigned>(msg::catUnsigned),
  method<&OutputStream_c::catLong>(msg::catLong),
  method<&OutputStream_c::catUnsignedLong>(msg::catUnsignedLong),
  method<&OutputStream_c::catLongLong>(msg::catLongLong),
  method<&OutputStream_c::catUnsignedLongLong>(msg::catUnsignedLongLong),
  method<&OutputStream_c::catFloat>(msg::catFloat),
  method<&OutputStream_c::catDouble>(msg::catDouble),
  method<&OutputStream_c::catLongDouble>(msg::catLongDouble),
  method<&OutputStream_c::catPointer>(msg::catPointer),
  method<&OutputStream_c::catClass>(msg::catClass),
  method<&OutputStream_c::catClassName>(msg::catClassName),
  method<&OutputStream_c::catNil>(msg::catNil),
  method<&OutputStream_c::catArrayRank>(msg::catArrayRank),
  method<&OutputStream_c::catEndArray>(msg::catEndArray),
  method<&OutputStream_c::catUnsignedPair_>(msg::catUnsignedPair_),
  method<&OutputStream_c::catStartFunction>(msg::catStartFunction),
  method<&OutputStream_c::catEndFunction>(msg::catEndFunction),
  method<&OutputStream_c::catStartList>(msg::catStartList),
  method<&OutputStream_c::catEndList>(msg::catEndList),
  method<&OutputStream_c::catStartParse>(msg::catStartParse),
  method<&OutputStream_c::catEndParse>(msg::catEndParse),
  method<&OutputStream_c::catStartCons>(msg::catStartCons),
  method<&OutputStream_c::catEndCons>(msg::catEndCons),
  method<&OutputStream_c::catStartQuotedList>(msg::catStartQuotedList),
  method<&OutputStream_c::catEndQuotedList>(msg::catEndQuotedList),
  method<&OutputStream_c::catStartMakeInstance>(msg::catStartMakeInstance),
  method<&OutputStream_c::catEndMakeInstance>(msg::catEndMakeInstance),
  method<&OutputStream_c::catStartMakeClass>(msg::catStartMakeClass),
  method<&OutputStream_c::catEndMakeClass>(msg::catEndMakeClass),
  method<&OutputStream_c::catType>(msg::catType),
  method<&OutputStream_c::catArrayType>(msg::catArrayType))
