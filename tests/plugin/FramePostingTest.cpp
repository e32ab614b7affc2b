// Messages addressed by frame arrive on exactly that frame after the trip through the runtime's
// millisecond delays: single messages, forwarded MIDI, and long runs of clock ticks at random
// tempos and block sizes.
#include "FramePosting.h"
#include "MidiForwarding.h"
#include "RoutedMessageRecorder.h"
#include "TransportClock.h"
#include "patch/PatchInterface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

using namespace Orvane;

namespace {

// 44056 Hz is a rate at which a delay aimed at the frame's start often truncates a frame early.
constexpr double kSampleRates[] = {44100.0, 48000.0, 96000.0, 44056.0};

// The bridge's sink in the plug-in, over a recording context instead of the groove patch.
class ContextSink final : public PatchMessageSink {
public:
    explicit ContextSink(RoutedMessageRecorder& context) : fContext(context) { }

    bool post(const PatchPost& message) noexcept override
    {
        return postAtFrame(fContext, fContext.sampleRate(), message);
    }

private:
    RoutedMessageRecorder& fContext;
};

TEST(FramePosting, ValuesArriveAsFloatsWithTheirCount)
{
    RoutedMessageRecorder context(48000.0);
    PatchPost three;
    three.receiverHash = 0x1234;
    three.count = 3;
    three.values[0] = 1.5f;
    three.values[1] = -2.0f;
    three.values[2] = 1337.0f;
    PatchPost one = three;
    one.count = 1;
    PatchPost none = three;
    none.count = 0;
    EXPECT_TRUE(postAtFrame(context, 48000.0, three));
    EXPECT_TRUE(postAtFrame(context, 48000.0, one));
    EXPECT_FALSE(postAtFrame(context, 48000.0, none));
    context.processBlock(nullptr, nullptr, 64);
    ASSERT_EQ(context.routed.size(), 2u);
    EXPECT_EQ(context.routed[0].hash, 0x1234u);
    EXPECT_EQ(context.routed[0].values, (std::vector<float>{1.5f, -2.0f, 1337.0f}));
    EXPECT_EQ(context.routed[1].values, (std::vector<float>{1.5f}));
}

TEST(FramePosting, ForwardedMidiLandsOnItsOwnFrame)
{
    for (double rate : kSampleRates) {
        SCOPED_TRACE(rate);
        RoutedMessageRecorder context(rate);
        ContextSink sink(context);
        context.processBlock(nullptr, nullptr, 12345); // a block start that is no round number
        // One clock message on every frame of a 4096-frame block, 256 of them per block.
        constexpr uint32_t kFrames = 4096;
        constexpr uint32_t kPerBlock = 256;
        uint32_t blockStart = 12345;
        for (uint32_t first = 0; first < kFrames; first += kPerBlock) {
            std::vector<MidiMessage> clocks(kPerBlock);
            for (uint32_t i = 0; i < kPerBlock; ++i) {
                clocks[i].frame = first + i;
                clocks[i].size = 1;
                clocks[i].data[0] = kMidiClock;
            }
            context.routed.clear();
            forwardMidiMessages(clocks.data(), kPerBlock, kFrames, sink);
            context.processBlock(nullptr, nullptr, kFrames);

            ASSERT_EQ(context.routed.size(), kPerBlock * 5);
            for (size_t i = 0; i < context.routed.size(); ++i)
                ASSERT_EQ(context.routed[i].timestamp, blockStart + first + i / 5)
                    << "message " << i;
            blockStart += kFrames;
        }
    }
}

// Where the ticks belong, from the definition: one every samples-per-tick on a time line that
// starts at 0, each on the frame that contains it.
class TickReference {
public:
    explicit TickReference(double sampleRate) : fSampleRate(sampleRate) { }

    void block(uint32_t frames, double bpm, std::vector<uint32_t>& expected)
    {
        const float perBeat = static_cast<float>(fSampleRate * 60.0 / bpm);
        const double perTick = perBeat * 0.041666668f;
        const double end = fStart + frames;
        for (; fNext < end; fNext += perTick)
            expected.push_back(static_cast<uint32_t>(std::floor(fNext)));
        fStart = end;
    }

private:
    double fSampleRate;
    double fNext = 0.0;
    double fStart = 0.0;
};

TEST(FramePosting, ThousandsOfTicksAtRandomTemposLandOnTheirFrames)
{
    std::mt19937 random(20261208);
    std::uniform_int_distribution<uint32_t> blockSizes(1, 2048);
    std::uniform_real_distribution<double> tempos(30.0, 300.0);
    for (double rate : kSampleRates) {
        SCOPED_TRACE(rate);
        RoutedMessageRecorder context(rate);
        ContextSink sink(context);
        TransportClock clock;
        TickReference reference(rate);
        std::vector<uint32_t> expected;
        uint64_t position = 0;
        while (expected.size() < 5000) {
            const uint32_t frames = blockSizes(random);
            const double bpm = tempos(random);
            TransportInfo transport;
            transport.playing = true;
            transport.frame = position;
            transport.bbt.valid = true;
            transport.bbt.beatsPerMinute = bpm;
            clock.advance(transport, frames, rate, sink);
            context.processBlock(nullptr, nullptr, static_cast<int>(frames));
            reference.block(frames, bpm, expected);
            position += frames;
        }

        std::vector<uint32_t> landed;
        for (const auto& routed : context.routed) {
            if (routed.hash == kRealtimeReceiver && routed.values[0] == kMidiClock)
                landed.push_back(routed.timestamp);
        }
        ASSERT_EQ(landed.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i)
            ASSERT_EQ(landed[i], expected[i]) << "tick " << i;
    }
}

} // namespace
