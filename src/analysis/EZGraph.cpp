#include "analysis/EZGraph.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "collections/collections.h"
#include "defobj/defobj.h"
#include "defobj/hdf5_messages.h"
#include "defobj/phase.h"
#include "defobj/raise.h"
#include "defobj/zstrdup.h"
#include "voduva/graph_messages.h"
#include "voduva/voduva.h"
#include "voduva/widget_messages.h"

namespace {

const char* defaultGraphColors[] = {"blue",      "orange",    "yellow", "green",  "red",
                                    "purple",    "violet",    "cyan",   "grey50", "darkgreen",
                                    "goldenrod", "seagreen"};

// The facade's copy of a text in slot, replacing (and freeing) the last one.
void storeCopy(EZGraph* graph, char*& slot, const char* text) {
  if (slot) msg::free(graph->getZone(), slot);
  slot = text ? zstrdup(graph->getZone(), text) : nullptr;
}

void freeCopy(EZGraph* graph, char* text) {
  if (text) msg::free(graph->getZone(), text);
}

id createWithoutGraphics(Class cls, id zone, BOOL fileOutput, id container, const char* baseName) {
  id graph = msg::createBegin(cls, zone);
  msg::setGraphics(graph, 0);
  msg::setFileOutput(graph, fileOutput);
  msg::setHDF5Container(graph, container);
  msg::setFileName(graph, baseName);
  return msg::createEnd(graph);
}

// A sequence that plots one statistic of an averager made for it over the
// collection.
id createStatisticSequence(EZGraph* graph, const char* name, id collection, SEL sel, unsigned width,
                           SEL statistic) {
  id zone = graph->getZone();
  id sequence = msg::create(objc_get_class("EZAverageSequence"), zone);
  id averager = msg::createBegin(objc_get_class("Averager"), zone);
  msg::setCollection(averager, collection);
  msg::setWidth(averager, width);
  msg::setProbedSelector(averager, sel);
  averager = msg::createEnd(averager);
  msg::setAverager(sequence, averager);
  return msg::createGraphSequence_forSequence_withFeedFrom_andSelector(graph, name, sequence,
                                                                         averager, statistic);
}

}  // namespace

id EZGraph::createBegin(Class cls, id zone) {
  auto* graph = static_cast<EZGraph*>(GUIComposite::createBegin(cls, zone));
  graph->graphics = 1;
  graph->fileOutput = NO;
  graph->graphColors = defaultGraphColors;
  graph->colorCount = sizeof defaultGraphColors / sizeof *defaultGraphColors;
  graph->colorIdx = 0;
  return graph;
}

id EZGraph::create_setTitle_setAxisLabelsX_Y_setWindowGeometryRecordName(
    Class cls, id zone, const char* text, const char* x, const char* y, const char* recordName) {
  return msg::create_setTitle_setAxisLabelsX_Y_setWindowGeometryRecordName_setSaveSizeFlag(
      cls, zone, text, x, y, recordName, NO);
}

id EZGraph::create_setTitle_setAxisLabelsX_Y_setWindowGeometryRecordName_setSaveSizeFlag(
    Class cls, id zone, const char* text, const char* x, const char* y, const char* recordName,
    BOOL saveSize) {
  id graph = msg::createBegin(cls, zone);
  msg::setTitle(graph, text);
  msg::setAxisLabelsX_Y(graph, x, y);
  msg::setWindowGeometryRecordName(graph, recordName);
  msg::setSaveSizeFlag(graph, saveSize);
  return msg::createEnd(graph);
}

id EZGraph::create_setFileOutput(Class cls, id zone, BOOL flag) {
  return createWithoutGraphics(cls, zone, flag, nil, nullptr);
}

id EZGraph::create_setFileName(Class cls, id zone, const char* name) {
  return createWithoutGraphics(cls, zone, YES, nil, name);
}

id EZGraph::create_setHDF5Container_setPrefix(Class cls, id zone, id container,
                                              const char* prefix) {
  return createWithoutGraphics(cls, zone, NO, container, prefix);
}

id EZGraph::setGraphics(int flag) {
  graphics = flag;
  return this;
}

id EZGraph::setFileOutput(BOOL flag) {
  fileOutput = flag;
  return this;
}

id EZGraph::setHDF5Container(id container) {
  hdf5Container = container;
  return this;
}

id EZGraph::setFileName(const char* name) {
  storeCopy(this, baseName, name);
  return this;
}

id EZGraph::setTitle(const char* text) {
  storeCopy(this, title, text);
  return this;
}

id EZGraph::setAxisLabelsX_Y(const char* x, const char* y) {
  storeCopy(this, xLabel, x);
  storeCopy(this, yLabel, y);
  return this;
}

// Sequences take their line colours from the table in turn.
id EZGraph::setColors_count(const char** colors, unsigned count) {
  if (!colors || count == 0)
    raiseAt(InvalidArgument, "-[EZGraph setColors:count:]",
            "a colour table needs at least one colour\n");
  graphColors = colors;
  colorCount = count;
  return this;
}

id EZGraph::createEnd() {
  if (graphics) createGraph();
  if (hdf5Container && !baseName)
    raiseAt(InvalidArgument, "-[EZGraph createEnd]", "vectors in an HDF5 container need a prefix to name their group\n");
  sequenceList = msg::create(List, getZone());
  return GUIComposite::createEnd();
}

id EZGraph::setRangesXMin_Max(double min, double max) {
  msg::setRangesXMin_Max(graph, min, max);
  return this;
}

id EZGraph::setRangesYMin_Max(double min, double max) {
  msg::setRangesYMin_Max(graph, min, max);
  return this;
}

id EZGraph::setScaleModeX_Y(BOOL xLoose, BOOL yLoose) {
  msg::setScaleModeX_Y(graph, xLoose, yLoose);
  return this;
}

id EZGraph::getGraph() { return graph; }
const char* EZGraph::getTitle() { return title; }
const char* EZGraph::getFileName() { return baseName; }

id EZGraph::createSequence_withFeedFrom_andSelector(const char* name, id feed, SEL sel) {
  id sequence = msg::create(objc_get_class("EZSequence"), getZone());
  return msg::createGraphSequence_forSequence_withFeedFrom_andSelector(this, name, sequence, feed,
                                                                         sel);
}

id EZGraph::createAverageSequence_withFeedFrom_andSelector(const char* name, id collection,
                                                           SEL sel) {
  return createStatisticSequence(this, name, collection, sel, 0, msg::getAverage.sel);
}

id EZGraph::createMovingAverageSequence_withFeedFrom_andSelector_andWidth(const char* name,
                                                                          id collection, SEL sel,
                                                                          unsigned width) {
  return createStatisticSequence(this, name, collection, sel, width, msg::getMovingAverage.sel);
}

id EZGraph::createVarianceSequence_withFeedFrom_andSelector(const char* name, id collection,
                                                            SEL sel) {
  return createStatisticSequence(this, name, collection, sel, 0, msg::getVariance.sel);
}

id EZGraph::createMovingVarianceSequence_withFeedFrom_andSelector_andWidth(const char* name,
                                                                           id collection, SEL sel,
                                                                           unsigned width) {
  return createStatisticSequence(this, name, collection, sel, width, msg::getMovingVariance.sel);
}

id EZGraph::createStdDevSequence_withFeedFrom_andSelector(const char* name, id collection,
                                                          SEL sel) {
  return createStatisticSequence(this, name, collection, sel, 0, msg::getStdDev.sel);
}

id EZGraph::createMovingStdDevSequence_withFeedFrom_andSelector_andWidth(const char* name,
                                                                         id collection, SEL sel,
                                                                         unsigned width) {
  return createStatisticSequence(this, name, collection, sel, width, msg::getMovingStdDev.sel);
}

id EZGraph::createTotalSequence_withFeedFrom_andSelector(const char* name, id collection, SEL sel) {
  return createStatisticSequence(this, name, collection, sel, 0, msg::getTotal.sel);
}

id EZGraph::createMinSequence_withFeedFrom_andSelector(const char* name, id collection, SEL sel) {
  return createStatisticSequence(this, name, collection, sel, 0, msg::getMin.sel);
}

id EZGraph::createMaxSequence_withFeedFrom_andSelector(const char* name, id collection, SEL sel) {
  return createStatisticSequence(this, name, collection, sel, 0, msg::getMax.sel);
}

id EZGraph::createCountSequence_withFeedFrom_andSelector(const char* name, id collection, SEL sel) {
  return createStatisticSequence(this, name, collection, sel, 0, msg::getCount.sel);
}

// A sequence gets a line of the graph window and a file, each when the
// facade has one.
id EZGraph::createGraphSequence_forSequence_withFeedFrom_andSelector(const char* name, id sequence,
                                                                     id feed, SEL sel) {
  if (graphics) msg::setActiveGrapher(sequence, createLine(name, feed, sel));
  if (id pump = createOutput(name, feed, sel)) msg::setActiveOutFile(sequence, pump);
  msg::addLast(sequenceList, sequence);
  return sequence;
}

// The graph window exists only in interactive mode, where the Tk
// interpreter runs. Texts never set stay out of Tcl: an axis without a
// label keeps an empty title.
void EZGraph::createGraph() {
  if (!globalTkInterp)
    raiseAt(InvalidCombination, "-[EZGraph createEnd]",
            "a graph window needs the interactive mode; without graphics an EZGraph writes files\n");
  graph = msg::createBegin(objc_get_class("Graph"), getZone());
  msg::setSaveSizeFlag(graph, saveSizeFlag);
  msg::setWindowGeometryRecordNameForComponent_widget(this, "graph", graph);
  graph = msg::createEnd(graph);
  if (title) msg::setTitle(graph, title);
  if (xLabel || yLabel) msg::setAxisLabelsX_Y(graph, xLabel ? xLabel : "", yLabel ? yLabel : "");
  msg::pack(graph);
}

// A line of the graph for a sequence, in the next colour of the table.
id EZGraph::createLine(const char* name, id feed, SEL sel) {
  id element = msg::createElement(graph);
  msg::setLabel(element, name);
  msg::setColor(element, graphColors[colorIdx++ % colorCount]);
  id pump = msg::createBegin(objc_get_class("ActiveGraph"), getZone());
  msg::setElement(pump, element);
  msg::setDataFeed(pump, feed);
  msg::setProbedSelector(pump, sel);
  return msg::createEnd(pump);
}

// The file pump of a sequence: a vector named after it in the group under
// the container, or a text file, or nil. The group is made once and shared,
// since the vectors' nodes keep it as their parent.
id EZGraph::createOutput(const char* name, id feed, SEL sel) {
  if (!hdf5Container && !fileOutput) return nil;
  id pump = msg::createBegin(objc_get_class("ActiveOutFile"), getZone());
  if (hdf5Container) {
    if (!hdf5Group) {
      hdf5Group = msg::createBegin(HDF5, getZone());
      msg::setParent(hdf5Group, hdf5Container);
      msg::setWriteFlag(hdf5Group, YES);
      msg::setName(hdf5Group, baseName);
      hdf5Group = msg::createEnd(hdf5Group);
    }
    id vector = msg::createBegin(HDF5, getZone());
    msg::setParent(vector, hdf5Group);
    msg::setWriteFlag(vector, YES);
    msg::setDatasetFlag(vector, YES);
    msg::setExtensibleDoubleVector(vector);
    msg::setName(vector, name);
    msg::setHDF5Dataset(pump, msg::createEnd(vector));
  } else {
    const std::string fileName = baseName ? std::string(baseName) + "." + name : name;
    id file = msg::create_setName(objc_get_class("OutFile"), getZone(), fileName.c_str());
    if (!file)
      raiseAt(SaveError, "-[EZGraph createGraphSequence:forSequence:withFeedFrom:andSelector:]",
              "cannot open the output file %s: %s\n", fileName.c_str(), std::strerror(errno));
    msg::setFileObject(pump, file);
  }
  msg::setDataFeed(pump, feed);
  msg::setProbedSelector(pump, sel);
  return msg::createEnd(pump);
}

id EZGraph::dropSequence(id sequence) {
  if (msg::contains(sequenceList, sequence)) {
    msg::remove(sequenceList, sequence);
    msg::drop(sequence);
  }
  return this;
}

id EZGraph::step() {
  msg::forEach(sequenceList, msg::step.sel);
  return this;
}

id EZGraph::update() {
  msg::forEach(sequenceList, msg::update.sel);
  return this;
}

id EZGraph::outputGraph() {
  msg::forEach(sequenceList, msg::outputGraph.sel);
  return this;
}

id EZGraph::outputToFile() {
  msg::forEach(sequenceList, msg::outputToFile.sel);
  return this;
}

// Dropping the sequences closes their files.
void EZGraph::drop() {
  for (char* text : {baseName, title, xLabel, yLabel}) freeCopy(this, text);
  msg::drop(graph);
  while (msg::getCount(sequenceList)) msg::drop(msg::removeFirst(sequenceList));
  msg::drop(sequenceList);
  msg::drop(hdf5Group);
  GUIComposite::drop();
}

REGISTER_CLASS(EZGraph, GUIComposite,
  ivar(&EZGraph::graphics, "graphics"),
  ivar(&EZGraph::graph, "graph"),
  ivar(&EZGraph::fileOutput, "fileOutput"),
  ivar(&EZGraph::hdf5Container, "hdf5Container"),
  ivar(&EZGraph::hdf5Group, "hdf5Group"),
  ivar(&EZGraph::sequenceList, "sequenceList"),
  ivar(&EZGraph::xLabel, "xLabel"),
  ivar(&EZGraph::yLabel, "yLabel"),
  ivar(&EZGraph::title, "title"),
  ivar(&EZGraph::baseName, "baseName"),
  ivar(&EZGraph::graphColors, "graphColors"),
  ivar(&EZGraph::colorCount, "colorCount"),
  ivar(&EZGraph::colorIdx, "colorIdx"),
  classMethod<&EZGraph::createBegin>(msg::createBegin),
  phase(Phase::Creating),
  classMethod<&EZGraph::create_setTitle_setAxisLabelsX_Y_setWindowGeometryRecordName>(
      msg::create_setTitle_setAxisLabelsX_Y_setWindowGeometryRecordName),
  classMethod<&EZGraph::create_setTitle_setAxisLabelsX_Y_setWindowGeometryRecordName_setSaveSizeFlag>(
      msg::create_setTitle_setAxisLabelsX_Y_setWindowGeometryRecordName_setSaveSizeFlag),
  classMethod<&EZGraph::create_setFileOutput>(msg::create_setFileOutput),
  classMethod<&EZGraph::create_setFileName>(msg::create_setFileName),
  classMethod<&EZGraph::create_setHDF5Container_setPrefix>(msg::create_setHDF5Container_setPrefix),
  method<&EZGraph::setGraphics>(msg::setGraphics),
  method<&EZGraph::setFileOutput>(msg::setFileOutput),
  method<&EZGraph::setHDF5Container>(msg::setHDF5Container),
  method<&EZGraph::setFileName>(msg::setFileName),
  method<&EZGraph::setTitle>(msg::setTitle),
  method<&EZGraph::setAxisLabelsX_Y>(msg::setAxisLabelsX_Y),
  method<&EZGraph::setColors_count>(msg::setColors_count),
  method<&EZGraph::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&EZGraph::setRangesXMin_Max>(msg::setRangesXMin_Max),
  method<&EZGraph::setRangesYMin_Max>(msg::setRangesYMin_Max),
  method<&EZGraph::setScaleModeX_Y>(msg::setScaleModeX_Y),
  method<&EZGraph::getGraph>(msg::getGraph),
  method<&EZGraph::getTitle>(msg::getTitle),
  method<&EZGraph::getFileName>(msg::getFileName),
  method<&EZGraph::createSequence_withFeedFrom_andSelector>(
      msg::createSequence_withFeedFrom_andSelector),
  method<&EZGraph::createAverageSequence_withFeedFrom_andSelector>(
      msg::createAverageSequence_withFeedFrom_andSelector),
  method<&EZGraph::createMovingAverageSequence_withFeedFrom_andSelector_andWidth>(
      msg::createMovingAverageSequence_withFeedFrom_andSelector_andWidth),
  method<&EZGraph::createVarianceSequence_withFeedFrom_andSelector>(
      msg::createVarianceSequence_withFeedFrom_andSelector),
  method<&EZGraph::createMovingVarianceSequence_withFeedFrom_andSelector_andWidth>(
      msg::createMovingVarianceSequence_withFeedFrom_andSelector_andWidth),
  method<&EZGraph::createStdDevSequence_withFeedFrom_andSelector>(
      msg::createStdDevSequence_withFeedFrom_andSelector),
  method<&EZGraph::createMovingStdDevSequence_withFeedFrom_andSelector_andWidth>(
      msg::createMovingStdDevSequence_withFeedFrom_andSelector_andWidth),
  method<&EZGraph::createTotalSequence_withFeedFrom_andSelector>(
      msg::createTotalSequence_withFeedFrom_andSelector),
  method<&EZGraph::createMinSequence_withFeedFrom_andSelector>(
      msg::createMinSequence_withFeedFrom_andSelector),
  method<&EZGraph::createMaxSequence_withFeedFrom_andSelector>(
      msg::createMaxSequence_withFeedFrom_andSelector),
  method<&EZGraph::createCountSequence_withFeedFrom_andSelector>(
      msg::createCountSequence_withFeedFrom_andSelector),
  method<&EZGraph::createGraphSequence_forSequence_withFeedFrom_andSelector>(
      msg::createGraphSequence_forSequence_withFeedFrom_andSelector),
  method<&EZGraph::dropSequence>(msg::dropSequence),
  method<&EZGraph::step>(msg::step),
  method<&EZGraph::update>(msg::update),
  method<&EZGraph::outputGraph>(msg::outputGraph),
  method<&EZGraph::outputToFile>(msg::outputToFile),
  method<&EZGraph::drop>(msg::drop))
