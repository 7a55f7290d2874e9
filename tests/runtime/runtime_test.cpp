#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "runtime/Object.h"
#include "support/test_startup.h"

namespace msg {
inline const Message<int(int)> addTo{"addTo:"};
inline const Message<double()> half{"half"};
inline const Message<long long(long long, double, char)> mix{"mix:with:and:"};
inline const Message<const char*()> label{"label"};
inline const Message<id()> make{"make"};
inline const Message<int(const char*, ...)> count{"count:"};

// Messages nothing implements, answered by Relay's forward::.
struct Record {
  long words[6];  // returned through memory: the caller passes its address first
};
inline const Message<Record(int)> record{"record:"};
inline const Message<long double()> precise{"precise"};
inline const Message<id(int, ...)> relay{"relay:"};
}  // namespace msg

struct Base : Object {
  int value;
  double weight;
  int addTo(int n) { return value + n; }
  double half() const { return weight / 2; }
  const char* label() { return "base"; }
  static id make(Class cls) { return class_create_instance(cls); }
};

struct Derived : Base {
  long long big;
  char letters[2][3];
  int addTo(int n) { return Base::addTo(n) * 10; }  // super send
  long long mix(long long a, double b, char c) { return a + static_cast<long long>(b) + c; }
};

// Keeps what its forward:: was sent and answers itself.
struct Relay : Object {
  SEL forwarded;
  id forward(SEL sel, void*) {
    forwarded = sel;
    return this;
  }
};

int countArgs(id, SEL, const char* format, ...) { return static_cast<int>(std::strlen(format)); }

REGISTER_CLASS(Base, Object,
  ivar(&Base::value, "value"),
  ivar(&Base::weight, "weight"),
  method<&Base::addTo>(msg::addTo),
  method<&Base::half>(msg::half),
  method<&Base::label>(msg::label),
  classMethod<&Base::make>(msg::make),
  rawMethod(msg::count.sel, to_imp(&countArgs)))

REGISTER_CLASS(Derived, Base,
  ivar(&Derived::big, "big"),
  ivar(&Derived::letters, "letters"),
  method<&Derived::addTo>(msg::addTo),
  method<&Derived::mix>(msg::mix))

REGISTER_CLASS(Relay, Object,
  ivar(&Relay::forwarded, "forwarded"),
  method<&Relay::forward>(msg::forward))

void test_startup() {
  objc_register_runtime();
  objc_register_Relay();
  objc_register_Derived();  // a subclass queued before its superclass
  objc_register_Base();
  __objc_exec_class_for_all_initial_modules();
}

namespace {

long fieldOffset(long long Derived::*field) {
  static Derived d;
  return reinterpret_cast<char*>(&(d.*field)) - reinterpret_cast<char*>(&d);
}

template <class T>
T* make(const char* className) {
  return static_cast<T*>(msg::make(objc_get_class(className)));
}

TEST(Runtime, DispatchOverridesAndSuperSends) {
  auto* b = make<Base>("Base");
  auto* d = make<Derived>("Derived");
  b->value = d->value = 4;
  d->weight = 3.0;
  EXPECT_EQ(msg::addTo(b, 1), 5);
  EXPECT_EQ(msg::addTo(d, 1), 50);
  EXPECT_DOUBLE_EQ(msg::half(d), 1.5);
  EXPECT_STREQ(msg::label(d), "base");
  EXPECT_EQ(msg::mix(d, 1LL << 40, 2.9, 'a'), (1LL << 40) + 2 + 'a');
  EXPECT_EQ(msg::count(d, "abc", 1, 2.0), 3);
  object_dispose(b);
  object_dispose(d);
}

TEST(Runtime, NilReceiverAnswersZero) {
  EXPECT_EQ(msg::addTo(nil, 3), 0);
  EXPECT_EQ(msg::half(nil), 0.0);
  EXPECT_EQ(msg::label(nil), nullptr);
  using Zero = id (*)(id, SEL);
  EXPECT_EQ(imp_cast<Zero>(objc_msg_lookup(nil, msg::make.sel))(nil, msg::make.sel), nil);
}

TEST(Runtime, UnknownMessageEndsInDoesNotRecognize) {
  auto* b = make<Base>("Base");
  EXPECT_DEATH(msg::mix(b, 1, 2.0, 'c'), "Base does not recognize mix:with:and:");
  object_dispose(b);
}

// forward:: is reached whatever the unimplemented message's types, and the
// send answers forward::'s object, or zero where it expects another type.
TEST(Runtime, UnknownMessagesOfEveryTypeReachForward) {
  auto* relay = static_cast<Relay*>(class_create_instance(objc_get_class("Relay")));
  const msg::Record zero{};
  const msg::Record answer = msg::record(relay, 7);
  EXPECT_EQ(relay->forwarded, msg::record.sel);
  EXPECT_EQ(std::memcmp(&answer, &zero, sizeof answer), 0);
  EXPECT_EQ(msg::precise(relay), 0.0L);
  EXPECT_EQ(relay->forwarded, msg::precise.sel);
  EXPECT_EQ(msg::relay(relay, 1, 2.0, "three"), relay);
  EXPECT_EQ(relay->forwarded, msg::relay.sel);
  object_dispose(relay);
}

TEST(Runtime, ClassesAreObjectsWithMetaClasses) {
  Class base = objc_get_class("Base"), derived = objc_get_class("Derived");
  EXPECT_EQ(derived->superclass, base);
  EXPECT_TRUE(class_is_meta(base->isa));
  EXPECT_EQ(derived->isa->superclass, base->isa);
  EXPECT_EQ(msg::self(base), base);  // class message of the root
  EXPECT_TRUE(msg::respondsTo(base, msg::make.sel));
  EXPECT_FALSE(msg::respondsTo(base, msg::addTo.sel));
  EXPECT_EQ(base->instanceSize, static_cast<long>(sizeof(Base)));
  EXPECT_NE(class_get_number(base), class_get_number(derived));
  EXPECT_EQ(get_imp(derived, msg::half.sel), get_imp(base, msg::half.sel));
  EXPECT_EQ(objc_msg_lookup_super(derived, msg::addTo.sel), get_imp(base, msg::addTo.sel));
  EXPECT_NE(class_get_instance_method(derived, msg::half.sel), nullptr);
  EXPECT_NE(class_get_class_method(derived->isa, msg::make.sel), nullptr);
}

TEST(Runtime, VariableTablesKeepDeclarationOrderAndEncodings) {
  Class derived = objc_get_class("Derived");
  objc_ivar_list* own = derived->ivarList;
  ASSERT_EQ(own->ivar_count, 2);
  EXPECT_STREQ(own->ivar_list[0].ivar_name, "big");
  EXPECT_STREQ(own->ivar_list[0].ivar_type, "q");
  EXPECT_EQ(own->ivar_list[0].ivar_offset, fieldOffset(&Derived::big));
  EXPECT_STREQ(own->ivar_list[1].ivar_type, "[2[3c]]");
  objc_ivar_list* inherited = derived->superclass->ivarList;
  EXPECT_STREQ(inherited->ivar_list[1].ivar_name, "weight");
  EXPECT_EQ(inherited->ivar_list[0].ivar_offset, 8);
}

TEST(Runtime, MethodEncodingsComeFromTheCppTypes) {
  EXPECT_STREQ(sel_get_type(msg::mix.sel), "q@:qdc");
  EXPECT_STREQ(sel_get_type(msg::respondsTo.sel), "C@::");
  EXPECT_STREQ(sel_get_type(msg::label.sel), "*@:");
  EXPECT_EQ(objc_encode<Class>(), "#");
  EXPECT_EQ(objc_encode<Base*>(), "@");
  EXPECT_EQ(objc_encode<long double>(), "X");
  EXPECT_EQ(objc_encode<int*>(), "^i");
  EXPECT_EQ(objc_encode<void*>(), "^v");
}

TEST(Runtime, SelectorsInternByNameAndTypes) {
  SEL typed = sel_register_typed_name("addTo:", "d@:d");
  EXPECT_NE(typed, msg::addTo.sel);
  EXPECT_EQ(typed->uid, msg::addTo.sel->uid);  // variants share dispatch
  EXPECT_EQ(sel_register_typed_name("addTo:", "d@:d"), typed);
  EXPECT_EQ(sel_get_typed_uid("addTo:", "i@:i"), msg::addTo.sel);
  EXPECT_EQ(sel_get_any_typed_uid("addTo:"), msg::addTo.sel);
  EXPECT_EQ(sel_get_any_uid("no such selector"), nullptr);
  SEL untyped = sel_register_name("freshName");
  EXPECT_EQ(sel_get_type(untyped), nullptr);
  EXPECT_EQ(sel_get_any_typed_uid("freshName"), nullptr);
  EXPECT_STREQ(sel_get_name(untyped), "freshName");
  EXPECT_TRUE(sel_is_mapped(untyped));
}

TEST(Runtime, ClassLookupEnumerationAndHook) {
  EXPECT_EQ(objc_lookup_class("NoSuchClass"), nullptr);
  static Class hooked = objc_get_class("Base");
  _objc_lookup_class = [](const char* name) -> Class {
    return std::strcmp(name, "Alias") == 0 ? hooked : nullptr;
  };
  EXPECT_EQ(objc_lookup_class("Alias"), hooked);
  _objc_lookup_class = nullptr;
  EXPECT_DEATH(objc_get_class("NoSuchClass"), "cannot find class NoSuchClass");
  void* state = nullptr;
  int n = 0;
  bool sawDerived = false;
  while (Class c = objc_next_class(&state)) {
    n++;
    sawDerived |= std::strcmp(c->name, "Derived") == 0;
  }
  EXPECT_EQ(n, 4);  // Object, Base, Derived, Relay
  EXPECT_TRUE(sawDerived);
  EXPECT_EQ(objc_class_count(), 4u);
}

TEST(Runtime, DispatchTablesForClassesBuiltAtRunTime) {
  sarray* table = sarray_lazy_copy(objc_get_class("Base")->dtable);
  IMP imp = get_imp(objc_get_class("Derived"), msg::addTo.sel);
  sarray_at_put_safe(table, msg::addTo.sel->uid, imp);
  for (uint32_t uid = 1000; uid < 1100; uid++) sarray_at_put_safe(table, uid, imp);
  EXPECT_EQ(sarray_get(table, msg::addTo.sel->uid), imp);
  EXPECT_EQ(sarray_get(table, 1099), imp);
  EXPECT_EQ(sarray_get(table, msg::label.sel->uid), get_imp(objc_get_class("Base"), msg::label.sel));
  EXPECT_EQ(sarray_get(table, 5000), nullptr);
  sarray_free(table);
}

}  // namespace
