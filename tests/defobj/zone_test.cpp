#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <string>

#include "collections/collections.h"
#include "defobj/Zone.h"
#include "defobj/address.h"
#include "defobj/test_stream.h"
#include "defobj/test_thing.h"

namespace {

Zone_c* makeZone() { return static_cast<Zone_c*>(msg::create(Zone, _obj_globalZone)); }

struct Counters {
  unsigned long objectCount, objectTotal, blockCount, blockTotal, allocCount, allocTotal;
  bool operator==(const Counters&) const = default;
};

Counters countersOf(const Zone_c* z) {
  return {z->objectCount, z->objectTotal, z->blockCount, z->blockTotal, z->allocCount, z->allocTotal};
}

std::string idText(id object) {
  char text[ObjectIDTextSize];
  return formatObjectID(text, object);
}

TEST(Zone, FreshZoneHoldsNoObjects) {
  Zone_c* zone = makeZone();
  EXPECT_EQ(msg::getCount(msg::getPopulation(zone)), 0u);
  EXPECT_EQ(msg::getPageSize(zone), 0);
  EXPECT_EQ(describedText(zone, _obj_scratchZone),
            idText(zone) + ", display name: " + zone->isa->name +
                "\n> number of objects in population: 0\n> total size of objects in population: 0\n"
                "> number of internal objects:   0  total size: 0\n"
                "> number of internal blocks:    0  total size: 0\n"
                "> number of alloc blocks:      0  total size: 0\n");
  msg::drop(zone);
}

TEST(Zone, ObjectsLiveInThePopulationBehindTheirHeader) {
  Zone_c* zone = makeZone();
  Thing* a = makeThing(zone);
  Thing* b = makeThing(zone);
  id population = msg::getPopulation(zone);
  EXPECT_EQ(msg::getCount(population), 2u);
  EXPECT_EQ(msg::getFirst(population), a);
  EXPECT_EQ(msg::getIndexFromMemberLoc(population), -16);
  EXPECT_EQ(zone->populationTotal, 2 * sizeof(Thing));
  EXPECT_EQ(msg::getZone(a), zone);
  EXPECT_TRUE(_obj_isLiveObject(a));
  // The header's first word links a to b's header.
  EXPECT_EQ(reinterpret_cast<char**>(a)[-2], reinterpret_cast<char*>(b) - 16);
  msg::drop(a);
  EXPECT_FALSE(_obj_isLiveObject(a));
  EXPECT_EQ(msg::getCount(population), 1u);
  EXPECT_EQ(zone->populationTotal, sizeof(Thing));
  msg::drop(zone);
  EXPECT_FALSE(_obj_isLiveObject(b)) << "dropping a zone drops its population";
}

TEST(Zone, CopyKeepsInternalAllocationFlagOnly) {
  Zone_c* zone = makeZone();
  Thing* source = makeThing(_obj_scratchZone, 42);
  source->zbits |= BitInternalAlloc;
  auto* copy = static_cast<Thing*>(msg::copyIVars(zone, source));
  EXPECT_EQ(copy->value, 42);
  EXPECT_EQ(copy->zbits, reinterpret_cast<zbits_t>(zone) | BitInternalAlloc);
  auto* component = static_cast<Thing*>(msg::copyIVarsComponent(zone, source));
  EXPECT_EQ(component->zbits, reinterpret_cast<zbits_t>(zone) | BitComponentAlloc | BitInternalAlloc);
  copy->zbits &= ~BitInternalAlloc;
  component->zbits &= ~BitInternalAlloc;
  source->zbits &= ~BitInternalAlloc;
  msg::freeIVarsComponent(zone, component);
  msg::drop(source);
  msg::drop(zone);
}

TEST(Zone, ComponentAllocationsStayOutOfThePopulation) {
  Zone_c* zone = makeZone();
  const Counters before = countersOf(zone);
  id component = msg::getComponentZone(zone);
  Thing* part = static_cast<Thing*>(msg::allocIVars(component, thingClass()));
  EXPECT_EQ(part->zbits, reinterpret_cast<zbits_t>(zone) | BitComponentAlloc);
  EXPECT_EQ(msg::getCount(msg::getPopulation(zone)), 0u);
  EXPECT_EQ(zone->objectCount, before.objectCount + 1);
  EXPECT_EQ(zone->objectTotal, before.objectTotal + sizeof(Thing));
  EXPECT_TRUE(_obj_isLiveObject(part));
  msg::drop(part);
  EXPECT_EQ(countersOf(zone), before);
  msg::drop(zone);
}

// Freed small storage goes back to its zone's chains: the next allocation of
// the same size takes it, zeroed and live again; an object of another zone
// or another size class never does.
TEST(Zone, FreedStorageComesBackZeroedForTheSameSizeOnly) {
  Zone_c* zone = makeZone();
  Zone_c* other = makeZone();
  auto* part = static_cast<Thing*>(msg::allocIVarsComponent(zone, thingClass()));
  part->value = 7;
  msg::freeIVarsComponent(zone, part);
  EXPECT_FALSE(_obj_isLiveObject(part));
  id elsewhere = msg::allocIVarsComponent(other, thingClass());
  void* larger = msg::allocBlock(zone, sizeof(Thing) + 16);
  EXPECT_NE(elsewhere, part);
  EXPECT_NE(larger, static_cast<void*>(part));
  auto* again = static_cast<Thing*>(msg::allocIVarsComponent(zone, thingClass()));
  ASSERT_EQ(again, part);
  EXPECT_EQ(again->value, 0);
  EXPECT_EQ(again->zbits, reinterpret_cast<zbits_t>(zone) | BitComponentAlloc);
  EXPECT_TRUE(_obj_isLiveObject(again));
  Thing* object = makeThing(zone, 3);
  msg::drop(object);
  Thing* next = makeThing(zone);
  EXPECT_EQ(next, object);
  EXPECT_EQ(next->value, 0);
  EXPECT_EQ(msg::getFirst(msg::getPopulation(zone)), next);
  msg::freeIVarsComponent(zone, again);
  msg::freeIVarsComponent(other, elsewhere);
  msg::freeBlock_blockSize(zone, larger, sizeof(Thing) + 16);
  msg::drop(zone);
  msg::drop(other);
}

// A small allocation and one of several huge pages, as a large lattice's
// cells take.
TEST(Zone, SizedAllocationsAndBlocksRestoreTheCounters) {
  Zone_c* zone = makeZone();
  const Counters before = countersOf(zone);
  for (size_t size : {size_t{13}, (size_t{9} << 20) + 5}) {
    auto* bytes = static_cast<unsigned char*>(msg::alloc(zone, size));
    EXPECT_EQ(reinterpret_cast<uintptr_t>(bytes) % 8, 0u);
    EXPECT_EQ(reinterpret_cast<size_t*>(bytes)[-2], size);
    EXPECT_EQ(bytes[0], _obj_fillalloc);
    EXPECT_EQ(bytes[size - 1], _obj_fillalloc);
    EXPECT_EQ(zone->allocCount, before.allocCount + 1);
    EXPECT_EQ(zone->allocTotal, before.allocTotal + size);
    msg::free(zone, bytes);
  }
  auto* bytes = static_cast<unsigned char*>(msg::alloc(zone, 13));
  auto* block = static_cast<unsigned char*>(msg::allocBlock(zone, 24));
  EXPECT_EQ(block[23], _obj_fillalloc);
  EXPECT_EQ(zone->blockTotal, before.blockTotal + 24);
  msg::free(zone, bytes);
  msg::freeBlock_blockSize(zone, block, 24);
  EXPECT_EQ(countersOf(zone), before);
  msg::drop(zone);
}

TEST(Zone, WithoutDebugNoCountersMoveAndDescribeIsShort) {
  Zone_c* zone = makeZone();
  _obj_debug = NO;
  void* bytes = msg::alloc(zone, 8);
  void* block = msg::allocBlock(zone, 8);
  const Counters counters = countersOf(zone);
  const std::string text = describedText(zone, _obj_scratchZone);
  msg::free(zone, bytes);
  msg::freeBlock_blockSize(zone, block, 8);
  _obj_debug = YES;
  EXPECT_EQ(counters, Counters{});
  EXPECT_EQ(text.find("internal"), std::string::npos);
  EXPECT_NE(text.find("> total size of objects in population: 0\n"), std::string::npos);
  msg::drop(zone);
}

TEST(Zone, FreeOfNilWarnsAndContinues) {
  testing::internal::CaptureStderr();
  msg::free(_obj_scratchZone, nullptr);
  const std::string text = testing::internal::GetCapturedStderr();
  const std::regex expected(literal("*** event raised for warning: WarningMessage\n"
                                    "*** function: -[Zone(c) _free:](), file: Zone.cpp, line: ") +
                            "[0-9]+\n" + literal("Trying to free nil\n*** execution continuing...\n"));
  EXPECT_TRUE(std::regex_match(text, expected)) << text;
}

// A member whose drop drops another member of the same zone.
TEST(Zone, DropSurvivesMembersThatDropEachOther) {
  Zone_c* zone = makeZone();
  Thing* first = makeThing(zone);
  Thing* second = makeThing(zone);
  Thing* third = makeThing(zone);
  first->partner = third;
  msg::drop(zone);
  for (Thing* t : {first, second, third}) EXPECT_FALSE(_obj_isLiveObject(t));
}

TEST(Zone, DescribeForEachWalksThePopulation) {
  Zone_c* zone = makeZone();
  Thing* a = makeThing(zone);
  msg::setDisplayName(a, "a");
  TestStream* stream = makeTestStream(_obj_scratchZone);
  msg::describeForEachID(zone, stream);
  EXPECT_EQ(std::string(stream->text), idText(a) + ", display name: a\n");
  msg::drop(stream);
  msg::drop(zone);
}

TEST(Zone, LiveObjectsAreOnlyThoseOfZones) {
  static long notAnObject[4];
  EXPECT_FALSE(_obj_isLiveObject(nullptr));
  EXPECT_FALSE(_obj_isLiveObject(notAnObject));
  EXPECT_TRUE(_obj_isLiveObject(_obj_globalZone));
}

TEST(ZoneDeath, Misuse) {
  Zone_c* zone = makeZone();
  Thing* thing = makeThing(zone);
  Thing* part = static_cast<Thing*>(msg::allocIVarsComponent(zone, thingClass()));
  const std::string header = literal("*** event raised for error: ");
  const std::string thingID = "0x[0-9a-f]+: Thing";  // a death test runs in a fresh process
  EXPECT_DEATH(msg::alloc(zone, 0), header + "InvalidAllocSize\n" + literal("*** function: -[Zone(c) _alloc:]()") +
                                        ".*" + literal("> (Requested allocation size was zero.)\n"));
  EXPECT_DEATH(msg::allocBlock(zone, 0), header + "InvalidAllocSize\n" + literal("*** function: -[Zone(c) _allocBlock:]()"));
  EXPECT_DEATH(msg::freeIVars(zone, part),
               header + "InvalidOperation\n.*" + literal("> object being freed by freeIVars: (") + thingID +
                   literal(")\n> was allocated for restricted internal use by\n"));
  EXPECT_DEATH(msg::freeIVarsComponent(zone, thing),
               literal("> object being freed by freeIVarsComponent: (") + thingID +
                   literal(")\n> was not allocated by allocIVarsComponent:\n> or copyIVarsComponent:\n"));
  EXPECT_DEATH(msg::freeIVars(_obj_scratchZone, thing), literal("> is not a live object of this zone\n"));
  EXPECT_DEATH(msg::getComponentZone(msg::getComponentZone(zone)), "Zone:[0-9]+ -\\[ComponentZone\\(c\\) _getComponentZone\\]");
  id creating = msg::createBegin(Zone, _obj_scratchZone);
  EXPECT_DEATH(msg::setPageSize(creating, 512),
               header + "NotImplemented\n.*" + literal("> the page size of the zone owner.  Page size requested was: 512.\n"));
  msg::setGCFixedRootFlag(creating, YES);
  id fixed = msg::createEnd(creating);
  EXPECT_DEATH(msg::alloc(fixed, 8), "^Zone:371 -\\[Zone\\(c\\) _alloc:\\]\n$");
  int local = 0;
  EXPECT_DEATH(msg::free(fixed, &local), "^Zone:412 -\\[Zone\\(c\\) _free:\\]\n$");
  msg::drop(fixed);
  msg::drop(part);
  msg::drop(zone);
}

}  // namespace

namespace {

TEST(Zone, CustomizedZonesAreCopiesFinishedByCreateEnd) {
  id prepared = msg::customizeBegin(Zone, _obj_globalZone);
  id maker = msg::customizeEnd(prepared);
  auto* zone = static_cast<Zone_c*>(msg::create(maker, _obj_globalZone));
  Thing* thing = makeThing(zone);
  EXPECT_EQ(msg::getZone(thing), zone);
  EXPECT_EQ(msg::getCount(msg::getPopulation(zone)), 1u);
  msg::drop(zone);
  EXPECT_FALSE(_obj_isLiveObject(thing));
}

}  // namespace
