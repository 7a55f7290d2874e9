// The graph facade: numeric series (sequences) read from probed methods of
// an object or, through averagers, of a collection's members, and sent
// each step to graph lines and to text files named after the series.
#pragma once

#include "analysis/messages.h"
#include "simtoolsgui/GUIComposite.h"

struct EZGraph : GUIComposite {
  int graphics;        // a graph window is shown
  id graph;            // the Graph widget, when graphics
  BOOL fileOutput;     // each sequence writes a text file
  id hdf5Container;    // where vectors are written, or nil
  id hdf5Group;        // the group named baseName under the container
  id sequenceList;     // List of the sequences, in creation order
  char* xLabel;        // copies in the facade's zone, or null
  char* yLabel;
  char* title;
  char* baseName;      // file-name prefix or HDF5 group name, or null
  const char** graphColors;  // the caller's table, not copied
  unsigned colorCount;
  unsigned colorIdx;   // colours handed out so far

  static id createBegin(Class cls, id zone);
  static id create_setTitle_setAxisLabelsX_Y_setWindowGeometryRecordName(
      Class cls, id zone, const char* title, const char* x, const char* y, const char* recordName);
  static id create_setTitle_setAxisLabelsX_Y_setWindowGeometryRecordName_setSaveSizeFlag(
      Class cls, id zone, const char* title, const char* x, const char* y, const char* recordName,
      BOOL saveSize);
  static id create_setFileOutput(Class cls, id zone, BOOL flag);
  static id create_setFileName(Class cls, id zone, const char* name);
  static id create_setHDF5Container_setPrefix(Class cls, id zone, id container, const char* prefix);

  // Creating.
  id setGraphics(int flag);
  id setFileOutput(BOOL flag);
  id setHDF5Container(id container);
  id setFileName(const char* name);
  id setTitle(const char* text);
  id setAxisLabelsX_Y(const char* x, const char* y);
  id setColors_count(const char** colors, unsigned count);
  id createEnd();

  // Using. The ranges and scale modes go to the graph, when there is one.
  id setRangesXMin_Max(double min, double max);
  id setRangesYMin_Max(double min, double max);
  id setScaleModeX_Y(BOOL xLoose, BOOL yLoose);
  id getGraph();
  const char* getTitle();
  const char* getFileName();
  id createSequence_withFeedFrom_andSelector(const char* name, id feed, SEL sel);
  id createAverageSequence_withFeedFrom_andSelector(const char* name, id collection, SEL sel);
  id createMovingAverageSequence_withFeedFrom_andSelector_andWidth(const char* name, id collection,
                                                                   SEL sel, unsigned width);
  id createVarianceSequence_withFeedFrom_andSelector(const char* name, id collection, SEL sel);
  id createMovingVarianceSequence_withFeedFrom_andSelector_andWidth(const char* name, id collection,
                                                                    SEL sel, unsigned width);
  id createStdDevSequence_withFeedFrom_andSelector(const char* name, id collection, SEL sel);
  id createMovingStdDevSequence_withFeedFrom_andSelector_andWidth(const char* name, id collection,
                                                                  SEL sel, unsigned width);
  id createTotalSequence_withFeedFrom_andSelector(const char* name, id collection, SEL sel);
  id createMinSequence_withFeedFrom_andSelector(const char* name, id collection, SEL sel);
  id createMaxSequence_withFeedFrom_andSelector(const char* name, id collection, SEL sel);
  id createCountSequence_withFeedFrom_andSelector(const char* name, id collection, SEL sel);
  id createGraphSequence_forSequence_withFeedFrom_andSelector(const char* name, id sequence,
                                                              id feed, SEL sel);
  id dropSequence(id sequence);
  id step();
  id update();
  id outputGraph();
  id outputToFile();
  void drop();

 private:
  void createGraph();
  id createLine(const char* name, id feed, SEL sel);
  id createOutput(const char* name, id feed, SEL sel);
};
