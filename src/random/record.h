// Fields of the flat state records, in the machine's byte order and at
// any alignment.
#pragma once

#include <cstring>

template <class T>
inline void recordPut(unsigned char* at, T value) { std::memcpy(at, &value, sizeof value); }

template <class T>
inline T recordTake(const unsigned char* at) {
  T value;
  std::memcpy(&value, at, sizeof value);
  return value;
}
