// The real plug-in under the replaced allocator: its blocks allocate nothing, with transport and
// MIDI; and when its patch cannot be created it stays usable, silent, until a sample-rate change
// creates one. Stays out of the sanitizer builds, whose allocator would replace the same functions.
#include "AllocationCounter.h"
#include "VantorelFixture.h"

namespace {

using namespace Orvane;

// The groove's stroke tables are far larger than anything else the plug-in allocates.
constexpr size_t kLarge = 64 * 1024;

class VantorelAllocation : public VantorelFixture { };

MidiMessage midi(uint32_t frame, uint8_t status, uint8_t d1 = 0, uint8_t d2 = 0)
{
    MidiMessage message;
    message.frame = frame;
    message.size = status >= 0xF8 ? 1 : 3;
    message.data[0] = status;
    message.data[1] = d1;
    message.data[2] = d2;
    return message;
}

TEST_F(VantorelAllocation, BlocksWithTransportAndMidiAllocateNothing)
{
    const auto adapter = makeAdapter();
    float left[512];
    float right[512];
    float* outputs[2] = {left, right};
    const MidiMessage messages[] = {midi(0, 0xF8), midi(10, 0x90, 60, 100), midi(100, 0xB0, 7, 64),
        midi(200, 0xE0, 1, 2), midi(300, 0xFC), midi(511, 0x80, 60, 0)};
    TransportInfo transport = playingTransport(180.0);

    AllocationCounter counter;
    for (uint32_t block = 0; block < 200; ++block) {
        transport.playing = block % 50 < 40;
        transport.frame = block * 512u;
        adapter->setTransportInfo(transport);
        adapter->runCycle(nullptr, outputs, 512, messages, block % 7);
        adapter->setParameterValue(block % 6, block % 6 == 2 || block % 6 == 5 ? 1.0f : 8.0f);
    }
    counter.stop();

    EXPECT_EQ(counter.count(), 0);
    EXPECT_TRUE(adapter->isActive());
}

TEST_F(VantorelAllocation, WithoutAPatchThePluginIsSilentUntilTheNextSampleRate)
{
    const ParameterValues chosen = {5, 77, 0, 11, 3, 1};
    const auto adapter = [this] {
        LargeAllocationRefusal refusal(kLarge);
        return makeAdapter(48000.0);
    }();
    ASSERT_NE(adapter->plugin(), nullptr);
    setValues(*adapter, chosen);

    // Stopped with MIDI clock, and playing without a usable position: nothing moves the clock's
    // time line, so the rebuilt plug-in below starts where a fresh one would.
    std::vector<float> left(512, 1.0f);
    std::vector<float> right(512, 1.0f);
    float* outputs[2] = {left.data(), right.data()};
    const MidiMessage clocks[] = {midi(0, 0xF8), midi(256, 0xF8)};
    TransportInfo noPosition = playingTransport(120.0);
    noPosition.bbt.valid = false;
    for (const TransportInfo& transport : {TransportInfo(), noPosition}) {
        adapter->setTransportInfo(transport);
        adapter->runCycle(nullptr, outputs, 512, clocks, 2);
        EXPECT_EQ(left, std::vector<float>(512, 0.0f));
        EXPECT_EQ(right, std::vector<float>(512, 0.0f));
    }
    for (uint32_t i = 0; i < 6; ++i)
        EXPECT_EQ(adapter->parameterValue(i), chosen[i]);

    adapter->changeSampleRate(44100.0, true);
    const auto fresh = makeAdapter(44100.0);
    setValues(*fresh, chosen);
    const Stereo rebuilt = renderBlocks(*adapter, playingTransport(120.0), 512, 200);
    EXPECT_FALSE(rebuilt.silent());
    EXPECT_TRUE(rebuilt == renderBlocks(*fresh, playingTransport(120.0), 512, 200));
}

} // namespace
