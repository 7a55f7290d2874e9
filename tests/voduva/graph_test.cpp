// Graphs on BLT: the graph widget and its bindings, elements drawn from two
// vectors each, the points they receive, and what dropping leaves behind.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "collections/collections.h"
#include "defobj/Zone.h"
#include "support/reports.h"
#include "voduva/Graph.h"
#include "voduva_fixture.h"

namespace {

class GraphTest : public TkTest {
 protected:
  void SetUp() override { graph = msg::create(objc_get_class("Graph"), _obj_globalZone); }
  void TearDown() override {
    if (graph) msg::drop(graph);
    while (voduva_doOneEventAsync()) {}
  }

  std::string path() const { return msg::getWidgetName(graph); }
  // The element's option as BLT holds it.
  std::string elementOption(id element, const std::string& option) const {
    return run(path() + " element cget " + msg::getName(element) + " " + option);
  }
  static std::string vectorName(id vector) {
    const char* name = msg::getName(vector);
    std::string copy = name;
    msg::free(_obj_scratchZone, const_cast<char*>(name));
    return copy;
  }
  static std::string values(id vector) { return run(vectorName(vector) + " range 0 end"); }
  static bool vectorExists(const std::string& name) { return run("info commands {" + name + "}") != ""; }

  // The Tcl texts the action evaluates, one a line.
  static std::string textsOf(const std::function<void()>& action) {
    msg::setEvalDebugPrint(globalTkInterp, YES);
    testing::internal::CaptureStderr();
    action();
    const std::string texts = testing::internal::GetCapturedStderr();
    msg::setEvalDebugPrint(globalTkInterp, NO);
    return texts;
  }

  id graph = nil;
};

}  // namespace

TEST_F(GraphTest, IsABltGraphWithZoomCrosshairsLegendAndClosestPoint) {
  EXPECT_EQ(run("winfo class " + path()), "Graph");
  EXPECT_EQ(run(path() + " cget -width") + "x" + run(path() + " cget -height"), "400x247");
  const std::string tags = run("bindtags " + path());
  for (const char* tag : {"zoom-", "closest-point-", "crosshairs-"})
    EXPECT_NE(tags.find(tag + path()), std::string::npos) << tag << " in " << tags;
  EXPECT_NE(run(path() + " legend bind all <Enter>").find("blt::ActivateLegend"), std::string::npos);
  EXPECT_EQ(msg::getCount(static_cast<Graph*>(graph)->elementList), 0u);
}

TEST_F(GraphTest, TitleLabelsRangesAndScaleModeConfigureTheGraph) {
  run("set ::pwned 0");
  msg::setTitle(graph, "Unhappiness of {all}");
  msg::setAxisLabelsX_Y(graph, "time} [set ::pwned 1] {", "unhappiness");
  msg::setScaleModeX_Y(graph, YES, NO);
  EXPECT_EQ(run(path() + " cget -title"), "Unhappiness of {all}");
  EXPECT_EQ(run("wm title " + std::string(msg::getWidgetName(msg::getTopLevel(graph)))), "Unhappiness of {all}");
  EXPECT_EQ(run(path() + " xaxis cget -title") + "," + run(path() + " yaxis cget -title"), "time} [set ::pwned 1] {,unhappiness");
  EXPECT_EQ(run("set ::pwned"), "0");
  EXPECT_EQ(run(path() + " xaxis cget -loose") + run(path() + " yaxis cget -loose"), "10");
  EXPECT_EQ(textsOf([&] { msg::setRangesXMin_Max(graph, 0, 100); }),
            path() + " xaxis configure -min 0.000000 -max 100.000000\n");
  EXPECT_EQ(textsOf([&] { msg::setRangesXMin_Max_YMin_Max(graph, -1.5, 2, 3, 4.25); }),
            path() + " xaxis configure -min -1.500000 -max 2.000000\n" + path() +
                " yaxis configure -min 3.000000 -max 4.250000\n");
  EXPECT_EQ(run(path() + " xaxis cget -min") + " " + run(path() + " yaxis cget -max"), "-1.5 4.25");
}

TEST_F(GraphTest, ElementsHaveDistinctNamesAndVectors) {
  id first = msg::createElement(graph);
  id second = msg::createElement(graph);
  const std::string a = msg::getName(first), b = msg::getName(second);
  EXPECT_EQ(a, tclObjc_objectToName(first));
  EXPECT_NE(a, b);
  EXPECT_EQ(run("lsort [" + path() + " element names]"), run("lsort [list " + a + " " + b + "]"));
  const std::string vectors[] = {vectorName(msg::getXData(first)), vectorName(msg::getYData(first)),
                                 vectorName(msg::getXData(second)), vectorName(msg::getYData(second))};
  EXPECT_EQ(run("llength [lsort -unique [list " + vectors[0] + " " + vectors[1] + " " + vectors[2] + " " +
                vectors[3] + "]]"),
            "4");
  for (const std::string& vector : vectors) {
    EXPECT_EQ(vector.rfind("BLTVector@0x", 0), 0u) << vector;
    EXPECT_TRUE(vectorExists(vector)) << vector;
  }
  EXPECT_EQ(elementOption(first, "-xdata"), "::" + vectors[0]);
  EXPECT_EQ(elementOption(first, "-ydata"), "::" + vectors[1]);
  EXPECT_EQ(elementOption(second, "-symbol"), "none");
  EXPECT_EQ(elementOption(first, "-activepen"), a + "_line");
  EXPECT_EQ(run(path() + " pen cget " + a + "_line -linewidth"), "3");
  EXPECT_EQ(run(path() + " pen cget " + a + "_line -symbol"), "none");
  id list = static_cast<Graph*>(graph)->elementList;
  EXPECT_EQ(msg::getFirst(list), first);
  EXPECT_EQ(msg::getLast(list), second);
}

TEST_F(GraphTest, ElementOptionsReachBlt) {
  id element = msg::createElement(graph);
  msg::setLabel(element, "average unhappiness");
  msg::setColor(element, "blue");
  msg::setWidth(element, 2);
  msg::setSymbol(element, "circle");
  msg::setSymbolSize(element, 7);
  msg::setDashes(element, 4);
  const std::string pen = path() + " pen cget " + msg::getName(element) + "_line ";
  const struct {
    std::string option, value;
  } expected[] = {{"-label", "average unhappiness"}, {"-color", "blue"}, {"-linewidth", "2"},
                  {"-symbol", "circle"},             {"-pixels", "7"},   {"-dashes", "4"}};
  for (const auto& [option, value] : expected) EXPECT_EQ(elementOption(element, option), value) << option;
  EXPECT_EQ(run(pen + "-color") + " " + run(pen + "-outline"), "blue blue");
}

TEST_F(GraphTest, PointsReachTheVectorsWithSixSignificantDigits) {
  id element = msg::createElement(graph);
  EXPECT_EQ(textsOf([&] { msg::addX_Y(element, 1.0, 0.123456789); }),
            vectorName(msg::getXData(element)) + " append 1\n" + vectorName(msg::getYData(element)) +
                " append 0.123457\n");
  msg::addX_Y(element, 2.0, 0.5);
  EXPECT_EQ(values(msg::getXData(element)), "1.0 2.0");
  EXPECT_EQ(values(msg::getYData(element)), "0.123457 0.5");
  EXPECT_EQ(msg::getLength(msg::getYData(element)), 2u);
  msg::resetData(element);
  EXPECT_EQ(msg::getLength(msg::getXData(element)), 0u);
  EXPECT_EQ(msg::getLength(msg::getYData(element)), 0u);
}

TEST_F(GraphTest, VectorsGrowShrinkAndDeleteByIndex) {
  id vector = msg::create(objc_get_class("BLTVector"), _obj_globalZone);
  const std::string name = vectorName(vector);
  EXPECT_EQ(name, tclObjc_objectToName(vector));
  for (double v : {3.0, 4.0, 5.0}) msg::append(vector, v);
  msg::delete_(vector, 1);
  EXPECT_EQ(values(vector), "3.0 5.0");
  msg::setLength(vector, 4);
  EXPECT_EQ(msg::getLength(vector), 4u);
  EXPECT_EQ(values(vector), "3.0 5.0 0.0 0.0");
  msg::resetData(vector);
  EXPECT_EQ(msg::getLength(vector), 0u);
  msg::append(vector, 9.0);
  msg::drop(vector);
  // Gone from BLT, so a new vector at the same address starts empty.
  EXPECT_FALSE(vectorExists(name));
  EXPECT_EQ(run("vector create {" + name + "}; " + name + " length"), "0");
  run("vector destroy {" + name + "}");
}

TEST_F(GraphTest, DestroyingAnElementDeletesItAndItsVectors) {
  id kept = msg::createElement(graph);
  id gone = msg::createElement(graph);
  const std::string name = msg::getName(gone);
  const std::string x = vectorName(msg::getXData(gone)), y = vectorName(msg::getYData(gone));
  msg::destroyElement(graph, gone);
  EXPECT_EQ(run(path() + " element names"), msg::getName(kept));
  EXPECT_FALSE(vectorExists(x));
  EXPECT_FALSE(vectorExists(y));
  EXPECT_EQ(msg::getCount(static_cast<Graph*>(graph)->elementList), 1u);
}

TEST_F(GraphTest, DroppingTheGraphDropsItsElementsFirst) {
  id first = msg::createElement(graph);
  id second = msg::createElement(graph);
  const std::string names[] = {msg::getName(first), msg::getName(second)};
  const std::string vectors[] = {vectorName(msg::getXData(first)), vectorName(msg::getYData(second))};
  const std::string widget = path(), top = msg::getWidgetName(msg::getTopLevel(graph));
  const std::string texts = textsOf([&] { msg::drop(graph); });
  graph = nil;
  EXPECT_EQ(texts.find("(Tcl -eval:)"), std::string::npos) << texts;
  EXPECT_NE(texts.find(widget + " element delete " + names[0]), std::string::npos) << texts;
  EXPECT_LT(texts.find(names[0]), texts.find(widget + " element delete " + names[1])) << texts;
  EXPECT_EQ(run("winfo exists " + top), "0");
  for (const std::string& vector : vectors) EXPECT_FALSE(vectorExists(vector)) << vector;
}

TEST_F(GraphTest, ElementOfADestroyedWindowOnlyDropsItsData) {
  id element = msg::createElement(graph);
  const std::string x = vectorName(msg::getXData(element));
  id told = msg::create(List, _obj_globalZone);
  msg::enableDestroyNotification_notificationMethod(graph, told, msg::addLast.sel);
  run("destroy " + std::string(msg::getWidgetName(msg::getTopLevel(graph))));
  while (voduva_doOneEventAsync()) {}
  ASSERT_TRUE(msg::getDestroyedFlag(graph));
  EXPECT_EQ(msg::getFirst(told), graph);
  const std::string texts = textsOf([&] { msg::destroyElement(graph, element); });
  EXPECT_EQ(texts.find("element delete"), std::string::npos) << texts;
  EXPECT_EQ(texts.find("(Tcl -eval:)"), std::string::npos) << texts;
  EXPECT_FALSE(vectorExists(x));
  msg::drop(told);
}

TEST(GraphElementMisuse, AnElementNeedsAnOwnerGraph) {
  const Misuse cases[] = {
      {"no owner graph",
       [] { msg::createEnd(msg::createBegin(objc_get_class("GraphElement"), _obj_globalZone)); },
       "-[GraphElement createEnd]", "This element has no owner graph!\n"},
  };
  expectReports(cases);
}
