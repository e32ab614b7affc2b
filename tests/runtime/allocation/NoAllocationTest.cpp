// Proves that posting, scheduling, dispatching and the outbound pipe never allocate: the
// global allocation functions are replaced by counting ones. Not run under ASan (which
// replaces them itself).
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "TestPatch.h"
#include "runtime/Message.h"

extern "C" void* __libc_malloc(size_t);
extern "C" void* __libc_calloc(size_t, size_t);
extern "C" void* __libc_realloc(void*, size_t);
extern "C" void __libc_free(void*);

namespace {

std::atomic<bool> gCounting{false};
std::atomic<int> gAllocations{0};

void countAllocation() {
    if (gCounting.load(std::memory_order_relaxed)) gAllocations.fetch_add(1, std::memory_order_relaxed);
}

// Counts the allocations made while it lives.
class AllocationCounter {
public:
    AllocationCounter() {
        gAllocations = 0;
        gCounting = true;
    }
    ~AllocationCounter() { gCounting = false; }
    int count() const { return gAllocations.load(); }
};

}  // namespace

extern "C" void* malloc(size_t n) {
    countAllocation();
    return __libc_malloc(n);
}
extern "C" void* calloc(size_t count, size_t n) {
    countAllocation();
    return __libc_calloc(count, n);
}
extern "C" void* realloc(void* p, size_t n) {
    countAllocation();
    return __libc_realloc(p, n);
}
extern "C" void free(void* p) {
    __libc_free(p);
}

void* operator new(size_t n) {
    countAllocation();
    if (void* p = __libc_malloc(n == 0 ? 1 : n)) return p;
    throw std::bad_alloc();
}
void* operator new[](size_t n) {
    return operator new(n);
}
void operator delete(void* p) noexcept {
    __libc_free(p);
}
void operator delete[](void* p) noexcept {
    __libc_free(p);
}
void operator delete(void* p, size_t) noexcept {
    __libc_free(p);
}
void operator delete[](void* p, size_t) noexcept {
    __libc_free(p);
}

TEST(NoAllocation, CounterSeesAllocations) {
    AllocationCounter counter;
    delete new int(1);
    EXPECT_GT(counter.count(), 0);
}

TEST(NoAllocation, PostingSchedulingAndDispatching) {
    TestPatch patch(10, 6, 2, 48000.0);
    MessageStorage<1> storage;
    const Message* m = Message::initWithFloat(storage.bytes, 0, 1.0f);
    AllocationCounter counter;
    for (int round = 0; round < 50; ++round) {
        patch.deliveries.clear();
        patch.postFloat(TestPatch::kFirst, 1.0f);
        patch.postBang(TestPatch::kSecond);
        patch.postSymbol(TestPatch::kFirst, "short");
        patch.postFormatted(TestPatch::kSecond, 0.5, "bfhs", 1.0, 2, "text");
        patch.postMessage(TestPatch::kFirst, 0.2, m);
        Message* handle = patch.scheduleForObject(m, TestPatch::receiveFirst, 0);
        patch.cancelScheduled(handle, TestPatch::receiveFirst);
        patch.scheduleForObject(m, TestPatch::receiveSecond, 1);
        patch.run(64);
    }
    EXPECT_EQ(counter.count(), 0);
    EXPECT_FALSE(patch.deliveries.empty());
}

TEST(NoAllocation, RefusalsAndTheOutboundPipe) {
    TestPatch patch(1, 1, 1, 48000.0);
    MessageStorage<1> storage;
    const Message* m = Message::initWithFloat(storage.bytes, 0, 1.0f);
    MessageStorage<1> out;
    uint32_t hash = 0;
    AllocationCounter counter;
    while (patch.postFloat(TestPatch::kFirst, 1.0f)) {
    }
    while (patch.scheduleForObject(m, TestPatch::receiveFirst, 0) != nullptr) {
    }
    for (int i = 0; i < 100; ++i) patch.outboundHook()(&patch, "out", 7u, m);
    while (patch.takeOutboundMessage(&hash, reinterpret_cast<Message*>(out.bytes), sizeof out.bytes)) {
    }
    patch.deliveries.clear();
    patch.run(8);
    EXPECT_EQ(counter.count(), 0);
}
