#include "tclobjc/quote.h"

#include <tcl.h>

std::string tclQuote(const char* text) {
  if (!text) return "{}";
  int flags = 0;
  int length = static_cast<int>(std::char_traits<char>::length(text));
  std::string quoted(static_cast<size_t>(Tcl_ScanCountedElement(text, length, &flags)), '\0');
  quoted.resize(static_cast<size_t>(Tcl_ConvertCountedElement(text, length, quoted.data(), flags)));
  return quoted;
}
