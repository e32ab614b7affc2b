// Replaces the C allocator's entry points with forwarders to the C library's own, which count and
// may refuse. A binary linking this must not run under ASan, whose allocator replaces them too.
#include "AllocationCounter.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdlib>

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* pointer, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* pointer);
}

namespace {

std::atomic<bool> gCounting{false};
std::atomic<long> gAllocations{0};
std::atomic<long> gFrees{0};
std::atomic<long> gRefused{0};
std::atomic<long> gRefuseNumber{0}; // 0: none
std::atomic<size_t> gRefuseFromSize{0}; // 0: none

// False when this allocation is to fail.
bool admit(size_t size)
{
    bool refuse = false;
    const size_t fromSize = gRefuseFromSize.load(std::memory_order_relaxed);
    if (fromSize != 0 && size >= fromSize)
        refuse = true;
    if (gCounting.load(std::memory_order_relaxed)) {
        const long number = gAllocations.fetch_add(1, std::memory_order_relaxed) + 1;
        if (number == gRefuseNumber.load(std::memory_order_relaxed))
            refuse = true;
        if (refuse)
            gRefused.fetch_add(1, std::memory_order_relaxed);
    }
    return !refuse;
}

size_t arraySize(size_t count, size_t size)
{
    size_t total;
    return __builtin_mul_overflow(count, size, &total) ? SIZE_MAX : total;
}

} // namespace

AllocationCounter::AllocationCounter(long refuseNumber)
{
    gAllocations = 0;
    gFrees = 0;
    gRefused = 0;
    gRefuseNumber = refuseNumber;
    gCounting = true;
}

AllocationCounter::~AllocationCounter()
{
    stop();
}

void AllocationCounter::stop()
{
    gCounting = false;
    gRefuseNumber = 0;
}

long AllocationCounter::count() const
{
    return gAllocations.load();
}

long AllocationCounter::outstanding() const
{
    return gAllocations.load() - gRefused.load() - gFrees.load();
}

LargeAllocationRefusal::LargeAllocationRefusal(size_t bytes)
{
    gRefuseFromSize = bytes;
}

LargeAllocationRefusal::~LargeAllocationRefusal()
{
    gRefuseFromSize = 0;
}

extern "C" {

void* malloc(size_t size)
{
    return admit(size) ? __libc_malloc(size) : nullptr;
}

void* calloc(size_t count, size_t size)
{
    return admit(arraySize(count, size)) ? __libc_calloc(count, size) : nullptr;
}

void* realloc(void* pointer, size_t size)
{
    return admit(size) ? __libc_realloc(pointer, size) : nullptr;
}

void* memalign(size_t alignment, size_t size)
{
    return admit(size) ? __libc_memalign(alignment, size) : nullptr;
}

void* aligned_alloc(size_t alignment, size_t size)
{
    return admit(size) ? __libc_memalign(alignment, size) : nullptr;
}

int posix_memalign(void** pointer, size_t alignment, size_t size)
{
    *pointer = admit(size) ? __libc_memalign(alignment, size) : nullptr;
    return *pointer != nullptr ? 0 : ENOMEM;
}

void free(void* pointer)
{
    if (pointer != nullptr && gCounting.load(std::memory_order_relaxed))
        gFrees.fetch_add(1, std::memory_order_relaxed);
    __libc_free(pointer);
}

} // extern "C"
