#include "defobj/Zone.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <sys/mman.h>
#include <sanitizer/asan_interface.h>
#include <unistd.h>

#include "collections/List.h"
#include "collections/collections.h"
#include "defobj/address.h"
#include "defobj/phase.h"
#include "misc/debugabort.h"
#include "misc/xmalloc.h"

BOOL _obj_debug = YES;

namespace {

// The population link sits in the two words before each object.
inline constexpr size_t HeaderSize = 16;
inline constexpr int PopulationLinkOffset = -static_cast<int>(HeaderSize);

// A sized allocation keeps its size and the distance back to the block
// start in the two words before the caller's pointer.
inline constexpr size_t SizedHeader = 2 * sizeof(size_t);

// The live objects: an open-addressing set of addresses with linear
// probing, at most half full, whose erase shifts later entries back instead
// of leaving tombstones. Every allocation and free of an object, and every
// check of a name read from outside, costs a few probes; the table only
// grows, by doubling. Zero-initialised, it is the empty set.
struct AddressSet {
  const void** slots;  // nullptr marks an empty slot
  size_t capacity;     // zero or a power of two
  size_t count;

  size_t home(const void* p) const {
    const uint64_t h = reinterpret_cast<uintptr_t>(p) * 0x9E3779B97F4A7C15ull;
    return static_cast<size_t>(h ^ (h >> 32)) & (capacity - 1);
  }
  size_t after(size_t slot) const { return (slot + 1) & (capacity - 1); }

  // The slot holding p, or the empty slot where its probe ends.
  size_t find(const void* p) const {
    size_t slot = home(p);
    while (slots[slot] && slots[slot] != p) slot = after(slot);
    return slot;
  }

  bool contains(const void* p) const { return count && slots[find(p)] == p; }

  void insert(const void* p) {
    if (2 * (count + 1) > capacity) grow();
    const size_t slot = find(p);
    if (slots[slot]) return;
    slots[slot] = p;
    count++;
  }

  void erase(const void* p) {
    if (!count) return;
    size_t hole = find(p);
    if (!slots[hole]) return;
    // An entry after the hole moves into it unless its home lies
    // cyclically in (hole, slot], where the hole does not cut its probe.
    for (size_t slot = after(hole); slots[slot]; slot = after(slot)) {
      const size_t want = home(slots[slot]);
      const bool stays = hole < slot ? hole < want && want <= slot : hole < want || want <= slot;
      if (!stays) {
        slots[hole] = slots[slot];
        hole = slot;
      }
    }
    slots[hole] = nullptr;
    count--;
  }

  void grow() {
    const void** old = slots;
    const size_t oldCapacity = capacity;
    capacity = capacity ? 2 * capacity : 1024;
    slots = static_cast<const void**>(xcalloc(capacity, sizeof *slots));
    for (size_t i = 0; i < oldCapacity; i++)
      if (old[i]) slots[find(old[i])] = old[i];
    xfree(old);
  }
};

AddressSet liveObjects;

void markLive(id object) { liveObjects.insert(object); }
void markFreed(id object) { liveObjects.erase(object); }

Class componentZoneClass() {
  static Class cls = objc_get_class("ComponentZone_c");
  return cls;
}

Object_s* asObject(id object) { return static_cast<Object_s*>(object); }

}  // namespace

BOOL _obj_isLiveObject(const void* p) {
  return p && liveObjects.contains(p) ? YES : NO;
}

id componentZoneOf(id zone) {
  if (!zone || zone->isa == componentZoneClass()) return zone;
  id component = static_cast<Zone_c*>(zone)->componentZone;
  return component ? component : zone;  // the bare start-up zone has none
}

Zone_c* plainZoneOf(id zone) {
  if (zone && zone->isa == componentZoneClass()) zone = static_cast<ComponentZone_c*>(zone)->baseZone;
  return static_cast<Zone_c*>(zone);
}

// --- storage from the platform ---

namespace {

// Blocks up to KeptClasses * KeptGrain bytes go back to the zone's chains
// when freed and come from there first; every block of a chain holds its
// class's rounded size. Kept blocks stay poisoned for the address
// sanitizer, past the chain's link word.
constexpr size_t KeptGrain = 16, KeptLimit = Zone_c::KeptClasses * KeptGrain;

size_t roundedSize(size_t size) { return (size + KeptGrain - 1) / KeptGrain * KeptGrain; }
bool keeps(const Zone_c* zone, size_t size) { return !zone->GCFixedRootFlag && size && size <= KeptLimit; }
void*& keptChain(Zone_c* zone, size_t size) { return zone->keptBlocks[roundedSize(size) / KeptGrain - 1]; }

void* rawAlloc(Zone_c* zone, size_t size) {
  if (!keeps(zone, size)) return zone->GCFixedRootFlag ? GC_malloc_uncollectable(size) : xmalloc(size);
  void*& chain = keptChain(zone, size);
  void* block = chain;
  if (!block) return xmalloc(roundedSize(size));
  ASAN_UNPOISON_MEMORY_REGION(block, roundedSize(size));
  chain = *static_cast<void**>(block);
  return block;
}

void* rawZeroed(Zone_c* zone, size_t size) {
  void* block = rawAlloc(zone, size);
  std::memset(block, 0, size);
  return block;
}

// The size is the one the block was allocated with.
void rawFree(Zone_c* zone, void* block, size_t size) {
  if (!keeps(zone, size)) {
    if (zone->GCFixedRootFlag) GC_free(block);
    else xfree(block);
    return;
  }
  void*& chain = keptChain(zone, size);
  *static_cast<void**>(block) = chain;
  chain = block;
  ASAN_POISON_MEMORY_REGION(static_cast<void**>(block) + 1, roundedSize(size) - sizeof(void*));
}

// Once the zone has released everything it holds.
void releaseKeptBlocks(Zone_c* zone) {
  for (void*& chain : zone->keptBlocks)
    while (void* block = chain) {
      ASAN_UNPOISON_MEMORY_REGION(block, sizeof(void*));
      chain = *static_cast<void**>(block);
      xfree(block);
    }
}

// Sized allocations of two huge pages or more (the cells of large
// lattices) are mapped afresh from the kernel on a huge-page boundary and
// offered for huge pages before anything touches them: reads spread over
// such a block then rarely miss the address translation cache. Heap memory
// handed out before is already mapped with small pages, which the advice no
// longer changes, so these never come from the heap while the kernel has
// pages to map. Each one's data begins a different number of cache lines
// past the boundary, so that lattices read and written side by side do not
// share the low bits of their addresses (on which the processor would hold
// loads behind unrelated stores). The header's distance back to the block
// start carries Mapped for a block that goes back to the kernel.
constexpr size_t HugePage = size_t{2} << 20, Stagger = 9 * 64, Staggers = 7, Mapped = 1;

void* mapHugePages(size_t length) {
  const size_t span = length + HugePage;
  void* mapping = mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapping == MAP_FAILED) return nullptr;
  char* const first = static_cast<char*>(mapping);
  char* const start = reinterpret_cast<char*>((reinterpret_cast<uintptr_t>(first) + HugePage - 1) & ~(HugePage - 1));
  const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  char* const end = start + (length + page - 1) / page * page;
  if (start > first) munmap(first, static_cast<size_t>(start - first));
  if (first + span > end) munmap(end, static_cast<size_t>(first + span - end));
  madvise(start, length / HugePage * HugePage, MADV_HUGEPAGE);
  return start;
}

size_t* sizedAllocation(size_t size) {
  static unsigned turn;
  size_t lead = SizedHeader + Stagger * (turn % Staggers);
  void* block = size + lead >= 2 * HugePage ? mapHugePages(size + lead) : nullptr;
  const bool mapped = block;
  if (mapped) {
    turn++;
  } else {
    lead = SizedHeader;
    block = xmalloc(size + lead);
  }
  auto* p = reinterpret_cast<size_t*>(static_cast<char*>(block) + lead);
  p[-1] = lead | (mapped ? Mapped : 0);
  p[-2] = size;
  return p;
}

void freeSized(size_t* p) {
  const size_t lead = p[-1] & ~Mapped;
  char* const block = reinterpret_cast<char*>(p) - lead;
  if (p[-1] & Mapped) munmap(block, p[-2] + lead);
  else xfree(block);
}

void fill(void* p, unsigned char value, size_t size) {
  if (_obj_debug) std::memset(p, value, size);
}

void checkSize(size_t size, const char* function) {
  if (size == 0) raiseDefaultAt(InvalidAllocSize, function);
}

}  // namespace

// --- creating ---

void Zone_c::setPageSize(int pageSize) {
  raiseAt(NotImplemented, "-[Zone(c) _setPageSize:]",
          "> PageSize option not yet implemented.\n"
          "> Page size must be a power of two, at least 256, and no greater than\n"
          "> the page size of the zone owner.  Page size requested was: %d.\n",
          pageSize);
}

void Zone_c::setGCFixedRootFlag(BOOL flag) { GCFixedRootFlag = flag; }

id Zone_c::createEnd() {
  if (isa->info & CLS_CUSTOMIZING) {
    // Later create: messages copy this zone and finish the copy.
    msg::_setCreateByMessage_toCopy(this, msg::createEnd.sel, this);
    return this;
  }
  zbits |= BitInternalAlloc;
  CreateDrop_s::createEnd();
  auto* component = static_cast<ComponentZone_c*>(msg::allocIVarsComponent(this, componentZoneClass()));
  component->baseZone = this;
  component->componentZone = component;
  componentZone = component;
  // The type variable List is not bound yet when the first zones are made.
  id list = msg::createBegin(objc_get_class("List_any"), componentZone);
  msg::setIndexFromMemberLoc(list, PopulationLinkOffset);
  population = msg::createEnd(list);
  populationTotal = 0;
  if (_obj_debug) objectCount = objectTotal = 0;
  return this;
}

// --- using ---

int Zone_c::getPageSize() { return 0; }
id Zone_c::getComponentZone() { return componentZone; }
id Zone_c::getPopulation() { return population; }

id Zone_c::allocIVars(Class cls) {
  const size_t size = cls->instanceSize;
  auto* object = reinterpret_cast<Object_s*>(static_cast<char*>(rawZeroed(this, size + HeaderSize)) + HeaderSize);
  object->isa = cls;
  object->zbits = reinterpret_cast<zbits_t>(this);
  populationTotal += size;
  msg::addLast(population, object);
  markLive(object);
  return object;
}

id Zone_c::copyIVars(id source) {
  auto* object = asObject(allocIVars(source->isa));
  std::memcpy(static_cast<void*>(object), source, source->isa->instanceSize);
  object->zbits = reinterpret_cast<zbits_t>(this) | (asObject(source)->zbits & BitInternalAlloc);
  object->foreignEntry = nil;  // a directory entry belongs to one object
  return object;
}

void Zone_c::freeIVars(id object) {
  char address[AddressTextSize], text[ObjectIDTextSize];
  if (_obj_debug && (!_obj_isLiveObject(object) || asObject(object)->zone() != this))
    raiseAt(InvalidOperation, "-[Zone(c) _freeIVars:]",
            "> object being freed by freeIVars: (%s)\n> is not a live object of this zone\n",
            formatAddress(address, object));
  if (_obj_debug && (asObject(object)->zbits & BitComponentAlloc))
    raiseAt(InvalidOperation, "-[Zone(c) _freeIVars:]",
            "> object being freed by freeIVars: (%s)\n"
            "> was allocated for restricted internal use by\n"
            "> allocIVarsComponent: or copyIVarsComponent:,\n"
            "> and may only be freed by freeIVarsComponent:\n",
            formatObjectID(text, object));
  if (population) removeMlinksMember(population, object);
  const size_t size = object->isa->instanceSize;
  populationTotal -= size;
  markFreed(object);
  char* block = reinterpret_cast<char*>(object) - HeaderSize;
  fill(block, _obj_fillfree, size + HeaderSize);
  rawFree(this, block, size + HeaderSize);
}

id Zone_c::allocIVarsComponent(Class cls) {
  const size_t size = cls->instanceSize;
  auto* object = static_cast<Object_s*>(rawZeroed(this, size));
  object->isa = cls;
  object->zbits = reinterpret_cast<zbits_t>(this) | BitComponentAlloc;
  if (_obj_debug) {
    objectCount++;
    objectTotal += size;
  }
  markLive(object);
  return object;
}

id Zone_c::copyIVarsComponent(id source) {
  auto* object = asObject(allocIVarsComponent(source->isa));
  std::memcpy(static_cast<void*>(object), source, source->isa->instanceSize);
  object->zbits = reinterpret_cast<zbits_t>(this) | BitComponentAlloc | (asObject(source)->zbits & BitInternalAlloc);
  object->foreignEntry = nil;
  return object;
}

void Zone_c::freeIVarsComponent(id object) {
  char text[ObjectIDTextSize];
  if (_obj_debug && !(asObject(object)->zbits & BitComponentAlloc))
    raiseAt(InvalidOperation, "-[Zone(c) _freeIVarsComponent:]",
            "> object being freed by freeIVarsComponent: (%s)\n"
            "> was not allocated by allocIVarsComponent:\n"
            "> or copyIVarsComponent:\n",
            formatObjectID(text, object));
  const size_t size = object->isa->instanceSize;
  if (_obj_debug) {
    objectCount--;
    objectTotal -= size;
  }
  markFreed(object);
  fill(object, _obj_fillfree, size);
  rawFree(this, object, size);
}

void* Zone_c::alloc(size_t size) {
  if (GCFixedRootFlag) debugabort("Zone", 371, "-[Zone(c) _alloc:]");
  checkSize(size, "-[Zone(c) _alloc:]");
  size_t* p = sizedAllocation(size);
  if (_obj_debug) {
    allocCount++;
    allocTotal += size;
  }
  fill(p, _obj_fillalloc, size);
  return p;
}

void Zone_c::free(void* pointer) {
  if (!pointer) {
    raiseAt(WarningMessage, "-[Zone(c) _free:]", "Trying to free nil\n");
    return;
  }
  if (GCFixedRootFlag) debugabort("Zone", 412, "-[Zone(c) _free:]");
  auto* p = static_cast<size_t*>(pointer);
  if (_obj_debug) {
    allocCount--;
    allocTotal -= p[-2];
  }
  freeSized(p);
}

void* Zone_c::allocBlock(size_t size) {
  checkSize(size, "-[Zone(c) _allocBlock:]");
  void* block = rawAlloc(this, size);
  if (_obj_debug) {
    blockCount++;
    blockTotal += size;
  }
  if (!GCFixedRootFlag) fill(block, _obj_fillalloc, size);
  return block;
}

void Zone_c::freeBlock(void* block, size_t size) {
  if (_obj_debug) {
    blockCount--;
    blockTotal -= size;
  }
  fill(block, _obj_fillfree, size);
  rawFree(this, block, size);
}

void Zone_c::describe(id stream) {
  Object_s::describe(stream);
  describeText(stream, "> number of objects in population: %u\n> total size of objects in population: %lu\n",
               msg::getCount(population), populationTotal);
  if (_obj_debug)
    describeText(stream,
                 "> number of internal objects: %3lu  total size: %lu\n"
                 "> number of internal blocks:  %3lu  total size: %lu\n"
                 "> number of alloc blocks:  %5lu  total size: %lu\n",
                 objectCount, objectTotal, blockCount, blockTotal, allocCount, allocTotal);
}

void Zone_c::describeForEach(id stream) { msg::describeForEach(population, stream); }
void Zone_c::describeForEachID(id stream) { msg::describeForEachID(population, stream); }

// Releasing the population: each call drops its member, and a member's
// drop may drop other members too, so the walk always takes the member
// that is first now.
void Zone_c::mapAllocations(mapalloc_t mapalloc) {
  while (msg::getCount(population)) {
    id member = getFirstMlinksList(population);
    mapalloc->alloc = member;
    mapalloc->descriptor = t_PopulationObject;
    mapalloc->mappingFunction(mapalloc, NO);
    if (msg::getCount(population) && getFirstMlinksList(population) == member)
      raiseAt(InvalidOperation, "-[Zone(c) _mapAllocations:]",
              "> mapAllocations: of a zone needs a callback that releases each member\n");
  }
  mapalloc->alloc = componentZone;
  mapalloc->mappingFunction(mapalloc, YES);
  mapalloc->alloc = population;
  mapalloc->mappingFunction(mapalloc, YES);
  releaseKeptBlocks(this);
}

// --- the component zone ---

id ComponentZone_c::allocIVars(Class cls) { return msg::allocIVarsComponent(baseZone, cls); }
id ComponentZone_c::copyIVars(id object) { return msg::copyIVarsComponent(baseZone, object); }
void ComponentZone_c::freeIVars(id object) { msg::freeIVarsComponent(baseZone, object); }
id ComponentZone_c::allocIVarsComponent(Class cls) { return msg::allocIVarsComponent(baseZone, cls); }
id ComponentZone_c::copyIVarsComponent(id object) { return msg::copyIVarsComponent(baseZone, object); }
void ComponentZone_c::freeIVarsComponent(id object) { msg::freeIVarsComponent(baseZone, object); }
void* ComponentZone_c::alloc(size_t size) { return msg::alloc(baseZone, size); }
void ComponentZone_c::free(void* pointer) { msg::free(baseZone, pointer); }
void* ComponentZone_c::allocBlock(size_t size) { return msg::allocBlock(baseZone, size); }
void ComponentZone_c::freeBlock(void* block, size_t size) { msg::freeBlock_blockSize(baseZone, block, size); }

id ComponentZone_c::getComponentZone() { debugabort("Zone", __LINE__, "-[ComponentZone(c) _getComponentZone]"); }

REGISTER_CLASS(Zone_c, CreateDrop_s,
  ivar(&Zone_c::componentZone, "componentZone"),
  ivar(&Zone_c::population, "population"),
  ivar(&Zone_c::populationTotal, "populationTotal"),
  ivar(&Zone_c::objectCount, "objectCount"),
  ivar(&Zone_c::objectTotal, "objectTotal"),
  ivar(&Zone_c::blockCount, "blockCount"),
  ivar(&Zone_c::blockTotal, "blockTotal"),
  ivar(&Zone_c::allocCount, "allocCount"),
  ivar(&Zone_c::allocTotal, "allocTotal"),
  ivar(&Zone_c::internalAllocations, "internalAllocations"),
  ivar(&Zone_c::GCFixedRootFlag, "GCFixedRootFlag"),
  phase(Phase::Creating),
  method<&Zone_c::setPageSize>(msg::setPageSize),
  method<&Zone_c::setGCFixedRootFlag>(msg::setGCFixedRootFlag),
  method<&Zone_c::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&Zone_c::getPageSize>(msg::getPageSize),
  method<&Zone_c::getComponentZone>(msg::getComponentZone),
  method<&Zone_c::getPopulation>(msg::getPopulation),
  method<&Zone_c::allocIVars>(msg::allocIVars),
  method<&Zone_c::copyIVars>(msg::copyIVars),
  method<&Zone_c::freeIVars>(msg::freeIVars),
  method<&Zone_c::allocIVarsComponent>(msg::allocIVarsComponent),
  method<&Zone_c::copyIVarsComponent>(msg::copyIVarsComponent),
  method<&Zone_c::freeIVarsComponent>(msg::freeIVarsComponent),
  method<&Zone_c::alloc>(msg::alloc),
  method<&Zone_c::free>(msg::free),
  method<&Zone_c::allocBlock>(msg::allocBlock),
  method<&Zone_c::freeBlock>(msg::freeBlock_blockSize),
  method<&Zone_c::describe>(msg::describe),
  method<&Zone_c::describeForEach>(msg::describeForEach),
  method<&Zone_c::describeForEachID>(msg::describeForEachID),
  method<&Zone_c::mapAllocations>(msg::mapAllocations))

REGISTER_CLASS(ComponentZone_c, Object_s,
  ivar(&ComponentZone_c::baseZone, "baseZone"),
  ivar(&ComponentZone_c::componentZone, "componentZone"),
  method<&ComponentZone_c::allocIVars>(msg::allocIVars),
  method<&ComponentZone_c::copyIVars>(msg::copyIVars),
  method<&ComponentZone_c::freeIVars>(msg::freeIVars),
  method<&ComponentZone_c::allocIVarsComponent>(msg::allocIVarsComponent),
  method<&ComponentZone_c::copyIVarsComponent>(msg::copyIVarsComponent),
  method<&ComponentZone_c::freeIVarsComponent>(msg::freeIVarsComponent),
  method<&ComponentZone_c::alloc>(msg::alloc),
  method<&ComponentZone_c::free>(msg::free),
  method<&ComponentZone_c::allocBlock>(msg::allocBlock),
  method<&ComponentZone_c::freeBlock>(msg::freeBlock_blockSize),
  method<&ComponentZone_c::getComponentZone>(msg::getComponentZone))
