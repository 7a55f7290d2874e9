#include "simtools/OutFile.h"

#include "defobj/phase.h"
#include "defobj/raise.h"
#include "simtools/textfile.h"

id OutFile::create_setName(Class cls, id zone, const char* name) {
  return createWithOpenedFile(cls, zone, name, "w");
}

id OutFile::create_withName(Class cls, id zone, const char* name) {
  raiseAt(ObsoleteMessage, "+[OutFile create:withName:]", "please use +create:setName: instead\n");
  return msg::create_setName(cls, zone, name);
}

id OutFile::_setFile_(FILE* stream) {
  theFile = stream;
  return this;
}

FILE* OutFile::_getFile_() { return theFile; }

// Write errors are not reported: the writers answer the file whatever the
// stream says.
id OutFile::putString(const char* text) {
  std::fputs(text, theFile);
  return this;
}

id OutFile::putInt(int value) {
  std::fprintf(theFile, "%d", value);
  return this;
}

id OutFile::putUnsigned(unsigned value) {
  std::fprintf(theFile, "%u", value);
  return this;
}

id OutFile::putLong(long value) {
  std::fprintf(theFile, "%ld", value);
  return this;
}

id OutFile::putUnsignedLong(unsigned long value) {
  std::fprintf(theFile, "%lu", value);
  return this;
}

id OutFile::putDouble(double value) {
  std::fprintf(theFile, "%+24.16e", value);
  return this;
}

id OutFile::putFloat(float value) {
  std::fprintf(theFile, "%+15.7e", static_cast<double>(value));
  return this;
}

id OutFile::putChar(char c) {
  std::fputc(c, theFile);
  return this;
}

id OutFile::putNewLine() {
  std::fputc('\n', theFile);
  return this;
}

id OutFile::putTab() {
  std::fputc('\t', theFile);
  return this;
}

void OutFile::drop() {
  if (theFile) std::fclose(theFile);
  BroodObject::drop();
}

REGISTER_CLASS(OutFile, BroodObject,
  ivar(&OutFile::theFile, "theFile"),
  phase(Phase::Creating),
  classMethod<&OutFile::create_setName>(msg::create_setName),
  classMethod<&OutFile::create_withName>(msg::create_withName),
  method<&OutFile::_setFile_>(msg::_setFile_),
  phase(Phase::Using),
  method<&OutFile::_getFile_>(msg::_getFile_),
  method<&OutFile::putString>(msg::putString),
  method<&OutFile::putInt>(msg::putInt),
  method<&OutFile::putUnsigned>(msg::putUnsigned),
  method<&OutFile::putLong>(msg::putLong),
  method<&OutFile::putUnsignedLong>(msg::putUnsignedLong),
  method<&OutFile::putDouble>(msg::putDouble),
  method<&OutFile::putFloat>(msg::putFloat),
  method<&OutFile::putChar>(msg::putChar),
  method<&OutFile::putNewLine>(msg::putNewLine),
  method<&OutFile::putTab>(msg::putTab),
  method<&OutFile::drop>(msg::drop))
