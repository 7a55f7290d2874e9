// Walkers of method type signatures: a result description, then one
// per argument (receiver and selector first), each a type followed by an
// optional "+" and a decimal frame offset, as in "q@:qdc" or "v12@0:4i8".
#pragma once

// Past the qualifiers "N", "O", "V", "n", "o" and "r".
const char* skip_type_qualifiers(const char* type);
// Past one type; a character that starts no type ends the process.
const char* skip_typespec(const char* type);
// Past one type and its offset; null when the signature ends there.
const char* skip_argspec(const char* type);
// The argument specifications after the result, receiver and selector
// included.
int get_number_of_arguments(const char* type);
// The first character of argument n (0 is the first after the selector),
// a qualifier when there is one; '\0' past the last argument.
char nth_type(const char* type, int n);
