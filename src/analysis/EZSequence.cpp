#include "analysis/EZSequence.h"

#include "defobj/phase.h"
#include "misc/debugabort.h"

id EZSequence::setActiveOutFile(id pump) {
  activeOutFile = pump;
  return this;
}

id EZSequence::setActiveGrapher(id pump) {
  activeGrapher = pump;
  return this;
}

id EZSequence::setUnsignedArg(unsigned value) {
  msg::setArg_ToUnsigned(activeGrapher, 0, value);
  msg::setArg_ToUnsigned(activeOutFile, 0, value);
  return this;
}

// Sends to a missing pump answer nothing and do nothing.
id EZSequence::step() {
  msg::step(activeGrapher);
  msg::step(activeOutFile);
  return this;
}

id EZSequence::update() { return this; }

id EZSequence::outputGraph() {
  msg::step(activeGrapher);
  return this;
}

id EZSequence::outputToFile() {
  msg::step(activeOutFile);
  return this;
}

double EZSequence::getCurrentValue() {
  if (activeGrapher) return msg::getCurrentValue(activeGrapher);
  if (activeOutFile) return msg::getCurrentValue(activeOutFile);
  // A sequence without outputs never read a value.
  debugabort("EZSequence", __LINE__, "-[EZSequence getCurrentValue]");
}

void EZSequence::drop() {
  msg::drop(activeGrapher);
  msg::drop(activeOutFile);
  BroodObject::drop();
}

id EZAverageSequence::setAverager(id anAverager) {
  averager = anAverager;
  return this;
}

id EZAverageSequence::getAverager() { return averager; }

id EZAverageSequence::setUnsignedArg(unsigned value) {
  msg::setArg_ToUnsigned(averager, 0, value);
  return this;
}

id EZAverageSequence::step() {
  msg::update(averager);
  return EZSequence::step();
}

id EZAverageSequence::update() {
  msg::update(averager);
  return EZSequence::update();
}

// The averager was made for this sequence alone.
void EZAverageSequence::drop() {
  msg::drop(averager);
  EZSequence::drop();
}

REGISTER_CLASS(EZSequence, BroodObject,
  ivar(&EZSequence::activeOutFile, "activeOutFile"),
  ivar(&EZSequence::activeGrapher, "activeGrapher"),
  phase(Phase::Using),
  method<&EZSequence::setActiveOutFile>(msg::setActiveOutFile),
  method<&EZSequence::setActiveGrapher>(msg::setActiveGrapher),
  method<&EZSequence::setUnsignedArg>(msg::setUnsignedArg),
  method<&EZSequence::step>(msg::step),
  method<&EZSequence::update>(msg::update),
  method<&EZSequence::outputGraph>(msg::outputGraph),
  method<&EZSequence::outputToFile>(msg::outputToFile),
  method<&EZSequence::getCurrentValue>(msg::getCurrentValue),
  method<&EZSequence::drop>(msg::drop))

REGISTER_CLASS(EZAverageSequence, EZSequence,
  ivar(&EZAverageSequence::averager, "averager"),
  phase(Phase::Using),
  method<&EZAverageSequence::setAverager>(msg::setAverager),
  method<&EZAverageSequence::getAverager>(msg::getAverager),
  method<&EZAverageSequence::setUnsignedArg>(msg::setUnsignedArg),
  method<&EZAverageSequence::step>(msg::step),
  method<&EZAverageSequence::update>(msg::update),
  method<&EZAverageSequence::drop>(msg::drop))
