#include "simtools/textfile.h"

#include "simtools/messages.h"

id createWithOpenedFile(Class cls, id zone, const char* name, const char* mode) {
  FILE* stream = std::fopen(name, mode);
  if (!stream) return nil;
  id file = msg::create(cls, zone);
  msg::_setFile_(file, stream);
  return file;
}
