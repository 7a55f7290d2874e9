#include "misc/xmalloc.h"

#include <cstdlib>

#include "misc/debugabort.h"

namespace {

void* checked(void* block, unsigned line, const char* function) {
  if (!block) debugabort("xmalloc", line, function);
  return block;
}

}  // namespace

void* xmalloc(size_t size) { return checked(malloc(size), 103, "xmalloc"); }

void* xmalloc_atomic(size_t size) { return checked(malloc(size), 114, "xmalloc_atomic"); }

void* xcalloc(size_t count, size_t size) { return checked(calloc(count, size), 125, "xcalloc"); }

// realloc to size 0 frees the block and may answer null; keep one byte so
// that null always means failure and the caller still owns a block.
void* xrealloc(void* pointer, size_t size) {
  return checked(realloc(pointer, size ? size : 1), 136, "xrealloc");
}

void xfree(void* pointer) { free(pointer); }

void* GC_malloc_uncollectable(size_t size) { return malloc(size); }

void* GC_malloc_atomic_uncollectable(size_t size) { return malloc(size); }

void* GC_realloc(void* pointer, size_t size) { return realloc(pointer, size); }

void GC_free(void* pointer) { free(pointer); }
