#include "misc/xmalloc.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdint>

#include "misc/debugabort.h"

#ifdef __SANITIZE_ADDRESS__
// Let impossible requests fail with null, as the platform allocator does
// (the sanitizer then notes the failure on a line of its own).
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1"; }
#endif

TEST(DebugAbortDeathTest, PrintsPositionAndAborts) {
  EXPECT_EXIT(debugabort("Zone", 371, "-[Zone(c) _alloc:]"), testing::KilledBySignal(SIGABRT),
              "^Zone:371 -\\[Zone\\(c\\) _alloc:\\]\n$");
}

TEST(XmallocDeathTest, FailureEndsThroughDebugAbort) {
  volatile size_t huge = SIZE_MAX;
  struct Case {
    void* (*call)(size_t);
    const char* text;
  } cases[] = {
      {[](size_t n) { return xmalloc(n); }, "(^|\n)xmalloc:103 xmalloc\n$"},
      {[](size_t n) { return xmalloc_atomic(n); }, "(^|\n)xmalloc:114 xmalloc_atomic\n$"},
      {[](size_t n) { return xcalloc(n, 2); }, "(^|\n)xmalloc:125 xcalloc\n$"},
      {[](size_t n) { return xrealloc(nullptr, n); }, "(^|\n)xmalloc:136 xrealloc\n$"},
  };
  for (const Case& c : cases) {
    EXPECT_EXIT(c.call(huge), testing::KilledBySignal(SIGABRT), c.text);
  }
}

TEST(Xmalloc, ReallocToZeroKeepsABlock) {
  // realloc would free the block and answer null, which reads as failure.
  void* block = xrealloc(xmalloc(16), 0);
  EXPECT_NE(block, nullptr);
  xfree(block);
}
