// Helpers of the random-number tests: creation shorthands, raw access to
// state records, the text of describe:, and stand-ins for the objects that
// the library meets from outside (arguments, split generators).
#pragma once

#include "support/reports.h"

#include <cstring>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "defobj/CreateDrop.h"
#include "random/random.h"

inline Class classNamed(const char* name) { return objc_get_class(name); }

inline id newGenerator(const char* cls, unsigned seed) {
  return msg::create_setStateFromSeed(classNamed(cls), _obj_globalZone, seed);
}

inline std::string nameOf(id object) { return object->isa->name; }

// A state record as bytes, with typed access at the documented offsets.
struct Record {
  std::vector<unsigned char> bytes;

  explicit Record(id object) : bytes(msg::getStateSize(object)) {
    msg::putStateInto(object, bytes.data());
  }
  template <class T>
  T get(size_t at) const {
    T value;
    std::memcpy(&value, bytes.data() + at, sizeof value);
    return value;
  }
  template <class T>
  void set(size_t at, T value) { std::memcpy(bytes.data() + at, &value, sizeof value); }
  void loadInto(id object) { msg::setStateFrom(object, bytes.data()); }
};

// The arguments object's seed options, as initRandom reads them.
struct FakeArguments : CreateDrop {
  BOOL varySeed, fixedSeedGiven;
  unsigned fixedSeed;

  BOOL getVarySeedFlag() { return varySeed; }
  BOOL getFixedSeedFlag() { return fixedSeedGiven; }
  unsigned getFixedSeed() { return fixedSeed; }
};
id newArguments(BOOL vary, BOOL fixed, unsigned seed);

// A split generator of three virtual generators: draw k of virtual
// generator v answers 1000 v + k, and its reals answer v / 4.
struct FakeSplitGenerator : CreateDrop {
  unsigned draws;

  void advanceAll() {}
  unsigned getNumGenerators() { return 3; }
  unsigned getUnsignedMax() { return 0xFFFFFFFF; }
  unsigned getUnsignedSample(unsigned vGen) { return 1000 * vGen + draws++; }
  double getDoubleSample(unsigned vGen) { return vGen / 4.0; }
};

void random_register_test_classes();
