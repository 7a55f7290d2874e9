#include "analysis/feeds.h"

#include "collections/collections.h"
#include "defobj/phase.h"

double Feed::feedValue() { return value; }
double Feed::feedValueTimes(unsigned factor) { return value * factor; }

REGISTER_CLASS(Feed, BroodObject,
  ivar(&Feed::value, "value"),
  method<&Feed::feedValue>(msg::feedValue),
  method<&Feed::feedValueTimes>(msg::feedValueTimes))

void analysis_register_test_classes() { objc_register_Feed(); }

Feed* newFeed(double value) {
  auto* feed = static_cast<Feed*>(msg::create(objc_get_class("Feed"), _obj_globalZone));
  feed->value = value;
  return feed;
}

id feedList(std::initializer_list<double> values) {
  id list = msg::create(List, _obj_globalZone);
  for (double v : values) msg::addLast(list, newFeed(v));
  return list;
}

void dropList(id list) {
  while (msg::getCount(list)) msg::drop(msg::removeFirst(list));
  msg::drop(list);
}
