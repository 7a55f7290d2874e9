#include "analysis/ActiveOutFile.h"

#include "defobj/phase.h"
#include "defobj/raise.h"

id ActiveOutFile::setFileObject(id aFile) {
  file = aFile;
  return this;
}

id ActiveOutFile::setDataFeed(id feed) {
  dataFeed = feed;
  return this;
}

id ActiveOutFile::createEnd() {
  if (!file || !dataFeed)
    raiseAt(InvalidCombination, "-[ActiveOutFile createEnd]",
            "ActiveOutFile not initialized properly");
  msg::setProbedClass(this, msg::getClass(dataFeed));
  return MessageProbe::createEnd();
}

id ActiveOutFile::step() {
  currentValue = msg::doubleDynamicCallOn(this, dataFeed);
  msg::putNewLine(msg::putDouble(file, currentValue));
  return this;
}

double ActiveOutFile::getCurrentValue() { return currentValue; }

void ActiveOutFile::drop() {
  msg::drop(file);
  MessageProbe::drop();
}

REGISTER_CLASS(ActiveOutFile, MessageProbe,
  ivar(&ActiveOutFile::file, "file"),
  ivar(&ActiveOutFile::dataFeed, "dataFeed"),
  ivar(&ActiveOutFile::currentValue, "currentValue"),
  phase(Phase::Creating),
  method<&ActiveOutFile::setFileObject>(msg::setFileObject),
  method<&ActiveOutFile::setDataFeed>(msg::setDataFeed),
  method<&ActiveOutFile::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&ActiveOutFile::step>(msg::step),
  method<&ActiveOutFile::getCurrentValue>(msg::getCurrentValue),
  method<&ActiveOutFile::drop>(msg::drop))
