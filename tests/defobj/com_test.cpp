// The foreign-object bridge against a small fake host: the host functions
// pass their arguments on, and the directory's host path maps host
// classes, objects and selectors to native ones. Without a table every
// answer is nil or NO.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "collections/collections.h"
#include "collections/messages.h"
#include "defobj/COM.h"
#include "defobj/Directory.h"
#include "defobj/Object_s.h"
#include "defobj/address.h"
#include "defobj/brood_directory.h"
#include "defobj/foreign_messages.h"
#include "defobj/test_stream.h"

namespace {

struct HostClass {
  const char* name;
};
struct HostObject {
  HostClass* cls;
};
struct HostSelector {
  const char* name;
  bool isVoid;
  unsigned argCount;
  fcall_type_t types[3];  // the arguments, then the result
};

HostClass hostClasses[] = {{"brood.defobj.CreateDropCImpl"}, {"brood/collections/ListImpl"}, {"HostGadget"}};
// Entries outlive each test, so every host handle has an address of its own.
HostObject hostObject{&hostClasses[2]};
HostSelector same{"addLast:", true, 1, {fcall_type_object}};
HostSelector differing{"addLast:", true, 1, {fcall_type_sint}};
HostSelector fresh{"hostOnlyScale:", false, 1, {fcall_type_double, fcall_type_sint}};
HostObject made[4];
unsigned madeCount;
std::string hostLog;

void logCall(const std::string& call) { hostLog += call + ";"; }

COMInterface fakeHost() {
  COMInterface t{};
  t.COMgetClass = [](COMobject o) -> COMclass { return static_cast<HostObject*>(o)->cls; };
  t.COMfindComponent = [](const char* name) -> COMclass {
    for (HostClass& c : hostClasses)
      if (std::strcmp(c.name, name) == 0) return &c;
    return nullptr;
  };
  t.COMgetComponentName = [](COMclass c) { return static_cast<const char*>(static_cast<HostClass*>(c)->name); };
  t.COMcreateComponent = [](COMclass c) -> COMobject {
    made[madeCount] = {static_cast<HostClass*>(c)};
    return &made[madeCount++];
  };
  t.COMgetName = [](COMobject o) { return static_cast<const char*>(static_cast<HostObject*>(o)->cls->name); };
  t.COMnormalize = [](COMobject o) { return o; };
  t.COMcopyString = [](const char* s) { return s + 1; };
  t.selectorCreate = [](COMmethod m) -> COMselector { return static_cast<char*>(m) + 1; };
  t.selectorMethod = [](COMselector s) -> COMmethod { return static_cast<char*>(s) - 1; };
  t.selectorIsJavaScript = [](COMselector) -> BOOL { return YES; };
  t.selectorIsVoidReturn = [](COMselector s) -> BOOL { return static_cast<HostSelector*>(s)->isVoid; };
  t.selectorIsBooleanReturn = [](COMselector) -> BOOL { return YES; };
  t.selectorName = [](COMselector s) { return static_cast<HostSelector*>(s)->name; };
  t.selectorArgCount = [](COMselector s) { return static_cast<HostSelector*>(s)->argCount; };
  t.selectorArgFcallType = [](COMselector s, unsigned i) { return static_cast<HostSelector*>(s)->types[i]; };
  t.COMcreateParams = [](unsigned n) -> COMargs { return reinterpret_cast<COMargs>(static_cast<uintptr_t>(n)); };
  t.COMsetArg = [](COMargs, unsigned i, val_t* v) { logCall("COMsetArg " + std::to_string(i) + " " + std::to_string(v->val.sint)); };
  t.COMsetReturn = [](COMargs, unsigned i, val_t*) { logCall("COMsetReturn " + std::to_string(i)); };
  t.COMfreeParams = [](COMargs) { logCall("COMfreeParams"); };
  t.collectMethods = [](COMclass, COM_collect_variable_func_t v, COM_collect_method_func_t m) {
    logCall(std::string("collectMethods") + (v ? " variables" : "") + (m ? " methods" : ""));
  };
  t.COMmethodName = [](COMmethod) { return "hostMethod"; };
  t.COMmethodParamFcallType = [](COMmethod, unsigned i) { return static_cast<fcall_type_t>(i); };
  t.COMmethodSetReturn = [](COMmethod, COMargs, void*) { logCall("COMmethodSetReturn"); };
  t.COMmethodInvoke = [](COMobject, COMmethod, COMargs) { logCall("COMmethodInvoke"); };
  t.isJavaScript = [](COMobject) -> BOOL { return YES; };
  t.JScreateParams = [](unsigned n) -> JSargs { return reinterpret_cast<JSargs>(static_cast<uintptr_t>(n + 100)); };
  t.JSsetArg = [](JSargs, unsigned i, val_t*) { logCall("JSsetArg " + std::to_string(i)); };
  t.JSsetReturn = [](JSargs, unsigned i, val_t*) { logCall("JSsetReturn " + std::to_string(i)); };
  t.JSfreeParams = [](JSargs) { logCall("JSfreeParams"); };
  t.JSprobeVariable = [](COMobject, const char* n, val_t* r) {
    r->type = fcall_type_sint;
    r->val.sint = static_cast<int>(std::strlen(n));
  };
  t.JSsetVariable = [](COMobject, const char* n, val_t*) { logCall(std::string("JSsetVariable ") + n); };
  t.JSmethodInvoke = [](COMobject, const char* n, JSargs) { logCall(std::string("JSmethodInvoke ") + n); };
  t.JSmethodArgCount = [](COMobject, const char* n) { return static_cast<unsigned>(std::strlen(n)); };
  t.collectJSProperties = [](COMobject, JS_collect_func_t v, JS_collect_func_t m) {
    logCall(std::string("collectJSProperties") + (v ? " variables" : "") + (m ? " methods" : ""));
  };
  return t;
}

COMInterface host = fakeHost();
void noVariable(COMmethod, COMmethod) {}
void noMethod(COMmethod) {}
void noProperty(const char*) {}

class Bridge : public testing::Test {
 protected:
  void SetUp() override {
    initCOM(&host);
    hostLog.clear();
  }
  void TearDown() override { initCOM(nullptr); }
};

std::string taken(char* scratchCopy) {
  std::string text = scratchCopy ? scratchCopy : "(nil)";
  if (scratchCopy) msg::free(_obj_scratchZone, scratchCopy);
  return text;
}

TEST(BridgeWithoutHost, AnswersNothing) {
  HostObject object{&hostClasses[2]};
  HostSelector sel{"hostOnly:", true, 1, {fcall_type_sint}};
  EXPECT_FALSE(COM_init_p());
  EXPECT_EQ(COM_get_class(&object), nullptr);
  EXPECT_EQ(COM_find_class("HostGadget"), nullptr);
  EXPECT_EQ(taken(COM_class_name(&hostClasses[2])), "(nil)");
  EXPECT_FALSE(COM_is_javascript(&object));
  EXPECT_EQ(COM_create_params(2), nullptr);
  EXPECT_EQ(JS_method_arg_count(&object, "f"), 0u);
  COM_method_invoke(&object, nullptr, nullptr);
  EXPECT_EQ(brood_directory_COM_ensure_class_objc(&hostClasses[2]), nullptr);
  EXPECT_EQ(brood_directory_COM_ensure_object_objc(&object), nil);
  EXPECT_EQ(brood_directory_COM_ensure_selector(&sel), nullptr);
  EXPECT_EQ(brood_directory_objc_ensure_object_COM(_obj_globalZone), nullptr);
  EXPECT_EQ(brood_directory_ensure_class_named("HostGadget"), nullptr);
  EXPECT_EQ(brood_directory_ensure_class_named("Zone_c"), objc_lookup_class("Zone_c"));
}

TEST_F(Bridge, HostFunctionsPassTheirArgumentsOn) {
  HostObject object{&hostClasses[2]};
  EXPECT_TRUE(COM_init_p());
  EXPECT_EQ(COM_get_class(&object), &hostClasses[2]);
  EXPECT_EQ(COM_find_class("HostGadget"), &hostClasses[2]);
  EXPECT_EQ(taken(COM_class_name(&hostClasses[2])), "HostGadget");
  EXPECT_EQ(taken(COM_get_class_name(&object)), "HostGadget");
  EXPECT_TRUE(COM_is_javascript(&object));
  EXPECT_FALSE(COM_is_javascript(nullptr));
  const char* text = "xyz";
  EXPECT_EQ(COM_copy_string(text), text + 1);
  char method[2];
  EXPECT_EQ(COM_selector_create(method), method + 1);
  EXPECT_EQ(COM_selector_method(method + 1), method);
  EXPECT_TRUE(COM_selector_is_javascript(method));
  EXPECT_TRUE(COM_selector_is_boolean_return(method));
  EXPECT_EQ(COM_create_params(3), reinterpret_cast<COMargs>(3));
  EXPECT_EQ(JS_create_params(3), reinterpret_cast<JSargs>(103));
  EXPECT_STREQ(COM_method_name(method), "hostMethod");
  EXPECT_EQ(COM_method_param_fcall_type(method, 13), fcall_type_double);
  EXPECT_EQ(JS_method_arg_count(&object, "four"), 4u);
  val_t value{};
  JS_probe_variable(&object, "seven!!", &value);
  EXPECT_EQ(value.type, fcall_type_sint);
  EXPECT_EQ(value.val.sint, 7);

  value.val.sint = 42;
  COM_set_arg(nullptr, 1, &value);
  COM_set_return(nullptr, 2, &value);
  COM_free_params(nullptr);
  JS_set_arg(nullptr, 0, &value);
  JS_set_return(nullptr, 1, &value);
  JS_free_params(nullptr);
  COM_collect_variables(&hostClasses[2], noVariable);
  COM_collect_methods(&hostClasses[2], noMethod);
  JS_collect_variables(&object, noProperty);
  JS_collect_methods(&object, noProperty);
  JS_set_variable(&object, "v", &value);
  JS_method_invoke(&object, "m", nullptr);
  COM_method_set_return(method, nullptr, nullptr);
  COM_method_invoke(&object, method, nullptr);
  EXPECT_EQ(hostLog,
            "COMsetArg 1 42;COMsetReturn 2;COMfreeParams;JSsetArg 0;JSsetReturn 1;JSfreeParams;"
            "collectMethods variables;collectMethods methods;collectJSProperties variables;"
            "collectJSProperties methods;JSsetVariable v;JSmethodInvoke m;COMmethodSetReturn;COMmethodInvoke;");
}

TEST_F(Bridge, HostClassesMapToNativeClassesOrProxies) {
  // "brood.defobj.CreateDropCImpl": the prefix, the package and the
  // creating-phase mark go.
  Class createDrop = brood_directory_COM_ensure_class_objc(&hostClasses[0]);
  EXPECT_EQ(createDrop, objc_lookup_class("CreateDrop"));
  EXPECT_EQ(brood_directory_COM_ensure_class_objc(&hostClasses[0]), createDrop);
  EXPECT_EQ(brood_directory_COM_find_class_objc(&hostClasses[0]), createDrop);
  EXPECT_EQ(brood_directory_objc_find_class_COM(createDrop), &hostClasses[0]);

  // A host class of no native name gets a proxy; so does a class asked
  // for by a name only the host knows.
  id gadget = reinterpret_cast<id>(brood_directory_ensure_class_named("HostGadget"));
  ASSERT_NE(gadget, nil);
  EXPECT_TRUE(msg::isCOMProxy(gadget));
  EXPECT_EQ(reinterpret_cast<id>(brood_directory_COM_ensure_class_objc(&hostClasses[2])), gadget);

  EXPECT_EQ(objc_class_for_class_name("Zone_c"), objc_lookup_class("Zone_c"));
  EXPECT_EQ(objc_class_for_class_name("brood.defobj.NoSuchTypeCImpl"), nullptr);
}

TEST_F(Bridge, HostObjectsAndNativeObjectsMeetThroughTheirEntries) {
  id proxy = brood_directory_COM_ensure_object_objc(&hostObject);
  ASSERT_NE(proxy, nil);
  EXPECT_TRUE(msg::isCOMProxy(proxy));
  EXPECT_EQ(brood_directory_COM_ensure_object_objc(&hostObject), proxy);
  EXPECT_EQ(brood_directory_COM_find_object_objc(&hostObject), proxy);
  EXPECT_EQ(brood_directory_objc_find_object_COM(proxy), &hostObject);
  EXPECT_EQ(reinterpret_cast<id>(brood_directory_brood_class(proxy)),
            reinterpret_cast<id>(brood_directory_COM_ensure_class_objc(&hostClasses[2])));
  EXPECT_EQ(taken(brood_directory_language_independent_class_name_for_objc_object(proxy)), "HostGadget");

  // A native object gets a host object of its class's host name, and a
  // new one when createEnd has moved it to another class.
  id list = msg::create(List, _obj_globalZone);
  auto* hostList = static_cast<HostObject*>(brood_directory_objc_ensure_object_COM(list));
  ASSERT_NE(hostList, nullptr);
  EXPECT_STREQ(hostList->cls->name, "brood/collections/ListImpl");
  EXPECT_EQ(brood_directory_objc_ensure_object_COM(list), hostList);
  auto* renewed = static_cast<HostObject*>(brood_directory_update_phase_COM(list));
  ASSERT_NE(renewed, nullptr);
  EXPECT_NE(renewed, hostList);
  EXPECT_EQ(brood_directory_objc_find_object_COM(list), renewed);
  EXPECT_EQ(brood_directory_COM_find_object_objc(renewed), list);
  EXPECT_EQ(brood_directory_COM_find_object_objc(hostList), nil);
  EXPECT_EQ(brood_directory_objc_find_object_COM(_obj_globalZone), nullptr);
  msg::drop(list);
}

TEST_F(Bridge, HostMethodsGetTypedSelectors) {
  EXPECT_EQ(brood_directory_COM_ensure_selector(&same), msg::addLast.sel);
  EXPECT_EQ(brood_directory_objc_find_selector_COM(msg::addLast.sel), &same);

  // The directory keeps each host selector it has seen: a fresh one each
  // time, so that the test can run again in one process.
  testing::internal::CaptureStderr();
  SEL typed = brood_directory_COM_ensure_selector(new HostSelector(differing));
  const std::string warning = testing::internal::GetCapturedStderr();
  EXPECT_EQ(warning,
            "*** event raised for warning: WarningMessage\nMethod `addLast:' type (v0@0:0i0) differs from Brood "
            "method's type (v@:@)\n*** execution continuing...\n");
  ASSERT_NE(typed, nullptr);
  EXPECT_STREQ(sel_get_name(typed), "addLast:");
  EXPECT_STREQ(sel_get_type(typed), "v@:i");

  SEL scale = brood_directory_COM_ensure_selector(&fresh);
  ASSERT_NE(scale, nullptr);
  EXPECT_STREQ(sel_get_type(scale), "i@:d");
  EXPECT_EQ(brood_directory_COM_ensure_selector(&fresh), scale);
  EXPECT_EQ(brood_directory_objc_find_selector_COM(scale), &fresh);
}

TEST_F(Bridge, EntriesDescribeThemselves) {
  id proxy = brood_directory_COM_ensure_object_objc(&hostObject);
  id entry = static_cast<Object_s*>(proxy)->foreignEntry;
  char address[AddressTextSize], hostAddress[AddressTextSize];
  formatAddress(address, entry);
  formatAddress(hostAddress, &hostObject);
  EXPECT_EQ(describedText(entry, _obj_globalZone), std::string(address) + " object: " + msg::getName(proxy) +
                                                       "  COM: HostGadget " + hostAddress + "\n");
}

}  // namespace
