#include "harness.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "defobj/defobj.h"

namespace harness_detail {
sigjmp_buf* reportJump = nullptr;
}

namespace {

char reports[1 << 16];
FILE* reportStream;

// The last line of every error report; an abort without it is a crash.
bool errorReported() {
  std::fflush(reportStream);
  const long length = std::ftell(reportStream);
  const char* end = "*** execution terminating due to error\n";
  return length > 0 && memmem(reports, static_cast<size_t>(length), end, std::strlen(end)) != nullptr;
}

}  // namespace

void harness_detail::beginWork() {
  std::rewind(reportStream);
  std::memset(reports, 0, sizeof reports);
}

void startHarness(void (*registerClasses)()) {
  registerClasses();
  initModules();
  reportStream = fmemopen(reports, sizeof reports, "w+");
  _obj_xerror = reportStream;
}

void harnessFault(const char* what) {
  std::fprintf(stderr, "fuzz harness: %s\n", what);
  __builtin_trap();
}

extern "C" void abort() noexcept {
  if (harness_detail::reportJump && errorReported()) siglongjmp(*harness_detail::reportJump, 1);
  if (reportStream) std::fwrite(reports, 1, std::strlen(reports), stderr);
  std::signal(SIGABRT, SIG_DFL);
  std::raise(SIGABRT);
  std::_Exit(134);
}

// An error report leaves what the work had allocated behind: by design, as
// errors end the process. Leaks are no finding of these harnesses.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }
