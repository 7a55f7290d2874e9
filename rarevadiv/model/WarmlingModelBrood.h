// The warmling model: its parameters, the heat lattice, the grid world and
// the population, and the one-step schedule that drives them. Drivers
// create it, may change its parameters (probes, archives), then send
// buildObjects, buildActions and activateIn:.
#pragma once

#include "model/messages.h"
#include "objectbase/Brood.h"

struct HeatSpace;

struct WarmlingModelBrood : Brood {
  int numBugs;
  double evaporationRate;
  double diffuseConstant;
  int worldXSize, worldYSize;
  int minIdealTemp, maxIdealTemp;
  int minOutputHeat, maxOutputHeat;
  double randomMoveProbability;
  BOOL randomizeWarmlingUpdateOrder;
  id modelActions;   // the per-step ActionGroup
  id modelSchedule;  // repeats modelActions every time step
  id actionForEach;  // steps every warmling
  id warmlingList;
  id world;  // a Grid2d
  HeatSpace* heat;

  // Creating.
  static id createBegin(Class cls, id zone);

  // Using.
  id buildObjects();
  id buildActions();
  id activateIn(id context);
  id getWarmlingList();
  id getWorld();
  id getHeat();
  id addWarmling(id warmling);
  BOOL toggleRandomizedOrder();
  void _syncUpdateOrder_();
};
