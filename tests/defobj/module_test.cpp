#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <string>

#include "collections/Array.h"
#include "collections/collections.h"
#include "defobj/Class_s.h"
#include "defobj/Symbol.h"
#include "defobj/Zone.h"
#include "defobj/module.h"
#include "defobj/test_thing.h"

// Two classes that both claim the creating phase of one type.
struct Twin1_c : CreateDrop_s {};
struct Twin2_c : CreateDrop_s {};
REGISTER_CLASS(Twin1_c, CreateDrop_s)
REGISTER_CLASS(Twin2_c, CreateDrop_s)

#define TWIN_TYPES(X) X(Twin, _obj_creatableType)
TWIN_TYPES(TYPE_VARIABLE)
TYPE_TABLE(twinTypes, TWIN_TYPES)

// Types without classes.
#define WAITING_TYPES(X) X(Pending, _obj_creatableType) X(Plain, nullptr)
WAITING_TYPES(TYPE_VARIABLE)
TYPE_TABLE(waitingTypes, WAITING_TYPES)

namespace {

id id_Twin1_c, id_Twin2_c;
id* twinClasses[] = {&id_Twin1_c, &id_Twin2_c, nullptr};
ProgramModule_c twins{{}, "twins", nil, nil, twinTypes, nullptr, nullptr, twinClasses,
                      [] {
                        msg::setTypeImplemented(id_Twin1_c, Twin);
                        msg::setTypeImplemented(id_Twin2_c, Twin);
                      },
                      nullptr};

ProgramModule_c waiting{{}, "waiting", nil, nil, waitingTypes, nullptr, nullptr, nullptr, nullptr, nullptr};

// A module that lists a class of the defobj module.
id* zoneClasses[] = {&id_Zone_c, nullptr};
ProgramModule_c thief{{}, "thief", nil, nil, nullptr, nullptr, nullptr, zoneClasses, nullptr, nullptr};

// Modules with broken symbol tables.
id looseSymbol;
id* looseSymbols[] = {&looseSymbol, nullptr};
const char* const unmarkedNames[] = {"Loose", nullptr};
const char* const badMarkerNames[] = {"0Quiet", "Loose", nullptr};
ProgramModule_c unmarked{{}, "unmarked", nil, nil, nullptr, looseSymbols, unmarkedNames,
                         nullptr, nullptr, nullptr};
ProgramModule_c badMarker{{}, "badMarker", nil, nil, nullptr, looseSymbols, badMarkerNames,
                          nullptr, nullptr, nullptr};

std::string nameOf(id object) {
  const char* name = msg::getName(object);
  std::string copy = name;
  msg::free(_obj_scratchZone, const_cast<char*>(name));
  return copy;
}

Type_c* typeRecord(id type) { return static_cast<Type_c*>(type); }

TEST(ModuleMap, NamesToModules) {
  struct {
    const char* name;
    const char* module;
  } cases[] = {{"List", "collections"},       {"_Set", "collections"}, {"Zone", "defobj"},
               {"CREATABLE", "defobj"},        {"BroodProcess", "activity"},
               {"BroodObject", "objectbase"},  {"MT19937gen", "random"},
               {"UName", "simtools"},          {"ZoomRaster", "gui"},
               {"WindowGeometryRecordName", "simtoolsgui"},
               {"Int2dFiler", "space"},        {"FunctionGraph", "analysis"},
               {"Phase", ""},                  {"Selector", ""},
               {"BroodEnvironment", ""}};
  for (const auto& c : cases) {
    const char* module = brood_lookup_module(c.name);
    ASSERT_NE(module, nullptr) << c.name;
    EXPECT_STREQ(module, c.module) << c.name;
  }
  for (const char* absent : {"list", "Lis", "Listing", "", "Zone_c"})
    EXPECT_EQ(brood_lookup_module(absent), nullptr) << absent;
  EXPECT_EQ(brood_lookup_module(nullptr), nullptr);
}

TEST(Bootstrap, PhaseSymbolsStreamsAndZones) {
  EXPECT_EQ(nameOf(Creating), "Creating");
  EXPECT_EQ(nameOf(Setting), "Setting");
  EXPECT_EQ(nameOf(CreatingOnly), "CreatingOnly");
  EXPECT_EQ(nameOf(UsingOnly), "Using");
  EXPECT_NE(UsingOnly, Using);
  EXPECT_EQ(Creating->isa, static_cast<Class>(id_Symbol_c));
  EXPECT_EQ(_obj_xerror, stderr);
  EXPECT_EQ(_obj_xdebug, stderr);

  for (id zone : {_obj_globalZone, _obj_sessionZone, _obj_scratchZone, _obj_GCFixedRootZone})
    EXPECT_EQ(zone->isa, static_cast<Class>(id_Zone_c));
  EXPECT_TRUE(static_cast<Zone_c*>(_obj_GCFixedRootZone)->GCFixedRootFlag);
  EXPECT_FALSE(static_cast<Zone_c*>(_obj_globalZone)->GCFixedRootFlag);

  std::string modules;
  for (unsigned i = 0; i < _obj_nmodules; i++) modules += std::string(_obj_modules[i]->name) + " ";
  EXPECT_NE(modules.find("Module__defobj_ "), std::string::npos);
  EXPECT_NE(modules.find("Module__collections_ "), std::string::npos);
}

TEST(Bootstrap, SymbolsOfTheModulesByKind) {
  struct {
    id symbol;
    const char* name;
    id kind;
  } cases[] = {{WarningMessage, "WarningMessage", id_Warning_c}, {SaveWarning, "SaveWarning", id_Warning_c},
               {SourceMessage, "SourceMessage", id_Error_c},     {SaveError, "SaveError", id_Error_c},
               {t_ByteArray, "t_ByteArray", id_Symbol_c},        {LanguageObjc, "LanguageObjc", id_Symbol_c},
               {Start, "Start", id_Symbol_c},                    {Member, "Member", id_Symbol_c},
               {OffsetOutOfRange, "OffsetOutOfRange", id_Error_c},
               {InvalidLocSymbol, "InvalidLocSymbol", id_Error_c},
               {ArchiverLiteral, "ArchiverLiteral", id_Symbol_c}, {ArchiverDot, "ArchiverDot", id_Symbol_c}};
  for (const auto& c : cases) {
    ASSERT_NE(c.symbol, nil) << c.name;
    EXPECT_EQ(nameOf(c.symbol), c.name);
    EXPECT_EQ(c.symbol->isa, static_cast<Class>(c.kind)) << c.name;
  }
  EXPECT_EQ(msg::getZone(InvalidArgument), _obj_initZone);
  EXPECT_EQ(msg::getZone(ArchiverEOL), _obj_globalZone);
}

TEST(Bootstrap, DefaultMessages) {
  struct {
    id error;
    const char* message;
  } cases[] = {
      {InvalidCombination,
       "> Customization messages sent to a type are incompatible with each other\n"
       "> or with other requirements of the type.\n"},
      {InvalidArgument, "> Invalid argument value passed in call.\n"},
      {OutOfMemory, "> No more memory available from the system.  Value of sbrk: %0#8x\n"},
      {InvalidAllocSize,
       "> Requested allocation size must be at least one byte.\n> (Requested allocation size was zero.)\n"},
      {ProtocolViolation, "> This object does not comply with an expected protocol\n"},
      {SourceMessage, nullptr},
      {SaveWarning, nullptr},
  };
  for (const auto& c : cases) {
    const char* message = msg::getMessageString(c.error);
    if (c.message)
      EXPECT_STREQ(message, c.message);
    else
      EXPECT_EQ(message, nullptr);
  }
  // The two blocking errors explain themselves in six and seven lines.
  for (auto [error, lines] : {std::pair{BlockedObjectAlloc, 6}, std::pair{BlockedObjectUsage, 7}}) {
    std::string text = msg::getMessageString(error);
    int count = 0;
    for (size_t at = 0; at < text.size(); at = text.find('\n', at) + 1, count++)
      EXPECT_EQ(text.compare(at, 2, "> "), 0) << text;
    EXPECT_EQ(count, lines);
    EXPECT_EQ(text.back(), '\n');
  }
}

TEST(Registry, TypesAndTheirImplementations) {
  // A creatable type with a class holds the class's creating class.
  EXPECT_EQ(Zone, creatingPhaseOf(static_cast<Class>(id_Zone_c)));
  EXPECT_EQ(List, creatingPhaseOf(static_cast<Class>(id_List_any)));
  auto* zoneType = typeRecord(msg::getTypeImplemented(static_cast<Class>(id_Zone_c)));
  ASSERT_NE(zoneType, nullptr);
  EXPECT_EQ(zoneType->isa, static_cast<Class>(id_Type_c));
  EXPECT_EQ(nameOf(zoneType), "Zone");
  EXPECT_TRUE(msg::getCreatable(zoneType));
  EXPECT_EQ(msg::getImplementation(zoneType), Zone);
  EXPECT_EQ(zoneType->owner, &_defobj_);
  EXPECT_EQ(msg::getOwner(static_cast<Class>(id_List_any)), &_collections_);

  // A creatable type still awaiting its class holds its record, a plain
  // type its record without implementation; so does a type implemented
  // only by using-only classes.
  _obj_initModule(&waiting);
  struct {
    id type;
    const char* name;
    id implementation;
  } records[] = {{Pending, "Pending", Creating}, {Plain, "Plain", nil}, {Collection, "Collection", nil},
                 {DefinedObject, "DefinedObject", nil}, {ListIndex, "ListIndex", nil}};
  for (const auto& c : records) {
    EXPECT_EQ(c.type->isa, static_cast<Class>(id_Type_c)) << c.name;
    EXPECT_EQ(nameOf(c.type), c.name);
    EXPECT_EQ(msg::getImplementation(c.type), c.implementation) << c.name;
    EXPECT_EQ(msg::getCreatable(c.type), c.implementation != nil) << c.name;
  }
  EXPECT_EQ(msg::getTypeImplemented(static_cast<Class>(id_ListIndex_linked)), ListIndex);

  // The list variants are told from subclasses by the run-time flag.
  EXPECT_FALSE(static_cast<Class>(id_List_linked)->info & CLS_RUNTIME_MADE);
  EXPECT_FALSE(static_cast<Class>(id_List_mlinks)->info & CLS_RUNTIME_MADE);
  EXPECT_TRUE(static_cast<Class>(id_OrderedSet_c)->info & CLS_RUNTIME_MADE);
}

TEST(Registry, ModuleRecords) {
  EXPECT_EQ(_defobj_.isa, static_cast<Class>(id_ProgramModule_c));
  EXPECT_EQ(nameOf(&_collections_), "collections");
  EXPECT_EQ(msg::getOwner(&_defobj_), _obj_programModule);
  EXPECT_EQ(msg::getModules(&_defobj_), nil);
  EXPECT_EQ(msg::getSymbols(&_defobj_)[0], &WarningMessage);
  EXPECT_EQ(msg::getClasses(&_collections_)[0], &id_Array_c);
  EXPECT_EQ(nameOf(msg::getTypes(&_collections_)[0]), "Offsets");
}

TEST(Registry, RegisteringAgainChangesNothing) {
  const id before[] = {InvalidArgument, Start, _obj_globalZone, Zone, List};
  _obj_initModule(&_defobj_);
  _obj_initModule(&_collections_);
  initModules();
  const id after[] = {InvalidArgument, Start, _obj_globalZone, Zone, List};
  for (size_t i = 0; i < std::size(before); i++) EXPECT_EQ(before[i], after[i]) << i;
}

TEST(Registry, LookupOfTypesAndLocalClasses) {
  EXPECT_EQ(defobj_lookup_type("Zone"), Zone);
  EXPECT_EQ(defobj_lookup_type("OrderedSet"), OrderedSet);
  EXPECT_EQ(defobj_lookup_type("Collection"), Collection);
  EXPECT_EQ(defobj_lookup_type("Zone_c"), nil);
  EXPECT_EQ(defobj_lookup_type("Nothing"), nil);

  const Class thing = thingClass();
  auto makeLocal = [thing](const char* name) {
    id created = msg::createBegin(id_CreatedClass_s, _obj_globalZone);
    msg::setName(created, name);
    msg::setClass(created, thing->isa);
    msg::setSuperclass(created, thing);
    msg::setDefiningClass(created, thing);
    return static_cast<Class>(msg::createEnd(created));
  };
  // Local classes stay for the process, and so do their names: a repeated
  // run registers one of another name.
  static std::deque<std::string> names;  // a deque keeps its strings in place
  const std::string& localName = names.emplace_back("LocalThing" + std::to_string(names.size()));
  const Class shadow = makeLocal("List"), local = makeLocal(localName.c_str());
  registerLocalClass(shadow);
  registerLocalClass(local);
  EXPECT_EQ(findTypeOrLocalClass("List"), static_cast<Class>(List));
  EXPECT_EQ(findTypeOrLocalClass(localName.c_str()), local);
  EXPECT_EQ(findTypeOrLocalClass("Nothing"), nil);

  initDefobj(nil);
  EXPECT_EQ(objc_lookup_class(localName.c_str()), local);
  EXPECT_EQ(objc_lookup_class("Map"), static_cast<Class>(Map));
  EXPECT_EQ(objc_lookup_class("Zone_c"), objc_get_class("Zone_c"));
}

TEST(Registry, FaultyModules) {
  objc_register_Twin1_c();
  objc_register_Twin2_c();
  id_Twin1_c = objc_get_class("Twin1_c");
  id_Twin2_c = objc_get_class("Twin2_c");
  EXPECT_DEATH(_obj_initModule(&twins),
               "\\*\\*\\* event raised for error: SourceMessage\n.*\n"
               "initModule\\(\\): more than one class specified as implementation\n"
               "for Creating phase of type Twin\n"
               "\\(classes include Twin1_c and Twin2_c\\)\n");
  EXPECT_DEATH(_obj_initModule(&thief),
               "\\*\\*\\* event raised for error: InternalError\n"
               "\\*\\*\\* function: _obj_initModule\\(\\), file: Program, line: 312\n");
  EXPECT_DEATH(_obj_initModule(&unmarked), "Program:260 _obj_initModule\n");
  EXPECT_DEATH(_obj_initModule(&badMarker), "Program:260 _obj_initModule\n");
}

TEST(NameToObject, LiveObjectsNilAndClasses) {
  Thing* thing = makeThing(_obj_scratchZone);
  const std::string name = msg::getObjectName(thing);
  const struct {
    std::string text;
    id object;
  } named[] = {{name, thing}, {"nil", nil}, {"Nil", nil}, {"0x0", nil}, {"Zone_c", objc_get_class("Zone_c")}};
  for (const auto& c : named) {
    EXPECT_EQ(nameToObject(c.text.c_str()), c.object) << c.text;
    BOOL found = NO;
    EXPECT_EQ(nameToObjectOrNil(c.text.c_str(), &found), c.object) << c.text;
    EXPECT_TRUE(found) << c.text;
  }

  msg::drop(thing);
  const std::string bad[] = {name, "Thing@0x10", "Thing@12", "Thing@", name + "0", "NoSuchClass"};
  for (const std::string& text : bad) {
    BOOL found = YES;
    EXPECT_EQ(nameToObjectOrNil(text.c_str(), &found), nil) << text;
    EXPECT_FALSE(found) << text;
    EXPECT_DEATH(nameToObject(text.c_str()), "defobj:421 nameToObject\n") << text;
  }
  BOOL found = YES;
  EXPECT_EQ(nameToObjectOrNil(nullptr, &found), nil);
  EXPECT_FALSE(found);
  EXPECT_DEATH(nameToObject(nullptr), "defobj:421 nameToObject\n");
}

}  // namespace
