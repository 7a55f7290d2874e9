#include "analysis/ActiveOutFile.h"

#include "defobj/hdf5_messages.h"
#include "defobj/phase.h"
#include "defobj/raise.h"

id ActiveOutFile::setFileObject(id aFile) {
  file = aFile;
  return this;
}

id ActiveOutFile::setHDF5Dataset(id vector) {
  hdf5Dataset = vector;
  return this;
}

id ActiveOutFile::setDataFeed(id feed) {
  dataFeed = feed;
  return this;
}

id ActiveOutFile::createEnd() {
  if ((!file && !hdf5Dataset) || !dataFeed)
    raiseAt(InvalidCombination, "-[ActiveOutFile createEnd]",
            "ActiveOutFile not initialized properly");
  msg::setProbedClass(this, msg::getClass(dataFeed));
  return MessageProbe::createEnd();
}

id ActiveOutFile::step() {
  currentValue = msg::doubleDynamicCallOn(this, dataFeed);
  if (file) msg::putNewLine(msg::putDouble(file, currentValue));
  else msg::addDoubleToVector(hdf5Dataset, currentValue);
  return this;
}

double ActiveOutFile::getCurrentValue() { return currentValue; }

void ActiveOutFile::drop() {
  // Dropping the vector writes its last block.
  msg::drop(file);
  msg::drop(hdf5Dataset);
  MessageProbe::drop();
}

REGISTER_CLASS(ActiveOutFile, MessageProbe,
  ivar(&ActiveOutFile::file, "file"),
  ivar(&ActiveOutFile::dataFeed, "dataFeed"),
  ivar(&ActiveOutFile::currentValue, "currentValue"),
  ivar(&ActiveOutFile::hdf5Dataset, "hdf5Dataset"),
  phase(Phase::Creating),
  method<&ActiveOutFile::setFileObject>(msg::setFileObject),
  method<&ActiveOutFile::setHDF5Dataset>(msg::setHDF5Dataset),
  method<&ActiveOutFile::setDataFeed>(msg::setDataFeed),
  method<&ActiveOutFile::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&ActiveOutFile::step>(msg::step),
  method<&ActiveOutFile::getCurrentValue>(msg::getCurrentValue),
  method<&ActiveOutFile::drop>(msg::drop))
