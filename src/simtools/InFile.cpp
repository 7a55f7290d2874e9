#include "simtools/InFile.h"

#include "defobj/phase.h"
#include "defobj/raise.h"
#include "simtools/textfile.h"

namespace {

bool isWordDelimiter(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// One formatted conversion into the caller's variable. A scan that
// converts nothing answers 0 like the end of the file: text that is not a
// number must neither pass as a value nor keep a reading loop from ever
// reaching the end.
template <class T>
int scanOne(FILE* stream, const char* format, T* value) {
  return std::fscanf(stream, format, value) == 1;
}

}  // namespace

id InFile::create_setName(Class cls, id zone, const char* name) {
  return createWithOpenedFile(cls, zone, name, "r");
}

id InFile::create_withName(Class cls, id zone, const char* name) {
  raiseAt(ObsoleteMessage, "+[InFile create:withName:]", "please use +create:setName: instead\n");
  return msg::create_setName(cls, zone, name);
}

id InFile::_setFile_(FILE* stream) {
  theFile = stream;
  return this;
}

int InFile::getWord(char* buffer) {
  int c;
  do c = std::getc(theFile);
  while (isWordDelimiter(c));
  char* end = buffer;
  while (c != EOF && !isWordDelimiter(c)) {
    *end++ = static_cast<char>(c);
    c = std::getc(theFile);
  }
  *end = '\0';
  if (c != EOF) std::ungetc(c, theFile);
  return end != buffer;
}

int InFile::getLine(char* buffer) {
  int c;
  do c = std::getc(theFile);
  while (c == ' ' || c == '\t');
  char* end = buffer;
  while (c != EOF && c != '\n') {
    *end++ = static_cast<char>(c);
    c = std::getc(theFile);
  }
  *end = '\0';
  if (c == EOF) return 0;
  // The newline stays for skipLine to take.
  std::ungetc(c, theFile);
  return 1;
}

int InFile::getInt(int* value) { return scanOne(theFile, "%d", value); }
int InFile::getUnsigned(unsigned* value) { return scanOne(theFile, "%u", value); }
int InFile::getLong(long* value) { return scanOne(theFile, "%ld", value); }
int InFile::getUnsignedLong(unsigned long* value) { return scanOne(theFile, "%lu", value); }
int InFile::getDouble(double* value) { return scanOne(theFile, "%lg", value); }
int InFile::getFloat(float* value) { return scanOne(theFile, "%g", value); }

int InFile::getChar(char* c) {
  const int read = std::getc(theFile);
  *c = static_cast<char>(read);
  return read != EOF;
}

int InFile::unGetChar(char c) {
  return std::ungetc(static_cast<unsigned char>(c), theFile) != EOF;
}

int InFile::skipLine() {
  int c;
  do c = std::getc(theFile);
  while (c != EOF && c != '\n');
  return c == '\n';
}

void InFile::drop() {
  if (theFile) std::fclose(theFile);
  BroodObject::drop();
}

REGISTER_CLASS(InFile, BroodObject,
  ivar(&InFile::theFile, "theFile"),
  phase(Phase::Creating),
  classMethod<&InFile::create_setName>(msg::create_setName),
  classMethod<&InFile::create_withName>(msg::create_withName),
  method<&InFile::_setFile_>(msg::_setFile_),
  phase(Phase::Using),
  method<&InFile::getWord>(msg::getWord),
  method<&InFile::getLine>(msg::getLine),
  method<&InFile::getInt>(msg::getInt),
  method<&InFile::getUnsigned>(msg::getUnsignedInto),
  method<&InFile::getLong>(msg::getLong),
  method<&InFile::getUnsignedLong>(msg::getUnsignedLong),
  method<&InFile::getDouble>(msg::getDoubleInto),
  method<&InFile::getFloat>(msg::getFloatInto),
  method<&InFile::getChar>(msg::getCharInto),
  method<&InFile::unGetChar>(msg::unGetChar),
  method<&InFile::skipLine>(msg::skipLine),
  method<&InFile::drop>(msg::drop))
