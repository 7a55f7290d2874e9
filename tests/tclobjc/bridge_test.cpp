// Objects and classes called from Tcl by name: the call protocol, its type
// conversions and its refusals.
#include <cstdint>
#include <string>

#include "defobj/Object_s.h"
#include "defobj/Zone.h"
#include "defobj/address.h"
#include "defobj/module.h"
#include "interp_fixture.h"
#include "tclobjc/quote.h"
#include "tclobjc_specimen.h"

namespace {

std::string nameOf(id object) { return tclObjc_objectToName(object); }

class BridgeTest : public TclTest {
 protected:
  void SetUp() override { s = makeSpecimen(); }
  void TearDown() override { msg::drop(s); }
  std::string send(const std::string& words) { return run(nameOf(s) + " " + words); }
  TclSpecimen* s;
};

}  // namespace

TEST_F(BridgeTest, NamesReadBackOnlyToLiveObjects) {
  char expected[64];
  std::snprintf(expected, sizeof expected, "TclSpecimen@0x%jx", static_cast<uintmax_t>(reinterpret_cast<uintptr_t>(s)));
  EXPECT_EQ(nameOf(s), expected);
  EXPECT_EQ(nameOf(nil), "nil");
  EXPECT_EQ(tclObjc_nameToObject(expected), s);
  for (const char* n : {"nil", "Nil", "0x0"}) EXPECT_EQ(tclObjc_nameToObject(n), nil) << n;
  EXPECT_EQ(tclObjc_nameToObject("TclSpecimen"), objc_get_class("TclSpecimen"));
  for (const char* n : {"NoSuchClass", "TclSpecimen@0x10", "TclSpecimen@0x", "TclSpecimen@zz", ""})
    EXPECT_EQ(tclObjc_nameToObject(n), TclObjcNotFound) << n;
}

// An object with a name of its own still has one object name, and every
// reader takes the address after the last "@": also a name written from the
// object's own name reads back, through all three readers.
TEST_F(BridgeTest, ObjectsWithNamesOfTheirOwnReadBackThroughEveryReader) {
  TclNamedSpecimen* named = makeNamedSpecimen();
  char address[AddressTextSize];
  formatAddress(address, named);
  EXPECT_EQ(std::string(getObjectName(named)), "TclNamedSpecimen@" + std::string(address));
  EXPECT_EQ(nameOf(named), getObjectName(named));
  const std::string names[] = {nameOf(named), std::string(TclNamedSpecimen::ownName) + "@" + address,
                               "[set injected 1] $x@" + std::string(address)};
  for (const std::string& name : names) {
    EXPECT_EQ(nameToObject(name.c_str()), named) << name;
    EXPECT_EQ(tclObjc_nameToObject(name.c_str()), named) << name;
    const std::string word = tclQuote(name.c_str());
    EXPECT_EQ(run(word + " self"), nameOf(named)) << name;
    EXPECT_EQ(run("tclObjc_msg_send " + word + " self"), nameOf(named)) << name;
    EXPECT_EQ(send("t_setPartner: " + word), "") << name;
    EXPECT_EQ(s->partner, named) << name;
  }
  EXPECT_EQ(run("info exists injected"), "0");
  msg::drop(named);
  for (const std::string& name : names) EXPECT_EQ(tclObjc_nameToObject(name.c_str()), TclObjcNotFound) << name;
}

// The receiver is gone when the call returns: the answer names it from the
// class it had, and nothing reads it (the sanitizer build watches).
TEST_F(BridgeTest, CallsThatDropTheirReceiverAnswerWithoutReadingIt) {
  for (const char* selector : {"t_dropSelf", "t_dropSelfQuietly"}) {
    TclSpecimen* doomed = makeSpecimen();
    const std::string name = nameOf(doomed);
    const std::string answer = run(name + " " + selector);
    EXPECT_EQ(answer, std::string(selector) == "t_dropSelf" ? name : "") << selector;
    EXPECT_FALSE(_obj_isLiveObject(doomed)) << selector;
    EXPECT_EQ(run(name + " getCount"), "error: tclObjc: " + name + " not recognized as an object") << selector;
  }
}

TEST_F(BridgeTest, KeywordWordsMakeTheSelectorTheRestAreArguments) {
  EXPECT_EQ(send("setX: 3 Y: 4"), "");
  EXPECT_EQ(s->x, 3);
  EXPECT_EQ(s->y, 4);
  EXPECT_EQ(send("getCount"), "1");
  EXPECT_EQ(send("t_half"), "0.5");
  EXPECT_EQ(send("t_nothing"), "");
  EXPECT_EQ(s->calls, 2);
  EXPECT_EQ(send("t_label"), "a label");
}

TEST_F(BridgeTest, ArgumentsAndResultsConvertByTypeCode) {
  EXPECT_EQ(send("t_storeChar: xyz uchar: 255 short: -32768 ushort: 65535 int: -7 uint: 4294967295 "
                 "long: -9000000000 ulong: 18000000000 float: 1.5 double: 2.25"),
            "");
  EXPECT_EQ(s->letter, 'x');
  EXPECT_EQ(s->byte, 255);
  EXPECT_EQ(s->small, -32768);
  EXPECT_EQ(s->usmall, 65535);
  EXPECT_EQ(s->number, -7);
  EXPECT_EQ(s->unumber, 4294967295u);
  EXPECT_EQ(s->wide, -9000000000L);
  EXPECT_EQ(s->uwide, 18000000000UL);
  EXPECT_EQ(s->ratio, 1.5f);
  EXPECT_EQ(s->real, 2.25);
  EXPECT_EQ(send("t_unsigned"), "4000000000");
  EXPECT_EQ(send("t_long"), "-1099511627776");
  EXPECT_EQ(send("t_char"), "65");
  s->pointer = reinterpret_cast<void*>(0xbeef0);
  EXPECT_EQ(send("t_pointer"), "0xbeef0");
}

TEST_F(BridgeTest, ObjectArgumentsAndResultsUseNames) {
  EXPECT_EQ(send("t_partner"), "nil");
  EXPECT_EQ(send("t_setPartner: " + nameOf(s)), "");
  EXPECT_EQ(s->partner, s);
  EXPECT_EQ(send("t_partner"), nameOf(s));
  for (const char* n : {"nil", "Nil", "0x0"}) {
    EXPECT_EQ(send(std::string("t_setPartner: ") + n), "");
    EXPECT_EQ(s->partner, nil) << n;
  }
  EXPECT_EQ(send("t_setPartner: TclSpecimen"), "");
  EXPECT_EQ(s->partner, objc_get_class("TclSpecimen"));
}

TEST_F(BridgeTest, ClassesAreCommands) {
  EXPECT_EQ(run("TclSpecimen t_classAnswer"), "42");
  EXPECT_EQ(run("tclObjc_msg_send TclSpecimen t_classAnswer"), "42");
}

TEST_F(BridgeTest, BadWordsGiveTclErrors) {
  TclSpecimen* dropped = makeSpecimen();
  const std::string deadName = nameOf(dropped);
  msg::drop(dropped);
  const struct {
    std::string words, result;
  } cases[] = {
      {"", "error: no method specified."},
      {"noSuchMethod", "error: object does not respond to method"},
      {"setX: 1", "error: object does not respond to method"},  // the selector is setX:
      {"setX: 1 Y:", "error: tclObjc: setX:Y: takes 2 arguments, got 1"},
      {"getCount 5", "error: tclObjc: getCount takes 0 arguments, got 1"},
      {"setX: one Y: 2", "error: expected int but got \"one\""},
      {"setX: 3x Y: 2", "error: expected int but got \"3x\""},
      {"setX: 99999999999 Y: 2", "error: expected int but got \"99999999999\""},
      {"t_storeChar: a uchar: 256 short: 0 ushort: 0 int: 0 uint: 0 long: 0 ulong: 0 float: 0 double: 0",
       "error: expected unsigned char but got \"256\""},
      {"t_storeChar: a uchar: 1 short: 0 ushort: 0 int: 0 uint: -1 long: 0 ulong: 0 float: 0 double: 0",
       "error: expected unsigned int but got \"-1\""},
      {"t_storeChar: a uchar: 1 short: 0 ushort: 0 int: 0 uint: 1 long: 0 ulong: 0 float: 0 double: x",
       "error: expected double but got \"x\""},
      {"t_setPartner: " + deadName, "error: Expected objc object, got " + deadName + " instead.\n"},
      {"t_setPartner: garbage", "error: Expected objc object, got garbage instead.\n"},
      {"t_setPointer: 0x10", "error: Tcl can't handle arg type ^"},
      {"t_myClass", "error: Tcl can't handle ret type #"},
      {"t_longText", "error: tclObjc: result of t_longText longer than 1023 characters"},
      {std::string(100, 'a'), "error: tclObjc: selector longer than 99 characters"},
  };
  for (const auto& c : cases) EXPECT_EQ(send(c.words), c.result) << c.words;
  std::string many;
  for (int i = 0; i < 300; i++) many += " w";
  EXPECT_EQ(send("setX:" + many), "error: tclObjc: more than 256 words");
  EXPECT_EQ(s->calls, 0);
  EXPECT_EQ(run(deadName + " getCount"), "error: tclObjc: " + deadName + " not recognized as an object");
  EXPECT_EQ(run("tclObjc_msg_send nil getCount"), "error: tclObjc: nil not recognized as an object");
}

TEST_F(BridgeTest, RefusalsExplainThemselvesOnStandardError) {
  const std::string report = "TclSpecimen does not respond to method noSuchMethod\n(Tcl -eval:) ";
  send("noSuchMethod");
  EXPECT_EQ(lastStderr.substr(0, report.size()), report);
  run("TclSpecimen noSuchMethod");
  EXPECT_EQ(lastStderr.substr(0, report.size()), report);
}

TEST_F(BridgeTest, UnknownCommandsStillReachTclsOwnUnknown) {
  EXPECT_EQ(run("no_such_command 1"), "error: invalid command name \"no_such_command\"");
  EXPECT_EQ(run("string toupper [" + nameOf(s) + " t_label]"), "A LABEL");
}

TEST_F(BridgeTest, CallsFromTclMayEvaluateTclAgain) {
  EXPECT_EQ(send("t_eval: {set nested [" + nameOf(s) + " getCount]}"), "");
  EXPECT_EQ(run("set nested"), "1");
}

TEST_F(BridgeTest, EventHookRunsAfterEverySuccessfulCall) {
  static int hooks;
  hooks = 0;
  tclObjc_eventHook = [] { hooks++; };
  send("getCount");
  send("noSuchMethod");
  tclObjc_eventHook = nullptr;
  EXPECT_EQ(hooks, 1);
}
