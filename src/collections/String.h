// String: an owned, growable, NUL-terminated text. Archive expressions
// carry their strings and symbols in it; the literal flag tells a string
// constant or literal word from a bare symbol read from text.
#pragma once

#include "defobj/CreateDrop.h"

extern id id_String_c;

struct String_c : CreateDrop_s {
  const char* string;  // never null; the shared empty text when count is 0
  int count;
  BOOL literalFlag;

  // Creating.
  static id createBegin(Class cls, id zone);
  static id create_setC(Class cls, id zone, const char* text);
  id createEnd();

  // Setting.
  void setC(const char* text);
  void setLiteralFlag(BOOL flag);
  void mapAllocations(mapalloc_t mapalloc);

  // Using.
  const char* getC();
  void catC(const char* text);
  unsigned getCount();
  BOOL getLiteralFlag();
  id copy(id zone);
  int compare(id other);
  void describe(id stream);

  // Archiving forms (CollectionArchiving.cpp): a string constant writes
  // its text, any other string a make-instance form.
  void lispOutShallow(id stream);
  id lispIn(id expr);
  void hdf5OutShallow(id node);
  id hdf5In(id node);

 private:
  void replaceText(char* text, int newCount);
};
