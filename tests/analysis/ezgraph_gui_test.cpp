// The graph facade with its window: one line per sequence, growing by one
// point per step of the schedule that steps it, in the colours of the table.
#include <gtest/gtest.h>

#include <string>

#include "activity/activity.h"
#include "analysis/feeds.h"
#include "collections/collections.h"
#include "defobj/Zone.h"
#include "voduva/ArchivedGeometryWidget.h"
#include "voduva/Graph.h"
#include "voduva/graph_messages.h"
#include "voduva/voduva_fixture.h"

namespace {

class EZGraphWindow : public TkTest {
 protected:
  void TearDown() override {
    if (graph) msg::drop(graph);
    while (voduva_doOneEventAsync()) {}
  }

  void makeGraph(const char* title, const char* x, const char* y) {
    graph = msg::create_setTitle_setAxisLabelsX_Y_setWindowGeometryRecordName(
        objc_get_class("EZGraph"), _obj_globalZone, title, x, y, "unhappyGraph");
  }

  std::string path() const { return msg::getWidgetName(msg::getGraph(graph)); }
  // The graph lines in creation order.
  id line(unsigned n) const { return msg::atOffset(static_cast<Graph*>(msg::getGraph(graph))->elementList, n); }
  std::string lineOption(unsigned n, const char* option) const {
    return run(path() + " element cget " + msg::getName(line(n)) + " " + option);
  }
  static std::string values(id vector) {
    const char* name = msg::getName(vector);
    const std::string text = run(std::string(name) + " range 0 end");
    msg::free(_obj_scratchZone, const_cast<char*>(name));
    return text;
  }

  // Steps the facade from a schedule at each of the times.
  void stepAt(std::initializer_list<timeval_t> times) {
    id schedule = msg::create(Schedule, _obj_globalZone);
    for (timeval_t t : times) msg::at_createActionTo_message(schedule, t, graph, msg::step.sel);
    msg::run(msg::activateIn(schedule, nil));
    msg::drop(schedule);
  }

  id graph = nil;
};

TEST_F(EZGraphWindow, EachStepAddsOnePointAtTheScheduleTime) {
  makeGraph("Unhappiness of bugs vs. time", "time", "unhappiness");
  Feed* feed = newFeed(0.5);
  id list = feedList({1, 2, 3});
  msg::createSequence_withFeedFrom_andSelector(graph, "value", feed, msg::feedValue.sel);
  msg::createAverageSequence_withFeedFrom_andSelector(graph, "mean", list, msg::feedValue.sel);
  stepAt({0, 3});
  EXPECT_EQ(values(msg::getXData(line(0))), "0.0 3.0");
  EXPECT_EQ(values(msg::getYData(line(0))), "0.5 0.5");
  stepAt({7});
  EXPECT_EQ(values(msg::getXData(line(1))), "0.0 3.0 7.0");
  EXPECT_EQ(values(msg::getYData(line(1))), "2.0 2.0 2.0");
  EXPECT_EQ(lineOption(1, "-label"), "mean");
  msg::drop(graph);
  graph = nil;
  dropList(list);
  msg::drop(feed);
}

TEST_F(EZGraphWindow, StepOutsideAScheduleIsAContextError) {
  makeGraph("t", "x", "y");
  Feed* feed = newFeed(1);
  msg::createSequence_withFeedFrom_andSelector(graph, "value", feed, msg::feedValue.sel);
  EXPECT_DEATH(msg::step(graph), "getCurrentTime");
  msg::drop(feed);
}

TEST_F(EZGraphWindow, LinesTakeTheColoursInTurn) {
  makeGraph("t", "x", "y");
  Feed* feed = newFeed(1);
  for (int i = 0; i < 13; i++) msg::createSequence_withFeedFrom_andSelector(graph, "s", feed, msg::feedValue.sel);
  EXPECT_EQ(lineOption(0, "-color"), "blue");
  EXPECT_EQ(lineOption(1, "-color"), "orange");
  EXPECT_EQ(lineOption(11, "-color"), "seagreen");
  EXPECT_EQ(lineOption(12, "-color"), "blue");
  msg::drop(feed);
}

TEST_F(EZGraphWindow, TitlesLabelsRangesAndRecordName) {
  makeGraph("Unhappiness of bugs vs. time", "time", "unhappiness");
  msg::setRangesYMin_Max(graph, 0, 1.5);
  msg::setScaleModeX_Y(graph, YES, NO);
  EXPECT_EQ(run(path() + " yaxis cget -max"), "1.5");
  EXPECT_EQ(run(path() + " xaxis cget -loose"), "1");
  EXPECT_EQ(run(path() + " cget -title"), "Unhappiness of bugs vs. time");
  EXPECT_EQ(run(path() + " xaxis cget -title"), "time");
  EXPECT_EQ(run(path() + " yaxis cget -title"), "unhappiness");
  EXPECT_EQ(run("wm title [winfo toplevel " + path() + "]"), "Unhappiness of bugs vs. time");
  EXPECT_STREQ(static_cast<ArchivedGeometryWidget*>(msg::getGraph(graph))->windowGeometryRecordName,
               "unhappyGraph-graph");
}

// Texts never given stay out of Tcl.
TEST_F(EZGraphWindow, MissingTitleAndLabelsAreSkipped) {
  makeGraph(nullptr, nullptr, "unhappiness");
  EXPECT_EQ(run(path() + " cget -title"), "");
  EXPECT_EQ(run(path() + " xaxis cget -title"), "");
  EXPECT_EQ(run(path() + " yaxis cget -title"), "unhappiness");
}

}  // namespace
