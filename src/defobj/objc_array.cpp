#include "defobj/objc_array.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>

#include "defobj/defobj.h"

unsigned get_rank(const char* encoding) {
  unsigned rank = 0;
  for (const char* p = encoding; *p == '['; rank++) {
    p++;
    while (*p >= '0' && *p <= '9') p++;
  }
  return rank;
}

const char* objc_array_subtype(const char* encoding, unsigned* dims) {
  const char* p = encoding;
  for (unsigned i = 0; *p == '['; i++) {
    char* end;
    errno = 0;
    unsigned long long n = std::strtoull(p + 1, &end, 10);
    if (errno == ERANGE || n > UINT32_MAX)
      raiseAt(InvalidArgument, "objc_array_subtype", "Value out of range [%s]\n", encoding);
    if (dims) dims[i] = static_cast<unsigned>(n);
    p = end;
  }
  return p;
}

std::vector<unsigned> objc_array_dims(const char* encoding, const char** element) {
  std::vector<unsigned> dims(get_rank(encoding));
  const char* rest = objc_array_subtype(encoding, dims.data());
  if (element) *element = rest;
  return dims;
}

namespace {

void visitElement(fcall_type_t type, unsigned index, const array_visitor& v) {
  if (v.startElement) v.startElement();
  if (v.outputElement) v.outputElement(type, index);
  if (v.endElement) v.endElement();
}

void visitLevel(unsigned level, unsigned rank, const unsigned* dims, fcall_type_t type, unsigned outer,
                const array_visitor& v) {
  if (v.startDimension) v.startDimension(level);
  for (unsigned i = 0; i < dims[level]; i++) {
    unsigned index = outer * dims[level] + i;
    if (level + 1 < rank)
      visitLevel(level + 1, rank, dims, type, index, v);
    else
      visitElement(type, index, v);
  }
  if (v.endDimension) v.endDimension(level);
}

}  // namespace

void process_array(unsigned rank, const unsigned* dims, fcall_type_t type, const array_visitor& visitor) {
  // A scalar is a single element.
  if (rank == 0)
    visitElement(type, 0, visitor);
  else
    visitLevel(0, rank, dims, type, 0, visitor);
}

void objc_process_array(const char* encoding,
                        const std::function<void(unsigned rank, const unsigned* dims, fcall_type_t type)>& setup,
                        const array_visitor& visitor) {
  const char* element;
  std::vector<unsigned> dims = objc_array_dims(encoding, &element);
  fcall_type_t type = fcall_type_for_objc_type(*element);
  if (setup) setup(dims.size(), dims.data(), type);
  process_array(dims.size(), dims.data(), type, visitor);
}
