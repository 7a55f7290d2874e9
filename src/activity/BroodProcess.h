// Brood processes: objects that own a group of model or observer objects,
// build their schedules and, once activated, run every schedule activated
// in them as one merged timeline. A brood is also a zone: zone messages go
// to its internal zone.
#pragma once

#include "activity/messages.h"
#include "defobj/CreateDrop.h"

struct CBroodProcess : CreateDrop_s {
  id internalZone;  // while being created: the zone type
  id syncType;
  id activity;

  // Creating.
  static id createBegin(Class cls, id zone);
  void setInternalZoneType(id type);
  void setSynchronizationType(id type);
  void setPageSize(int size);
  id createEnd();

  // Using.
  id getInternalZone();
  id getActivity();
  id getSynchronizationType();
  id activate_();
  id activateIn(id context);
  id activate(id plan);
  id _performPlan_();
  int getInternalTimeMultiplier();
  void setInternalTimeMultiplier(int multiplier);
  id at_activate(timeval_t t, id plan);
  id at__activate(timeval_t t, timeval_t interval, id plan);
  void drop();

  // The zone messages.
  void* alloc(size_t size);
  id allocIVars(Class cls);
  id copyIVars(id object);
  id allocIVarsComponent(Class cls);
  id copyIVarsComponent(id object);
  void* allocBlock(size_t size);
  void free(void* pointer);
  void freeIVars(id object);
  void freeIVarsComponent(id object);
  void freeBlock(void* block, size_t size);
  id getComponentZone();
  int getPageSize();
  id getPopulation();
  void describeForEach(id stream);
  void describeForEachID(id stream);

 private:
  id zoneFor(const char* function);
};
