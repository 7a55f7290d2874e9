#include "simtools/OutFile.h"

#include <cerrno>
#include <cstring>

#include "defobj/phase.h"
#include "defobj/raise.h"
#include "defobj/zstrdup.h"
#include "simtools/textfile.h"

id OutFile::create_setName(Class cls, id zone, const char* name) {
  auto* file = static_cast<OutFile*>(createWithOpenedFile(cls, zone, name, "w"));
  if (file) file->fileName = zstrdup(zone, name);
  return file;
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

namespace {

void reportWriteFailure(const char* function, const char* fileName) {
  raiseAt(SaveError, function, "cannot write the output file %s: %s\n", fileName ? fileName : "(unnamed)",
          std::strerror(errno));
}

}  // namespace

// The stream's error flag stays set once a write failed, so one test after
// each writer catches the failure of the write that flushed the buffer.
id OutFile::written(const char* function) {
  if (std::ferror(theFile)) reportWriteFailure(function, fileName);
  return this;
}

id OutFile::putString(const char* text) {
  std::fputs(text, theFile);
  return written("-[OutFile putString:]");
}

id OutFile::putInt(int value) {
  std::fprintf(theFile, "%d", value);
  return written("-[OutFile putInt:]");
}

id OutFile::putUnsigned(unsigned value) {
  std::fprintf(theFile, "%u", value);
  return written("-[OutFile putUnsigned:]");
}

id OutFile::putLong(long value) {
  std::fprintf(theFile, "%ld", value);
  return written("-[OutFile putLong:]");
}

id OutFile::putUnsignedLong(unsigned long value) {
  std::fprintf(theFile, "%lu", value);
  return written("-[OutFile putUnsignedLong:]");
}

id OutFile::putDouble(double value) {
  std::fprintf(theFile, "%+24.16e", value);
  return written("-[OutFile putDouble:]");
}

id OutFile::putFloat(float value) {
  std::fprintf(theFile, "%+15.7e", static_cast<double>(value));
  return written("-[OutFile putFloat:]");
}

id OutFile::putChar(char c) {
  std::fputc(c, theFile);
  return written("-[OutFile putChar:]");
}

id OutFile::putNewLine() {
  std::fputc('\n', theFile);
  return written("-[OutFile putNewLine]");
}

id OutFile::putTab() {
  std::fputc('\t', theFile);
  return written("-[OutFile putTab]");
}

// Closing writes what is still buffered, so it can fail as a write does.
void OutFile::drop() {
  if (theFile && std::fclose(theFile) != 0) reportWriteFailure("-[OutFile drop]", fileName);
  if (fileName) msg::free(getZone(), fileName);
  BroodObject::drop();
}

REGISTER_CLASS(OutFile, BroodObject,
  ivar(&OutFile::theFile, "theFile"),
  ivar(&OutFile::fileName, "fileName"),
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
