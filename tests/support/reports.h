// Shared test helpers: the texts objects describe themselves with, and
// tables of misuses with the error reports they must end in.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <span>
#include <string>

#include "collections/collections.h"
#include "collections/stream_messages.h"
#include "defobj/test_stream.h"

// The text that describe: or describeForEach: appends to a string.
inline std::string textWrittenBy(const Message<void(id)>& describer, id object) {
  id text = msg::create_setC(String, _obj_globalZone, "");
  describer(object, text);
  std::string result = msg::getC(text);
  msg::drop(text);
  return result;
}
inline std::string descriptionOf(id object) { return textWrittenBy(msg::describe, object); }
inline std::string forEachDescriptionOf(id object) { return textWrittenBy(msg::describeForEach, object); }

// A misuse and the report it must end in: the function line (any file and
// line) followed by the exact message.
struct Misuse {
  const char* what;
  std::function<void()> action;
  const char* function;
  const char* message;
};

inline void expectReports(std::span<const Misuse> cases) {
  for (const Misuse& m : cases) {
    SCOPED_TRACE(m.what);
    EXPECT_DEATH(m.action(), literal("*** function: " + std::string(m.function) + "(), file: ") +
                                 "[^,]*, line: [0-9]+\n" + literal(m.message));
  }
}
