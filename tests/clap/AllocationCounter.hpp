// Counts every heap allocation of the process while `counting` is set, by replacing malloc and
// its relatives (which operator new uses too) with forwarders to the C library's allocator.
// Include from exactly one source file of a test executable that runs without sanitizers.
#pragma once

#include <cstddef>
#include <cstdlib>

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* pointer, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
}

namespace allocation {

inline bool counting = false;
inline size_t count = 0;

inline void note()
{
    if (counting)
        ++count;
}

}  // namespace allocation

extern "C" {

void* malloc(size_t size)
{
    allocation::note();
    return __libc_malloc(size);
}

void* calloc(size_t count, size_t size)
{
    allocation::note();
    return __libc_calloc(count, size);
}

void* realloc(void* pointer, size_t size)
{
    allocation::note();
    return __libc_realloc(pointer, size);
}

void* memalign(size_t alignment, size_t size)
{
    allocation::note();
    return __libc_memalign(alignment, size);
}

void* aligned_alloc(size_t alignment, size_t size)
{
    allocation::note();
    return __libc_memalign(alignment, size);
}

int posix_memalign(void** pointer, size_t alignment, size_t size)
{
    allocation::note();
    *pointer = __libc_memalign(alignment, size);
    return *pointer != nullptr ? 0 : 12;  // ENOMEM
}

}  // extern "C"
