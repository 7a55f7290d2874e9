#include "analysis/ActiveGraph.h"

#include "activity/activity.h"
#include "defobj/phase.h"
#include "defobj/raise.h"
#include "voduva/graph_messages.h"

id ActiveGraph::setElement(id anElement) {
  element = anElement;
  return this;
}

id ActiveGraph::setDataFeed(id feed) {
  dataFeed = feed;
  return this;
}

id ActiveGraph::createEnd() {
  if (!element || !dataFeed)
    raiseAt(InvalidCombination, "-[ActiveGraph createEnd]", "ActiveGraph not initialized properly");
  msg::setProbedClass(this, msg::getClass(dataFeed));
  return MessageProbe::createEnd();
}

// The x of a point is the time of the schedule being run.
id ActiveGraph::step() {
  currentValue = msg::doubleDynamicCallOn(this, dataFeed);
  id schedule = _activity_current ? msg::getScheduleActivity(_activity_current) : nil;
  if (!schedule) _activity_context_error("getCurrentTime");
  msg::addX_Y(element, static_cast<double>(msg::getCurrentTime(schedule)), currentValue);
  return this;
}

double ActiveGraph::getCurrentValue() { return currentValue; }

REGISTER_CLASS(ActiveGraph, MessageProbe,
  ivar(&ActiveGraph::currentValue, "currentValue"),
  ivar(&ActiveGraph::element, "element"),
  ivar(&ActiveGraph::dataFeed, "dataFeed"),
  phase(Phase::Creating),
  method<&ActiveGraph::setElement>(msg::setElement),
  method<&ActiveGraph::setDataFeed>(msg::setDataFeed),
  method<&ActiveGraph::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&ActiveGraph::step>(msg::step),
  method<&ActiveGraph::getCurrentValue>(msg::getCurrentValue))
