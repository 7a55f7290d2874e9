// Data placed in a Tcl command as exactly one word, whatever braces,
// brackets, dollars or backslashes it holds.
#pragma once

#include <string>

// The text quoted as a Tcl list element; a null text is the empty word.
std::string tclQuote(const char* text);
