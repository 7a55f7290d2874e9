// The one text form of an address: "0x" and lower-case hexadecimal digits.
// Object names, describe texts and error reports all write it, and
// nameToObject reads it back.
#pragma once

#include <cstddef>

#include "runtime/objc.h"

// "0x", sixteen digits at most and the NUL.
inline constexpr size_t AddressTextSize = 19;

// Writes the text of the address into text and answers text.
char* formatAddress(char (&text)[AddressTextSize], const void* address);

// "0x...: ClassName", the identification of an object in describe texts
// and error reports (the class name cut at 64 characters).
inline constexpr size_t ObjectIDTextSize = AddressTextSize + 2 + 64;
char* formatObjectID(char (&text)[ObjectIDTextSize], id object);

// An object's public name: the name of its class (given apart, so that a
// caller may name an object it no longer may read), "@" and the address.
// getObjectName and the Tcl bridge both write it.
inline constexpr size_t ObjectNameTextSize = 512;
char* formatObjectName(char (&text)[ObjectNameTextSize], Class cls, const void* address);

// Reads an address written by formatAddress ("0x" and at least one hex
// digit, nothing after them); NO for any other text.
BOOL parseAddress(const char* text, void** address);

// Reads the address of an object name, "<name>@0x<address>". The address
// follows the last "@", so whatever the name part holds ("@", spaces,
// braces) does not matter; NO when the text is no such name.
BOOL parseNameAddress(const char* name, void** address);
