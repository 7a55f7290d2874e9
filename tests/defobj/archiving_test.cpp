// The archive forms of objects: array text, the default make-instance form
// of every object read back by variable name, setting one variable from an
// expression, and making objects and classes from expressions.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cstring>
#include <functional>
#include <string>

#include "collections/stream_support.h"
#include "defobj/CreateDrop.h"
#include "defobj/archiving_messages.h"
#include "defobj/lispIn.h"
#include "defobj/lisp_array.h"
#include "defobj/module.h"
#include "defobj/setVariableFromExpr.h"
#include "defobj/var_access.h"

namespace {

struct ArchPoint : CreateDrop {
  int x;
  int y;
};

struct ArchEmpty : CreateDrop {};

// One variable of every type the archive text carries, and a pointer,
// which archives skip.
struct ArchSample : CreateDrop {
  BOOL flag;
  char letter;
  char digit;
  unsigned short us;
  short ss;
  unsigned ui;
  int si;
  unsigned long ul;
  long sl;
  unsigned long long uq;
  long long sq;
  float f;
  double d;
  long double ld;
  id child;
  id none;
  Class cls;
  const char* text;
  const char* noText;
  int grid[2][3];
  double row[3];
  char word[3];
  short shorts[3];
  int* values;
};

struct ArchSelector : CreateDrop {
  SEL sel;
};

// Makes the object it works with at creation, as a brood makes its zone.
struct ArchMaker : CreateDrop {
  int n;
  id part;

  id createEnd() {
    part = msg::create(objc_get_class("ArchPoint"), getZone());
    return CreateDrop::createEnd();
  }
};

// Stands for a class whose objects need what a run may lack.
struct ArchNeedy : CreateDrop {};

}  // namespace

REGISTER_CLASS(ArchPoint, CreateDrop, ivar(&ArchPoint::x, "x"), ivar(&ArchPoint::y, "y"))
REGISTER_CLASS(ArchEmpty, CreateDrop)
REGISTER_CLASS(ArchSample, CreateDrop,
  ivar(&ArchSample::flag, "flag"), ivar(&ArchSample::letter, "letter"), ivar(&ArchSample::digit, "digit"),
  ivar(&ArchSample::us, "us"), ivar(&ArchSample::ss, "ss"), ivar(&ArchSample::ui, "ui"),
  ivar(&ArchSample::si, "si"), ivar(&ArchSample::ul, "ul"), ivar(&ArchSample::sl, "sl"),
  ivar(&ArchSample::uq, "uq"), ivar(&ArchSample::sq, "sq"), ivar(&ArchSample::f, "f"),
  ivar(&ArchSample::d, "d"), ivar(&ArchSample::ld, "ld"), ivar(&ArchSample::child, "child"),
  ivar(&ArchSample::none, "none"), ivar(&ArchSample::cls, "cls"), ivar(&ArchSample::text, "text"),
  ivar(&ArchSample::noText, "noText"), ivar(&ArchSample::grid, "grid"), ivar(&ArchSample::row, "row"),
  ivar(&ArchSample::word, "word"), ivar(&ArchSample::shorts, "shorts"), ivar(&ArchSample::values, "values"))
REGISTER_CLASS(ArchSelector, CreateDrop, ivar(&ArchSelector::sel, "sel"))
REGISTER_CLASS(ArchMaker, CreateDrop, ivar(&ArchMaker::n, "n"), ivar(&ArchMaker::part, "part"),
               method<&ArchMaker::createEnd>(msg::createEnd))
REGISTER_CLASS(ArchNeedy, CreateDrop)

namespace {

Class archClass(const char* name) {
  static bool registered = false;
  if (!registered) {
    objc_register_ArchPoint();
    objc_register_ArchEmpty();
    objc_register_ArchSample();
    objc_register_ArchSelector();
    objc_register_ArchMaker();
    objc_register_ArchNeedy();
    registered = true;
  }
  return objc_get_class(name);
}

template <class T>
T* make(const char* name) {
  return static_cast<T*>(msg::create(archClass(name), _obj_globalZone));
}

ArchPoint* makePoint(int x, int y) {
  auto* p = make<ArchPoint>("ArchPoint");
  p->x = x;
  p->y = y;
  return p;
}

ArchSample* makeSample() {
  auto* s = make<ArchSample>("ArchSample");
  s->flag = YES;
  s->letter = 'A';
  s->digit = '2';
  s->us = 65535;
  s->ss = -300;
  s->ui = 4000000000u;
  s->si = -7;
  s->ul = ULONG_MAX;
  s->sl = LONG_MIN;
  s->uq = ULLONG_MAX;
  s->sq = LLONG_MIN;
  s->f = -2.25f;
  s->d = 0.5;
  s->ld = 1.75L;
  s->child = makePoint(3, 4);
  s->cls = archClass("ArchPoint");
  s->text = "two words";
  const int grid[2][3] = {{1, 2, 3}, {4, 5, 6}};
  std::memcpy(s->grid, grid, sizeof grid);
  s->row[0] = 0.25, s->row[1] = -1.5, s->row[2] = 8;
  s->word[0] = 'o', s->word[1] = 'k', s->word[2] = '!';
  s->shorts[0] = -1, s->shorts[1] = 0, s->shorts[2] = 32767;
  return s;
}

void writeObject(id object, id stream, bool deep) {
  if (deep) msg::lispOutDeep(object, stream);
  else msg::lispOutShallow(object, stream);
}

// Objects are written deep (or shallow) and made again from what was
// written: once through text, once through a node-mode stream.
using Through = std::function<id(id object, bool deep)>;

id throughText(id object, bool deep) {
  return lispIn(_obj_globalZone, readOne(written([&](id s) { writeObject(object, s, deep); })));
}

id throughNodes(id object, bool deep) {
  return lispIn(_obj_globalZone, built([&](id s) { writeObject(object, s, deep); }));
}

const struct {
  const char* name;
  Through through;
} routes[] = {{"text", throughText}, {"nodes", throughNodes}};

TEST(LispArray, ReadsAndPrintsBack) {
  EXPECT_EQ(printed(readOne("#2((1 2) (3 4))")), "#2((1 2) (3 4))");
  EXPECT_EQ(printed(readOne("#1(#t #f)")), "#1(#t #f)");
}

TEST(LispArray, TextAndNodeModeAgree) {
  const double values[2][2][2] = {{{0.5, 1}, {1.5, 2}}, {{-0.5, -1}, {-1.5, -2}}};
  const unsigned dims[] = {2, 2, 2};
  auto write = [&](id s) { lisp_process_array(3, dims, fcall_type_double, values, s, NO); };
  const std::string text = written(write);
  EXPECT_EQ(text,
            "#3(((0.500000D0 1.000000D0) (1.500000D0 2.000000D0)) "
            "((-0.500000D0 -1.000000D0) (-1.500000D0 -2.000000D0)))");
  id node = built(write);
  EXPECT_EQ(shape(node), "array[2x2x2 type 13: 0.5 1 1.5 2 -0.5 -1 -1.5 -2]");
  EXPECT_EQ(printed(node), text);
}

TEST(LispArray, ElementsOfEachType) {
  const Class classes[] = {archClass("ArchPoint"), archClass("ArchEmpty")};
  const char* strings[] = {"a b", nullptr};
  const unsigned two[] = {2};
  EXPECT_EQ(written([&](id s) { lisp_process_array(1, two, fcall_type_class, classes, s, NO); }),
            "#1(<ArchPoint> <ArchEmpty>)");
  EXPECT_EQ(written([&](id s) { lisp_process_array(1, two, fcall_type_string, strings, s, NO); }),
            "#1(\"a b\" nil)");
  const unsigned long long big[] = {ULLONG_MAX, 0};
  EXPECT_EQ(written([&](id s) { lisp_process_array(1, two, fcall_type_ulonglong, big, s, NO); }),
            "#1(18446744073709551615 0)");
}

TEST(LispArrayDeath, SelectorsAreRefused) {
  auto* object = make<ArchSelector>("ArchSelector");
  EXPECT_DEATH(written([&](id s) { msg::lispOutDeep(object, s); }),
               errorReport("NotImplemented", "lisp_output_type", "lisp_array.cpp", "Selectors not supported"));
}

TEST(ObjectForm, TextHasTwoBlanksAfterTheTypeAndNodesOne) {
  ArchPoint* p = makePoint(1, 2);
  EXPECT_EQ(written([&](id s) { msg::lispOutDeep(p, s); }), "(make-instance 'ArchPoint  #:x 1 #:y 2)");
  EXPECT_EQ(printed(built([&](id s) { msg::lispOutDeep(p, s); })), "(make-instance 'ArchPoint #:x 1 #:y 2)");
  id empty = make<ArchEmpty>("ArchEmpty");
  EXPECT_EQ(written([&](id s) { msg::lispOutShallow(empty, s); }), "(make-instance 'ArchEmpty )");
  msg::drop(p);
  msg::drop(empty);
}

TEST(ObjectForm, EveryTypeRoundTrips) {
  ArchSample* original = makeSample();
  for (const auto& route : routes) {
    auto* copy = static_cast<ArchSample*>(route.through(original, true));
    ASSERT_NE(copy, nullptr) << route.name;
    ASSERT_EQ(copy->isa, original->isa) << route.name;
    EXPECT_EQ(copy->flag, YES) << route.name;
    EXPECT_EQ(copy->letter, 'A') << route.name;
    EXPECT_EQ(copy->digit, '2') << route.name;
    EXPECT_EQ(copy->us, 65535) << route.name;
    EXPECT_EQ(copy->ss, -300) << route.name;
    EXPECT_EQ(copy->ui, 4000000000u) << route.name;
    EXPECT_EQ(copy->si, -7) << route.name;
    EXPECT_EQ(copy->ul, ULONG_MAX) << route.name;
    EXPECT_EQ(copy->sl, LONG_MIN) << route.name;
    EXPECT_EQ(copy->uq, ULLONG_MAX) << route.name;
    EXPECT_EQ(copy->sq, LLONG_MIN) << route.name;
    EXPECT_EQ(copy->f, -2.25f) << route.name;
    EXPECT_EQ(copy->d, 0.5) << route.name;
    EXPECT_EQ(copy->ld, 1.75L) << route.name;
    auto* child = static_cast<ArchPoint*>(copy->child);
    ASSERT_NE(child, nullptr) << route.name;
    EXPECT_NE(child, original->child) << route.name;
    EXPECT_EQ(child->x, 3) << route.name;
    EXPECT_EQ(child->y, 4) << route.name;
    EXPECT_EQ(copy->none, nil) << route.name;
    EXPECT_EQ(copy->cls, original->cls) << route.name;
    EXPECT_STREQ(copy->text, "two words") << route.name;
    EXPECT_EQ(copy->noText, nullptr) << route.name;
    EXPECT_EQ(std::memcmp(copy->grid, original->grid, sizeof copy->grid), 0) << route.name;
    EXPECT_EQ(std::memcmp(copy->row, original->row, sizeof copy->row), 0) << route.name;
    EXPECT_EQ(std::memcmp(copy->word, "ok!", 3), 0) << route.name;
    EXPECT_EQ(std::memcmp(copy->shorts, original->shorts, sizeof copy->shorts), 0) << route.name;
    EXPECT_EQ(copy->values, nullptr) << route.name;
  }
}

TEST(ObjectForm, ShallowWritesObjectsAsNil) {
  ArchSample* original = makeSample();
  for (const auto& route : routes) {
    auto* copy = static_cast<ArchSample*>(route.through(original, false));
    EXPECT_EQ(copy->child, nil) << route.name;
    EXPECT_EQ(copy->si, -7) << route.name;
  }
}

// Variables not named keep what creation gave them.
TEST(ObjectForm, ReadingSetsOnlyTheNamedVariables) {
  archClass("ArchPoint");
  auto* p = static_cast<ArchPoint*>(lispIn(_obj_globalZone, readOne("(make-objc 'ArchPoint #:y 5)")));
  EXPECT_EQ(p->x, 0);
  EXPECT_EQ(p->y, 5);
  auto* q = static_cast<ArchPoint*>(lispIn(_obj_globalZone, readOne("(make-instance 'ArchPoint)")));
  EXPECT_EQ(q->x, 0);
  EXPECT_EQ(q->y, 0);
}

TEST(ObjectForm, VariablesWrittenByHand) {
  const unsigned two[] = {2};
  const double reals[] = {0.5, 1};
  const char chars[] = {'a', '0'};
  const struct {
    std::function<void(id object, id stream)> write;
    const char* text;
  } cases[] = {
      {[](id o, id s) { msg::lispSaveStream_Boolean_Value(o, s, "b", YES); }, " #:b #t"},
      {[](id o, id s) { msg::lispSaveStream_Char_Value(o, s, "c", 'z'); }, " #:c #\\z"},
      {[](id o, id s) { msg::lispSaveStream_UnsignedShort_Value(o, s, "n", 65535); }, " #:n 65535"},
      {[](id o, id s) { msg::lispSaveStream_Integer_Value(o, s, "n", -4); }, " #:n -4"},
      {[](id o, id s) { msg::lispSaveStream_UnsignedLongLong_Value(o, s, "n", ULLONG_MAX); },
       " #:n 18446744073709551615"},
      {[](id o, id s) { msg::lispSaveStream_Float_Value(o, s, "x", 0.5f); }, " #:x 0.500000F0"},
      {[&](id o, id s) { msg::lispStoreDoubleArray_Keyword_Rank_Dims_Stream(o, reals, "v", 1, two, s); },
       " #:v #1(0.500000D0 1.000000D0)"},
      {[&](id o, id s) { msg::lispStoreCharArray_Keyword_Rank_Dims_Stream(o, chars, "w", 1, two, s); },
       " #:w #1(#\\a #\\060)"},
  };
  id p = makePoint(0, 0);
  for (const auto& c : cases) EXPECT_EQ(written([&](id s) { c.write(p, s); }), c.text);
}

TEST(ObjectFormDeath, MalformedVariableLists) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {{"(make-instance 'ArchPoint 5)", "expecting keyword [ArchiverValue_c]"},
               {"(make-instance 'ArchPoint #:x)", "missing value"}};
  archClass("ArchPoint");
  for (const auto& c : cases)
    EXPECT_DEATH(lispIn(_obj_globalZone, readOne(c.text)),
                 errorReport("InvalidArgument", "-[Object(s) _lispIn:]", "Object_s_archiving.cpp", c.message))
        << c.text;
  EXPECT_DEATH(msg::updateArchiver(makePoint(0, 0), nil),
               errorReport("SubclassMustImplement", "-[Object(s) _updateArchiver:]", "Object_s_archiving.cpp",
                           "updateArchiver"));
}

// --- object_setVariableFromExpr ---

ArchSample* freshSample() {
  auto* s = make<ArchSample>("ArchSample");
  s->child = makePoint(9, 9);
  s->cls = archClass("ArchEmpty");
  s->text = "old";
  return s;
}

TEST(SetVariableFromExpr, StoresEachKindOfValue) {
  const struct {
    const char* name;
    const char* text;
    std::function<bool(const ArchSample*)> holds;
  } cases[] = {
      {"si", "3.7", [](const ArchSample* s) { return s->si == 3; }},
      {"si", "-3.7D0", [](const ArchSample* s) { return s->si == -3; }},
      {"us", "3.7", [](const ArchSample* s) { return s->us == 3; }},
      {"us", "65535", [](const ArchSample* s) { return s->us == 65535; }},
      {"ss", "-32768", [](const ArchSample* s) { return s->ss == -32768; }},
      {"us", "-0.5", [](const ArchSample* s) { return s->us == 0; }},
      {"ui", "4294967295", [](const ArchSample* s) { return s->ui == 4294967295u; }},
      {"uq", "18446744073709549568.0", [](const ArchSample* s) { return s->uq == 18446744073709549568ull; }},
      {"uq", "-1", [](const ArchSample* s) { return s->uq == ULLONG_MAX; }},
      {"si", "-2147483648.9", [](const ArchSample* s) { return s->si == INT_MIN; }},
      {"uq", "12345678901234567890", [](const ArchSample* s) { return s->uq == 12345678901234567890ull; }},
      {"sq", "-9223372036854775808", [](const ArchSample* s) { return s->sq == LLONG_MIN; }},
      {"f", "16777217", [](const ArchSample* s) { return s->f == 16777216.0f; }},
      {"d", "2.5F0", [](const ArchSample* s) { return s->d == 2.5; }},
      {"ld", "7", [](const ArchSample* s) { return s->ld == 7.0L; }},
      {"flag", "#t", [](const ArchSample* s) { return s->flag == YES; }},
      {"letter", "#\\q", [](const ArchSample* s) { return s->letter == 'q'; }},
      {"cls", "<ArchPoint>", [](const ArchSample* s) { return s->cls == archClass("ArchPoint"); }},
      {"cls", "nil", [](const ArchSample* s) { return s->cls == Nil; }},
      {"none", "nil", [](const ArchSample* s) { return s->none == nil; }},
      {"text", "nil", [](const ArchSample* s) { return s->text == nullptr; }},
      {"text", "\"new text\"", [](const ArchSample* s) { return std::strcmp(s->text, "new text") == 0; }},
      {"text", "bare", [](const ArchSample* s) { return std::strcmp(s->text, "bare") == 0; }},
      {"si", "'5", [](const ArchSample* s) { return s->si == 5; }},
      {"si", "(parse)", [](const ArchSample* s) { return s->si == 0; }},
      {"grid", "#2((1 2 3) (4 5 6))", [](const ArchSample* s) { return s->grid[1][2] == 6 && s->grid[0][1] == 2; }},
      {"grid", "(parse)", [](const ArchSample* s) { return s->grid[0][0] == 0 && s->grid[1][2] == 0; }},
      {"row", "#1(1 2 3)", [](const ArchSample* s) { return s->row[0] == 1.0 && s->row[2] == 3.0; }},
      {"shorts", "#1(-32768 0 32767)",
       [](const ArchSample* s) { return s->shorts[0] == -32768 && s->shorts[1] == 0 && s->shorts[2] == 32767; }},
      {"word", "#1(#\\x #\\y #\\z)", [](const ArchSample* s) { return std::memcmp(s->word, "xyz", 3) == 0; }},
      {"values", "#1(10 20 30)",
       [](const ArchSample* s) { return s->values && s->values[0] == 10 && s->values[2] == 30; }},
      {"child", "(make-instance 'ArchPoint #:x 4)",
       [](const ArchSample* s) { return s->child->isa == archClass("ArchPoint") &&
                                        static_cast<ArchPoint*>(s->child)->x == 4; }},
  };
  for (const auto& c : cases) {
    ArchSample* s = freshSample();
    s->grid[0][0] = s->grid[1][2] = 1;
    object_setVariableFromExpr(s, c.name, readOne(c.text));
    EXPECT_TRUE(c.holds(s)) << c.name << " from " << c.text;
  }
}

// A value is stored only when its variable can hold it: nothing is
// narrowed into another value.
TEST(SetVariableFromExprDeath, RefusesValuesOutOfTheRangeOfTheVariable) {
  const std::string huge = "10000000000000000303786028427003666890752.000000D0";  // 1e40
  const struct {
    const char* name;
    std::string text;
    const char* value;
  } cases[] = {
      {"si", "4294967376", "4294967376"},
      {"si", "9223372036854775807", "9223372036854775807"},
      {"si", "-9223372036854775808", "-9223372036854775808"},
      {"si", "2147483648", "2147483648"},
      {"si", huge, "1e+40"},
      {"si", "2147483648.0", "2.14748e+09"},
      {"ui", "-1", "-1"},
      {"ui", "4294967296", "4294967296"},
      {"us", "65536", "65536"},
      {"us", "-1.0", "-1"},
      {"ss", "-32769", "-32769"},
      {"uq", "-1.0", "-1"},
      {"uq", "18446744073709551616.0", "1.84467e+19"},
      {"sq", "9223372036854775808.0", "9.22337e+18"},
      {"f", huge, "1e+40"},
      {"shorts", "#1(1 65536 2)", "65536"},
      {"grid", "#2((1 2 3) (4 5 -2147483649))", "-2147483649"},
      {"values", "#1(1 2 2147483648)", "2147483648"},
  };
  for (const auto& c : cases) {
    ArchSample* s = freshSample();
    const std::string message =
        "value " + std::string(c.value) + " is out of the range of instance variable `" + c.name + "'\n";
    EXPECT_DEATH(object_setVariableFromExpr(s, c.name, readOne(c.text)),
                 errorReport("InvalidArgument", "object_setVariableFromExpr", "internal", message))
        << c.name << " from " << c.text;
  }
  ArchSample* s = freshSample();
  id nan = built([](id stream) { msg::catDouble(stream, __builtin_nan("")); });
  EXPECT_DEATH(object_setVariableFromExpr(s, "si", nan),
               errorReport("InvalidArgument", "object_setVariableFromExpr", "internal",
                           "value nan is out of the range of instance variable `si'\n"));
}

// An object that a variable holds (one that creation made) may be
// replaced from an archive, but not cleared.
// An object that creation made may be replaced by one of its kind, never
// cleared; a nil, as a shallow form writes every object, leaves it as made.
TEST(SetVariableFromExprDeath, RefusesClearingAnObjectReference) {
  ArchSample* s = freshSample();
  EXPECT_DEATH(object_setVariableFromExpr(s, "child", readOne("(parse)")),
               errorReport("InvalidArgument", "object_setVariableFromExpr", "internal",
                           "instance variable `child' holds an object that an archive may not clear\n"));
  EXPECT_DEATH(object_setVariableFromExpr(s, "child", readOne("(make-instance 'ArchEmpty)")),
               errorReport("InvalidArgument", "object_setVariableFromExpr", "internal",
                           "instance variable `child' holds an object of class `ArchPoint', which an archive may "
                           "replace only with one of its kind, not a ArchEmpty\n"));
  const id made = s->child;
  object_setVariableFromExpr(s, "child", readOne("nil"));
  EXPECT_EQ(s->child, made);
  object_setVariableFromExpr(s, "child", readOne("(make-instance 'ArchPoint #:x 6)"));
  EXPECT_EQ(static_cast<ArchPoint*>(s->child)->x, 6);
  object_setVariableFromExpr(s, "none", readOne("(parse)"));
  EXPECT_EQ(s->none, nil);
  object_setVariableFromExpr(s, "none", readOne("(make-instance 'ArchEmpty)"));
  EXPECT_NE(s->none, nil);
}

TEST(SetVariableFromExprDeath, RefusesWhatDoesNotFit) {
  const struct {
    const char* name;
    const char* text;
    std::string message;
  } cases[] = {
      // The name is checked first, whatever the expression.
      {"nope", "5", "Cannot find ivar `nope' (non-existent ivar name in archiver file?)\n"},
      {"nope", "\"x\"", "Cannot find ivar `nope' (non-existent ivar name in archiver file?)\n"},
      {"nope", "#1(1 2)", "Cannot find ivar `nope' (non-existent ivar name in archiver file?)\n"},
      {"nope", "(make-instance 'ArchPoint)", "Cannot find ivar `nope' (non-existent ivar name in archiver file?)\n"},
      {"nope", "#:k", "Cannot find ivar `nope' (non-existent ivar name in archiver file?)\n"},
      {"si", "#t", "for instance variable `si' expected type 7 and got 1\n"},
      {"flag", "1", "for instance variable `flag' expected type 1 and got 11\n"},
      {"text", "5", "for instance variable `text' expected type 17 and got 11\n"},
      {"si", "<ArchPoint>", "for instance variable `si' expected type 7 and got 16\n"},
      {"si", "nil", "for instance variable `si' expected type 7 and got 15\n"},
      {"si", "(make-instance 'ArchPoint)", "for instance variable `si' expected type 7 and got 15\n"},
      {"child", "(make-class 'ArchNever)", "for instance variable `child' expected type 15 and got 16\n"},
      {"si", "\"x\"", "instance variable `si' takes a number, not the text `x'\n"},
      {"flag", "yes", "instance variable `flag' takes #t or #f, not the text `yes'\n"},
      {"child", "word", "instance variable `child' takes an object (make-instance) or nil, not the text `word'\n"},
      {"si", "#:k", "Unknown type `ArchiverKeyword_c'\n"},
      {"si", "(5)", "argument not a string\n"},
      {"si", "(list 1)", "function not make-instance or make-class\n"},
      {"grid", "#1(1 2)", "for instance variable `grid' expected 6 elements and got 2\n"},
      {"si", "#1(1 2)", "instance variable `si' holds one value, not an array\n"},
      {"grid", "5", "instance variable `grid' is an array of 6 elements\n"},
  };
  for (const auto& c : cases) {
    ArchSample* s = freshSample();
    EXPECT_DEATH(object_setVariableFromExpr(s, c.name, readOne(c.text)),
                 errorReport("InvalidArgument", "object_setVariableFromExpr", "internal", c.message))
        << c.name << " from " << c.text;
  }
}

// --- lispIn ---

TEST(LispIn, MakesClassesAtRunTime) {
  _objc_lookup_class = findTypeOrLocalClass;
  // Classes made at run time stay for the process: a repeated run makes
  // one of another name.
  static int made = 0;
  const std::string name = "ArchWarmth" + std::to_string(made++);
  const std::string form = "(make-class '" + name + " #:heat 'int #:grid (array 'double 2 2))";
  const Class warmth = static_cast<Class>(lispIn(_obj_globalZone, readOne(form)));
  ASSERT_NE(warmth, nullptr);
  EXPECT_EQ(warmth->name, name);
  EXPECT_EQ(findTypeOrLocalClass(name.c_str()), warmth);
  id object = lispIn(_obj_globalZone, readOne("(make-instance '" + name + " #:heat 7 #:grid #2((1 2) (3 4)))"));
  ASSERT_EQ(object->isa, warmth);
  EXPECT_EQ(*static_cast<int*>(ivar_ptr_for_name(object, "heat")), 7);
  EXPECT_EQ(static_cast<double*>(ivar_ptr_for_name(object, "grid"))[3], 4.0);
  EXPECT_EQ(written([&](id s) { msg::lispOutDeep(object, s); }),
            "(make-instance '" + name + "  #:heat 7 #:grid #2((1.000000D0 2.000000D0) (3.000000D0 4.000000D0)))");
}

// The variables of a class from an archive are of the archive's type names
// and of dimensions a count holds.
TEST(LispInDeath, ClassesRefuseUnknownTypesAndDimensions) {
  const struct {
    const char* text;
    const char* function;
    const char* file;
    const char* message;
  } cases[] = {
      {"(make-class 'ArchBadType #:v 'complex)", "fcall_type_for_lisp_type", "fcall_type.cpp",
       "> unknown archive type name `complex'\n"},
      {"(make-class 'ArchBadArray #:v (array 'complex 2))", "fcall_type_for_lisp_type", "fcall_type.cpp",
       "> unknown archive type name `complex'\n"},
      {"(make-class 'ArchWideArray #:v (array 'int 4294967297))", "-[CreatedClass(s) _lispInCreate:]", "Class_s.cpp",
       "> array dimension 4294967297 out of range\n"},
      {"(make-class 'ArchNegativeArray #:v (array 'int 2 -1))", "-[CreatedClass(s) _lispInCreate:]", "Class_s.cpp",
       "> array dimension -1 out of range\n"},
      {"(make-class 'ArchEmptyArray #:v (array 'int 0))", "-[CreatedClass(s) _lispInCreate:]", "Class_s.cpp",
       "> array dimension 0 out of range\n"},
  };
  for (const auto& c : cases)
    EXPECT_DEATH(lispIn(_obj_globalZone, readOne(c.text)), errorReport("InvalidArgument", c.function, c.file, c.message))
        << c.text;
}

TEST(LispIn, NilGivesNil) {
  EXPECT_EQ(lispIn(_obj_globalZone, nil), nil);
  EXPECT_EQ(lispIn(_obj_globalZone, readOne("nil")), nil);
}

TEST(LispInDeath, MalformedExpressions) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {{"\"text\"", "> expr not an archiver list"},
               {"(5 'ArchPoint)", "> makeExprObj not a string"},
               {"(list 'ArchPoint)", "> makeExprObj not \"make-instance\" or \"make-class\" (list)\n"},
               {"(make-instance 5)", "> argument not a string"},
               {"(make-instance)", "> argument not a string"},
               {"(make-instance 'ArchNothing)", "> type `ArchNothing' not found"}};
  for (const auto& c : cases)
    EXPECT_DEATH(lispIn(_obj_globalZone, readOne(c.text)),
                 errorReport("InvalidArgument", "lispIn", "lispIn.cpp", c.message))
        << c.text;
}

// Archive text makes only objects of the creation protocol: the runtime's
// root classes and the registry's module records are refused.
TEST(LispInDeath, RefusesClassesOutsideTheCreationProtocol) {
  for (const char* name : {"Object", "ProgramModule_c", "Module_super_", "Module__defobj_"}) {
    const std::string text = std::string("(make-instance '") + name + " #:x 1)";
    EXPECT_DEATH(lispIn(_obj_globalZone, readOne(text)),
                 errorReport("LoadError", "lispIn", "lispIn.cpp",
                             "> class `" + std::string(name) + "' cannot be created from an archive\n"))
        << name;
  }
}

// A shallow form writes every object as nil: read into a new object it
// gives back the values, and what creation made stays.
TEST(LispIn, AShallowFormReadsBackIntoANewObject) {
  archClass("ArchMaker");
  auto* maker = static_cast<ArchMaker*>(lispIn(_obj_globalZone, readOne("(make-instance 'ArchMaker #:n 5)")));
  ASSERT_NE(maker->part, nil);
  const std::string shallow = written([&](id stream) { msg::lispOutShallow(maker, stream); });
  EXPECT_EQ(shallow, "(make-instance 'ArchMaker  #:n 5 #:part nil)");
  auto* again = static_cast<ArchMaker*>(lispIn(_obj_globalZone, readOne(shallow)));
  EXPECT_EQ(again->n, 5);
  EXPECT_NE(again->part, nil);
  EXPECT_NE(again->part, maker->part);
}

// A class may need what a run lacks; archives make its objects, and those
// of its subclasses, only while that is there.
TEST(LispInDeath, RefusesClassesWhoseNeedsAreNotMet) {
  static BOOL present = NO;
  archClass("ArchNeedy");
  archive_require("ArchNeedy", [] { return present; }, "a test's resource");
  EXPECT_DEATH(lispIn(_obj_globalZone, readOne("(make-instance 'ArchNeedy)")),
               errorReport("LoadError", "lispIn", "lispIn.cpp",
                           "> class `ArchNeedy' cannot be created from an archive: it needs a test's resource\n"));
  present = YES;
  EXPECT_NE(lispIn(_obj_globalZone, readOne("(make-instance 'ArchNeedy)")), nil);
}

TEST(LispIn, ElementReaders) {
  id list = readOne("(#t 42 \"name\" #:key)");
  id index = msg::begin(list, _obj_globalZone);
  EXPECT_EQ(lispInBoolean(index), YES);
  EXPECT_EQ(lispInInteger(index), 42);
  EXPECT_STREQ(lispInString(index), "name");
  EXPECT_STREQ(msg::getKeywordName(lispInKeyword(index)), "key");
  msg::drop(index);
}

TEST(LispInDeath, ElementReadersCheckTheKind) {
  const struct {
    std::function<void(id index)> read;
    const char* function;
    const char* message;
  } cases[] = {{[](id i) { lispInBoolean(i); }, "lispInBoolean", "expected ArchiverValue"},
               {[](id i) { msg::next(i), lispInBoolean(i); }, "lispInBoolean", "expected boolean ArchiverValue"},
               {[](id i) { lispInInteger(i); }, "lispInInteger", "expected ArchiverValue"},
               {[](id i) { lispInString(i); }, "lispInString", "expected String"},
               {[](id i) { msg::next(i), lispInKeyword(i); }, "lispInKeyword", "expected ArchiverKeyword"}};
  for (const auto& c : cases) {
    id index = msg::begin(readOne("(#:key 42)"), _obj_globalZone);
    EXPECT_DEATH(c.read(index), errorReport("InvalidArgument", c.function, "lispIn.cpp", c.message)) << c.function;
    msg::drop(index);
  }
}

}  // namespace
