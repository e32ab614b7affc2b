// The real plug-in under a replaced C allocator: its blocks allocate nothing, with transport and
// MIDI; and when its patch cannot be created it stays usable, silent, until a sample-rate change
// creates one. Replaces malloc and its relatives (which operator new uses too), so this binary
// stays out of the sanitizer builds.
#include "VantorelFixture.hpp"

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
// The groove's stroke tables are far larger than anything else the plug-in allocates.
bool refuseLarge = false;
constexpr size_t kLarge = 64 * 1024;

bool allow(size_t size)
{
    if (counting)
        ++allocationCount;
    return ! (refuseLarge && size >= kLarge);
}

}  // namespace

extern "C" {

void* malloc(size_t size)
{
    return allow(size) ? __libc_malloc(size) : nullptr;
}

void* calloc(size_t count, size_t size)
{
    return allow(count * size) ? __libc_calloc(count, size) : nullptr;
}

void* realloc(void* pointer, size_t size)
{
    return allow(size) ? __libc_realloc(pointer, size) : nullptr;
}

void* memalign(size_t alignment, size_t size)
{
    return allow(size) ? __libc_memalign(alignment, size) : nullptr;
}

void* aligned_alloc(size_t alignment, size_t size)
{
    return allow(size) ? __libc_memalign(alignment, size) : nullptr;
}

int posix_memalign(void** pointer, size_t alignment, size_t size)
{
    *pointer = allow(size) ? __libc_memalign(alignment, size) : nullptr;
    return *pointer != nullptr ? 0 : 12;  // ENOMEM
}

}  // extern "C"

namespace {

using namespace Orvane;

class VantorelAllocation : public VantorelFixture {};

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

    counting = true;
    allocationCount = 0;
    for (uint32_t block = 0; block < 200; ++block) {
        transport.playing = block % 50 < 40;
        transport.frame = block * 512u;
        adapter->setTransportInfo(transport);
        adapter->runCycle(nullptr, outputs, 512, messages, block % 7);
        adapter->setParameterValue(block % 6, block % 6 == 2 || block % 6 == 5 ? 1.0f : 8.0f);
    }
    counting = false;

    EXPECT_EQ(allocationCount, 0u);
    EXPECT_TRUE(adapter->isActive());
}

TEST_F(VantorelAllocation, WithoutAPatchThePluginIsSilentUntilTheNextSampleRate)
{
    const ParameterValues chosen = {5, 77, 0, 11, 3, 1};
    refuseLarge = true;
    const auto adapter = makeAdapter(48000.0);
    refuseLarge = false;
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

}  // namespace
