// Allocation behaviour of the patch, seen through replaced global allocation functions: rendering
// never allocates, and creation either completes or leaves nothing behind, whichever allocation
// fails. Not run under a sanitizer, whose allocator would replace these functions itself.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "../GrooveHarness.h"

extern "C" void* __libc_malloc(size_t);
extern "C" void* __libc_calloc(size_t, size_t);
extern "C" void* __libc_realloc(void*, size_t);
extern "C" void __libc_free(void*);

namespace {

std::atomic<bool> gWatching{false};
std::atomic<long> gAllocations{0};
std::atomic<long> gFrees{0};
std::atomic<long> gFailAt{0};  // 1-based index of the allocation to refuse; 0: none

// False when this allocation is the one to refuse.
bool admit() {
    if (!gWatching.load(std::memory_order_relaxed)) return true;
    const long n = gAllocations.fetch_add(1, std::memory_order_relaxed) + 1;
    return n != gFailAt.load(std::memory_order_relaxed);
}

void noteFree(void* p) {
    if (p != nullptr && gWatching.load(std::memory_order_relaxed)) gFrees.fetch_add(1, std::memory_order_relaxed);
}

// Watches the allocations made while it lives, refusing the failAt-th.
class AllocationWatch {
public:
    explicit AllocationWatch(long failAt = 0) {
        gAllocations = 0;
        gFrees = 0;
        gFailAt = failAt;
        gWatching = true;
    }
    ~AllocationWatch() { stop(); }
    void stop() { gWatching = false; }
    long allocations() const { return gAllocations.load(); }
    long outstanding() const { return gAllocations.load() - gFrees.load() - (gFailAt.load() != 0 && gFailAt.load() <= gAllocations.load()); }
};

}  // namespace

extern "C" void* malloc(size_t n) {
    return admit() ? __libc_malloc(n) : nullptr;
}
extern "C" void* calloc(size_t count, size_t n) {
    return admit() ? __libc_calloc(count, n) : nullptr;
}
extern "C" void* realloc(void* p, size_t n) {
    return admit() ? __libc_realloc(p, n) : nullptr;
}
extern "C" void free(void* p) {
    noteFree(p);
    __libc_free(p);
}

void* operator new(size_t n) {
    if (void* p = admit() ? __libc_malloc(n == 0 ? 1 : n) : nullptr) return p;
    throw std::bad_alloc();
}
void* operator new[](size_t n) {
    return operator new(n);
}
void* operator new(size_t n, const std::nothrow_t&) noexcept {
    return admit() ? __libc_malloc(n == 0 ? 1 : n) : nullptr;
}
void* operator new[](size_t n, const std::nothrow_t& tag) noexcept {
    return operator new(n, tag);
}
void operator delete(void* p) noexcept {
    free(p);
}
void operator delete[](void* p) noexcept {
    free(p);
}
void operator delete(void* p, size_t) noexcept {
    free(p);
}
void operator delete[](void* p, size_t) noexcept {
    free(p);
}

using namespace groove_test;

namespace {

TEST(PatchAllocation, RenderingAllocatesNothing) {
    auto patch = makePatch();
    float left[512], right[512];
    float* outputs[2] = {left, right};
    AllocationWatch watch;
    // Parameters, clock, stop and changes: steps trigger and cut off voices, voices end.
    postParameters(*patch, 4, 2, 2, 7, 1337, 0);
    for (int block = 0; block < 400; ++block) {
        for (int tick = 0; tick < 3; ++tick) postStatus(*patch, 248.0f, delayForFrame(tick * 170 + block % 7));
        if (block % 50 == 49) postStatus(*patch, 252.0f);
        if (block % 60 == 30) patch->postFloat(hashString("Baya_Pattern"), static_cast<float>(block));
        if (block % 70 == 10) patch->postFloat(hashString("Dayan_Tempo"), static_cast<float>(block % 5));
        patch->processBlock(nullptr, outputs, block % 3 == 0 ? 0 : 512);
        patch->processInterleaved(nullptr, left, 256);
        patch->processContiguous(nullptr, left, 256);
    }
    watch.stop();
    EXPECT_EQ(watch.allocations(), 0);
}

TEST(PatchAllocation, CreationIsCompleteOrNothing) {
    long total;
    {
        AllocationWatch watch;
        Krell_Vantorel* patch = createPatch(10, 6, 2, kSampleRate);
        ASSERT_NE(patch, nullptr);
        destroyPatch(patch);
        total = watch.allocations();
        EXPECT_EQ(watch.outstanding(), 0);
    }
    ASSERT_GE(total, 13) << "the patch, its context and twelve tables";
    auto reference = makePatch();
    for (long failAt = 1; failAt <= total; ++failAt) {
        AllocationWatch watch(failAt);
        Krell_Vantorel* patch = createPatch(10, 6, 2, kSampleRate);
        if (patch != nullptr) {
            // Only allocations the patch can do without may fail: it must render like any other.
            for (int t = 0; t < kStrokeTableCount; ++t) {
                EXPECT_EQ(patch->tableLength(kStrokeTableNames[t].hash), reference->tableLength(kStrokeTableNames[t].hash));
            }
            EXPECT_TRUE(patch->postFloat(hashString("Dayan_Pattern"), 3.0f)) << "allocation " << failAt;
            destroyPatch(patch);
        }
        watch.stop();
        EXPECT_EQ(watch.outstanding(), 0) << "allocation " << failAt << " failed, and memory leaked";
    }
}

}  // namespace
