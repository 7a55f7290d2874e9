// One line of a graph, drawn by BLT from two vectors of x and y values.
#pragma once

#include "defobj/CreateDrop.h"
#include "voduva/graph_messages.h"

struct GraphElement : CreateDrop {
  char* name;     // the BLT element's name (its object name), in its zone
  id ownerGraph;  // the Graph
  id xData;       // BLTVector
  id yData;       // BLTVector

  static id createOwnerGraph(Class cls, id graph);

  // Creating.
  id setOwnerGraph(id graph);
  id createEnd();

  // Using.
  id setLabel(const char* label);
  id setColor(const char* color);
  id setWidth(unsigned width);
  id setSymbol(const char* symbol);
  id setSymbolSize(unsigned size);
  id setDashes(int dashes);
  id addX_Y(double x, double y);
  id resetData();
  const char* getName();
  id getXData();
  id getYData();
  void drop();

 private:
  // Evaluates the format with the graph's path and the element's name
  // before its own arguments.
  template <class... A>
  void configure(const char* format, A... args);
};
