#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "analysis/feeds.h"
#include "space/report.h"

namespace {

id averager(id target, unsigned width) {
  id a = msg::createBegin(objc_get_class("Averager"), _obj_globalZone);
  msg::setCollection(a, target);
  msg::setWidth(a, width);
  msg::setProbedSelector(a, msg::feedValue.sel);
  return msg::createEnd(a);
}

// The statistics computed directly from the values, two passes.
struct Direct {
  double average = 0, variance = 0, total = 0, min = 0, max = 0;

  explicit Direct(const std::vector<double>& v) {
    if (v.empty()) return;
    for (double x : v) total += x;
    average = total / v.size();
    if (v.size() > 1) {
      for (double x : v) variance += (x - average) * (x - average);
      variance /= v.size() - 1;
    }
    min = *std::min_element(v.begin(), v.end());
    max = *std::max_element(v.begin(), v.end());
  }
};

struct Population {
  const char* name;
  std::vector<double> values;
};

class AveragerOverACollection : public testing::TestWithParam<Population> {};

TEST_P(AveragerOverACollection, DescribesTheStepsMembers) {
  const std::vector<double>& values = GetParam().values;
  id list = msg::create(List, _obj_globalZone);
  for (double v : values) msg::addLast(list, newFeed(v));
  id a = averager(list, 0);
  // Two updates: the second must not count the first step's values again.
  msg::update(a);
  msg::update(a);
  const Direct expected(values);
  EXPECT_EQ(msg::getCount(a), values.size());
  EXPECT_DOUBLE_EQ(msg::getTotal(a), expected.total);
  EXPECT_DOUBLE_EQ(msg::getAverage(a), expected.average);
  EXPECT_NEAR(msg::getVariance(a), expected.variance, 1e-12);
  EXPECT_NEAR(msg::getStdDev(a), std::sqrt(expected.variance), 1e-12);
  EXPECT_EQ(msg::getMin(a), expected.min);
  EXPECT_EQ(msg::getMax(a), expected.max);
  msg::drop(a);
  dropList(list);
}

// Equal values whose one-pass sums round below zero (0.1 three times)
// still vary by exactly nothing; an empty population averages 0.
INSTANTIATE_TEST_SUITE_P(
    Populations, AveragerOverACollection,
    testing::Values(Population{"Empty", {}}, Population{"One", {4.5}},
                    Population{"Small", {1, 2, 3}}, Population{"Mixed", {-5.5, 0, 2.25, 10, 10}},
                    Population{"ConstantTenths", {0.1, 0.1, 0.1}},
                    Population{"ConstantLarge", {3.3, 3.3, 3.3, 3.3, 3.3, 3.3}}),
    [](const testing::TestParamInfo<Population>& info) { return info.param.name; });

struct Window {
  const char* name;
  std::vector<double> values;
  unsigned width;
};

class AveragerWindow : public testing::TestWithParam<Window> {};

// A single object accumulates over every update, and its window holds the
// last width values.
TEST_P(AveragerWindow, CoversTheLatestValues) {
  const Window& w = GetParam();
  Feed* feed = newFeed(0);
  id a = averager(feed, w.width);
  for (double v : w.values) {
    feed->value = v;
    msg::update(a);
  }
  const Direct all(w.values);
  const size_t seen = std::min<size_t>(w.width, w.values.size());
  const Direct latest(std::vector<double>(w.values.end() - seen, w.values.end()));
  EXPECT_EQ(msg::getCount(a), w.values.size());
  EXPECT_DOUBLE_EQ(msg::getAverage(a), all.average);
  EXPECT_NEAR(msg::getVariance(a), all.variance, 1e-12);
  EXPECT_DOUBLE_EQ(msg::getMovingAverage(a), latest.average);
  EXPECT_NEAR(msg::getMovingVariance(a), latest.variance, 1e-12);
  EXPECT_NEAR(msg::getMovingStdDev(a), std::sqrt(latest.variance), 1e-12);
  EXPECT_GE(msg::getMovingVariance(a), 0);
  msg::drop(a);
  msg::drop(feed);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, AveragerWindow,
    testing::Values(Window{"OneToFourWidthTwo", {1, 2, 3, 4}, 2},
                    Window{"NotYetFull", {5, -1}, 4}, Window{"WidthOne", {3, 8, 1}, 1},
                    Window{"WrapsTwice", {1, 9, 2, 8, 3, 7, 4}, 3},
                    Window{"ConstantTenths", {0.1, 0.1, 0.1, 0.1, 0.1}, 3}),
    [](const testing::TestParamInfo<Window>& info) { return info.param.name; });

TEST(Averager, OneToFourWithWidthTwo) {
  Feed* feed = newFeed(0);
  id a = averager(feed, 2);
  for (double v : {1, 2, 3, 4}) {
    feed->value = v;
    msg::update(a);
  }
  EXPECT_EQ(msg::getMovingAverage(a), 3.5);
  EXPECT_EQ(msg::getMovingVariance(a), 0.5);
  msg::drop(a);
  msg::drop(feed);
}

// A collection's window holds width steps of the population counted at
// creation, and keeps that capacity when the collection grows.
TEST(Averager, CollectionWindowKeepsItsCapacity) {
  id list = feedList({1, 2});
  id a = averager(list, 2);  // 4 values
  msg::update(a);            // 1 2
  msg::addLast(list, newFeed(3));
  msg::update(a);  // 1 2 3: the latest four values are 2 1 2 3
  EXPECT_DOUBLE_EQ(msg::getMovingAverage(a), (2 + 1 + 2 + 3) / 4.0);
  EXPECT_DOUBLE_EQ(msg::getAverage(a), 2);
  EXPECT_EQ(msg::getCount(a), 3u);
  msg::drop(a);
  dropList(list);
}

// Without a window (width 0 over a collection, or a window over a
// collection that was empty at creation) the moving statistics are 0.
TEST(Averager, NoWindowMovesNothing) {
  id list = feedList({1, 5});
  id empty = msg::create(List, _obj_globalZone);
  id withoutWidth = averager(list, 0), createdEmpty = averager(empty, 3);
  msg::addLast(empty, newFeed(7));
  for (id a : {withoutWidth, createdEmpty}) {
    msg::update(a);
    msg::update(a);
    EXPECT_EQ(msg::getMovingAverage(a), 0);
    EXPECT_EQ(msg::getMovingVariance(a), 0);
    EXPECT_EQ(msg::getMovingStdDev(a), 0);
    msg::drop(a);
  }
  dropList(list);
  dropList(empty);
}

TEST(Averager, ValuesAddedDirectly) {
  Feed* feed = newFeed(0);
  id a = averager(feed, 1);
  msg::addValueToAverage(msg::addValueToAverage(a, -2), 6);
  EXPECT_EQ(msg::getMin(a), -2);
  EXPECT_EQ(msg::getMax(a), 6);
  EXPECT_EQ(msg::getAverage(a), 2);
  EXPECT_EQ(msg::getMovingAverage(a), 6);
  msg::drop(a);
  msg::drop(feed);
}

TEST(Averager, CreationErrors) {
  EXPECT_DEATH(averager(nil, 3),
               report::error("InvalidCombination", "-[Averager createEnd]", "Averager.cpp",
                             "Averager created without a target\n"));
  Feed* feed = newFeed(1);
  EXPECT_DEATH(averager(feed, 0),
               report::error("InvalidCombination", "-[Averager createEnd]", "Averager.cpp",
                             "Averages of non-collections must having a interval width\n"));
  id list = feedList({1, 2});
  EXPECT_DEATH(averager(list, 0x80000000u),
               report::error("InvalidArgument", "-[Averager createEnd]", "Averager.cpp",
                             "a window of 2147483648 steps over 2 members is too large\n"));
  dropList(list);
  msg::drop(feed);
}

}  // namespace
