#include "space/pgm_text.h"

#include <cctype>
#include <climits>

PGMNumber pgm_read_number(FILE* file, long* value) {
  int c;
  do c = std::getc(file);
  while (c != EOF && std::isspace(c));
  if (c == EOF) return PGMNumber::end;
  const bool negative = c == '-';
  if (c == '-' || c == '+') c = std::getc(file);
  if (c == EOF || !std::isdigit(c)) return PGMNumber::notANumber;
  long n = 0;
  for (; c != EOF && std::isdigit(c); c = std::getc(file)) {
    const int digit = c - '0';
    n = n > (LONG_MAX - digit) / 10 ? LONG_MAX : n * 10 + digit;
  }
  if (c != EOF && !std::isspace(c)) return PGMNumber::notANumber;
  *value = negative ? -n : n;
  return PGMNumber::read;
}
