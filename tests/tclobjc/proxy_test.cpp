// Proxies for Tcl commands: messages they have no method for become Tcl
// command lines with the arguments as words.
#include <functional>
#include <string>

#include "defobj/address.h"
#include "interp_fixture.h"
#include "tclobjc/TclObject.h"
#include "tclobjc_specimen.h"

namespace msg {
inline const Message<id(const char*, int, double, id)> t_tell{"t_tell:count:ratio:about:"};
inline const Message<void(char, unsigned, short, unsigned short, BOOL, float, void*)> t_tellSmall{
    "t_tellChar:uint:short:ushort:flag:float:pointer:"};
inline const Message<id(long)> t_tellWide{"t_tellWide:"};
inline const Message<id(Class)> t_tellClass{"t_tellClass:"};
}  // namespace msg

namespace {

class ProxyTest : public TclTest {
 protected:
  void SetUp() override {
    run("proc listener {args} {set ::heard $args}; proc failing {args} {error boom}; set heard {}");
    proxy = msg::newName(objc_get_class("TclObject"), "listener");
  }
  void TearDown() override {
    msg::free_(proxy);
    run("unset -nocomplain objcdebug");
  }
  // The words the listener received, one a line.
  static std::string heard() { return run("join $heard \\n"); }
  id proxy;
};

}  // namespace

TEST_F(ProxyTest, MessagesArriveAsTheWordsOfTheCommand) {
  TclSpecimen* about = makeSpecimen();
  const char* text = "a {braced} text } [with] $dollars";
  EXPECT_EQ(msg::t_tell(proxy, text, -3, 2.5, about), proxy);
  EXPECT_EQ(run("llength $heard"), "5");
  EXPECT_EQ(heard(), std::string("t_tell:count:ratio:about:\n") + text + "\n-3\n2.500000\n" +
                         tclObjc_objectToName(about));

  char address[AddressTextSize];
  msg::t_tellSmall(proxy, 'x', 4000000000u, -2, 65535, YES, 0.25f, about);
  EXPECT_EQ(heard(), "t_tellChar:uint:short:ushort:flag:float:pointer:\nx\n4000000000\n-2\n65535\n1\n0.250000\n" +
                         std::string(formatAddress(address, about)));
  msg::t_tell(proxy, nullptr, 0, 0, nil);
  EXPECT_EQ(run("lrange $heard 1 end"), "{} 0 0.000000 nil");
  msg::drop(about);
}

TEST_F(ProxyTest, MessagesThatCannotBeSentAreReportedAndNotEvaluated) {
  Tcl_Interp* saved = tclObjc_lastInterp;
  tclObjc_lastInterp = nullptr;
  id unbound = msg::newName(objc_get_class("TclObject"), "listener");
  tclObjc_lastInterp = saved;
  id failing = msg::newName(objc_get_class("TclObject"), "failing");
  SEL untyped = sel_register_name("t_noSuchTypes:");
  const struct {
    const char* what;
    std::function<id()> send;
    std::string report;
  } cases[] = {
      {"long argument", [&] { return msg::t_tellWide(proxy, 1); }, "TclObject can't handle arg type l\n"},
      {"class argument", [&] { return msg::t_tellClass(proxy, Nil); }, "TclObject can't handle arg type #\n"},
      {"no interpreter", [&] { return msg::t_partner(unbound); }, "interp not set yet, t_partner\n"},
      {"selector without types", [&] { return msg::performv(proxy, untyped, nullptr); },
       "method not found, t_noSuchTypes:\n"},
      {"arguments not passed", [&] { return msg::performv(proxy, msg::t_setPartner.sel, nullptr); },
       "TclObject: the arguments of t_setPartner: are not known\n"},
      {"Tcl error", [&] { return msg::t_tell(failing, "x", 1, 1, nil); }, ""},
  };
  for (const auto& c : cases) {
    testing::internal::CaptureStderr();
    const id answer = c.send();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), c.report) << c.what;
    EXPECT_EQ(answer, nil) << c.what;
    EXPECT_EQ(heard(), "") << c.what;
  }
  msg::free_(unbound);
  msg::free_(failing);
}

TEST_F(ProxyTest, RespondsToItsMethodsAndToTclCommandsOfItsNameAndTheSelector) {
  EXPECT_TRUE(msg::respondsTo(proxy, msg::performv.sel));
  EXPECT_FALSE(msg::respondsTo(proxy, msg::t_getCount.sel));
  run("proc listenergetCount {} {}");
  EXPECT_TRUE(msg::respondsTo(proxy, msg::t_getCount.sel));
  run("rename listenergetCount {}");
  EXPECT_FALSE(msg::respondsTo(proxy, msg::t_getCount.sel));
}

TEST_F(ProxyTest, ObjcdebugPrintsEachSelector) {
  testing::internal::CaptureStdout();
  msg::t_partner(proxy);
  run("set objcdebug 1");
  msg::t_partner(proxy);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "selector: t_partner\n");
  EXPECT_EQ(heard(), "t_partner");
}
