// Proves that PluginAdapter::runCycle allocates nothing, including the implicit activation of the
// first block, counted through the replaced allocator.
#include "AllocationCounter.h"
#include "ProbeFixture.h"

#include <cstdlib>

namespace {

bool acceptMidi(void*, const Orvane::MidiMessage&) noexcept
{
    return true;
}

class RunCycleAllocation : public ProbeFixture { };

TEST_F(RunCycleAllocation, CountingSeesOrdinaryAllocations)
{
    AllocationCounter counter;
    // Volatile pointers keep the compiler from eliding the pairs.
    int* volatile number = new int(5);
    delete number;
    void* volatile bytes = std::malloc(32);
    std::free(bytes);
    counter.stop();
    EXPECT_EQ(counter.count(), 2);
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

    AllocationCounter counter;
    for (uint32_t block = 0; block < 16; ++block) {
        transport.frame = block * 512u;
        adapter->setTransportInfo(transport);
        adapter->runCycle(inputs, outputs, 512, midi, block % 4);
    }
    counter.stop();

    EXPECT_EQ(counter.count(), 0);
    EXPECT_TRUE(adapter->isActive());
}

} // namespace
