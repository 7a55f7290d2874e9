// Message probes: signatures, arguments from text, dynamic calls and
// their typed results.
#include <gtest/gtest.h>

#include <string>

#include "defobj/test_stream.h"
#include "objectbase/MessageProbe.h"
#include "objectbase/objectbase.h"
#include "objectbase/signature.h"
#include "objectbase/specimen.h"
#include "space/report.h"

namespace {

// Two typed variants of one name: the first registered is not the one
// that Scaler implements.
const Message<double(double)> scaleReal{"t_scale:"};
const Message<int(int)> scaleInt{"t_scale:"};

struct Scaler : BroodObject {
  int scale(int n) { return n * 3; }
};

REGISTER_CLASS(Scaler, BroodObject, method<&Scaler::scale>(scaleInt))

struct Fixture : testing::Test {
  Specimen* s = newSpecimen();
  ~Fixture() override { msg::drop(s); }
};

using MessageProbeTest = Fixture;

TEST(Signature, WalksTypesOffsetsAndQualifiers) {
  const struct {
    const char* signature;
    int count;
    const char* firstTypes;  // nth_type of 0, 1, ...
  } cases[] = {
      {"q@:qdc", 5, "qdc"},
      {"v12@0:4i8", 3, "i"},
      {"@@:@\"Specimen\"r*", 4, "@r"},
      {"v@:[2[3i]]^{?}^?{a={b=i}c}(u=id)", 7, "[^^{("},
      {"v@:b2i3^4", 4, "b^"},
      {"d@:", 2, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.signature);
    EXPECT_EQ(get_number_of_arguments(c.signature), c.count);
    const std::string types = c.firstTypes;
    for (size_t i = 0; i < types.size(); i++) EXPECT_EQ(nth_type(c.signature, static_cast<int>(i)), types[i]);
    EXPECT_EQ(nth_type(c.signature, static_cast<int>(types.size())), '\0');
  }
  EXPECT_STREQ(skip_type_qualifiers("rnO*"), "*");
  EXPECT_STREQ(skip_typespec("[4d]i"), "i");
  EXPECT_EQ(skip_argspec("i8"), nullptr);
  EXPECT_DEATH(skip_typespec("!"), "skip_typespec");
  EXPECT_DEATH(skip_typespec("[4d"), "skip_typespec");
  EXPECT_DEATH(skip_typespec("{a=i"), "skip_typespec");
}

TEST_F(MessageProbeTest, ArgumentCountsAndNames) {
  id probe = messageProbe("t_moveX:y:");
  EXPECT_EQ(msg::getArgCount(probe), 2);
  EXPECT_STREQ(msg::getProbedMessage(probe), "t_moveX:y:");
  EXPECT_STREQ(msg::getProbedType(probe), "v@:ii");
  for (int i = 0; i < 2; i++) EXPECT_EQ(msg::getArg(probe, i).type, fcall_type_void);
  const char* first = msg::getArgName(probe, 0);
  const char* second = msg::getArgName(probe, 1);
  EXPECT_STREQ(first, "t_moveX:");
  EXPECT_STREQ(second, "y:");
  EXPECT_EQ(msg::getArgName(probe, 2), nullptr);
  msg::free(_obj_scratchZone, const_cast<char*>(first));
  msg::free(_obj_scratchZone, const_cast<char*>(second));
  msg::setArg_ToString(probe, 0, "4");
  msg::setArg_ToUnsigned(probe, 1, 9);
  EXPECT_EQ(msg::getArg(probe, 1).type, fcall_type_uint);
  EXPECT_EQ(msg::dynamicCallOn(probe, s).type, fcall_type_void);
  EXPECT_EQ(s->x, 4);
  EXPECT_EQ(s->y, 9);
  msg::drop(probe);
}

TEST_F(MessageProbeTest, CallsWithoutArgumentsArePreparedOnce) {
  s->real = 3;
  auto* probe = static_cast<MessageProbe*>(messageProbe("t_half"));
  EXPECT_EQ(msg::getArgCount(probe), 0);
  EXPECT_EQ(probe->arguments, nullptr);
  EXPECT_EQ(probe->call, nil);
  EXPECT_DOUBLE_EQ(msg::doubleDynamicCallOn(probe, s), 1.5);
  id prepared = probe->call;
  ASSERT_NE(prepared, nil);
  Kid* kid = newKid();
  kid->real = 3;
  EXPECT_DOUBLE_EQ(msg::doubleDynamicCallOn(probe, kid), 6);  // re-aimed at the kid's method
  EXPECT_DOUBLE_EQ(msg::doubleDynamicCallOn(probe, s), 1.5);
  EXPECT_EQ(probe->call, prepared);
  EXPECT_EQ(msg::doubleDynamicCallOn(probe, nil), 0.0);  // a message to nil answers zero
  msg::drop(kid);
  msg::drop(probe);
}

TEST_F(MessageProbeTest, MixedArgumentsFromText) {
  id probe = messageProbe("t_mix:real:wide:byte:small:text:object:");
  ASSERT_EQ(msg::getArgCount(probe), 7);
  const char* texts[] = {"3", "2.5", "-9000000000", "300", "-1", "abc", getObjectName(s)};
  for (int i = 0; i < 7; i++) msg::setArg_ToString(probe, i, texts[i]);
  EXPECT_EQ(msg::getArg(probe, 2).val.slonglong, -9000000000LL);
  EXPECT_EQ(msg::getArg(probe, 3).type, fcall_type_boolean);
  EXPECT_EQ(msg::getArg(probe, 3).val.uchar, 44);
  EXPECT_EQ(msg::getArg(probe, 4).val.schar, -1);
  EXPECT_EQ(msg::getArg(probe, 6).val.object, s);
  EXPECT_TRUE(msg::isArgumentId(probe, 6));
  EXPECT_FALSE(msg::isArgumentId(probe, 5));
  const val_t result = msg::dynamicCallOn(probe, s);
  EXPECT_EQ(result.type, fcall_type_slonglong);
  EXPECT_EQ(result.val.slonglong, 3 + 25 - 9000000000LL + 44 - 1 + 3 + 1000000);
  msg::setArg_ToString(probe, 5, "longer text");  // the earlier copy is released
  EXPECT_STREQ(msg::getArg(probe, 5).val.string, "longer text");
  msg::drop(probe);
}

TEST_F(MessageProbeTest, SixtyFourBitArgumentsAndResults) {
  id probe = messageProbe("t_sum64:signed:");
  msg::setArg_ToString(probe, 0, "18446744073709551000");
  msg::setArg_ToString(probe, 1, "-9000000000");
  EXPECT_EQ(msg::dynamicCallOn(probe, s).val.ulonglong, 18446744073709551000ULL - 9000000000ULL);
  msg::drop(probe);
  probe = messageProbe("t_big");
  EXPECT_EQ(msg::longDynamicCallOn(probe, s), 1L << 40);
  EXPECT_DOUBLE_EQ(msg::doubleDynamicCallOn(probe, s), 1099511627776.0);
  msg::drop(probe);
}

TEST_F(MessageProbeTest, TypedResults) {
  Specimen* other = newSpecimen();
  s->partner = other;
  s->real = -7;
  s->ratio = 0.25f;
  s->number = 101;
  const struct {
    const char* selector;
    fcall_type_t type;
    double asDouble;
    long asLong;
  } numbers[] = {
      {"t_half", fcall_type_double, -3.5, -3},
      {"t_ratio", fcall_type_float, 0.25, 0},
      {"t_isBig", fcall_type_boolean, 1, 1},
      {"sameName", fcall_type_sint, 0, 0},
  };
  for (const auto& c : numbers) {
    SCOPED_TRACE(c.selector);
    id probe = messageProbe(c.selector);
    EXPECT_EQ(msg::dynamicCallOn(probe, s).type, c.type);
    EXPECT_DOUBLE_EQ(msg::doubleDynamicCallOn(probe, s), c.asDouble);
    EXPECT_EQ(msg::longDynamicCallOn(probe, s), c.asLong);
    EXPECT_FALSE(msg::isResultId(probe));
    msg::drop(probe);
  }
  id probe = messageProbe("t_label");
  EXPECT_STREQ(msg::stringDynamicCallOn(probe, s), "specimen");
  EXPECT_DEATH(msg::doubleDynamicCallOn(probe, s), "doubleDynamicCallOn:");
  EXPECT_DEATH(msg::objectDynamicCallOn(probe, s), "objectDynamicCallOn:");
  msg::drop(probe);
  probe = messageProbe("t_partner");
  EXPECT_TRUE(msg::isResultId(probe));
  EXPECT_EQ(msg::objectDynamicCallOn(probe, s), other);
  EXPECT_DEATH(msg::stringDynamicCallOn(probe, s), "stringDynamicCallOn:");
  msg::drop(probe);
  msg::drop(other);
}

TEST_F(MessageProbeTest, ObjectsClassesAndSelectorsByName) {
  id probe = messageProbe("t_classOf:sel:");
  msg::setArg_ToString(probe, 0, "Kid");
  msg::setArg_ToString(probe, 1, "t_half");
  EXPECT_EQ(msg::dynamicCallOn(probe, s).val._class, kidClass());
  EXPECT_EQ(s->lastSelector, sel_get_any_uid("t_half"));
  msg::setArg_ToString(probe, 0, "nil");
  msg::setArg_ToString(probe, 1, "M(NULL)");
  EXPECT_EQ(msg::dynamicCallOn(probe, s).val._class, Nil);
  EXPECT_EQ(s->lastSelector, nullptr);
  const std::string out = report::capturedStderr([&] {
    msg::setArg_ToString(probe, 0, "NoSuchClass");
    msg::setArg_ToString(probe, 1, "noSuchSelector");
  });
  EXPECT_EQ(out, report::warning("Error scanning for value in string NoSuchClass\n") +
                     report::warning("Error scanning for value in string noSuchSelector\n"));
  msg::drop(probe);
}

// Text that names no live object warns, and the argument is nil.
TEST_F(MessageProbeTest, ObjectNamesResolveOnlyToLiveObjects) {
  id probe = messageProbe("t_mix:real:wide:byte:small:text:object:");
  Specimen* gone = newSpecimen();
  const std::string name = getObjectName(gone);
  msg::drop(gone);
  for (const std::string& text : {name, std::string("Specimen@0x1"), std::string("Specimen@junk")}) {
    msg::setArg_ToString(probe, 6, "nil");
    const std::string out = report::capturedStderr([&] { msg::setArg_ToString(probe, 6, text.c_str()); });
    EXPECT_EQ(out, report::warning("Error scanning for value in string " + text + "\n"));
    EXPECT_EQ(msg::getArg(probe, 6).val.object, nil);
  }
  msg::setArg_ToString(probe, 6, "Specimen");
  EXPECT_EQ(msg::getArg(probe, 6).val.object, specimenClass());
  msg::drop(probe);
}

TEST_F(MessageProbeTest, NumbersWithTrailingTextWarn) {
  id probe = messageProbe("t_moveX:y:");
  const std::string out = report::capturedStderr([&] { msg::setArg_ToString(probe, 0, "12abc"); });
  EXPECT_EQ(out, report::warning("Error scanning for value in string 12abc\n"));
  EXPECT_EQ(msg::getArg(probe, 0).val.sint, 12);
  EXPECT_DEATH(msg::setArg_ToString(probe, 2, "1"), "setArg:ToString:");
  EXPECT_DEATH(msg::setArg_ToUnsigned(probe, -1, 1), "setArg:ToUnsigned:");
  EXPECT_DEATH(msg::getArg(probe, 2), "getArg:");
  msg::drop(probe);
}

TEST(MessageProbe, SelectorsWithoutTypesMakeNoProbe) {
  sel_register_name("t_untyped");
  const struct {
    const char* name;
    const char* warning;
  } cases[] = {{"t_noSuchMethod", "Typed selector does not exist"}, {"t_untyped", "Type for selector does not exist"}};
  for (const auto& c : cases) {
    const std::string out = report::capturedStderr([&] {
      id probe = msg::createBegin(objc_get_class("MessageProbe"), _obj_globalZone);
      msg::setProbedMethodName(probe, c.name);
      EXPECT_EQ(msg::createEnd(probe), nil);
    });
    EXPECT_EQ(out, "*** event raised for warning: WarningMessage\n" + std::string(c.warning) +
                       "*** execution continuing...\n");
  }
}

TEST(MessageProbe, TheProbedClassDecidesTheSignature) {
  if (!objc_lookup_class("Scaler")) objc_register_Scaler();
  ASSERT_STREQ(sel_get_type(sel_get_any_typed_uid("t_scale:")), "d@:d");
  id scaler = msg::create(objc_get_class("Scaler"), _obj_globalZone);
  id probe = msg::create_setProbedSelector(objc_get_class("MessageProbe"), _obj_globalZone, scaleReal.sel);
  EXPECT_STREQ(msg::getProbedType(probe), "d@:d");  // no class: the selector's own types
  msg::drop(probe);
  probe = messageProbe("t_scale:", objc_get_class("Scaler"));
  EXPECT_STREQ(msg::getProbedType(probe), "i@:i");
  msg::setArg_ToString(probe, 0, "7");
  const val_t result = msg::dynamicCallOn(probe, scaler);
  EXPECT_EQ(result.type, fcall_type_sint);
  EXPECT_EQ(result.val.sint, 21);
  msg::drop(probe);
  msg::drop(scaler);
}

TEST_F(MessageProbeTest, ClonesAndDescriptions) {
  Listener* l = newListener();
  id probe = messageProbe("t_moveX:y:");
  msg::setObjectToNotify(probe, l);
  msg::setHideResult(probe, YES);
  EXPECT_TRUE(msg::getHideResult(probe));
  id copy = msg::clone(probe, _obj_globalZone);
  EXPECT_EQ(msg::getProbedClass(copy), specimenClass());
  EXPECT_STREQ(msg::getProbedMessage(copy), "t_moveX:y:");
  EXPECT_EQ(msg::getObjectToNotify(copy), l);
  EXPECT_FALSE(msg::getHideResult(copy));
  const std::string described = describedText(copy, _obj_globalZone);
  EXPECT_EQ(described.substr(described.size() - 21), "selector: t_moveX:y:\n");
  msg::drop(copy);
  msg::drop(probe);
  msg::drop(l);
}

}  // namespace
