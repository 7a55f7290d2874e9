// A standard Mersenne twister in the state the toolkit's generator reaches
// from a seed, so that plain reference code draws the same words.
#pragma once

#include <cstdint>
#include <random>
#include <sstream>

// The seed times 69069, sixteen times discarded, then one state word per
// further product; the first word out is the tempered second state word.
// libstdc++ reads an engine as its 624 state words followed by the
// position of the next word out.
inline std::mt19937 seededTwister(unsigned seed) {
  uint32_t x = seed;
  for (int i = 0; i < 16; i++) x *= 69069u;
  std::stringstream text;
  for (int i = 0; i < 624; i++) text << (x *= 69069u) << ' ';
  text << 1;
  std::mt19937 twister;
  text >> twister;
  return twister;
}
