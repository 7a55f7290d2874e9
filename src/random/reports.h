// The function that an error report of the library names.
#pragma once

// "-[Class selector]"; the text lasts until the next call.
const char* methodName(const char* className, const char* selector);
