// Zones: every object lives in one. A zone allocates objects (kept in its
// population, a member-link list whose link is the 16-byte header before
// each object), sized allocations and caller-sized blocks, and owns a
// component zone for the private parts of other objects.
#pragma once

#include <cstddef>

#include "defobj/CreateDrop.h"

struct Zone_c : CreateDrop_s {
  id componentZone;
  id population;
  unsigned long populationTotal;  // instance bytes of the population
  unsigned long objectCount, objectTotal;  // component objects
  unsigned long blockCount, blockTotal;
  unsigned long allocCount, allocTotal;
  id internalAllocations;
  BOOL GCFixedRootFlag;
  // Freed small blocks kept for reuse, a chain per 16-byte size class: a
  // run makes and drops the same few small objects at every step. Not a
  // variable of the zone, so not registered.
  static constexpr unsigned KeptClasses = 16;
  void* keptBlocks[KeptClasses];

  // Creating.
  void setPageSize(int pageSize);
  void setGCFixedRootFlag(BOOL flag);
  id createEnd();

  // Using.
  int getPageSize();
  id getComponentZone();
  id getPopulation();
  id allocIVars(Class cls);
  id copyIVars(id object);
  void freeIVars(id object);
  id allocIVarsComponent(Class cls);
  id copyIVarsComponent(id object);
  void freeIVarsComponent(id object);
  void* alloc(size_t size);
  void free(void* pointer);
  void* allocBlock(size_t size);
  void freeBlock(void* block, size_t size);
  void describe(id stream);
  void describeForEach(id stream);
  void describeForEachID(id stream);
  void mapAllocations(mapalloc_t mapalloc);
};

// The storage that belongs to other objects of the base zone: objects made
// here are component allocations of the base zone, outside its population.
struct ComponentZone_c : Object_s {
  id baseZone;
  id componentZone;  // itself

  id allocIVars(Class cls);
  id copyIVars(id object);
  void freeIVars(id object);
  id allocIVarsComponent(Class cls);
  id copyIVarsComponent(id object);
  void freeIVarsComponent(id object);
  void* alloc(size_t size);
  void free(void* pointer);
  void* allocBlock(size_t size);
  void freeBlock(void* block, size_t size);
  id getComponentZone();
};

// The zone in which to make an object's private parts: the component zone
// of a plain zone, or a component zone itself.
id componentZoneOf(id zone);

// The plain zone behind a zone: the base of a component zone, else the
// zone itself; for allocations made by direct call.
Zone_c* plainZoneOf(id zone);

// YES when p is an object that a zone allocated and has not yet freed.
BOOL _obj_isLiveObject(const void* p);
