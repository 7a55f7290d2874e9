#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>

#include "analysis/feeds.h"
#include "defobj/HDF5.h"
#include "defobj/hdf5_support.h"
#include "collections/keyed_messages.h"
#include "simtools/scratch.h"
#include "simtoolsgui/GUIComposite.h"
#include "space/report.h"

namespace {

// The graphs write their files into the working directory: each test runs
// in a scratch directory of its own.
class EZGraphFiles : public ScratchDirTest {
 protected:
  void SetUp() override {
    ScratchDirTest::SetUp();
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(dir.c_str()), 0);
  }
  void TearDown() override {
    ASSERT_EQ(chdir(previous), 0);
    ScratchDirTest::TearDown();
  }

  char previous[4096];
};

Class ezGraph() { return objc_get_class("EZGraph"); }

id fileGraph(const char* baseName) {
  return msg::create_setFileName(ezGraph(), _obj_globalZone, baseName);
}

// The lines a sequence file holds for these values.
std::string lines(std::initializer_list<double> values) {
  std::string text;
  for (double v : values) {
    char line[64];
    std::snprintf(line, sizeof line, "%+24.16e\n", v);
    text += line;
  }
  return text;
}

TEST_F(EZGraphFiles, AverageOfACollectionOneLinePerStep) {
  id list = feedList({1, 2, 3});
  id graph = fileGraph("run");
  msg::createAverageSequence_withFeedFrom_andSelector(graph, "mean", list, msg::feedValue.sel);
  msg::step(graph);
  msg::step(graph);
  msg::drop(graph);
  EXPECT_EQ(contents("run.mean"), " +2.0000000000000000e+00\n +2.0000000000000000e+00\n");
  dropList(list);
}

TEST_F(EZGraphFiles, PlainSequenceFollowsItsObject) {
  Feed* feed = newFeed(-0.5);
  id graph = fileGraph("run");
  id sequence =
      msg::createSequence_withFeedFrom_andSelector(graph, "value", feed, msg::feedValue.sel);
  msg::step(graph);
  feed->value = 1e300;
  msg::step(graph);
  EXPECT_EQ(msg::getCurrentValue(sequence), 1e300);
  msg::drop(graph);
  EXPECT_EQ(contents("run.value"), lines({-0.5, 1e300}));
  msg::drop(feed);
}

struct Naming {
  const char* what;
  std::function<id()> make;
  const char* file;
};

class EZGraphNaming : public EZGraphFiles, public testing::WithParamInterface<Naming> {};

TEST_P(EZGraphNaming, FileNamedAfterTheSequence) {
  Feed* feed = newFeed(3);
  id graph = GetParam().make();
  msg::createSequence_withFeedFrom_andSelector(graph, "mean", feed, msg::feedValue.sel);
  msg::step(graph);
  msg::drop(graph);
  EXPECT_EQ(contents(GetParam().file), lines({3}));
  msg::drop(feed);
}

INSTANTIATE_TEST_SUITE_P(
    Facades, EZGraphNaming,
    testing::Values(
        Naming{"CreateSetFileName", [] { return fileGraph("run"); }, "run.mean"},
        Naming{"CreateSetFileOutput",
               [] { return msg::create_setFileOutput(ezGraph(), _obj_globalZone, YES); }, "mean"},
        Naming{"Setters",
               [] {
                 id g = msg::createBegin(ezGraph(), _obj_globalZone);
                 msg::setGraphics(g, 0);
                 msg::setFileOutput(g, YES);
                 msg::setFileName(g, "trial");
                 return msg::createEnd(g);
               },
               "trial.mean"}),
    [](const testing::TestParamInfo<Naming>& info) { return info.param.what; });

// Every statistic of a collection with the values 1 and 3 (whose variance
// is exact in one pass too); the moving ones with a window of one step.
struct Statistic {
  const char* what;
  std::function<id(id graph, id list)> make;
  double value;
};

class EZGraphStatistics : public EZGraphFiles, public testing::WithParamInterface<Statistic> {};

TEST_P(EZGraphStatistics, WritesTheAveragersStatistic) {
  id list = feedList({1, 3});
  id graph = fileGraph("stats");
  id sequence = GetParam().make(graph, list);
  msg::step(graph);
  EXPECT_EQ(msg::getCurrentValue(sequence), GetParam().value);
  msg::drop(graph);
  EXPECT_EQ(contents("stats.s"), lines({GetParam().value}));
  dropList(list);
}

// A statistic's creation message, with the moving ones' width of one step.
template <class M>
std::function<id(id, id)> statistic(const M& create) {
  return [&create](id graph, id list) { return create(graph, "s", list, msg::feedValue.sel); };
}

template <class M>
std::function<id(id, id)> moving(const M& create) {
  return [&create](id graph, id list) { return create(graph, "s", list, msg::feedValue.sel, 1u); };
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, EZGraphStatistics,
    testing::Values(
        Statistic{"Average", statistic(msg::createAverageSequence_withFeedFrom_andSelector), 2},
        Statistic{"MovingAverage",
                  moving(msg::createMovingAverageSequence_withFeedFrom_andSelector_andWidth), 2},
        Statistic{"Variance", statistic(msg::createVarianceSequence_withFeedFrom_andSelector), 2},
        Statistic{"MovingVariance",
                  moving(msg::createMovingVarianceSequence_withFeedFrom_andSelector_andWidth), 2},
        Statistic{"StdDev", statistic(msg::createStdDevSequence_withFeedFrom_andSelector),
                  std::sqrt(2)},
        Statistic{"MovingStdDev",
                  moving(msg::createMovingStdDevSequence_withFeedFrom_andSelector_andWidth),
                  std::sqrt(2)},
        Statistic{"Total", statistic(msg::createTotalSequence_withFeedFrom_andSelector), 4},
        Statistic{"Min", statistic(msg::createMinSequence_withFeedFrom_andSelector), 1},
        Statistic{"Max", statistic(msg::createMaxSequence_withFeedFrom_andSelector), 3},
        Statistic{"Count", statistic(msg::createCountSequence_withFeedFrom_andSelector), 2}),
    [](const testing::TestParamInfo<Statistic>& info) { return info.param.what; });

// The unsigned argument reaches the probed message: of the file pump for
// a plain sequence, of the averager for a statistic.
TEST_F(EZGraphFiles, UnsignedArgumentOfTheProbedMessage) {
  Feed* feed = newFeed(1.5);
  id list = feedList({1, 3});
  id graph = fileGraph("arg");
  msg::setUnsignedArg(msg::createSequence_withFeedFrom_andSelector(graph, "plain", feed,
                                                                   msg::feedValueTimes.sel),
                      4);
  msg::setUnsignedArg(msg::createTotalSequence_withFeedFrom_andSelector(graph, "total", list,
                                                                        msg::feedValueTimes.sel),
                      10);
  msg::step(graph);
  msg::drop(graph);
  EXPECT_EQ(contents("arg.plain"), lines({6}));
  EXPECT_EQ(contents("arg.total"), lines({40}));
  dropList(list);
  msg::drop(feed);
}

TEST_F(EZGraphFiles, OutputToFileAdvancesOnlyTheFiles) {
  Feed* feed = newFeed(2);
  id list = feedList({4, 8});
  id graph = fileGraph("out");
  msg::createSequence_withFeedFrom_andSelector(graph, "plain", feed, msg::feedValue.sel);
  msg::createAverageSequence_withFeedFrom_andSelector(graph, "mean", list, msg::feedValue.sel);
  msg::step(graph);
  static_cast<Feed*>(msg::getFirst(list))->value = 0;
  msg::outputToFile(graph);  // the averager is not updated: still 6
  msg::update(graph);        // updates the averager, writes nothing
  msg::outputGraph(graph);   // no graph lines: nothing
  msg::outputToFile(graph);
  msg::drop(graph);
  EXPECT_EQ(contents("out.plain"), lines({2, 2, 2}));
  EXPECT_EQ(contents("out.mean"), lines({6, 6, 4}));
  dropList(list);
  msg::drop(feed);
}

// The files are closed when their sequences are dropped: a dropped
// sequence's file is complete at once; the others when the graph goes.
TEST_F(EZGraphFiles, DroppingSequencesClosesTheirFiles) {
  Feed* feed = newFeed(5);
  id graph = fileGraph("d");
  id first = msg::createSequence_withFeedFrom_andSelector(graph, "first", feed, msg::feedValue.sel);
  msg::createSequence_withFeedFrom_andSelector(graph, "second", feed, msg::feedValue.sel);
  msg::step(graph);
  EXPECT_EQ(contents("d.first"), "");  // still in the stream's buffer
  msg::dropSequence(graph, first);
  EXPECT_EQ(contents("d.first"), lines({5}));
  msg::dropSequence(graph, first);  // no longer in the graph: nothing happens
  msg::step(graph);
  EXPECT_EQ(contents("d.second"), "");
  msg::drop(graph);
  EXPECT_EQ(contents("d.first"), lines({5}));
  EXPECT_EQ(contents("d.second"), lines({5, 5}));
  msg::drop(feed);
}

// create:setFileOutput: NO makes a facade that writes nothing; its
// sequences have no output, so they hold no current value.
TEST_F(EZGraphFiles, FileOutputFlagIsHonoured) {
  Feed* feed = newFeed(1);
  id graph = msg::create_setFileOutput(ezGraph(), _obj_globalZone, NO);
  id sequence =
      msg::createSequence_withFeedFrom_andSelector(graph, "mean", feed, msg::feedValue.sel);
  msg::step(graph);
  EXPECT_DEATH(msg::getCurrentValue(sequence),
               "EZSequence:[0-9]+ -\\[EZSequence getCurrentValue\\]");
  msg::drop(graph);
  EXPECT_EQ(contents("mean"), "<absent>");
  msg::drop(feed);
}

TEST_F(EZGraphFiles, UnopenableFileIsReportedByName) {
  Feed* feed = newFeed(1);
  id graph = fileGraph("no/such/dir");
  EXPECT_DEATH(
      msg::createSequence_withFeedFrom_andSelector(graph, "mean", feed, msg::feedValue.sel),
      report::error("SaveError",
                    "-[EZGraph createGraphSequence:forSequence:withFeedFrom:andSelector:]",
                    "EZGraph.cpp",
                    "cannot open the output file no/such/dir.mean: No such file or directory\n"));
  msg::drop(graph);
  msg::drop(feed);
}

// Each sequence is a vector of doubles in the group named by the prefix,
// one value per step, blocks and all.
TEST_F(EZGraphFiles, HDF5SequencesAreVectorsThatGrowOneValuePerStep) {
  id list = feedList({1, 2, 3});
  Feed* feed = newFeed(0.5);
  id file = makeNode(nil, "run.hdf", YES);
  id graph = msg::create_setHDF5Container_setPrefix(ezGraph(), _obj_globalZone, file, "run");
  msg::createAverageSequence_withFeedFrom_andSelector(graph, "mean", list, msg::feedValue.sel);
  msg::createSequence_withFeedFrom_andSelector(graph, "value", feed, msg::feedValue.sel);
  const unsigned steps = HDF5_VECTOR_BLOCK + 2;
  for (unsigned i = 0; i < steps; i++) {
    feed->value = i;
    msg::step(graph);
  }
  msg::drop(graph);
  msg::drop(file);
  EXPECT_HAS(h5ls("-r run.hdf"), "/run/mean                Dataset {16386/Inf}");
  EXPECT_HAS(h5dump("-d /run/mean -s 0 -c 2 run.hdf"), "(0): 2, 2");
  EXPECT_HAS(h5dump("-d /run/value -s 16383 -c 3 run.hdf"), "(16383): 16383, 16384, 16385");
  EXPECT_FALSE(std::ifstream("run.mean").good());
  dropList(list);
  msg::drop(feed);
}

TEST(EZGraph, WhatThisSetupCannotShowIsRefused) {
  // A child of its own, without the Tk interpreter that window tests start.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(msg::create_setTitle_setAxisLabelsX_Y_setWindowGeometryRecordName(
                   ezGraph(), _obj_globalZone, "t", "x", "y", "g"),
               report::error("InvalidCombination", "-[EZGraph createEnd]", "EZGraph.cpp",
                             "a graph window needs the interactive mode; without graphics an EZGraph "
                             "writes files\n"));
  id container = msg::create(objc_get_class("BroodObject"), _obj_globalZone);
  EXPECT_DEATH(msg::create_setHDF5Container_setPrefix(ezGraph(), _obj_globalZone, container, nullptr),
               report::error("InvalidArgument", "-[EZGraph createEnd]", "EZGraph.cpp",
                             "vectors in an HDF5 container need a prefix to name their group\n"));
  msg::drop(container);
  id graph = msg::createBegin(ezGraph(), _obj_globalZone);
  const char* colors[] = {"red"};
  EXPECT_DEATH(msg::setColors_count(graph, colors, 0),
               report::error("InvalidArgument", "-[EZGraph setColors:count:]", "EZGraph.cpp",
                             "a colour table needs at least one colour\n"));
}

TEST(EZGraph, CreationSettersAndGetters) {
  char name[8] = "base";
  id graph = msg::createBegin(ezGraph(), _obj_globalZone);
  msg::setGraphics(graph, 0);
  msg::setFileName(graph, name);
  msg::setTitle(graph, "title");
  name[0] = 'X';  // the facade keeps copies
  graph = msg::createEnd(graph);
  EXPECT_STREQ(msg::getFileName(graph), "base");
  EXPECT_STREQ(msg::getTitle(graph), "title");
  EXPECT_EQ(msg::getGraph(graph), nil);
  msg::drop(graph);
}

TEST(ActiveOutFile, NeedsAFileAndAFeed) {
  const std::string error =
      report::error("InvalidCombination", "-[ActiveOutFile createEnd]", "ActiveOutFile.cpp",
                    "ActiveOutFile not initialized properly");
  id pump = msg::createBegin(objc_get_class("ActiveOutFile"), _obj_globalZone);
  msg::setProbedSelector(pump, msg::feedValue.sel);
  EXPECT_DEATH(msg::createEnd(pump), error);
  Feed* feed = newFeed(1);
  msg::setDataFeed(pump, feed);
  EXPECT_DEATH(msg::createEnd(pump), error);
  msg::drop(pump);
  msg::drop(feed);
}

// The component widgets get record names made from the composite's, and
// one component per name.
TEST(GUIComposite, NamesItsComponentsRecords) {
  Class composite = objc_get_class("GUIComposite");
  id owner = msg::createBegin(composite, _obj_globalZone);
  id first = msg::create(composite, _obj_globalZone);
  id second = msg::create(composite, _obj_globalZone);
  auto recordName = [](id c) {
    return static_cast<GUIComposite*>(c)->baseWindowGeometryRecordName;
  };
  char component[8] = "graph";
  msg::setWindowGeometryRecordNameForComponent_widget(owner, component, first);
  EXPECT_EQ(recordName(first), nullptr);  // no name of its own: none for its components
  msg::setWindowGeometryRecordName(owner, "top");
  msg::setSaveSizeFlag(owner, YES);
  owner = msg::createEnd(owner);
  msg::setWindowGeometryRecordNameForComponent_widget(owner, component, second);
  EXPECT_STREQ(recordName(second), "top-graph");
  id components = static_cast<GUIComposite*>(owner)->componentList;
  std::strcpy(component, "other");  // the composite keeps its own copy of the name
  EXPECT_EQ(msg::getCount(components), 1u);
  EXPECT_EQ(msg::at(components, reinterpret_cast<id>(const_cast<char*>("graph"))), second);
  EXPECT_EQ(static_cast<GUIComposite*>(owner)->saveSizeFlag, YES);
  for (id c : {owner, first, second}) msg::drop(c);
}

}  // namespace
