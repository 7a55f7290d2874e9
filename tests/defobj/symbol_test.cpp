#include <gtest/gtest.h>

#include <string>

#include "defobj/Object_s.h"
#include "defobj/address.h"
#include "defobj/test_stream.h"

namespace {

id makeWarning(const char* name, const char* message) {
  id warning = msg::create_setName(Warning, _obj_globalZone, name);
  msg::setMessageString(warning, message);
  return warning;
}

std::string addressOf(id object) {
  char text[AddressTextSize];
  return formatAddress(text, object);
}

TEST(Symbol, WarningReportsAndContinues) {
  id plain = makeWarning("PlainWarning", "> default with %d\n");
  id silent = makeWarning("SilentWarning", nullptr);
  const char* nullFormat = nullptr;
  struct {
    const char* name;
    void (*raise)(id, const char*);
    id warning;
    std::string expected;
  } cases[] = {
      {"marker form", [](id w, const char*) { msg::raiseEvent(w, "\r", "-[Zone(c) _free:]", "Zone", 423, "Trying %s\n", "this"); },
       plain,
       "*** event raised for warning: PlainWarning\n*** function: -[Zone(c) _free:](), file: Zone, line: 423\n"
       "Trying this\n*** execution continuing...\n"},
      {"marker form, default message as format", [](id w, const char* none) { msg::raiseEvent(w, "\r", "f", "F", 1, none, 7); },
       plain,
       "*** event raised for warning: PlainWarning\n*** function: f(), file: F, line: 1\n> default with 7\n"
       "*** execution continuing...\n"},
      {"plain format", [](id w, const char*) { msg::raiseEvent(w, "plain %s\n", "text"); }, plain,
       "*** event raised for warning: PlainWarning\nplain text\n*** execution continuing...\n"},
      {"no format at all", [](id w, const char* none) { msg::raiseEvent(w, none); }, plain,
       "*** event raised for warning: PlainWarning\n> default with %d\n*** execution continuing...\n"},
      {"raiseEvent", [](id w, const char*) { msg::raiseEvent_(w); }, plain,
       "*** event raised for warning: PlainWarning\n> default with %d\n*** execution continuing...\n"},
      {"raiseEvent without default message", [](id w, const char*) { msg::raiseEvent_(w); }, silent,
       "*** event raised for warning: SilentWarning\n*** execution continuing...\n"},
  };
  for (const auto& c : cases) {
    testing::internal::CaptureStderr();
    c.raise(c.warning, nullFormat);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), c.expected) << c.name;
  }
}

TEST(SymbolDeath, ErrorReportsAndAborts) {
  EXPECT_DEATH(raiseDefaultAt(InvalidAllocSize, "-[Zone(c) _alloc:]"),
               "^" + literal("*** event raised for error: InvalidAllocSize\n*** function: -[Zone(c) _alloc:](), file: "
                             "symbol_test.cpp, line: ") +
                   "[0-9]+\n" +
                   literal("> Requested allocation size must be at least one byte.\n"
                           "> (Requested allocation size was zero.)\n"
                           "*** execution terminating due to error\nSymbol:187 -[Error(c) _raiseEvent:]\n") +
                   "$");
  EXPECT_DEATH(msg::raiseEvent_(InvalidArgument),
               "^" + literal("*** event raised for error: InvalidArgument\n> Invalid argument value passed in call.\n"
                             "*** execution terminating due to error\nSymbol:175 -[Error(c) _raiseEvent]\n") +
                   "$");
}

TEST(Symbol, EventTypeRaisesNothing) {
  id event = msg::create_setName(objc_get_class("EventType_c"), _obj_globalZone, "Quiet");
  testing::internal::CaptureStderr();
  msg::raiseEvent_(event);
  msg::raiseEvent(event, "\r", "f", "F", 1, "text\n");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(SymbolDeath, CreateEndRefusesSymbolsMadeByCreateBegin) {
  EXPECT_DEATH(msg::createEnd(msg::createBegin(Symbol, _obj_scratchZone)),
               literal("*** event raised for error: SourceMessage\n") + ".*" +
                   literal("> must use create:setName: to create a new symbol constant\n"));
}

TEST(Symbol, NameIsCopiedAndEqualNamesAreDistinct) {
  char name[] = "Twin";
  id first = msg::create_setName(Symbol, _obj_globalZone, name);
  id second = msg::create_setName(Symbol, _obj_globalZone, name);
  name[0] = 'X';
  EXPECT_NE(first, second);
  const char* copy = msg::getName(first);
  const char* again = msg::getName(first);
  EXPECT_STREQ(copy, "Twin");
  EXPECT_NE(copy, again) << "each getName answers a fresh copy";
  msg::free(_obj_scratchZone, const_cast<char*>(copy));
  msg::free(_obj_scratchZone, const_cast<char*>(again));
}

TEST(Symbol, Describe) {
  id symbol = msg::create_setName(Symbol, _obj_globalZone, "Shown");
  EXPECT_EQ(describedText(symbol, _obj_scratchZone),
            addressOf(symbol) + ": " + symbol->isa->name + ", display name: Shown\n>symbol name: Shown\n");
  id silent = makeWarning("Mute", nullptr);
  EXPECT_EQ(describedText(silent, _obj_scratchZone),
            addressOf(silent) + ": " + silent->isa->name + ", display name: Mute\n>symbol name: Mute\n" +
                "> (no default message)\n");
  id loud = makeWarning("Loud", "> be careful\n");
  EXPECT_EQ(describedText(loud, _obj_scratchZone),
            addressOf(loud) + ": " + loud->isa->name + ", display name: Loud\n>symbol name: Loud\n" +
                "> default message:\n> be careful\n");
}

}  // namespace
