#include "random/fixtures.h"

#include <gtest/gtest.h>

#include "defobj/phase.h"
#include "collections/stream_messages.h"
#include "defobj/test_stream.h"

id newArguments(BOOL vary, BOOL fixed, unsigned seed) {
  auto* arguments =
      static_cast<FakeArguments*>(msg::create(classNamed("FakeArguments"), _obj_globalZone));
  arguments->varySeed = vary;
  arguments->fixedSeedGiven = fixed;
  arguments->fixedSeed = seed;
  return arguments;
}

REGISTER_CLASS(FakeArguments, CreateDrop,
  ivar(&FakeArguments::varySeed, "varySeed"),
  ivar(&FakeArguments::fixedSeedGiven, "fixedSeedGiven"),
  ivar(&FakeArguments::fixedSeed, "fixedSeed"),
  method<&FakeArguments::getVarySeedFlag>(msg::getVarySeedFlag),
  method<&FakeArguments::getFixedSeedFlag>(msg::getFixedSeedFlag),
  method<&FakeArguments::getFixedSeed>(msg::getFixedSeed))

REGISTER_CLASS(FakeSplitGenerator, CreateDrop,
  ivar(&FakeSplitGenerator::draws, "draws"),
  method<&FakeSplitGenerator::advanceAll>(msg::advanceAll),
  method<&FakeSplitGenerator::getNumGenerators>(msg::getNumGenerators),
  method<&FakeSplitGenerator::getUnsignedMax>(msg::getUnsignedMax),
  method<&FakeSplitGenerator::getUnsignedSample>(msg::getUnsignedSample),
  method<&FakeSplitGenerator::getDoubleSample>(msg::getDoubleSample))

void random_register_test_classes() {
  objc_register_FakeArguments();
  objc_register_FakeSplitGenerator();
}
