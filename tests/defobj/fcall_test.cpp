// Dynamic calls of methods and plain functions through FArguments and FCall.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "defobj/FCall.h"
#include "defobj/Zone.h"

namespace msg {
inline const Message<long long(int, double, long long, id, const char*)> t_mix{"t_mix:double:longLong:object:string:"};
inline const Message<int(int)> t_scaled{"t_scaled:"};
inline const Message<unsigned char()> t_u8{"t_u8"};
inline const Message<short()> t_s16{"t_s16"};
inline const Message<unsigned()> t_u32{"t_u32"};
inline const Message<long()> t_s64{"t_s64"};
inline const Message<float()> t_f32{"t_f32"};
inline const Message<long double()> t_wide{"t_wide"};
inline const Message<const char*()> t_text{"t_text"};
inline const Message<SEL()> t_sel{"t_sel"};
inline const Message<void(int)> t_note{"t_note:"};
}  // namespace msg

namespace {

struct Callee : CreateDrop {
  long long base;
  int noted;

  long long mix(int i, double d, long long q, id o, const char* s) {
    return base + i + static_cast<long long>(d * 10) + q + (o == this ? 1000 : 0) +
           static_cast<long long>(std::strlen(s));
  }
  int scaled(int n) { return n * 2; }
  unsigned char u8() { return 0xfe; }
  short s16() { return -2; }
  unsigned u32() { return 4000000000u; }
  long s64() { return -(1L << 40); }
  float f32() { return 1.5f; }
  long double wide() { return 1.0L / 3; }
  const char* text() { return "text"; }
  SEL sel() { return msg::t_sel.sel; }
  void note(int n) { noted = n; }
};

struct CalleeSub : Callee {
  int scaled(int n) { return n * 3; }
};

}  // namespace

REGISTER_CLASS(Callee, CreateDrop,
  ivar(&Callee::base, "base"), ivar(&Callee::noted, "noted"),
  method<&Callee::mix>(msg::t_mix), method<&Callee::scaled>(msg::t_scaled), method<&Callee::u8>(msg::t_u8),
  method<&Callee::s16>(msg::t_s16), method<&Callee::u32>(msg::t_u32), method<&Callee::s64>(msg::t_s64),
  method<&Callee::f32>(msg::t_f32), method<&Callee::wide>(msg::t_wide), method<&Callee::text>(msg::t_text),
  method<&Callee::sel>(msg::t_sel), method<&Callee::note>(msg::t_note))

REGISTER_CLASS(CalleeSub, Callee, method<&CalleeSub::scaled>(msg::t_scaled))

namespace {

template <class T>
T* make(const char* className) {
  objc_register_Callee();
  objc_register_CalleeSub();
  return static_cast<T*>(msg::createEnd(msg::createBegin(objc_get_class(className), _obj_globalZone)));
}

id arguments(SEL sel) {
  id a = msg::createBegin(FArguments, _obj_globalZone);
  msg::setSelector(a, sel);
  return a;
}

id methodCall(id target, SEL sel, id args) {
  return msg::create_target_selector_arguments(FCall, _obj_globalZone, target, sel, msg::createEnd(args));
}

void dropCall(id call) {
  id args = msg::getArguments(call);
  msg::drop(call);
  msg::drop(args);
}

double constant() { return 2.5; }
long double scaledWide(long double x, float f, unsigned char c) { return x * f + c; }
int calls;
void count() { calls++; }

TEST(FCall, MethodWithMixedArgumentsAnd64BitResult) {
  auto* callee = make<Callee>("Callee");
  callee->base = 1LL << 40;
  id args = arguments(msg::t_mix.sel);
  msg::addInt(args, -3);
  msg::addDouble(args, 2.5);
  msg::addLongLong(args, 1LL << 33);
  msg::addObject(args, callee);
  msg::addString(args, "four");
  id call = methodCall(callee, msg::t_mix.sel, args);
  EXPECT_EQ(msg::getCallType(call), objccall);
  msg::performCall(call);
  const long long expected = (1LL << 40) - 3 + 25 + (1LL << 33) + 1000 + 4;
  EXPECT_EQ(*static_cast<long long*>(msg::getResult(call)), expected);
  val_t v = msg::getRetVal(args);
  EXPECT_EQ(v.type, fcall_type_slonglong);
  EXPECT_EQ(v.val.slonglong, expected);
  // Argument blocks may be rewritten in place between performances.
  *static_cast<int*>(static_cast<FArguments_c*>(args)->argValues[MAX_HIDDEN]) = 7;
  msg::performCall(call);
  EXPECT_EQ(msg::getRetVal(args).val.slonglong, expected + 10);
  dropCall(call);
  msg::drop(callee);
}

TEST(FCall, ResultsAreStoredAtTheSizeOfTheirType) {
  auto* callee = make<Callee>("Callee");
  struct Row {
    SEL sel;
    fcall_type_t type;
    types_t expected;
    size_t size;
  };
  types_t u8{}, s16{}, u32{}, s64{}, f32{}, wide{}, text{}, sel{};
  u8.uchar = 0xfe;
  s16.sshort = -2;
  u32.uint = 4000000000u;
  s64.slong = -(1L << 40);
  f32._float = 1.5f;
  wide._long_double = 1.0L / 3;
  text.string = "text";
  sel.selector = msg::t_sel.sel;
  const Row rows[] = {
      {msg::t_u8.sel, fcall_type_boolean, u8, 1},   {msg::t_s16.sel, fcall_type_sshort, s16, 2},
      {msg::t_u32.sel, fcall_type_uint, u32, 4},    {msg::t_s64.sel, fcall_type_slong, s64, 8},
      {msg::t_f32.sel, fcall_type_float, f32, 4},   {msg::t_wide.sel, fcall_type_long_double, wide, 10},
      {msg::t_text.sel, fcall_type_string, text, 8}, {msg::t_sel.sel, fcall_type_selector, sel, 8},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(sel_get_name(row.sel));
    id call = methodCall(callee, row.sel, arguments(row.sel));
    msg::performCall(call);
    val_t v = msg::getRetVal(msg::getArguments(call));
    EXPECT_EQ(v.type, row.type);
    if (row.type == fcall_type_string) {
      EXPECT_STREQ(v.val.string, "text");
    } else {
      EXPECT_EQ(std::memcmp(&v.val, &row.expected, row.size), 0);
    }
    // getRetVal:buf: hands over all 16 value bytes and answers the typed
    // value; it takes no selector result.
    types_t buf;
    std::memset(&buf, 0xa5, sizeof buf);
    if (row.type == fcall_type_selector) {
      EXPECT_DEATH(msg::getRetVal_buf(call, nullptr, &buf), "-\\[FCall\\(c\\) _getRetVal:buf:\\]");
    } else {
      const val_t answered = msg::getRetVal_buf(call, nullptr, &buf);
      EXPECT_EQ(std::memcmp(&buf, &static_cast<FArguments_c*>(msg::getArguments(call))->retVal.val, sizeof buf), 0);
      EXPECT_EQ(answered.type, row.type);
      EXPECT_EQ(std::memcmp(&answered.val, &v.val, row.size), 0);
    }
    dropCall(call);
  }
  msg::drop(callee);
}

TEST(FCall, PlainFunctions) {
  id args = msg::createBegin(FArguments, _obj_globalZone);
  msg::setReturnType(args, fcall_type_double);
  id call = msg::createBegin(FCall, _obj_globalZone);
  msg::setFunctionPointer(call, reinterpret_cast<func_t>(&constant));
  msg::setArguments(call, msg::createEnd(args));
  call = msg::createEnd(call);
  EXPECT_EQ(msg::getCallType(call), ccall);
  EXPECT_EQ(msg::getFunctionPointer(call), reinterpret_cast<func_t>(&constant));
  msg::performCall(call);
  EXPECT_EQ(msg::getResult(call), static_cast<void*>(&static_cast<FArguments_c*>(args)->retVal.val));
  EXPECT_EQ(*static_cast<double*>(msg::getResult(call)), 2.5);
  dropCall(call);

  args = msg::createBegin(FArguments, _obj_globalZone);
  msg::setObjCReturnType(args, 'X');
  long double x = 1.5L;
  float f = 2.0f;
  unsigned char c = 200;
  msg::addArgument_ofType(args, &x, fcall_type_long_double);
  msg::addArgument_ofObjCType(args, &f, 'f');
  msg::addUnsignedChar(args, c);
  call = msg::createBegin(FCall, _obj_globalZone);
  msg::setFunctionPointer(call, reinterpret_cast<func_t>(&scaledWide));
  msg::setArguments(call, msg::createEnd(args));
  call = msg::createEnd(call);
  msg::performCall(call);
  EXPECT_EQ(msg::getRetVal(args).val._long_double, 203.0L);
  dropCall(call);

  calls = 0;
  args = msg::createBegin(FArguments, _obj_globalZone);
  call = msg::createBegin(FCall, _obj_globalZone);
  msg::setFunctionPointer(call, &count);
  msg::setArguments(call, msg::createEnd(args));
  call = msg::createEnd(call);
  EXPECT_EQ(msg::getResult(call), nullptr);  // void
  msg::performCall(call);
  msg::performCall(call);
  EXPECT_EQ(calls, 2);
  dropCall(call);
}

TEST(FCall, UpdateTargetFollowsTheReceiversClass) {
  auto* base = make<Callee>("Callee");
  auto* other = make<Callee>("Callee");
  auto* sub = make<CalleeSub>("CalleeSub");
  id args = arguments(msg::t_scaled.sel);
  msg::addInt(args, 5);
  id call = methodCall(base, msg::t_scaled.sel, args);
  msg::performCall(call);
  EXPECT_EQ(msg::getRetVal(args).val.sint, 10);
  updateTarget(call, sub);
  msg::performCall(call);
  EXPECT_EQ(msg::getRetVal(args).val.sint, 15);  // the override runs
  updateTarget(call, other);
  msg::performCall(call);
  EXPECT_EQ(msg::getRetVal(args).val.sint, 10);
  updateTarget(call, nil);
  msg::performCall(call);
  EXPECT_EQ(msg::getRetVal(args).val.sint, 0);  // a message to nil answers zero
  dropCall(call);

  id note = msg::create_setSelector(FArguments, _obj_globalZone, msg::t_note.sel);
  id noteCall = msg::create_target_methodName_arguments(FCall, _obj_globalZone, base, "t_note:", note);
  EXPECT_EQ(msg::getResult(noteCall), nullptr);
  dropCall(noteCall);
  msg::drop(base);
  msg::drop(other);
  msg::drop(sub);
}

TEST(FCall, UntypedSelectorsUseTheirTypedTwin) {
  SEL untyped = sel_register_name("t_mix:double:longLong:object:string:");
  ASSERT_EQ(sel_get_type(untyped), nullptr);
  id args = msg::create_setSelector(FArguments, _obj_globalZone, untyped);
  EXPECT_EQ(msg::getRetVal(args).type, fcall_type_slonglong);
  EXPECT_EQ(msg::getLanguage(args), LanguageObjc);
  msg::drop(args);
  SEL lonely = sel_register_name("t_untypedEverywhere");
  EXPECT_DEATH(msg::setSelector(msg::createBegin(FArguments, _obj_globalZone), lonely),
               "> no typed selector is registered under the name `t_untypedEverywhere'");
  EXPECT_DEATH(msg::setMethodFromName_inObject(msg::createBegin(FCall, _obj_globalZone), "t_noSuchMethod:", nil),
               "> no typed selector is registered under the name `t_noSuchMethod:'");
}

TEST(FCall, Errors) {
  id args = msg::createBegin(FArguments, _obj_globalZone);
  for (int i = 0; i < 10; i++) msg::addInt(args, i);
  int eleventh = 11;
  EXPECT_DEATH(msg::addArgument_ofType(args, &eleventh, fcall_type_sint),
               "Types already assigned to maximum number arguments in the call!");
  EXPECT_DEATH(msg::addInt(args, 11), "Types already assigned to maximum number arguments in the call!");
  msg::drop(msg::createEnd(args));
  EXPECT_DEATH(msg::createEnd(msg::createBegin(FCall, _obj_globalZone)), "Function to be called not set!");
  id noArgs = msg::createBegin(FCall, _obj_globalZone);
  msg::setFunctionPointer(noArgs, &count);
  EXPECT_DEATH(msg::createEnd(noArgs), "Arguments and return type not specified!");
  EXPECT_DEATH(msg::setJavaMethodFromName_inObject(noArgs, "run", nil),
               "Java support not available on this configuration");
  EXPECT_DEATH(msg::setReturnType(msg::createBegin(FArguments, _obj_globalZone), fcall_type_iid), "setReturnType");
  id javaArgs = msg::createBegin(FArguments, _obj_globalZone);
  EXPECT_DEATH(msg::addJavaObject(javaArgs, nullptr), "-\\[FArguments\\(c\\) _addJavaObject:\\]");
  EXPECT_DEATH(msg::addJavaObject_type(javaArgs, nullptr, fcall_type_object),
               "-\\[FArguments\\(c\\) _addJavaObject:type:\\]");
}

// A Java signature is copied, replaced by a later one, released with the
// list, and makes the list's language Java, whose object results are
// foreign objects.
TEST(FCall, JavaSignatureSetsTheLanguage) {
  auto* zone = static_cast<Zone_c*>(_obj_GCFixedRootZone);
  const unsigned long blocks = zone->blockCount, bytes = zone->blockTotal;
  auto* args = static_cast<FArguments_c*>(msg::createBegin(FArguments, _obj_globalZone));
  EXPECT_EQ(args->javaSignatureLength, 2u);
  msg::setJavaSignature(args, "(Ljava/lang/String;)V");
  char signature[] = "(I)V";
  msg::setJavaSignature(args, signature);
  signature[1] = 'J';
  EXPECT_STREQ(args->javaSignature, "(I)V");
  EXPECT_EQ(msg::getLanguage(args), LanguageJava);
  msg::setReturnType(args, fcall_type_object);
  EXPECT_EQ(args->retVal.type, fcall_type_jobject);
  msg::drop(msg::createEnd(args));
  EXPECT_EQ(zone->blockCount, blocks);
  EXPECT_EQ(zone->blockTotal, bytes);
}

TEST(FCall, DropReleasesEveryBlock) {
  auto* zone = static_cast<Zone_c*>(_obj_GCFixedRootZone);
  const unsigned long blocks = zone->blockCount, bytes = zone->blockTotal;
  id callZone = componentZoneOf(_obj_globalZone);
  auto* callee = make<Callee>("Callee");
  id args = msg::createBegin(FArguments, callZone);
  msg::setSelector(args, msg::t_mix.sel);
  msg::addInt(args, 1);
  msg::addDouble(args, 2);
  msg::addLongLong(args, 3);
  msg::addObject(args, nil);
  msg::addString(args, "");
  id call = msg::create_target_selector_arguments(FCall, callZone, callee, msg::t_mix.sel, msg::createEnd(args));
  EXPECT_GT(zone->blockCount, blocks);
  dropCall(call);
  EXPECT_EQ(zone->blockCount, blocks);
  EXPECT_EQ(zone->blockTotal, bytes);
  msg::drop(callee);
}

}  // namespace
