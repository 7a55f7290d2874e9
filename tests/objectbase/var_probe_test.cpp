// Variable probes: locating variables, reading them as values, numbers
// and text, writing them from values and text, arrays, notifications.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "defobj/address.h"
#include "defobj/test_stream.h"
#include "objectbase/Probe.h"
#include "objectbase/objectbase.h"
#include "objectbase/specimen.h"
#include "space/report.h"

namespace {

struct Fixture : testing::Test {
  Specimen* s = newSpecimen();
  ~Fixture() override { msg::drop(s); }
};

using VarProbe = Fixture;

// Reads every scalar type as a number and as text.
TEST_F(VarProbe, ReadsEveryScalarType) {
  s->flag = YES;
  s->letter = 'z';
  s->byte = 200;
  s->small = -3;
  s->usmall = 60000;
  s->number = -42;
  s->unumber = 4000000000u;
  s->wide = -(1L << 40);
  s->uwide = 1UL << 41;
  s->huge = (1LL << 32) + 5;
  s->uhuge = 1ULL << 63;
  s->ratio = 2.5f;
  s->real = -0.125;
  s->extended = 1.0L / 3;
  s->text = "words";
  const struct {
    const char* name;
    int asInt;
    double asDouble;
    const char* text;
  } cases[] = {
      {"flag", 1, 1, "1 '\\1'"},
      {"letter", 'z', 'z', "122 'z'"},
      {"byte", 200, 200, "200 '\\310'"},
      {"small", -3, -3, "-3"},
      {"usmall", 60000, 60000, "60000"},
      {"number", -42, -42, "-42"},
      {"unumber", static_cast<int>(4000000000u), 4000000000.0, "4000000000"},
      {"wide", 0, -1099511627776.0, "-1099511627776"},
      {"uwide", 0, 2199023255552.0, "2199023255552"},
      {"huge", 5, 4294967301.0, "4294967301"},
      {"uhuge", 0, 9223372036854775808.0, "9223372036854775808"},
      {"ratio", 2, 2.5, "2.5"},
      {"real", 0, -0.125, "-0.125"},
      {"extended", 0, static_cast<double>(1.0L / 3), "0.333333"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    id probe = varProbe(c.name);
    EXPECT_EQ(msg::probeAsInt(probe, s), c.asInt);
    EXPECT_DOUBLE_EQ(msg::probeAsDouble(probe, s), c.asDouble);
    EXPECT_EQ(textOf(probe, s), c.text);
    EXPECT_TRUE(msg::getInteractiveFlag(probe));
    msg::drop(probe);
  }
  id probe = varProbe("text");
  EXPECT_EQ(textOf(probe, s), "words");
  id string = msg::probeAsString(probe, s);
  EXPECT_STREQ(msg::getC(string), "words");
  msg::drop(string);
  msg::drop(probe);
}

TEST_F(VarProbe, PointerSizedVariablesAtFullSize) {
  Specimen* other = newSpecimen();
  int target = 0;
  s->partner = other;
  s->kind = kidClass();
  s->action = msg::t_half.sel;
  s->pointer = &target;
  s->text = nullptr;
  const struct {
    const char* name;
    const void* value;
    const char* text;
  } cases[] = {
      {"partner", other, "Specimen"},
      {"kind", kidClass(), "Kid"},
      {"text", nullptr, "<NULL>"},
      {"pointer", &target, nullptr},
  };
  char address[AddressTextSize];
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    id probe = varProbe(c.name);
    EXPECT_EQ(msg::probeAsPointer(probe, s), c.value);
    EXPECT_EQ(textOf(probe, s), c.text ? c.text : formatAddress(address, c.value));
    msg::drop(probe);
  }
  id probe = varProbe("action");
  EXPECT_EQ(textOf(probe, s), "t_half");
  EXPECT_EQ(msg::probeRaw(probe, s), &s->action);
  msg::drop(probe);
  probe = varProbe("partner");
  EXPECT_EQ(msg::probeObject(probe, s), other);
  msg::drop(probe);
  msg::drop(other);
}

TEST_F(VarProbe, OnlyNumbersAndStringsAreInteractive) {
  for (const char* name : {"partner", "kind", "action", "pointer", "grid", "record"}) {
    id probe = varProbe(name);
    EXPECT_FALSE(msg::getInteractiveFlag(probe)) << name;
    msg::drop(probe);
  }
  id probe = varProbe("text");
  EXPECT_TRUE(msg::getInteractiveFlag(probe));
  msg::setNonInteractive(probe);
  EXPECT_FALSE(msg::getInteractiveFlag(probe));
  msg::drop(probe);
}

TEST_F(VarProbe, LocatesTheVariableInItsOwnClass) {
  id probe = varProbe("real");
  EXPECT_STREQ(msg::getProbedVariable(probe), "real");
  EXPECT_STREQ(msg::getProbedType(probe), "d");
  EXPECT_EQ(msg::getProbedClass(probe), specimenClass());
  EXPECT_EQ(msg::getDataOffset(probe),
            static_cast<int>(reinterpret_cast<char*>(&s->real) - reinterpret_cast<char*>(s)));
  msg::drop(probe);
  const std::string out = report::capturedStderr([] { EXPECT_EQ(varProbe("number", kidClass()), nil); });
  EXPECT_EQ(out, report::warning("Warning: variable `number' not found\n"));
}

TEST_F(VarProbe, CreationAndSettingMisuse) {
  std::string out = report::capturedStderr([] {
    id probe = msg::createBegin(objc_get_class("VarProbe"), _obj_globalZone);
    msg::setProbedClass(probe, specimenClass());
    EXPECT_EQ(msg::createEnd(probe), nil);
  });
  EXPECT_EQ(out, report::warning("VarProbe object was not properly initialized.\n"));
  out = report::capturedStderr([] {
    id probe = msg::createBegin(objc_get_class("VarProbe"), _obj_globalZone);
    msg::setProbedVariable(probe, "real");
    EXPECT_EQ(msg::setProbedVariable(probe, "number"), nil);
    msg::setProbedClass(probe, specimenClass());
    probe = msg::createEnd(probe);
    EXPECT_STREQ(msg::getProbedVariable(probe), "real");
    msg::setFloatFormat(probe, "%.1f");
    msg::drop(probe);
  });
  EXPECT_EQ(out, report::warning("It is an error to reset the variable\n"));
  id probe = varProbe("number");
  out = report::capturedStderr([&] { msg::setFloatFormat(probe, "%.2f"); });
  EXPECT_EQ(out, report::warning("number is not a float or double\n"));
  msg::drop(probe);
}

TEST_F(VarProbe, RealFormatsAndPrecisions) {
  s->real = 0.1;
  id probe = varProbe("real");
  EXPECT_EQ(textOf(probe, s), "0.1");
  EXPECT_EQ(textOf(probe, s, YES), "0.1");
  msg::setFloatFormat(probe, "%.2f");
  EXPECT_EQ(textOf(probe, s), "0.10");
  EXPECT_EQ(textOf(probe, s, YES), "0.1");
  msg::drop(probe);

  s->real = 1.0 / 3;
  msg::setDisplayPrecision(probeLibrary, 3);
  msg::setSavedPrecision(probeLibrary, 10);
  probe = varProbe("real");
  EXPECT_EQ(textOf(probe, s), "0.333");
  EXPECT_EQ(textOf(probe, s, YES), "0.3333333333");
  msg::drop(probe);
  msg::setDisplayPrecision(probeLibrary, 6);
  msg::setSavedPrecision(probeLibrary, 6);
  EXPECT_EQ(msg::getDisplayPrecision(probeLibrary), 6u);
  EXPECT_EQ(msg::getSavedPrecision(probeLibrary), 6u);
}

TEST_F(VarProbe, CharacterStyles) {
  s->byte = 65;
  id probe = varProbe("byte");
  const struct {
    id* style;
    const char* text;
  } cases[] = {{&DefaultString, "65 'A'"}, {&CharString, "'A'"}, {&IntString, "65"}};
  for (const auto& c : cases) {
    msg::setStringReturnType(probe, *c.style);
    EXPECT_EQ(textOf(probe, s), c.text);
  }
  msg::setStringReturnType(probe, CharString);
  EXPECT_TRUE(msg::setData_ToString(probe, s, "'B'"));
  EXPECT_EQ(s->byte, 'B');
  msg::setStringReturnType(probe, IntString);
  EXPECT_TRUE(msg::setData_ToString(probe, s, "67"));
  EXPECT_EQ(s->byte, 67);
  msg::drop(probe);
}

TEST_F(VarProbe, WritesFromText) {
  const struct {
    const char* name;
    const char* input;
    const char* text;
  } cases[] = {
      {"flag", "true", "1 '\\1'"},
      {"letter", "-1", "-1 '\\377'"},
      {"byte", "66 'B'", "66 'B'"},
      {"small", "-300", "-300"},
      {"usmall", "65535", "65535"},
      {"number", "123", "123"},
      {"unumber", "4000000000", "4000000000"},
      {"wide", "-5000000000", "-5000000000"},
      {"uwide", "5000000000", "5000000000"},
      {"huge", "4294967301", "4294967301"},
      {"uhuge", "18446744073709551615", "18446744073709551615"},
      {"ratio", "0.5", "0.5"},
      {"real", "2.25", "2.25"},
      {"extended", "0.75", "0.75"},
      {"text", "hello", "hello"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    id probe = varProbe(c.name);
    EXPECT_TRUE(msg::setData_ToString(probe, s, c.input));
    EXPECT_EQ(textOf(probe, s), c.text);
    msg::drop(probe);
  }
  // The copy is the object's to free; the probe never frees a string it replaces.
  msg::free(_obj_scratchZone, const_cast<char*>(s->text));
  id probe = varProbe("text");
  EXPECT_TRUE(msg::setData_ToString(probe, s, "<NULL>"));
  EXPECT_EQ(s->text, nullptr);
  msg::drop(probe);
}

TEST_F(VarProbe, BadTextWarnsAndLeavesTheVariable) {
  s->number = 9;
  id probe = varProbe("number");
  const std::string out = report::capturedStderr([&] { EXPECT_FALSE(msg::setData_ToString(probe, s, "abc")); });
  EXPECT_EQ(out, report::warning("Error scanning for value in string abc\n"));
  EXPECT_EQ(s->number, 9);
  msg::drop(probe);
  // Variables without a text form refuse text the same way.
  probe = varProbe("partner");
  EXPECT_EQ(report::capturedStderr([&] { EXPECT_FALSE(msg::setData_ToString(probe, s, "nil")); }),
            report::warning("Error scanning for value in string nil\n"));
  msg::drop(probe);
}

TEST_F(VarProbe, WritesFromValuesAtTheVariablesSize) {
  Specimen* other = newSpecimen();
  const long long huge = -(1LL << 50);
  const long double extended = 1.0L / 7;
  const Class kind = kidClass();
  const SEL action = msg::t_label.sel;
  const char* text = "set";
  const struct {
    const char* name;
    const void* value;
    const void* field;
    size_t size;
  } cases[] = {
      {"huge", &huge, &s->huge, sizeof huge},
      {"extended", &extended, &s->extended, sizeof extended},
      {"partner", &other, &s->partner, sizeof other},
      {"kind", &kind, &s->kind, sizeof kind},
      {"action", &action, &s->action, sizeof action},
      {"text", &text, &s->text, sizeof text},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    id probe = varProbe(c.name);
    msg::setData_To(probe, s, c.value);
    EXPECT_EQ(std::memcmp(c.field, c.value, c.size), 0);
    msg::drop(probe);
  }
  id probe = varProbe("grid");
  EXPECT_EQ(report::capturedStderr([&] { msg::setData_To(probe, s, &huge); }),
            report::warning("Invalid type `[2[3i]]' to set\n"));
  msg::drop(probe);
  msg::drop(other);
}

TEST_F(VarProbe, WrongKindsOfReadWarn) {
  s->number = 4;
  id probe = varProbe("real");
  EXPECT_EQ(report::capturedStderr([&] { EXPECT_EQ(msg::probeAsPointer(probe, s), nullptr); }),
            report::warning("Invalid type `d' to retrieve as a pointer...\n"));
  msg::drop(probe);
  probe = varProbe("number");
  EXPECT_EQ(report::capturedStderr([&] { EXPECT_EQ(msg::probeObject(probe, s), nil); }),
            "*** event raised for warning: WarningMessage\nInvalid type `i' to retrieve as an object"
            "*** execution continuing...\n");
  EXPECT_EQ(msg::probeAsPointer(probe, s), reinterpret_cast<void*>(4));
  msg::drop(probe);
}

TEST_F(VarProbe, NumbersOfObjectsAndStringsAreCallerErrors) {
  id object = varProbe("partner");
  id text = varProbe("text");
  EXPECT_DEATH(msg::probeAsInt(object, s), "objc_probe_as_int");
  EXPECT_DEATH(msg::probeAsDouble(text, s), "objc_probe_as_double");
  EXPECT_DEATH(msg::setData_ToDouble(object, s, 1.0), "setData:ToDouble:");
  msg::drop(object);
  msg::drop(text);
}

TEST_F(VarProbe, SafetyRefusesObjectsOfOtherClasses) {
  Listener* stranger = newListener();
  s->number = 5;
  id probe = varProbe("number");
  msg::setSafety(probe);
  EXPECT_EQ(msg::probeAsInt(probe, s), 5);
  const std::string out = report::capturedStderr([&] {
    EXPECT_EQ(msg::probeAsInt(probe, stranger), 0);
    EXPECT_FALSE(msg::setData_ToString(probe, stranger, "1"));
  });
  EXPECT_EQ(out, report::warning("VarProbe for class Specimen tried on class Listener\n") +
                     report::warning("VarProbe for class Specimen tried on class Listener\n"));
  Kid* kid = newKid();
  kid->number = 6;
  EXPECT_EQ(msg::probeAsInt(probe, kid), 6);
  msg::unsetSafety(probe);
  msg::drop(probe);
  msg::drop(kid);
  msg::drop(stranger);
}

TEST_F(VarProbe, ArraysHaveRankExtentsAndBaseType) {
  id probe = varProbe("grid");
  ASSERT_EQ(msg::getRank(probe), 2u);
  EXPECT_EQ(std::vector<unsigned>(msg::getDims(probe), msg::getDims(probe) + 2), (std::vector<unsigned>{2, 3}));
  EXPECT_STREQ(msg::getBaseType(probe), "i");
  EXPECT_EQ(textOf(probe, s), "[..]");
  msg::drop(probe);
  probe = varProbe("record");
  EXPECT_EQ(textOf(probe, s), "{..}");
  msg::drop(probe);
  const std::string out = report::capturedStderr([&] { probe = varProbe("records"); });
  EXPECT_EQ(out, report::warning("Probing of unions and structs not supported.\n"
                                 "[class: `Specimen', variable: `records']\n"));
  EXPECT_EQ(msg::getRank(probe), 0u);
  EXPECT_STREQ(msg::getBaseType(probe), "v");
  msg::drop(probe);
}

std::vector<std::string> visited;

void visitInt(unsigned rank, unsigned* indices, int value) {
  std::string entry;
  for (unsigned i = 0; i < rank; i++) entry += std::to_string(indices[i]) + ",";
  visited.push_back(entry + std::to_string(value));
}

void visitDouble(unsigned rank, unsigned* indices, double value) {
  visitInt(rank, indices, static_cast<int>(value * 10));
}

// Elements are read by their own type, whatever the walk asks for.
TEST_F(VarProbe, IteratesArraysWithTheirIndices) {
  for (int i = 0; i < 6; i++) s->grid[i / 3][i % 3] = 10 * i;
  for (int i = 0; i < 4; i++) s->series[i] = i + 0.5;
  id grid = varProbe("grid");
  id series = varProbe("series");
  visited.clear();
  msg::iterateAsInteger_using(grid, s, visitInt);
  EXPECT_EQ(visited, (std::vector<std::string>{"0,0,0", "0,1,10", "0,2,20", "1,0,30", "1,1,40", "1,2,50"}));
  visited.clear();
  msg::iterateAsDouble_using(series, s, visitDouble);
  EXPECT_EQ(visited, (std::vector<std::string>{"0,5", "1,15", "2,25", "3,35"}));
  visited.clear();
  msg::iterateAsDouble_using(grid, s, visitDouble);
  EXPECT_EQ(visited.back(), "1,2,500");
  visited.clear();
  msg::iterateAsInteger_using(series, s, visitInt);
  EXPECT_EQ(visited, (std::vector<std::string>{"0,0", "1,1", "2,2", "3,3"}));
  msg::drop(grid);
  msg::drop(series);
}

TEST_F(VarProbe, WritesAreToldToEveryTargetOnce) {
  Listener* first = newListener();
  Listener* second = newListener();
  id probe = varProbe("number");
  msg::setObjectToNotify(probe, first);
  EXPECT_EQ(msg::getObjectToNotify(probe), first);
  msg::setObjectToNotify(probe, second);
  msg::setObjectToNotify(probe, first);
  id targets = msg::getObjectToNotify(probe);
  ASSERT_EQ(msg::getCount(targets), 2u);
  EXPECT_EQ(msg::getFirst(targets), first);
  EXPECT_EQ(msg::getLast(targets), second);

  EXPECT_TRUE(msg::setData_ToString(probe, s, "17"));
  const int value = 18;
  msg::setData_To(probe, s, &value);
  for (Listener* l : {first, second}) {
    EXPECT_EQ(l->heard, 2);
    EXPECT_EQ(l->object, s);
    EXPECT_EQ(l->probe, probe);
    EXPECT_STREQ(l->kind, "VarProbe");
    EXPECT_STREQ(l->name, "number");
    EXPECT_EQ(l->type, 'i');
    EXPECT_EQ(l->data, &value);
  }
  EXPECT_EQ(s->number, 18);
  msg::drop(probe);
  msg::drop(targets);
  msg::drop(first);
  msg::drop(second);
}

TEST_F(VarProbe, ModelObjectsMustOverrideTheHook) {
  id probe = varProbe("number");
  EXPECT_DEATH(
      {
        msg::setObjectToNotify(probe, newSpecimen());
        msg::setData_ToString(probe, s, "1");
      },
               report::error("SubclassMustImplement", "-[Object(s) _subclassResponsibility:]", "Object_s.cpp",
                             "> class Specimen: eventOccurredOn:via:withProbeType:on:ofType:withData: must be "
                             "implemented by a subclass\n"));
  msg::drop(probe);
}

TEST_F(VarProbe, ClonesAndDescriptions) {
  Listener* l = newListener();
  id probe = varProbe("real");
  msg::setObjectToNotify(probe, l);
  msg::setStringReturnType(probe, IntString);
  msg::setFloatFormat(probe, "%.3f");
  id zone = msg::create(Zone, _obj_globalZone);
  id copy = msg::clone(probe, zone);
  EXPECT_NE(copy, probe);
  EXPECT_EQ(msg::getZone(copy), zone);
  EXPECT_EQ(msg::getProbedClass(copy), specimenClass());
  EXPECT_STREQ(msg::getProbedVariable(copy), "real");
  EXPECT_EQ(msg::getObjectToNotify(copy), l);
  EXPECT_EQ(static_cast<Probe*>(copy)->stringReturnType, IntString);
  s->real = 0.5;
  EXPECT_EQ(textOf(copy, s), "0.500");
  const std::string described = describedText(copy, _obj_globalZone);
  EXPECT_EQ(described.substr(described.size() - 19), "variableName: real\n");
  msg::drop(copy);
  msg::drop(zone);
  msg::drop(probe);
  msg::drop(l);
}

TEST(Probe, GuessesTheTypeOfText) {
  id probe = varProbe("number");
  const struct {
    const char* text;
    fcall_type_t type;
    double value;
  } cases[] = {
      {"true", fcall_type_boolean, 1}, {"false", fcall_type_boolean, 0}, {"-12", fcall_type_sint, -12},
      {"", fcall_type_sint, 0},        {"2.5", fcall_type_double, 2.5}, {"1.2.3", fcall_type_string, 0},
      {"1-2", fcall_type_string, 0},   {"word", fcall_type_string, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const val_t v = msg::guessValue(probe, c.text);
    EXPECT_EQ(v.type, c.type);
    const double number = v.type == fcall_type_boolean ? v.val.boolean
                          : v.type == fcall_type_sint  ? v.val.sint
                          : v.type == fcall_type_double ? v.val._double
                                                        : 0;
    EXPECT_EQ(number, c.value);
    EXPECT_EQ(v.type == fcall_type_string ? v.val.string : c.text, c.text);
  }
  EXPECT_DEATH(msg::clone(msg::create(objc_get_class("Probe"), _obj_globalZone), _obj_globalZone),
               "> class Probe: clone: must be implemented by a subclass\n");
  msg::drop(probe);
}

}  // namespace
