// The heap allocator of the toolkit: the x-functions never answer null
// (failure ends the process); the GC_ functions serve zones that keep
// fixed roots and make the plain platform calls, since no collector runs.
#pragma once

#include <cstddef>

void* xmalloc(size_t size);
void* xmalloc_atomic(size_t size);
void* xcalloc(size_t count, size_t size);
void* xrealloc(void* pointer, size_t size);
void xfree(void* pointer);

void* GC_malloc_uncollectable(size_t size);
void* GC_malloc_atomic_uncollectable(size_t size);
void* GC_realloc(void* pointer, size_t size);
void GC_free(void* pointer);
