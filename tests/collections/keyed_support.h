// Test support of the keyed and random-order collections: the exact text
// of an error report, fresh zones to count blocks in, and a recorded,
// seeded source of unsigned draws.
#pragma once

#include <cstdint>
#include <string>

#include "collections/collections.h"
#include "collections/keyed_messages.h"
#include "defobj/Zone.h"
#include "defobj/test_stream.h"
#include "random/messages.h"

// An error report of the symbol from the function, with its message.
inline std::string raised(const char* symbol, const char* function, const std::string& message = "") {
  return literal(std::string("*** event raised for error: ") + symbol + "\n*** function: " + function +
                 "(), file: ") +
         "[^\n]*\n" + literal(message + "*** execution terminating due to error\n");
}

inline Zone_c* makeZone() { return static_cast<Zone_c*>(msg::create(Zone, _obj_globalZone)); }

// A linear congruential source: the same seed gives the same draws. It
// keeps the count of draws and the upper bound of the last one.
struct TestDraws : CreateDrop {
  uint64_t state;
  unsigned draws;
  unsigned lastMax;

  unsigned getUnsignedWithMin_withMax(unsigned min, unsigned max) {
    state = state * 6364136223846793005u + 1442695040888963407u;
    draws++;
    lastMax = max;
    return min + static_cast<unsigned>((state >> 33) % (static_cast<uint64_t>(max) - min + 1));
  }
};

inline TestDraws* makeDraws(id zone, uint64_t seed) {
  static objc_class_def def;
  objc_register_def(&def, "TestDraws", "CreateDrop", sizeof(TestDraws),
                    {method<&TestDraws::getUnsignedWithMin_withMax>(msg::getUnsignedWithMin_withMax)});
  auto* draws = static_cast<TestDraws*>(msg::create(def.cls, zone));
  draws->state = seed;
  return draws;
}
