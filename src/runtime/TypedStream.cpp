#include "runtime/TypedStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "runtime/messages.h"

struct TypedStream {
  FILE* file;  // null once closed
  std::string fileName;
  TypedStreamMode mode;
  long size;                                 // of the file being read
  std::unordered_map<id, uint32_t> written;  // objects written, by number
  std::vector<id> objects;                   // objects read, by number
  unsigned depth;                            // of the objects being read
};

namespace {

// The first bytes of every typed stream.
constexpr char magic[] = "brood typed stream 1\n";

// What follows an object's "@".
enum ObjectKind : unsigned char { NilObject, EarlierObject, NewObject };

// The length that stands for a null text.
constexpr uint32_t NullText = UINT32_MAX;

// Deeper nesting, in a type text or in the objects read, is refused: a
// hostile file must not run the reader out of stack.
constexpr unsigned MaxDepth = 512;

[[noreturn]] void report(TypedStream* s, const char* format, va_list args) {
  std::fprintf(stderr, "typed stream %s", s->fileName.c_str());
  if (s->file) std::fprintf(stderr, ", byte %ld", std::ftell(s->file));
  std::fputs(": ", stderr);
  std::vfprintf(stderr, format, args);
  std::fputc('\n', stderr);
  std::abort();
}

size_t scalarSize(char code) {
  switch (code) {
    case 'c': case 'C': return 1;
    case 's': case 'S': return 2;
    case 'i': case 'I': case 'f': return 4;
    case 'l': case 'L': case 'q': case 'Q': case 'd': return 8;
    case 'X': case 'D': return sizeof(long double);
    case '*': case ':': case '#': case '@': return sizeof(void*);
    default: return 0;
  }
}

// An array type "[n type]": its count and where its element type starts.
const char* arrayElement(const char* type, unsigned long* count) {
  *count = 0;
  if (!std::isdigit(static_cast<unsigned char>(type[1]))) return nullptr;
  char* element;
  *count = std::strtoul(type + 1, &element, 10);
  return *count <= UINT32_MAX ? element : nullptr;
}

// The length of the one type at the start of a type text, with the bytes
// of one value of it; 0 when it is none that the streams carry.
size_t typeLength(const char* type, size_t* bytes, unsigned depth = 0) {
  if (*type != '[') return (*bytes = scalarSize(*type)) ? 1 : 0;
  unsigned long count;
  size_t elementBytes;
  const char* element = depth < MaxDepth ? arrayElement(type, &count) : nullptr;
  const size_t length = element ? typeLength(element, &elementBytes, depth + 1) : 0;
  if (!length || element[length] != ']' || (elementBytes && count > SIZE_MAX / elementBytes)) return 0;
  *bytes = count * elementBytes;
  return element + length + 1 - type;
}

size_t checkedLength(TypedStream* s, const char* type) {
  size_t bytes;
  const size_t length = typeLength(type, &bytes);
  if (!length) objc_typed_stream_error(s, "the type \"%s\" cannot be stored in a typed stream", type);
  return length;
}

void checkSingle(TypedStream* s, const char* type) {
  if (type[checkedLength(s, type)]) objc_typed_stream_error(s, "\"%s\" is more than one type", type);
}

// Input codes are shown as themselves when they are printable.
std::string codeText(unsigned char code) {
  char text[8];
  std::snprintf(text, sizeof text, std::isgraph(code) ? "'%c'" : "0x%02x", code);
  return text;
}

void put(TypedStream* s, const void* bytes, size_t n) {
  if (std::fwrite(bytes, 1, n, s->file) != n) objc_typed_stream_error(s, "cannot write: %s", std::strerror(errno));
}

void get(TypedStream* s, void* bytes, size_t n) {
  if (std::fread(bytes, 1, n, s->file) == n) return;
  if (std::ferror(s->file)) objc_typed_stream_error(s, "cannot read: %s", std::strerror(errno));
  objc_typed_stream_error(s, "the file ends inside a value");
}

template <class T>
void putWord(TypedStream* s, T value) {
  put(s, &value, sizeof value);
}

template <class T>
T getWord(TypedStream* s) {
  T value;
  get(s, &value, sizeof value);
  return value;
}

void putText(TypedStream* s, const char* text) {
  const size_t length = text ? std::strlen(text) : NullText;
  if (text && length >= NullText) objc_typed_stream_error(s, "a text of %zu bytes is too long", length);
  putWord(s, static_cast<uint32_t>(length));
  if (text) put(s, text, length);
}

// A text read back, in objc_malloc'd memory; null for a null text. Its
// length is checked against the file before anything is allocated.
char* getText(TypedStream* s) {
  const uint32_t length = getWord<uint32_t>(s);
  if (length == NullText) return nullptr;
  if (static_cast<long>(length) > s->size - std::ftell(s->file))
    objc_typed_stream_error(s, "a text of %u bytes runs past the end of the file", length);
  char* text = static_cast<char*>(objc_malloc(length + 1));
  get(s, text, length);
  text[length] = '\0';
  return text;
}

void writeValue(TypedStream* s, const char* type, const void* data);
void readValue(TypedStream* s, const char* type, void* data);

void writeElements(TypedStream* s, const char* type, unsigned long count, const void* data) {
  size_t bytes;
  typeLength(type, &bytes);
  putWord(s, '[');
  putWord(s, static_cast<uint32_t>(count));
  for (unsigned long i = 0; i < count; i++) writeValue(s, type, static_cast<const char*>(data) + i * bytes);
}

void readElements(TypedStream* s, const char* type, unsigned long count, void* data) {
  size_t bytes;
  typeLength(type, &bytes);
  const unsigned char code = getWord<unsigned char>(s);
  if (code != '[') objc_typed_stream_error(s, "found a value of type %s where an array was expected", codeText(code).c_str());
  const uint32_t found = getWord<uint32_t>(s);
  if (found != count) objc_typed_stream_error(s, "found an array of %u values where %lu were expected", found, count);
  for (unsigned long i = 0; i < count; i++) readValue(s, type, static_cast<char*>(data) + i * bytes);
}

void writeObject(TypedStream* s, id object) {
  if (!object) return putWord(s, NilObject);
  if (auto earlier = s->written.find(object); earlier != s->written.end()) {
    putWord(s, EarlierObject);
    return putWord(s, earlier->second);
  }
  const char* name = object->isa->name;
  if (!class_responds_to(object->isa, msg::write.sel))
    objc_typed_stream_error(s, "an object of class %s cannot be written: it does not answer write:", name);
  // Numbered before its contents, so that it may contain itself.
  s->written.emplace(object, static_cast<uint32_t>(s->written.size()));
  putWord(s, NewObject);
  putText(s, name);
  if (msg::write(object, s) != object) objc_typed_stream_error(s, "an object of class %s refused to be written", name);
}

id readObject(TypedStream* s) {
  const unsigned char kind = getWord<unsigned char>(s);
  if (kind == NilObject) return nil;
  if (kind == EarlierObject) {
    const uint32_t number = getWord<uint32_t>(s);
    if (number >= s->objects.size()) objc_typed_stream_error(s, "object %u is referred to before it is read", number);
    return s->objects[number];
  }
  if (kind != NewObject) objc_typed_stream_error(s, "unknown object entry %u", kind);
  if (s->depth == MaxDepth) objc_typed_stream_error(s, "objects nested more than %u deep", MaxDepth);
  char* name = getText(s);
  const Class cls = objc_lookup_class(name);
  if (!cls) objc_typed_stream_error(s, "unknown class \"%s\"", name ? name : "(null)");
  objc_free(name);
  if (!class_responds_to(cls, msg::read.sel) || !class_responds_to(cls->isa, msg::alloc_.sel))
    objc_typed_stream_error(s, "class %s cannot be read: it does not answer read:", cls->name);
  const id object = msg::alloc_(cls);
  s->objects.push_back(object);
  s->depth++;
  if (msg::read(object, s) != object) objc_typed_stream_error(s, "an object of class %s could not be read", cls->name);
  s->depth--;
  return object;
}

// Long doubles are written "X"; "D" is the same type.
char storedCode(char code) { return code == 'D' ? 'X' : code; }

void writeValue(TypedStream* s, const char* type, const void* data) {
  if (*type == '[') {
    unsigned long count;
    const char* element = arrayElement(type, &count);
    return writeElements(s, element, count, data);
  }
  putWord(s, storedCode(*type));
  switch (*type) {
    case '*': return putText(s, *static_cast<const char* const*>(data));
    case ':': {
      const SEL sel = *static_cast<const SEL*>(data);
      return putText(s, sel ? sel_get_name(sel) : nullptr);
    }
    case '#': {
      const Class cls = *static_cast<const Class*>(data);
      return putText(s, cls ? cls->name : nullptr);
    }
    case '@': return writeObject(s, *static_cast<const id*>(data));
    default: return put(s, data, scalarSize(*type));
  }
}

// A class or selector name read back; null for a null name.
std::string* nameOrNull(TypedStream* s, std::string& name) {
  char* text = getText(s);
  if (!text) return nullptr;
  name = text;
  objc_free(text);
  return &name;
}

void readValue(TypedStream* s, const char* type, void* data) {
  if (*type == '[') {
    unsigned long count;
    const char* element = arrayElement(type, &count);
    return readElements(s, element, count, data);
  }
  const unsigned char code = getWord<unsigned char>(s);
  if (code != storedCode(*type))
    objc_typed_stream_error(s, "found a value of type %s where '%c' was expected", codeText(code).c_str(), *type);
  std::string name;
  switch (*type) {
    case '*': *static_cast<char**>(data) = getText(s); return;
    case ':': {
      const std::string* text = nameOrNull(s, name);
      const SEL sel = text ? sel_get_any_uid(text->c_str()) : nullptr;
      if (text && !sel) objc_typed_stream_error(s, "unknown selector \"%s\"", text->c_str());
      *static_cast<SEL*>(data) = sel;
      return;
    }
    case '#': {
      const std::string* text = nameOrNull(s, name);
      const Class cls = text ? objc_lookup_class(text->c_str()) : Nil;
      if (text && !cls) objc_typed_stream_error(s, "unknown class \"%s\"", text->c_str());
      *static_cast<Class*>(data) = cls;
      return;
    }
    case '@': *static_cast<id*>(data) = readObject(s); return;
    default: get(s, data, scalarSize(*type));
  }
}

// Each type of a type text with the next argument, the value's address.
template <class Pointer, class Each>
void eachType(TypedStream* s, const char* types, va_list args, Each each) {
  for (const char* type = types; *type;) {
    const size_t length = checkedLength(s, type);
    each(s, type, va_arg(args, Pointer));
    type += length;
  }
}

}  // namespace

void objc_typed_stream_error(TypedStream* stream, const char* format, ...) {
  va_list args;
  va_start(args, format);
  report(stream, format, args);
}

TypedStream* objc_open_typed_stream(const char* fileName, TypedStreamMode mode) {
  auto* s = new TypedStream{nullptr, fileName, mode, 0, {}, {}, 0};
  if (mode == TypedStreamMode::Write) {
    s->file = std::fopen(fileName, "wb");
    if (s->file) put(s, magic, sizeof magic - 1);
  } else if (const int fd = open(fileName, O_RDONLY | O_NONBLOCK | O_CLOEXEC); fd >= 0) {
    // Opened without waiting, so that a FIFO is refused rather than waited on.
    struct stat status;
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
      close(fd);
      objc_typed_stream_error(s, "not a regular file");
    }
    s->size = status.st_size;
    s->file = fdopen(fd, "rb");
    if (!s->file) close(fd);
    char start[sizeof magic - 1];
    if (s->file && (std::fread(start, 1, sizeof start, s->file) != sizeof start || std::memcmp(start, magic, sizeof start)))
      objc_typed_stream_error(s, "not a typed stream");
  }
  if (s->file) return s;
  delete s;
  return nullptr;
}

void objc_close_typed_stream(TypedStream* stream) {
  const bool closed = std::fclose(stream->file) == 0;
  stream->file = nullptr;
  if (!closed && stream->mode == TypedStreamMode::Write)
    objc_typed_stream_error(stream, "cannot write: %s", std::strerror(errno));
  delete stream;
}

void objc_write_type(TypedStream* stream, const char* type, const void* data) {
  checkSingle(stream, type);
  writeValue(stream, type, data);
}

void objc_read_type(TypedStream* stream, const char* type, void* data) {
  checkSingle(stream, type);
  readValue(stream, type, data);
}

void objc_write_types(TypedStream* stream, const char* types, ...) {
  va_list args;
  va_start(args, types);
  eachType<const void*>(stream, types, args, writeValue);
  va_end(args);
}

void objc_read_types(TypedStream* stream, const char* types, ...) {
  va_list args;
  va_start(args, types);
  eachType<void*>(stream, types, args, readValue);
  va_end(args);
}

void objc_write_array(TypedStream* stream, const char* type, unsigned count, const void* data) {
  checkSingle(stream, type);
  writeElements(stream, type, count, data);
}

void objc_read_array(TypedStream* stream, const char* type, unsigned count, void* data) {
  checkSingle(stream, type);
  readElements(stream, type, count, data);
}

size_t objc_sizeof_type(const char* type) {
  size_t bytes;
  const size_t length = typeLength(type, &bytes);
  return length && !type[length] ? bytes : 0;
}
