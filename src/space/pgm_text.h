// The numbers of a plain-text PGM image: decimal integers separated by
// whitespace, read straight from the file so that an out-of-range or
// malformed number is told apart from the end of the data.
#pragma once

#include <cstdio>

enum class PGMNumber { read, end, notANumber };

// Reads the next number into value. A number beyond the range of a long
// saturates, so a size or value that big still reads as far too big.
PGMNumber pgm_read_number(FILE* file, long* value);
