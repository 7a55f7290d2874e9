#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "collections/collections.h"
#include "collections/stream_messages.h"
#include "defobj/Class_s.h"
#include "defobj/module.h"
#include "defobj/phase.h"
#include "defobj/runtime_classes.h"
#include "defobj/test_gadget.h"

namespace msg {
inline const Message<int()> getWidgetValue{"getWidgetValue"};
inline const Message<void(int)> setWidgetValue{"setWidgetValue:"};
inline const Message<int()> answerSeven{"answerSeven"};
}  // namespace msg

// A user-level class: never split, whatever its markers say.
struct Widget : CreateDrop {
  int value;
  void setWidgetValue(int v) { value = v; }
  int getWidgetValue() { return value; }
};

REGISTER_CLASS(Widget, CreateDrop,
  phase(Phase::Creating),
  method<&Widget::setWidgetValue>(msg::setWidgetValue),
  phase(Phase::Using),
  method<&Widget::getWidgetValue>(msg::getWidgetValue))

// Classes of one phase, and classes with markers the split refuses.
struct OnlyUsing_c : CreateDrop_s {
  int getWidgetValue() { return 1; }
};
struct OnlyCreating_c : CreateDrop_s {
  int getWidgetValue() { return 2; }
};
struct MixedOnly_c : CreateDrop_s {
  int getWidgetValue() { return 3; }
};
struct BadMarker_c : CreateDrop_s {};

id bogusMarker(id, SEL) { return nil; }

REGISTER_CLASS(OnlyUsing_c, CreateDrop_s,
  phase(Phase::UsingOnly),
  method<&OnlyUsing_c::getWidgetValue>(msg::getWidgetValue))
REGISTER_CLASS(OnlyCreating_c, CreateDrop_s,
  phase(Phase::CreatingOnly),
  method<&OnlyCreating_c::getWidgetValue>(msg::getWidgetValue))
REGISTER_CLASS(MixedOnly_c, CreateDrop_s,
  phase(Phase::Creating),
  method<&MixedOnly_c::getWidgetValue>(msg::getWidgetValue),
  phase(Phase::UsingOnly))
REGISTER_CLASS(BadMarker_c, CreateDrop_s,
  rawMethod(sel_register_typed_name("_I_Sometimes", "@@:"), to_imp(&bogusMarker)))

namespace {

int seven(id, SEL) { return 7; }

class Phases : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    registerGadgets();
    objc_register_Widget();
    objc_register_OnlyUsing_c();
    objc_register_OnlyCreating_c();
    objc_register_MixedOnly_c();
    objc_register_BadMarker_c();
  }
};

TEST_F(Phases, MarkersAnswerTheirPhaseSymbols) {
  struct {
    Phase phase;
    const char* selector;
    id symbol;
  } cases[] = {{Phase::Creating, "_I_Creating", Creating},
               {Phase::Setting, "_I_Setting", Setting},
               {Phase::Using, "_I_Using", Using},
               {Phase::CreatingOnly, "_I_CreatingOnly", CreatingOnly},
               {Phase::UsingOnly, "_I_UsingOnly", UsingOnly}};
  for (const auto& c : cases) {
    const objc_class_entry entry = phase(c.phase);
    EXPECT_STREQ(sel_get_name(entry.sel), c.selector);
    EXPECT_EQ(imp_cast<id (*)(id, SEL)>(entry.imp)(nil, entry.sel), c.symbol) << c.selector;
  }
  EXPECT_NE(UsingOnly, Using);
}

TEST_F(Phases, SplitMakesCreatingAndUsingClasses) {
  const Class creating = static_cast<Class>(Gadget), using_ = static_cast<Class>(id_Gadget_c);
  EXPECT_STREQ(creating->name, "Gadget_c.Creating");
  EXPECT_STREQ(using_->name, "Gadget_c");
  EXPECT_STREQ(creating->superclass->name, "CreateDrop_s.Creating");
  EXPECT_STREQ(using_->superclass->name, "CreateDrop_s");
  EXPECT_EQ(_obj_getNextPhase(creating), using_);
  EXPECT_EQ(_obj_getNextPhase(using_), nil);
  EXPECT_TRUE(creating->info & CLS_RUNTIME_MADE);
  EXPECT_TRUE(using_->info & CLS_RUNTIME_MADE);
  // Class messages stay with the creating class; the using class answers
  // only the root's.
  EXPECT_EQ(creating->isa, objc_get_class("Gadget_c")->isa);
  EXPECT_EQ(using_->isa, static_cast<Class>(id_Object_s)->isa);
  // Phase classes share their class's record.
  EXPECT_EQ(_obj_getClassData(creating), _obj_getClassData(objc_get_class("Gadget_c")));
  EXPECT_EQ(_obj_getClassData(using_)->initialPhase, creating);
  EXPECT_EQ(creatingPhaseOf(using_), creating);
  EXPECT_EQ(usingPhaseOf(creating), using_);
}

TEST_F(Phases, MethodsOfTheWrongPhaseAreNotUnderstood) {
  id gadget = msg::createBegin(Gadget, _obj_scratchZone);
  EXPECT_EQ(gadget->isa, static_cast<Class>(Gadget));
  msg::setGadgetSize(gadget, 4);
  msg::setGadgetColor(gadget, 2);
  EXPECT_EQ(msg::getGadgetColor(gadget), 2);
  EXPECT_DEATH(msg::getGadgetSize(gadget), "Gadget_c.Creating does not recognize getGadgetSize\n");

  EXPECT_EQ(msg::createEnd(gadget), gadget);
  EXPECT_EQ(gadget->isa, static_cast<Class>(id_Gadget_c));
  EXPECT_EQ(msg::getGadgetSize(gadget), 4);
  msg::setGadgetColor(gadget, 5);
  EXPECT_EQ(msg::getGadgetColor(gadget), 5);
  EXPECT_DEATH(msg::setGadgetSize(gadget, 1), "Gadget_c does not recognize setGadgetSize:\n");
  EXPECT_DEATH(msg::createEnd(gadget), "Gadget_c does not recognize createEnd\n");
  msg::drop(gadget);
}

TEST_F(Phases, CreateDropSubclassKeepsOneClass) {
  const Class widgetClass = objc_get_class("Widget");
  id widget = msg::createBegin(widgetClass, _obj_scratchZone);
  msg::setWidgetValue(widget, 3);
  EXPECT_EQ(msg::getWidgetValue(widget), 3);
  EXPECT_EQ(msg::createEnd(widget), widget);
  EXPECT_EQ(widget->isa, widgetClass);
  msg::setWidgetValue(widget, 6);
  EXPECT_EQ(msg::getWidgetValue(widget), 6);
  msg::drop(widget);
  id made = msg::create(widgetClass, _obj_scratchZone);
  EXPECT_EQ(made->isa, widgetClass);
  msg::drop(made);
}

TEST_F(Phases, TypesOfOnePhase) {
  const Class onlyUsing = objc_get_class("OnlyUsing_c");
  _obj_splitPhases(onlyUsing);
  const Class usingPhase = _obj_getClassData(onlyUsing)->initialPhase;
  EXPECT_STREQ(usingPhase->name, "OnlyUsing_c");
  EXPECT_EQ(_obj_getNextPhase(usingPhase), UsingOnly);
  EXPECT_EQ(creatingPhaseOf(onlyUsing), nil);
  EXPECT_EQ(usingPhaseOf(onlyUsing), usingPhase);
  EXPECT_TRUE(class_responds_to(usingPhase, msg::getWidgetValue.sel));

  const Class onlyCreating = objc_get_class("OnlyCreating_c");
  _obj_splitPhases(onlyCreating);
  const Class creatingPhase = creatingPhaseOf(onlyCreating);
  EXPECT_STREQ(creatingPhase->name, "OnlyCreating_c.Creating");
  EXPECT_EQ(_obj_getNextPhase(creatingPhase), CreatingOnly);
  EXPECT_EQ(usingPhaseOf(onlyCreating), creatingPhase);
  // With no using class to move to, createEnd leaves the object where it is.
  id object = msg::createBegin(creatingPhase, _obj_scratchZone);
  EXPECT_EQ(msg::createEnd(object), object);
  EXPECT_EQ(object->isa, creatingPhase);
  EXPECT_EQ(msg::getWidgetValue(object), 2);
  msg::drop(object);
}

// Phase classes answer the class they were split from and the class an
// object moves on to; other classes answer nil.
TEST_F(Phases, PhaseClassesAnswerTheirDefiningClassAndNextPhase) {
  const Class gadget = objc_get_class("Gadget_c"), onlyUsing = objc_get_class("OnlyUsing_c"),
              onlyCreating = objc_get_class("OnlyCreating_c");
  _obj_splitPhases(onlyUsing);
  _obj_splitPhases(onlyCreating);
  const struct {
    Class cls;
    Class defining;
    id next;
  } cases[] = {
      {static_cast<Class>(Gadget), gadget, id_Gadget_c},
      {static_cast<Class>(id_Gadget_c), gadget, nil},
      {usingPhaseOf(onlyUsing), onlyUsing, UsingOnly},
      {creatingPhaseOf(onlyCreating), onlyCreating, CreatingOnly},
      {gadget, nil, nil},
      {objc_get_class("Widget"), nil, nil},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(msg::getDefiningClass(c.cls), c.defining) << c.cls->name;
    EXPECT_EQ(msg::getNextPhase(c.cls), static_cast<Class>(c.next)) << c.cls->name;
  }
}

TEST_F(Phases, RefusedMarkers) {
  EXPECT_DEATH(_obj_splitPhases(objc_get_class("MixedOnly_c")),
               "\\*\\*\\* event raised for error: SourceMessage\n.*\n"
               "> setTypeImplemented: class MixedOnly_c: cannot specify any other phase\n"
               "> in combination with CreatingOnly or UsingOnly\n");
  EXPECT_DEATH(_obj_splitPhases(objc_get_class("BadMarker_c")),
               "> setTypeImplemented: invalid phase marker in class BadMarker_c\n");
}

TEST_F(Phases, CreatedClassGetsMethodsAtRunTime) {
  const Class widgetClass = objc_get_class("Widget");
  id created = msg::createBegin(id_CreatedClass_s, _obj_scratchZone);
  msg::setName(created, "WidgetPlus");
  msg::setClass(created, widgetClass->isa);
  msg::setDefiningClass(created, widgetClass);
  EXPECT_DEATH(msg::at_addMethod(created, msg::answerSeven.sel, to_imp(&seven)),
               "\\*\\*\\* event raised for error: InvalidCombination\n.*\n"
               "must specify superclass before adding methods to a created class\n");
  msg::setSuperclass(created, widgetClass);
  msg::at_addMethod(created, msg::answerSeven.sel, to_imp(&seven));
  EXPECT_EQ(msg::getDefiningClass(created), widgetClass);
  const Class cls = static_cast<Class>(msg::createEnd(created));
  EXPECT_EQ(cls->isa, widgetClass->isa);
  EXPECT_TRUE(cls->info & CLS_RUNTIME_MADE);
  EXPECT_EQ(cls->instanceSize, widgetClass->instanceSize);

  id object = msg::create(cls, _obj_scratchZone);
  EXPECT_EQ(object->isa, cls);
  EXPECT_EQ(msg::answerSeven(object), 7);
  msg::setWidgetValue(object, 9);
  EXPECT_EQ(msg::getWidgetValue(object), 9);
  EXPECT_FALSE(class_responds_to(widgetClass, msg::answerSeven.sel));
  msg::drop(object);
}

// The form of a class made at run time, read back into a fresh class.
TEST_F(Phases, CreatedClassArchiveForm) {
  const char* text = "(make-class 'Warmth #:heat 'int #:grid (array 'double 2 3))";
  FILE* in = fmemopen(const_cast<char*>(text), std::strlen(text), "r");
  id form = msg::getExpr(msg::create_setFileStream(InputStream, _obj_scratchZone, in));
  id variables = msg::create(List, _obj_scratchZone);
  id index = msg::begin(form, _obj_scratchZone);
  msg::next(index);  // make-class
  msg::next(index);  // the name
  for (id element = msg::next(index); msg::getLoc(index) == Member; element = msg::next(index))
    msg::addLast(variables, element);
  msg::drop(index);
  std::fclose(in);

  id record = type_create(_obj_scratchZone, "Warmth");
  const Class warmth = static_cast<Class>(msg::lispInCreate(record, variables));
  registerLocalClass(warmth);  // classes made at run time live as long as the process
  ASSERT_EQ(warmth->ivarList->ivar_count, 2);
  EXPECT_STREQ(warmth->ivarList->ivar_list[0].ivar_name, "heat");
  EXPECT_STREQ(warmth->ivarList->ivar_list[0].ivar_type, "i");
  EXPECT_STREQ(warmth->ivarList->ivar_list[1].ivar_name, "grid");
  EXPECT_STREQ(warmth->ivarList->ivar_list[1].ivar_type, "[2[3d]]");

  char* written = nullptr;
  size_t size = 0;
  FILE* out = open_memstream(&written, &size);
  msg::lispOutShallow(warmth, msg::create_setFileStream(OutputStream, _obj_scratchZone, out));
  std::fclose(out);
  EXPECT_STREQ(written, text);
  std::free(written);
}

TEST_F(Phases, CreatedClassRefusesBadForms) {
  struct {
    const char* form;
    const char* report;
  } cases[] = {{"('int)", "expecting keyword \\[String_c\\]"},
               {"(#:heat)", "missing value"},
               {"(#:heat 3)", "argument should be string or list"},
               {"(#:grid (3 'int 2))", "argument should be a string"},
               {"(#:grid (vector 'int 2))", "argument should be \"array\""},
               {"(#:grid (array 3 2))", "array type should be a string"},
               {"(#:grid (array 'int two))", "array dimension count should be a value"}};
  for (const auto& c : cases) {
    FILE* in = fmemopen(const_cast<char*>(c.form), std::strlen(c.form), "r");
    id form = msg::getExpr(msg::create_setFileStream(InputStream, _obj_scratchZone, in));
    std::fclose(in);
    id record = type_create(_obj_scratchZone, "Broken");
    EXPECT_DEATH(msg::lispInCreate(record, form),
                 std::string("\\*\\*\\* event raised for error: InvalidArgument\n.*\n") + c.report)
        << c.form;
  }
}

}  // namespace
