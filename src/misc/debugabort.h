// The internal-error stop: names the source position and aborts without
// clean-up, so that a core dump or debugger sees the failing state.
#pragma once

[[noreturn]] void debugabort(const char* file, unsigned line, const char* function);
