// A text input file read as whitespace-separated values, words and lines.
// Every reader answers 1 when it read what was asked and 0 when it could
// not (the end of the file, or text that is not a number).
#pragma once

#include <cstdio>

#include "objectbase/BroodObject.h"
#include "simtools/messages.h"

struct InFile : BroodObject {
  FILE* theFile;  // owned: closed by drop

  static id create_setName(Class cls, id zone, const char* name);
  static id create_withName(Class cls, id zone, const char* name);

  // Creating.
  id _setFile_(FILE* stream);

  // Using. The word and line buffers are the caller's and must be long
  // enough for what the file holds.
  int getWord(char* buffer);
  int getLine(char* buffer);
  int getInt(int* value);
  int getUnsigned(unsigned* value);
  int getLong(long* value);
  int getUnsignedLong(unsigned long* value);
  int getDouble(double* value);
  int getFloat(float* value);
  int getChar(char* c);
  int unGetChar(char c);
  int skipLine();
  void drop();
};
