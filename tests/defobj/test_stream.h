// A describe stream for tests: collects the text sent with catC:.
#pragma once

#include <cstring>
#include <string>

#include "collections/messages.h"
#include "defobj/CreateDrop.h"

struct TestStream : CreateDrop {
  char text[8192];
  size_t length;

  void catC(const char* more) {
    const size_t n = std::strlen(more);
    if (length + n < sizeof text) {
      std::memcpy(text + length, more, n + 1);
      length += n;
    }
  }
};

inline TestStream* makeTestStream(id zone) {
  static objc_class_def def;
  objc_register_def(&def, "TestStream", "CreateDrop", sizeof(TestStream), {method<&TestStream::catC>(msg::catC)});
  return static_cast<TestStream*>(msg::create(def.cls, zone));
}

// The text that describe: writes for the object.
inline std::string describedText(id object, id zone) {
  TestStream* stream = makeTestStream(zone);
  msg::describe(object, stream);
  std::string text = stream->text;
  msg::drop(stream);
  return text;
}

// A regular expression that matches the text exactly, for death tests.
inline std::string literal(const std::string& text) {
  std::string pattern;
  for (char c : text) {
    if (std::strchr("\\^$.|?*+()[]{}", c)) pattern += '\\';
    pattern += c;
  }
  return pattern;
}
