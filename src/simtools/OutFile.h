// A text output file: values written with fixed printf forms, nothing
// added between them but what the caller writes. A write or close that
// fails (a full disk, a file-size limit) raises SaveError naming the file:
// a run whose output is cut short must not look like a good one.
#pragma once

#include <cstdio>

#include "objectbase/BroodObject.h"
#include "simtools/messages.h"

struct OutFile : BroodObject {
  FILE* theFile;   // owned: closed by drop
  char* fileName;  // owned, for the reports; nil when the stream came from _setFile_:

  static id create_setName(Class cls, id zone, const char* name);
  static id create_withName(Class cls, id zone, const char* name);

  // Creating.
  id _setFile_(FILE* stream);

  // Using.
  FILE* _getFile_();
  id putString(const char* text);
  id putInt(int value);
  id putUnsigned(unsigned value);
  id putLong(long value);
  id putUnsignedLong(unsigned long value);
  id putDouble(double value);
  id putFloat(float value);
  id putChar(char c);
  id putNewLine();
  id putTab();
  void drop();

 private:
  id written(const char* function);
};
