// The warmling: an agent with an ideal temperature and an output heat that
// moves over a grid world toward the heat it likes, leaving heat behind.
#pragma once

#include "model/messages.h"
#include "objectbase/BroodObject.h"

struct HeatSpace;

struct Warmling : BroodObject {
  double unhappiness;
  int x, y;
  HeatValue idealTemperature;
  HeatValue outputHeat;
  float randomMoveProbability;
  id world;  // a Grid2d
  int worldXSize, worldYSize;
  HeatSpace* heat;
  unsigned char bugColor;

  // Creating.
  id setWorld_Heat(id aWorld, id aHeat);
  id createEnd();

  // Setting.
  id setIdealTemperature(int temperature);
  id setOutputHeat(int heatOut);
  id setRandomMoveProbability(float probability);
  id setBugColor(unsigned char color);
  id setX_Y(int newX, int newY);

  // Using.
  double getUnhappiness();
  id step();
  // Fetches what the warmling's next step reads into the cache.
  static void prefetchStep(id warmling);
  id drawSelfOn(id raster);
};
