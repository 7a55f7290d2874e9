// What the fuzz harnesses share: starting the object model, and running a
// piece of work that may end in one of the toolkit's error reports.
//
// An error report ends the process through abort(); a harness must tell
// that defined outcome apart from a crash. The harnesses' abort() jumps
// back into survivesReports when the error stream holds a finished error
// report, and is a real abort otherwise.
#pragma once

#include <csetjmp>
#include <cstddef>
#include <cstdint>

// Registers the classes (the caller's function), starts the modules and
// sends the reports to a buffer instead of standard error.
void startHarness(void (*registerClasses)());

namespace harness_detail {
extern sigjmp_buf* reportJump;
void beginWork();
}  // namespace harness_detail

// Runs work; false when it ended in an error report, true when it
// returned. Objects the work left behind are the caller's to drop (make
// them in a zone of their own and drop the zone).
template <class F>
bool survivesReports(F&& work) {
  sigjmp_buf jump;
  harness_detail::beginWork();
  if (sigsetjmp(jump, 0)) {
    harness_detail::reportJump = nullptr;
    return false;
  }
  harness_detail::reportJump = &jump;
  work();
  harness_detail::reportJump = nullptr;
  return true;
}

// A fault the harness found itself (a broken round trip): a crash that
// libFuzzer keeps as a reproducer.
[[noreturn]] void harnessFault(const char* what);
