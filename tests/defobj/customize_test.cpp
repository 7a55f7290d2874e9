#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "defobj/Class_s.h"
#include "defobj/CreateBy.h"
#include "defobj/Zone.h"
#include "defobj/module.h"
#include "defobj/test_gadget.h"

namespace msg {
inline const Message<id(id)> makeGadgetIn{"makeGadgetIn:"};
inline const Message<id(id, id)> makeGadgetIn_with{"makeGadgetIn:with:"};
}  // namespace msg

namespace {

// What a Chooser's createEnd does while its type is being customized.
std::function<void(id)> choose;

}  // namespace

// A class whose customizing createEnd runs the test's choice.
struct Chooser : CreateDrop_s {
  int made;  // gadgets made by makeGadgetIn:

  id createEnd() {
    if (isa->info & CLS_CUSTOMIZING) {
      choose(this);
      return this;
    }
    return CreateDrop_s::createEnd();
  }
  id makeGadgetIn(id zone) {
    made++;
    id gadget = msg::createBegin(Gadget, zone);
    msg::setGadgetSize(gadget, made);
    return msg::createEnd(gadget);
  }
};

REGISTER_CLASS(Chooser, CreateDrop_s,
  ivar(&Chooser::made, "made"),
  method<&Chooser::createEnd>(msg::createEnd),
  method<&Chooser::makeGadgetIn>(msg::makeGadgetIn))

namespace {

class Customizing : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    registerGadgets();
    objc_register_Chooser();
  }
  void SetUp() override { zone = msg::create(Zone, _obj_globalZone); }
  void TearDown() override { msg::drop(zone); }

  static Class chooser() { return objc_get_class("Chooser"); }
  Zone_c* zoneRecord() const { return static_cast<Zone_c*>(zone); }

  id zone = nil;
};

TEST_F(Customizing, CopyOfATemplate) {
  id prepared = msg::customizeBegin(Gadget, zone);
  EXPECT_STREQ(prepared->isa->name, "Gadget_c.Creating");
  EXPECT_TRUE(prepared->isa->info & CLS_CUSTOMIZING);
  EXPECT_NE(prepared->isa, static_cast<Class>(Gadget));
  msg::setGadgetSize(prepared, 7);
  id type = msg::customizeEnd(prepared);
  EXPECT_STREQ(type->isa->name, "Create_bycopy");

  id first = msg::create(type, zone), second = msg::create(type, zone);
  EXPECT_NE(first, second);
  EXPECT_NE(first, prepared);
  for (id gadget : {first, second}) {
    EXPECT_EQ(gadget->isa, static_cast<Class>(id_Gadget_c));
    EXPECT_EQ(msg::getZone(gadget), zone);
    EXPECT_EQ(msg::getGadgetSize(gadget), 7);
  }
  // The template went to its using class and belongs to the saved action.
  EXPECT_EQ(prepared->isa, static_cast<Class>(id_Gadget_c));
  const unsigned long components = zoneRecord()->objectCount;
  msg::drop(type);
  EXPECT_EQ(zoneRecord()->objectCount, components - 1);
}

TEST_F(Customizing, CreateByMessage) {
  choose = [](id self) { msg::_setCreateByMessage_to(self, msg::makeGadgetIn.sel, self); };
  id prepared = msg::customizeBegin(chooser(), zone);
  id type = msg::customizeEnd(prepared);
  EXPECT_STREQ(type->isa->name, "Create_bysend");
  // The receiver kept its class from before the customization.
  EXPECT_EQ(prepared->isa, chooser());
  id a = msg::create(type, zone), b = msg::create(type, zone);
  EXPECT_EQ(a->isa, static_cast<Class>(id_Gadget_c));
  EXPECT_EQ(msg::getGadgetSize(a), 1);
  EXPECT_EQ(msg::getGadgetSize(b), 2);
  EXPECT_EQ(static_cast<Chooser*>(prepared)->made, 2);
  msg::drop(type);
}

TEST_F(Customizing, CopyThenMessageWithAnotherTemplate) {
  static id original;
  choose = [](id self) {
    original = msg::createBegin(Gadget, msg::getZone(self));
    msg::setGadgetSize(original, 5);
    msg::_setCreateByMessage_toCopy(self, msg::createEnd.sel, original);
  };
  const unsigned long components = zoneRecord()->objectCount;
  id type = msg::customizeEnd(msg::customizeBegin(chooser(), zone));
  EXPECT_STREQ(type->isa->name, "Create_byboth");
  // The prepared object, a component allocation, is released as one.
  EXPECT_EQ(zoneRecord()->objectCount, components);
  id gadget = msg::create(type, zone);
  EXPECT_NE(gadget, original);
  EXPECT_EQ(gadget->isa, static_cast<Class>(id_Gadget_c));
  EXPECT_EQ(msg::getGadgetSize(gadget), 5);
  EXPECT_EQ(original->isa, static_cast<Class>(Gadget));
  msg::drop(type);
}

TEST_F(Customizing, ZonesCopyAPreparedZone) {
  id type = msg::customizeBeginEnd(Zone, zone);
  EXPECT_STREQ(type->isa->name, "Create_byboth");
  id made = msg::create(type, zone);
  EXPECT_EQ(made->isa, static_cast<Class>(id_Zone_c));
  EXPECT_EQ(msg::getZone(made), zone);
  void* block = msg::alloc(made, 24);
  msg::free(made, block);
  msg::drop(made);
  // Remembering its type, the result also begins plain creations.
  id fresh = msg::createBegin(type, zone);
  EXPECT_EQ(fresh->isa, static_cast<Class>(Zone));
  msg::drop(msg::createEnd(fresh));
  msg::drop(type);
}

TEST_F(Customizing, CopyOfAnOpenCustomization) {
  id prepared = msg::customizeBegin(Gadget, zone);
  msg::setGadgetSize(prepared, 3);
  id copy = msg::customizeCopy(prepared, zone);
  EXPECT_TRUE(copy->isa->info & CLS_CUSTOMIZING);
  EXPECT_NE(copy->isa, prepared->isa);
  EXPECT_EQ(msg::getZone(copy), zone);
  msg::setGadgetSize(copy, 4);
  id three = msg::customizeEnd(prepared), four = msg::customizeEnd(copy);
  EXPECT_EQ(msg::getGadgetSize(msg::create(three, zone)), 3);
  EXPECT_EQ(msg::getGadgetSize(msg::create(four, zone)), 4);
  msg::drop(three);
  msg::drop(four);
}

TEST_F(Customizing, Recustomize) {
  choose = [](id self) {
    msg::_setRecustomize_(self, Gadget);
    msg::_setCreateByCopy_(self);
  };
  auto* type = static_cast<CreateBy_c*>(msg::customizeEnd(msg::customizeBegin(chooser(), zone)));
  EXPECT_EQ(type->recustomize, Gadget);
  msg::drop(type);
  choose = [](id self) { msg::_setRecustomize_(self, self); };
  EXPECT_DEATH(msg::customizeEnd(msg::customizeBegin(chooser(), zone)),
               "\\*\\*\\* event raised for error: InvalidArgument\n.*\n"
               "> setRecustomize receiver argument does not respond to createBegin:\n");
}

TEST_F(Customizing, Misuse) {
  EXPECT_DEATH(msg::createBegin(objc_get_class("Customize_s"), zone),
               "\\*\\*\\* event raised for error: SubclassMustImplement\n.*\n"
               "> class Customize_s: createBegin: must be implemented by a subclass\n");
  id plain = msg::createBegin(Gadget, zone);
  EXPECT_DEATH(msg::customizeEnd(plain),
               "\\*\\*\\* event raised for error: CreateUsage\n.*\n"
               "> class Gadget_c.Creating: customizeEnd may only follow customizeBegin\n");
  EXPECT_DEATH(msg::customizeCopy(plain, zone),
               "> class Gadget_c.Creating: customizeCopy must follow customizeBegin\n");
  EXPECT_DEATH(msg::_setCreateByCopy_(plain),
               "\\*\\*\\* event raised for error: CreateUsage\n.*\n"
               "> class Gadget_c.Creating: customizeEnd must follow customizeBegin\n"
               "> \\(If classes coded properly, error raised by a createBy... macro\n"
               "> in a createEnd method.\\)\n");
  msg::drop(msg::createEnd(plain));

  id type = msg::customizeEnd(msg::customizeBegin(Gadget, zone));
  EXPECT_DEATH(msg::createBegin(type, zone),
               "> class Create_bycopy: createBegin not supported after customization already\n"
               "> completed a first time by customizeBegin/End\n");
  EXPECT_DEATH(msg::customizeBegin(type, zone),
               "> class Create_bycopy: customizeBegin not supported after customization already\n"
               "> completed a first time by customizeBegin/End\n");
  msg::drop(type);
}

TEST_F(Customizing, BadCreateByChoices) {
  struct {
    const char* name;
    std::function<void(id)> choice;
    std::string report;
  } cases[] = {
      {"no action", [](id) {},
       "\\*\\*\\* event raised for error: CreateSubclassing\n.*\n"
       "> class Chooser: createEnd did not select a createBy action when called by\n"
       "> customizeEnd to save a customization\n"},
      {"send without the zone argument",
       [](id self) { msg::_setCreateByMessage_to(self, msg::getGadgetSize.sel, self); },
       "> class Chooser: setCreateByMessage:to: message selector name: \"getGadgetSize\"\n"
       "> message selector must accept one argument \\(for create zone\\)\n"},
      {"copy with two arguments",
       [](id self) { msg::_setCreateByMessage_toCopy(self, msg::makeGadgetIn_with.sel, self); },
       "> class Chooser: setCreateByMessage:to: message selector name: \"makeGadgetIn:with:\"\n"
       "> message selector must accept at most one argument\n"},
  };
  for (const auto& c : cases) {
    choose = c.choice;
    EXPECT_DEATH(msg::customizeEnd(msg::customizeBegin(chooser(), zone)), c.report) << c.name;
  }

  static id receiver;
  receiver = msg::create(Gadget, zone);
  choose = [](id self) { msg::_setCreateByMessage_to(self, msg::makeGadgetIn.sel, receiver); };
  EXPECT_DEATH(msg::customizeEnd(msg::customizeBegin(chooser(), zone)),
               "\\*\\*\\* event raised for error: CreateSubclassing\n.*\n"
               "> class Chooser, setCreateByMessage: or setCreateByMessage:to:\n"
               "> receiver object: 0x[0-9a-f]+: Gadget_c\n"
               "> message selector name: \"makeGadgetIn:\"\n"
               "> message selector not valid for receiver\n");
  msg::drop(receiver);
}

}  // namespace
