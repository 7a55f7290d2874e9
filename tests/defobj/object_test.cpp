#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "defobj/Object_s.h"
#include "defobj/Zone.h"
#include "defobj/address.h"
#include "defobj/module.h"
#include "defobj/runtime_classes.h"
#include "defobj/test_gadget.h"
#include "defobj/test_stream.h"
#include "defobj/test_thing.h"
#include "defobj/xprint.h"
#include "runtime/protocol.h"

namespace {

std::string addressOf(const void* p) {
  char text[AddressTextSize];
  return formatAddress(text, p);
}

TEST(Address, TextFormAndReadingBack) {
  EXPECT_EQ(addressOf(reinterpret_cast<void*>(0xabc)), "0xabc");
  EXPECT_EQ(addressOf(nullptr), "0x0");
  EXPECT_EQ(addressOf(reinterpret_cast<void*>(~uintptr_t{0})), "0xffffffffffffffff");
  struct {
    const char* text;
    BOOL ok;
    uintptr_t value;
  } cases[] = {{"0x1f", YES, 0x1f},   {"0XAbC", YES, 0xabc}, {"0x0", YES, 0},
               {"0x", NO, 0},         {"1f", NO, 0},         {"0x1g", NO, 0},
               {"0x10000000000000000", NO, 0}, {"", NO, 0}};
  for (const auto& c : cases) {
    void* p = nullptr;
    EXPECT_EQ(parseAddress(c.text, &p), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(reinterpret_cast<uintptr_t>(p), c.value) << c.text;
    }
  }
}

TEST(Object, CompareByAddress) {
  Thing* a = makeThing(_obj_scratchZone);
  Thing* b = makeThing(_obj_scratchZone);
  Thing* low = a < b ? a : b;
  Thing* high = a < b ? b : a;
  EXPECT_EQ(msg::compare(a, a), 0);
  EXPECT_EQ(msg::compare(low, high), -1);
  EXPECT_EQ(msg::compare(high, low), 1);
  msg::drop(a);
  msg::drop(b);
}

TEST(Object, ObjectNameSharesOneBuffer) {
  Thing* a = makeThing(_obj_scratchZone);
  Thing* b = makeThing(_obj_scratchZone);
  EXPECT_STREQ(getObjectName(nil), "nil");
  const char* first = msg::getObjectName(a);
  EXPECT_EQ(std::string(first), "Thing@" + addressOf(a));
  const char* second = msg::getObjectName(b);
  EXPECT_EQ(first, second);
  EXPECT_EQ(std::string(first), "Thing@" + addressOf(b));
  msg::drop(a);
  msg::drop(b);
}

TEST(Object, DisplayNames) {
  Thing* thing = makeThing(_obj_scratchZone);
  EXPECT_STREQ(msg::getDisplayName(thing), "Thing");
  msg::setDisplayName(thing, "warmling 7");
  EXPECT_STREQ(msg::getDisplayName(thing), "warmling 7");
  msg::setDisplayName(thing, nullptr);
  EXPECT_EQ(std::string(msg::getDisplayName(thing)), addressOf(thing) + ": Thing");
  msg::drop(thing);
  EXPECT_EQ(storedDisplayName(thing), nullptr) << "a dropped object leaves the display-name table";
}

TEST(Object, DescribeWritesIdentityAndDisplayName) {
  Thing* thing = makeThing(_obj_scratchZone);
  msg::setDisplayName(thing, "named");
  EXPECT_EQ(describedText(thing, _obj_scratchZone), addressOf(thing) + ": Thing, display name: named\n");
  msg::drop(thing);
}

std::vector<long> calls;

void note(id object, id, void* arg) {
  EXPECT_TRUE(_obj_isLiveObject(object)) << "notified before the storage is released";
  calls.push_back(reinterpret_cast<long>(arg));
}

TEST(Object, DropNotifiesNewestReferenceFirst) {
  calls.clear();
  Thing* thing = makeThing(_obj_scratchZone);
  msg::addRef_withArgument(thing, note, reinterpret_cast<void*>(1));
  msg::addRef_withArgument(thing, note, reinterpret_cast<void*>(2));
  ref_t withdrawn = msg::addRef_withArgument(thing, note, reinterpret_cast<void*>(3));
  msg::removeRef(thing, withdrawn);
  EXPECT_EQ(msg::getZone(thing), _obj_scratchZone) << "the zone is found through the reference list";
  msg::drop(thing);
  EXPECT_EQ(calls, (std::vector<long>{2, 1}));
}

// A holder that forgets its reference when told of the drop, as probe
// displays do.
ref_t heldRef;
void forget(id object, id, void*) { msg::removeRef(object, heldRef); }

TEST(Object, NotificationMayRemoveItsOwnReference) {
  Thing* thing = makeThing(_obj_scratchZone);
  heldRef = msg::addRef_withArgument(thing, forget, nullptr);
  msg::drop(thing);
  EXPECT_FALSE(_obj_isLiveObject(thing));
}

TEST(Object, OwnedBlocksAreReleasedWithTheObject) {
  Zone_c* zone = static_cast<Zone_c*>(msg::create(Zone, _obj_globalZone));
  const unsigned long blocks = zone->blockCount;
  Thing* thing = makeThing(zone);
  for (size_t order : {5, 9, 1}) {
    auto* block = static_cast<size_t*>(msg::allocBlock(zone, 4 * sizeof(size_t)));
    block[0] = 4 * sizeof(size_t);
    block[1] = order;
    msg::addRef_withArgument(thing, nullptr, block);
  }
  msg::addRef_withArgument(thing, note, nullptr);
  msg::drop(thing);
  EXPECT_EQ(zone->blockCount, blocks);
  msg::drop(zone);
}

TEST(Object, PerformSendsBySelector) {
  Thing* thing = makeThing(_obj_scratchZone);
  id a = _obj_globalZone, c = _obj_sessionZone;
  EXPECT_EQ(msg::perform(thing, msg::testSelf.sel), thing);
  EXPECT_EQ(msg::perform_with(thing, msg::testFirst.sel, a), a);
  EXPECT_EQ(msg::perform_with_with_with(thing, msg::testThird.sel, a, nil, c), c);
  msg::drop(thing);
}

TEST(ObjectDeath, Misuse) {
  Thing* thing = makeThing(_obj_scratchZone);
  const std::string error = literal("*** event raised for error: ");
  EXPECT_DEATH(msg::perform(thing, sel_register_name("noSuchMessage")),
               error + "InvalidArgument\n.*" + literal("> message selector not valid\n"));
  EXPECT_DEATH(msg::getCount(thing), error + "InvalidArgument\n.*" + literal("Thing does not recognize getCount\n"));
  EXPECT_DEATH(msg::copy_(thing), error + "BlockedObjectAlloc\n");
  EXPECT_DEATH(msg::alloc_(thingClass()), error + "BlockedObjectAlloc\n");
  EXPECT_DEATH(msg::removeRef(thing, nullptr),
               literal("> object from which reference to be removed does not have any references"));
  EXPECT_DEATH(msg::dropAllocations(thing, YES),
               literal("object was allocated as a free-standing object but dropAllocations: requested drop as a "
                       "component allocation\n"));
  msg::drop(thing);
}

// Objects and classes alike name themselves and the message left to
// their subclasses.
TEST(ObjectDeath, SubclassResponsibility) {
  Thing* thing = makeThing(_obj_scratchZone);
  const struct {
    std::function<void()> send;
    const char* function;
  } cases[] = {
      {[&] { msg::subclassResponsibility(thing, msg::testFirst.sel); }, "-[Object(s) _subclassResponsibility:]"},
      {[] { msg::subclassResponsibility(thingClass(), msg::testFirst.sel); }, "+[Object(s) _subclassResponsibility:]"},
  };
  for (const auto& c : cases)
    EXPECT_DEATH(c.send(), literal(std::string("*** event raised for error: SubclassMustImplement\n*** function: ") +
                                   c.function + "(), file: Object_s.cpp") +
                               ".*\n" + literal("> class Thing: testFirst: must be implemented by a subclass\n"))
        << c.function;
  msg::drop(thing);
}

TEST(Object, ClassMessages) {
  Class thing = thingClass();
  EXPECT_STREQ(msg::getName(thing), "Thing");
  EXPECT_EQ(msg::getSuperclass(thing), thing->superclass);
  EXPECT_TRUE(msg::isSubclass(thing, objc_get_class("Object_s")));
  EXPECT_TRUE(msg::isSubclass(thing, thing));
  EXPECT_FALSE(msg::isSubclass(objc_get_class("Object_s"), thing));
  EXPECT_EQ(msg::getMethodFor(thing, msg::testSelf.sel), get_imp(thing, msg::testSelf.sel));
  EXPECT_EQ(msg::getDefiningClass(thing), nil);
}

// A class conforms to what it or an ancestor adopts, and to what that
// adopts in turn. A type's implementation adopts the type, which adopts
// its supertypes; classes made at run time (phase classes among them)
// answer as the class they were made from.
TEST(Object, ConformsTo) {
  registerGadgets();
  Protocol* counted = objc_get_protocol("TestCounted");
  Protocol* listed = objc_get_protocol("TestListed");
  protocol_add_protocol(listed, counted);
  class_add_protocol(objc_get_class("CreateDrop"), listed);
  const Class made = static_cast<Class>(msg::createEnd(type_create(_obj_scratchZone, "TestMade")));
  const Class thing = thingClass(), gadgetUsing = static_cast<Class>(id_Gadget_c);
  struct {
    id receiver;
    const char* protocol;
    BOOL conforms;
  } cases[] = {{thing, "TestListed", YES},   {thing, "TestCounted", YES},     {thing, "Gadget", NO},
               {made, "TestCounted", YES},   {Gadget, "Gadget", YES},         {gadgetUsing, "Gadget", YES},
               {Gadget, "CREATABLE", YES},   {Gadget, "TestListed", NO},      {Zone, "Zone", YES},
               {Zone, "Gadget", NO},         {objc_get_class("CreateDrop_s"), "TestListed", NO}};
  for (const auto& c : cases)
    EXPECT_EQ(msg::conformsTo(c.receiver, objc_get_protocol(c.protocol)), c.conforms)
        << static_cast<Class>(c.receiver)->name << " " << c.protocol;
}

}  // namespace

namespace {

std::string printed(void (*print)()) {
  testing::internal::CaptureStderr();
  print();
  fflush(_obj_xdebug);
  return testing::internal::GetCapturedStderr();
}

Thing* shown;

TEST(Object, DebugPrinting) {
  shown = makeThing(_obj_scratchZone);
  msg::setDisplayName(shown, "shown");
  const std::string id = addressOf(shown) + ": Thing, display name: shown\n";
  struct {
    void (*print)();
    std::string expected;
  } cases[] = {
      {[] { xprint(shown); }, id},
      {[] { xprintid(shown); }, id},
      {[] { xfprint(shown); }, "xfprint: object does not respond to describeForEach:\n> object is: " + id},
      {[] { xfprintid(shown); }, "xfprintid: object does not respond to describeForEachID:\n> object is: " + id},
      {[] { xprint(nil); }, "xprint: object is nil\n"},
      {[] { xfprintid(nil); }, "xfprintid: object is nil\n"},
      {[] { xsetname(nil, "x"); }, "xsetname: object is nil\n"},
      {[] { xexec(nil, "testBump"); }, "object is nil\n"},
      {[] { xexec(shown, "noSuchMessageAnywhere"); }, "message \"noSuchMessageAnywhere\" is not defined\n"},
      {[] { xexec(shown, "getCount"); }, "Object " + addressOf(shown) + ": Thing does not respond to message getCount\n"},
      {[] { xfexec(shown, "testBump"); },
       "object " + addressOf(shown) +
           ": Thing does not respond to begin:\n(begin: is required by xfexec to enumerate the members of a "
           "collection)\n"},
      {[] { xfexec(msg::getPopulation(msg::create(Zone, _obj_scratchZone)), "testBump"); },
       "collection has no members\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(printed(c.print), c.expected);
  xexec(shown, "testBump");
  xsetname(shown, "renamed");
  EXPECT_EQ(shown->value, 1);
  EXPECT_STREQ(msg::getDisplayName(shown), "renamed");
  msg::drop(shown);
}

}  // namespace

namespace {

TEST(ObjectDeath, SetTypeImplementedChecks) {
  const std::string error = literal("*** event raised for error: ");
  Class zoneClass = objc_get_class("Zone_c");
  id zoneType = msg::getTypeImplemented(zoneClass);
  id symbolType = msg::getTypeImplemented(objc_get_class("Symbol_c"));
  ASSERT_NE(zoneType, nil);
  EXPECT_DEATH(msg::setTypeImplemented(zoneClass, zoneType),
               error + "SourceMessage\n.*" +
                   literal("> setTypeImplemented: implementating classes for types can only be declared\n"
                           "> from a module \"_implement\" function\n"));
  EXPECT_DEATH(
      {
        _obj_implModule = &_defobj_;
        msg::setTypeImplemented(zoneClass, nil);
      },
      error + "InvalidArgument\n.*" + literal("> Module currently being initialized is: defobj\n"));
  EXPECT_DEATH(
      {
        _obj_implModule = &_defobj_;
        msg::setTypeImplemented(zoneClass, _obj_globalZone);
      },
      literal("> setTypeImplemented: argument is not a type object\n"));
  EXPECT_DEATH(
      {
        _obj_implModule = &_defobj_;
        msg::setTypeImplemented(thingClass(), zoneType);
      },
      literal("> setTypeImplemented: class Thing in module (none) does not belong to module\n"
              "> currently being initialized (defobj)\n"));
  EXPECT_DEATH(
      {
        _obj_implModule = &_defobj_;
        msg::setTypeImplemented(zoneClass, symbolType);
      },
      literal("> setTypeImplemented: class Zone_c, requested to implement the type Symbol,\n"
              "> has already been specified as the implementation of type Zone\n"));
}

TEST(Object, TypeQueries) {
  EXPECT_STREQ(msg::getTypeName(_obj_globalZone), "Zone");
  Thing* thing = makeThing(_obj_scratchZone);
  EXPECT_STREQ(msg::getTypeName(thing), "Thing") << "a class without a type names itself";
  EXPECT_EQ(msg::getType(thing), nil);
  EXPECT_EQ(msg::getOwner(objc_get_class("Zone_c")), static_cast<id>(&_defobj_));
  msg::drop(thing);
}

}  // namespace
