// A BLT graph widget with zooming, crosshairs, an active legend and
// closest-point lookup; its lines are GraphElements.
#pragma once

#include "voduva/ArchivedGeometryWidget.h"
#include "voduva/graph_messages.h"

struct Graph : ArchivedGeometryWidget {
  id elementList;  // List of the GraphElements, in creation order

  id createEnd();

  id setTitle(const char* title);
  id setAxisLabelsX_Y(const char* xLabel, const char* yLabel);
  id setRangesXMin_Max(double min, double max);
  id setRangesYMin_Max(double min, double max);
  id setRangesXMin_Max_YMin_Max(double xMin, double xMax, double yMin, double yMax);
  id setScaleModeX_Y(BOOL xLoose, BOOL yLoose);
  id createElement();
  id destroyElement(id element);
  void drop();
};
