// The writer of archive-expression text. In text mode every operation
// prints to a FILE at once; in node mode (setExprFlag: YES) the same
// operations build the expression as a tree of nodes instead, which
// getExpr answers once its outermost list is closed.
#pragma once

#include <cstdio>

#include "defobj/CreateDrop.h"

extern id id_OutputStream_c;

struct OutputStream_c : CreateDrop_s {
  FILE* fileStream;
  id exprStack;  // the open lists, innermost first; nil in text mode
  id expr;       // the finished top-level node

  // Creating.
  static id create_setFileStream(Class cls, id zone, FILE* file);

  // Setting.
  void setFileStream(FILE* file);
  void setExprFlag(BOOL flag);

  // Using.
  FILE* getFileStream();
  id getExpr();
  void catC(const char* text);
  void catStartExpr();
  void catEndExpr();
  void catSeparator();
  void catLiteral(const char* text);
  void catString(const char* text);
  void catSymbol(const char* name);
  void catKeyword(const char* name);
  void catBoolean(BOOL flag);
  void catChar(char c);
  void catShort(short n);
  void catUnsignedShort(unsigned short n);
  void catInt(int n);
  void catUnsigned(unsigned n);
  void catLong(long n);
  void catUnsignedLong(unsigned long n);
  void catLongLong(long long n);
  void catUnsignedLongLong(unsigned long long n);
  void catFloat(float f);
  void catDouble(double d);
  void catLongDouble(long double d);
  void catPointer(const void* pointer);
  void catClass(Class cls);
  void catClassName(const char* name);
  void catNil();
  void catArrayRank(unsigned rank);
  void catEndArray();
  void catUnsignedPair_(unsigned a, unsigned b);
  void catStartFunction(const char* name);
  void catEndFunction();
  void catStartList();
  void catEndList();
  void catStartParse();
  void catEndParse();
  void catStartCons();
  void catEndCons();
  void catStartQuotedList();
  void catEndQuotedList();
  void catStartMakeInstance(const char* type);
  void catEndMakeInstance();
  void catStartMakeClass(const char* type);
  void catEndMakeClass();
  void catType(const char* type);
  void catArrayType(const char* type);
  void drop();

 private:
  BOOL nodeMode() const { return exprStack != nil; }
  void print(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void addNode(id node);
  id popList();
  id newString(const char* text);
  id newValue();
  id newQuoted(id node);
  void addInteger(long long n);
  void startMake(const char* function, const char* type);
};
