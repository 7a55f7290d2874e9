// Type codes, array visiting, variable access by name, and classes made
// at run time.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "defobj/CreateDrop.h"
#include "defobj/module.h"
#include "defobj/objc_array.h"
#include "defobj/runtime_classes.h"
#include "defobj/var_access.h"
#include "misc/xmalloc.h"

namespace {

struct Cell {
  int x, y;
};

// One variable of every kind a class table can hold.
struct Typed : CreateDrop {
  BOOL flag;
  char letter;
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
  id object;
  Class cls;
  const char* text;
  SEL sel;
  int grid[2][3];
  int* pointer;
  Cell cell;
};

struct TypedMore : Typed {
  double extra;
};

}  // namespace

REGISTER_CLASS(Typed, CreateDrop,
  ivar(&Typed::flag, "flag"), ivar(&Typed::letter, "letter"), ivar(&Typed::us, "us"), ivar(&Typed::ss, "ss"),
  ivar(&Typed::ui, "ui"), ivar(&Typed::si, "si"), ivar(&Typed::ul, "ul"), ivar(&Typed::sl, "sl"),
  ivar(&Typed::uq, "uq"), ivar(&Typed::sq, "sq"), ivar(&Typed::f, "f"), ivar(&Typed::d, "d"),
  ivar(&Typed::ld, "ld"), ivar(&Typed::object, "object"), ivar(&Typed::cls, "cls"), ivar(&Typed::text, "text"),
  ivar(&Typed::sel, "sel"), ivar(&Typed::grid, "grid"), ivar(&Typed::pointer, "pointer"),
  ivar(&Typed::cell, "cell"))

REGISTER_CLASS(TypedMore, Typed, ivar(&TypedMore::extra, "extra"))

namespace {

Class typedClass(bool more = false) {
  objc_register_Typed();
  objc_register_TypedMore();
  return objc_get_class(more ? "TypedMore" : "Typed");
}

// Releases a class record made by class_copy in a test, with the variables
// added from entry `added` on and, when the copy made its own, the
// dispatch table: run-time classes otherwise live as long as the program.
void disposeCopy(Class copy, int added, bool ownTable) {
  objc_ivar_list* list = copy->ivarList;
  for (int i = added; i < list->ivar_count; i++) {
    msg::free(_obj_scratchZone, const_cast<char*>(list->ivar_list[i].ivar_name));
    msg::free(_obj_globalZone, const_cast<char*>(list->ivar_list[i].ivar_type));
  }
  xfree(list);
  if (ownTable) sarray_free(copy->dtable);
  xfree(copy);
}

template <class T>
T* make(Class cls) {
  return static_cast<T*>(msg::createEnd(msg::createBegin(cls, _obj_globalZone)));
}

struct TypeRow {
  fcall_type_t type;
  char encoding;
  size_t size, alignment;
  const char* lispName;  // null: none
};

const TypeRow typeRows[] = {
    {fcall_type_boolean, 'C', 1, 1, "boolean"},
    {fcall_type_uchar, 'C', 1, 1, nullptr},
    {fcall_type_schar, 'c', 1, 1, nullptr},
    {fcall_type_ushort, 'S', 2, 2, "unsigned short"},
    {fcall_type_sshort, 's', 2, 2, "short"},
    {fcall_type_uint, 'I', 4, 4, "unsigned"},
    {fcall_type_sint, 'i', 4, 4, "int"},
    {fcall_type_ulong, 'L', 8, 8, "unsigned long"},
    {fcall_type_slong, 'l', 8, 8, "long"},
    {fcall_type_ulonglong, 'Q', 8, 8, "unsigned long long"},
    {fcall_type_slonglong, 'q', 8, 8, "long long"},
    {fcall_type_float, 'f', 4, 4, "float"},
    {fcall_type_double, 'd', 8, 8, "double"},
    {fcall_type_long_double, 'X', 16, 16, "long double"},
    {fcall_type_object, '@', 8, 8, "object"},
    {fcall_type_class, '#', 8, 8, nullptr},
    {fcall_type_string, '*', 8, 8, "string"},
    {fcall_type_selector, ':', 8, 8, nullptr},
    {fcall_type_iid, '^', 8, 8, nullptr},
};

TEST(FcallType, TableOfSizesAlignmentsEncodingsAndNames) {
  for (const TypeRow& row : typeRows) {
    SCOPED_TRACE(row.type);
    EXPECT_EQ(fcall_type_size(row.type), row.size);
    EXPECT_EQ(fcall_type_alignment(row.type), row.alignment);
    EXPECT_EQ(objc_types[row.type], row.encoding);
    // "C" is boolean, never uchar: the first code with that character.
    if (row.type != fcall_type_uchar) {
      EXPECT_EQ(fcall_type_for_objc_type(row.encoding), row.type);
    }
    const char* encoding = objc_type_for_fcall_type(row.type);
    EXPECT_STREQ(encoding, row.type == fcall_type_iid ? "^v" : std::string(1, row.encoding).c_str());
    msg::free(_obj_globalZone, const_cast<char*>(encoding));
    if (row.lispName) {
      EXPECT_EQ(fcall_type_for_lisp_type(row.lispName), row.type);
      EXPECT_STREQ(lisp_type_for_objc_type(std::string(1, row.encoding).c_str()), row.lispName);
    }
  }
  EXPECT_EQ(fcall_type_for_objc_type('r'), fcall_type_string);
  EXPECT_EQ(fcall_type_for_objc_type('D'), fcall_type_long_double);
  EXPECT_STREQ(lisp_type_for_objc_type("r*"), "string");
  EXPECT_EQ(fcall_type_alignment(static_cast<fcall_type_t>(23)), 0u);
}

TEST(FcallType, BadCodesAndNames) {
  EXPECT_DEATH(fcall_type_for_objc_type('{'), "Could not find objc type `\\{'");
  EXPECT_DEATH(fcall_type_size(fcall_type_void), "fcall_type_size");
  EXPECT_DEATH(fcall_type_size(fcall_type_jobject), "fcall_type_size");
  EXPECT_DEATH(fcall_type_alignment(fcall_type_jstring), "fcall_type_alignment");
  EXPECT_DEATH(fcall_type_for_lisp_type("complex"), "fcall_type_for_lisp_type");
  EXPECT_DEATH(lisp_type_for_objc_type("#"), "lisp_type_for_objc_type");
}

TEST(FcallType, Alignment) {
  EXPECT_EQ(alignsizeto(12, 8), 16u);
  EXPECT_EQ(alignsizeto(16, 8), 16u);
  EXPECT_EQ(alignptrto(reinterpret_cast<void*>(0x1001), 16), reinterpret_cast<void*>(0x1010));
}

TEST(ObjcArray, RankDimensionsAndElement) {
  unsigned dims[2];
  EXPECT_EQ(get_rank("[3[4d]]"), 2u);
  EXPECT_STREQ(objc_array_subtype("[3[4d]]", dims), "d]]");
  EXPECT_EQ(dims[0], 3u);
  EXPECT_EQ(dims[1], 4u);
  EXPECT_EQ(get_rank("i"), 0u);
  std::vector<std::pair<unsigned, unsigned>> seen;
  EXPECT_STREQ(lisp_type_for_objc_type("[2[3L]]", [&](unsigned d, unsigned n) { seen.emplace_back(d, n); }),
               "unsigned long");
  EXPECT_EQ(seen, (std::vector<std::pair<unsigned, unsigned>>{{0, 2}, {1, 3}}));
  EXPECT_DEATH(objc_array_subtype("[4294967296i]", nullptr), "Value out of range \\[\\[4294967296i\\]\\]");
}

TEST(ObjcArray, VisitsInRowMajorOrder) {
  std::string trace;
  array_visitor v;
  v.startDimension = [&](unsigned level) { trace += "(" + std::to_string(level); };
  v.endDimension = [&](unsigned level) { trace += std::to_string(level) + ")"; };
  v.startElement = [&] { trace += " <"; };
  v.outputElement = [&](fcall_type_t type, unsigned index) {
    EXPECT_EQ(type, fcall_type_sint);
    trace += std::to_string(index);
  };
  v.endElement = [&] { trace += ">"; };
  objc_process_array("[2[3i]]", [&](unsigned rank, const unsigned* dims, fcall_type_t) {
    trace += "rank " + std::to_string(rank) + " " + std::to_string(dims[0]) + "x" + std::to_string(dims[1]) + " ";
  }, v);
  EXPECT_EQ(trace, "rank 2 2x3 (0(1 <0> <1> <2>1)(1 <3> <4> <5>1)0)");

  trace.clear();
  process_array(0, nullptr, fcall_type_sint, v);
  EXPECT_EQ(trace, " <0>");
  array_visitor onlyElements;
  std::vector<unsigned> indexes;
  onlyElements.outputElement = [&](fcall_type_t, unsigned i) { indexes.push_back(i); };
  const unsigned dims[] = {2, 1, 2};
  process_array(3, dims, fcall_type_double, onlyElements);
  EXPECT_EQ(indexes, (std::vector<unsigned>{0, 1, 2, 3}));
}

TEST(VarAccess, LookupWalksSuperclassesButNotTheRoot) {
  Class more = typedClass(true);
  objc_ivar* si = find_ivar(more, "si");
  ASSERT_NE(si, nullptr);
  EXPECT_EQ(si, find_ivar(typedClass(), "si"));  // the superclass's own entry
  EXPECT_NE(find_ivar(more, "extra"), nullptr);
  EXPECT_EQ(find_ivar(typedClass(), "extra"), nullptr);
  EXPECT_EQ(find_ivar(more, "zbits"), nullptr);
  EXPECT_EQ(find_ivar(more, "foreignEntry"), nullptr);
  auto* t = make<TypedMore>(more);
  EXPECT_EQ(ivar_ptr_for_name(t, "grid"), static_cast<void*>(&t->grid));
  EXPECT_EQ(ivar_ptr_for_name(t, "extra"), static_cast<void*>(&t->extra));
  EXPECT_EQ(ivar_ptr_for_name(t, "missing"), nullptr);
  msg::drop(t);
}

TEST(VarAccess, TypesAndSettingByName) {
  auto* t = make<Typed>(typedClass());
  const struct {
    const char* name;
    fcall_type_t type;
  } rows[] = {
      {"flag", fcall_type_boolean}, {"letter", fcall_type_schar}, {"us", fcall_type_ushort},
      {"ss", fcall_type_sshort},    {"ui", fcall_type_uint},      {"si", fcall_type_sint},
      {"ul", fcall_type_ulong},     {"sl", fcall_type_slong},     {"uq", fcall_type_ulonglong},
      {"sq", fcall_type_slonglong}, {"f", fcall_type_float},      {"d", fcall_type_double},
      {"ld", fcall_type_long_double}, {"object", fcall_type_object}, {"cls", fcall_type_class},
      {"text", fcall_type_string},  {"sel", fcall_type_selector}, {"grid", fcall_type_sint},
      {"pointer", fcall_type_iid},
  };
  for (const auto& row : rows) EXPECT_EQ(object_ivar_type(t, row.name), row.type) << row.name;

  long long big = -(1LL << 40);
  long double wide = 1.0L / 3;
  const char* text = "name";
  int grid[2][3] = {{1, 2, 3}, {4, 5, 6}};
  int* somewhere = &grid[0][0];
  object_setVariable(t, "sq", &big);
  object_setVariable(t, "ld", &wide);
  object_setVariable(t, "text", &text);
  object_setVariable(t, "grid", grid);
  object_setVariable(t, "pointer", &somewhere);
  EXPECT_EQ(t->sq, big);
  EXPECT_EQ(t->ld, wide);
  EXPECT_EQ(t->text, text);
  EXPECT_EQ(std::memcmp(t->grid, grid, sizeof grid), 0);
  EXPECT_EQ(t->pointer, nullptr);  // pointer variables are left alone
  EXPECT_EQ(object_getVariableElementCount(t, "grid"), 6u);
  EXPECT_EQ(object_getVariableElementCount(t, "d"), 1u);
  EXPECT_DEATH(object_ivar_type(t, "nope"), "Cannot find ivar `nope' \\(non-existent ivar name in archiver file\\?\\)");
  EXPECT_DEATH(object_setVariable(t, "nope", &big), "Cannot find ivar `nope'");
  msg::drop(t);
}

TEST(VarAccess, MapsValueVariablesSuperclassFirst) {
  auto* t = make<TypedMore>(typedClass(true));
  std::string names;
  map_object_ivars(t, [&](const char* name, fcall_type_t type, void* address, unsigned rank, const unsigned* dims) {
    names += std::string(name) + " ";
    EXPECT_EQ(address, ivar_ptr_for_name(t, name));
    EXPECT_EQ(type, object_ivar_type(t, name));
    if (std::strcmp(name, "grid") == 0) {
      ASSERT_EQ(rank, 2u);
      EXPECT_EQ(dims[0], 2u);
      EXPECT_EQ(dims[1], 3u);
    } else {
      EXPECT_EQ(rank, 0u);
      EXPECT_EQ(dims, nullptr);
    }
  });
  EXPECT_EQ(names, "flag letter us ss ui si ul sl uq sq f d ld object cls text sel grid extra ");
  long offset = -1;
  map_objc_class_ivars(typedClass(true), [&](const char* name, fcall_type_t, long at, unsigned, const unsigned*) {
    if (std::strcmp(name, "extra") == 0) offset = at;
  });
  EXPECT_EQ(offset, reinterpret_cast<char*>(&t->extra) - reinterpret_cast<char*>(t));
  msg::drop(t);
}

TEST(RuntimeClasses, AddedVariablesAreAlignedAndCounted) {
  Class copy = class_copy(typedClass());
  EXPECT_NE(copy->ivarList, typedClass()->ivarList);
  EXPECT_EQ(copy->ivarList->ivar_count, typedClass()->ivarList->ivar_count);
  copy->instanceSize = 12;
  class_addVariable(copy, "weight", fcall_type_double, 0, nullptr);
  objc_ivar* weight = find_ivar(copy, "weight");
  ASSERT_NE(weight, nullptr);
  EXPECT_EQ(weight->ivar_offset, 16);
  EXPECT_STREQ(weight->ivar_type, "d");
  EXPECT_EQ(copy->instanceSize, 24);
  const unsigned dims[] = {2, 3};
  class_addVariable(copy, "cells", fcall_type_ushort, 2, dims);
  objc_ivar* cells = find_ivar(copy, "cells");
  EXPECT_STREQ(cells->ivar_type, "[2[3S]]");
  EXPECT_EQ(cells->ivar_offset, 24);
  EXPECT_EQ(copy->instanceSize, 24 + 12);
  EXPECT_EQ(find_ivar(typedClass(), "weight"), nullptr);  // the original keeps its list
  disposeCopy(copy, typedClass()->ivarList->ivar_count, false);
}

TEST(RuntimeClasses, GeneratedNamesCount) {
  // The count belongs to the process (a repeated run goes on from it), so
  // only its steps are checked.
  char* first = class_generate_name();
  char* second = class_generate_name();
  unsigned n = 0;
  ASSERT_EQ(std::sscanf(first, "Class%u", &n), 1) << first;
  EXPECT_EQ(first, "Class" + std::to_string(n));
  EXPECT_EQ(second, "Class" + std::to_string(n + 1));
  msg::free(_obj_scratchZone, first);
  msg::free(_obj_scratchZone, second);
}

TEST(RuntimeClasses, CreatedTypeGetsVariablesAndInstances) {
  id record = type_create(_obj_globalZone, "Point");
  Class point = class_copy(static_cast<Class>(record));
  class_addVariable(point, "x", fcall_type_sint, 0, nullptr);
  class_addVariable(point, "y", fcall_type_double, 0, nullptr);
  point = static_cast<Class>(msg::createEnd(point));
  EXPECT_STREQ(point->name, "Point");
  EXPECT_EQ(point->superclass, static_cast<Class>(id_CreateDrop));
  EXPECT_EQ(find_ivar(static_cast<Class>(id_CreateDrop), "x"), nullptr);
  id p = msg::createEnd(msg::createBegin(point, _obj_globalZone));
  EXPECT_EQ(p->isa, point);
  double y = 2.5;
  object_setVariable(p, "y", &y);
  EXPECT_EQ(*static_cast<double*>(ivar_ptr_for_name(p, "y")), 2.5);
  EXPECT_EQ(object_ivar_type(p, "x"), fcall_type_sint);
  msg::drop(p);
  disposeCopy(point, 0, true);
}

}  // namespace
