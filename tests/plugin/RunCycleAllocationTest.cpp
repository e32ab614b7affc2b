// Proves that PluginAdapter::runCycle allocates nothing, including the implicit activation of the
// first block. This binary replaces malloc and its relatives (which operator new uses too) with
// counting forwarders to the C library's allocator.
#include "ProbeFixture.hpp"

#include <cstddef>
#include <cstdlib>

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* pointer, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
}

namespace {

bool counting = false;
size_t allocationCount = 0;

void noteAllocation()
{
    if (counting)
        ++allocationCount;
}

}  // namespace

extern "C" {

void* malloc(size_t size)
{
    noteAllocation();
    return __libc_malloc(size);
}

void* calloc(size_t count, size_t size)
{
    noteAllocation();
    return __libc_calloc(count, size);
}

void* realloc(void* pointer, size_t size)
{
    noteAllocation();
    return __libc_realloc(pointer, size);
}

void* memalign(size_t alignment, size_t size)
{
    noteAllocation();
    return __libc_memalign(alignment, size);
}

void* aligned_alloc(size_t alignment, size_t size)
{
    noteAllocation();
    return __libc_memalign(alignment, size);
}

int posix_memalign(void** pointer, size_t alignment, size_t size)
{
    noteAllocation();
    *pointer = __libc_memalign(alignment, size);
    return *pointer != nullptr ? 0 : 12;  // ENOMEM
}

}  // extern "C"

namespace {

bool acceptMidi(void*, const Orvane::MidiMessage&)
{
    return true;
}

class RunCycleAllocation : public ProbeFixture {};

TEST_F(RunCycleAllocation, CountingSeesOrdinaryAllocations)
{
    counting = true;
    allocationCount = 0;
    // Volatile pointers keep the compiler from eliding the pairs.
    int* volatile number = new int(5);
    delete number;
    void* volatile bytes = std::malloc(32);
    std::free(bytes);
    counting = false;
    EXPECT_EQ(allocationCount, 2u);
}

TEST_F(RunCycleAllocation, BlocksAllocateNothing)
{
    const auto adapter = makeAdapter(nullptr, acceptMidi);
    float input[512] = {};
    float left[512];
    float right[512];
    const float* inputs[1] = {input};
    float* outputs[2] = {left, right};
    Orvane::MidiMessage midi[3];
    Orvane::TransportInfo transport;
    transport.playing = true;

    counting = true;
    allocationCount = 0;
    for (uint32_t block = 0; block < 16; ++block) {
        transport.frame = block * 512u;
        adapter->setTransportInfo(transport);
        adapter->runCycle(inputs, outputs, 512, midi, block % 4);
    }
    counting = false;

    EXPECT_EQ(allocationCount, 0u);
    EXPECT_TRUE(adapter->isActive());
}

}  // namespace
