// Multi-dimensional array variables: an encoding such as "[2[3i]]" has one
// group per dimension, outermost first; elements are visited in row-major
// order (last index fastest).
#pragma once

#include <functional>
#include <vector>

#include "defobj/fcall_type.h"

unsigned get_rank(const char* encoding);
// The element encoding after the dimension groups; the sizes go into dims
// when it is given (room for get_rank entries).
const char* objc_array_subtype(const char* encoding, unsigned* dims);
// The dimensions (none for a scalar), and the element encoding when asked.
std::vector<unsigned> objc_array_dims(const char* encoding, const char** element = nullptr);

// Each function is optional. A dimension level's start and end bracket the
// elements or levels below it; every element gets start, output (with its
// linear index) and end.
struct array_visitor {
  std::function<void(unsigned level)> startDimension;
  std::function<void(unsigned level)> endDimension;
  std::function<void()> startElement;
  std::function<void()> endElement;
  std::function<void(fcall_type_t type, unsigned index)> outputElement;
};

void process_array(unsigned rank, const unsigned* dims, fcall_type_t type, const array_visitor& visitor);

// Reads rank, dimensions and element code from the encoding, shows them to
// setup when given, then visits the array.
void objc_process_array(const char* encoding,
                        const std::function<void(unsigned rank, const unsigned* dims, fcall_type_t type)>& setup,
                        const array_visitor& visitor);
