// The transport clock on its own: which real-time bytes, ticks and tempo a run of host blocks
// produces, and on which frames, including hosts that report unusable tempos.
#include "TransportClock.h"
#include "RecordingSink.h"
#include "patch/PatchInterface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace Orvane;

namespace {

TransportInfo playingAt(uint64_t frame, double bpm = 120.0)
{
    TransportInfo transport;
    transport.playing = true;
    transport.frame = frame;
    transport.bbt.valid = true;
    transport.bbt.beatsPerMinute = bpm;
    return transport;
}

TransportInfo stopped()
{
    return TransportInfo();
}

// Real-time bytes (ticks included) in post order.
std::vector<float> realtimeBytes(const RecordingSink& sink)
{
    std::vector<float> bytes;
    for (const auto& post : sink.posts) {
        if (post.receiverHash == kRealtimeReceiver)
            bytes.push_back(post.values[0]);
    }
    return bytes;
}

std::vector<uint32_t> tickFrames(const RecordingSink& sink)
{
    std::vector<uint32_t> frames;
    for (const auto& post : sink.postsOf(kRealtimeReceiver, kMidiClock))
        frames.push_back(post.frame);
    return frames;
}

// Runs consecutive playing blocks from transport frame 0; returns every tick as an absolute frame.
std::vector<uint64_t> absoluteTicks(
    TransportClock& clock, double sampleRate, double bpm, uint32_t blockFrames, uint32_t blocks)
{
    std::vector<uint64_t> ticks;
    for (uint32_t b = 0; b < blocks; ++b) {
        RecordingSink sink;
        clock.advance(playingAt(uint64_t{b} * blockFrames, bpm), blockFrames, sampleRate, sink);
        for (uint32_t frame : tickFrames(sink))
            ticks.push_back(uint64_t{b} * blockFrames + frame);
    }
    return ticks;
}

TEST(TransportClock, StartAtZeroResetsAndStartsBeforeTheFirstTick)
{
    TransportClock clock;
    RecordingSink first;
    clock.advance(playingAt(0), 256, 48000.0, first);
    EXPECT_EQ(realtimeBytes(first), (std::vector<float>{255, 250, 248}));
    for (const auto& post : first.posts) {
        EXPECT_EQ(post.frame, 0u);
        EXPECT_EQ(post.count, 2u);
    }

    // Playing on: no more start bytes; a host loop back to 0 resets again but does not restart.
    RecordingSink next;
    clock.advance(playingAt(256), 256, 48000.0, next);
    EXPECT_TRUE(realtimeBytes(next).empty());
    RecordingSink looped;
    clock.advance(playingAt(0), 256, 48000.0, looped);
    EXPECT_EQ(realtimeBytes(looped), (std::vector<float>{255}));
}

TEST(TransportClock, StartElsewhereContinuesAndStopIsSentOnce)
{
    TransportClock clock;
    RecordingSink start;
    clock.advance(playingAt(96000), 512, 48000.0, start);
    EXPECT_EQ(start.postsOf(kRealtimeReceiver, kMidiContinue).size(), 1u);
    EXPECT_TRUE(start.postsOf(kRealtimeReceiver, kMidiReset).empty());
    EXPECT_TRUE(start.postsOf(kRealtimeReceiver, kMidiStart).empty());

    RecordingSink stop;
    clock.advance(stopped(), 512, 48000.0, stop);
    EXPECT_EQ(realtimeBytes(stop), (std::vector<float>{252}));
    RecordingSink still;
    clock.advance(stopped(), 512, 48000.0, still);
    EXPECT_TRUE(still.posts.empty());
}

TEST(TransportClock, TicksFallOnTheFrameOfTheirPosition)
{
    TransportClock at48;
    const auto ticks48 = absoluteTicks(at48, 48000.0, 120.0, 512, 8);
    EXPECT_EQ(ticks48, (std::vector<uint64_t>{0, 1000, 2000, 3000, 4000}));

    // 918.75 samples per tick: each tick on the frame that contains it.
    TransportClock at44;
    const auto ticks44 = absoluteTicks(at44, 44100.0, 120.0, 256, 16);
    EXPECT_EQ(ticks44, (std::vector<uint64_t>{0, 918, 1837, 2756, 3675}));

    // Block size does not move a tick.
    TransportClock single;
    EXPECT_EQ(absoluteTicks(single, 44100.0, 120.0, 4096, 1), ticks44);
}

TEST(TransportClock, OnlyPlayingBlocksWithAPositionMoveTheClock)
{
    TransportClock clock;
    RecordingSink sink;
    TransportInfo invalid = playingAt(0, 97.5);
    invalid.bbt.valid = false;
    TransportInfo halted = playingAt(0, 97.5);
    halted.playing = false;
    halted.bbt.valid = true;
    EXPECT_FALSE(clock.advance(invalid, 256, 48000.0, sink));
    EXPECT_FALSE(clock.advance(halted, 256, 48000.0, sink));
    EXPECT_TRUE(clock.advance(playingAt(0, 97.5), 256, 48000.0, sink));

    RecordingSink tempo;
    TransportClock::postTempo(97.5, tempo);
    ASSERT_EQ(tempo.posts.size(), 1u);
    EXPECT_EQ(tempo.posts[0].receiverHash, kTempoReceiver);
    EXPECT_EQ(tempo.posts[0].count, 1u);
    EXPECT_EQ(tempo.posts[0].values[0], 97.5f);
    EXPECT_EQ(tempo.posts[0].frame, 0u);
}

// Blocks without a valid position, and blocks whose tempo is 0, negative, NaN or infinite (which
// would spin the tick loop or stall the time line for good), send no tick and no tempo, and the
// time line waits: the next good block ticks where the last good one left off.
TEST(TransportClock, BlocksWithoutUsablePositionFreezeTheTimeLine)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Bad {
        bool valid;
        double bpm;
    };
    for (const Bad bad : {Bad{false, 120.0}, Bad{true, 0.0}, Bad{true, -120.0}, Bad{true, nan},
             Bad{true, inf}, Bad{true, -inf}, Bad{true, 1e-320}}) {
        SCOPED_TRACE(bad.bpm);
        TransportClock clock;
        RecordingSink first;
        clock.advance(playingAt(0), 256, 48000.0, first);
        EXPECT_EQ(tickFrames(first), (std::vector<uint32_t>{0}));

        for (int block = 1; block <= 4; ++block) {
            TransportInfo transport = playingAt(block * 256u, bad.bpm);
            transport.bbt.valid = bad.valid;
            RecordingSink sink(1000);
            EXPECT_FALSE(clock.advance(transport, 256, 48000.0, sink));
            EXPECT_TRUE(sink.posts.empty());
            EXPECT_EQ(sink.refused, 0u);
        }

        // The next tick is still 1000 samples after the first on the clock's own time line.
        RecordingSink resumed;
        clock.advance(playingAt(5 * 256), 1024, 48000.0, resumed);
        EXPECT_EQ(tickFrames(resumed), (std::vector<uint32_t>{744}));
    }
}

TEST(TransportClock, StopsAndRelocationsKeepThePhase)
{
    TransportClock clock;
    RecordingSink sink;
    clock.advance(playingAt(0), 1500, 48000.0, sink); // ticks at 0 and 1000
    clock.advance(stopped(), 700, 48000.0, sink);
    RecordingSink relocated;
    clock.advance(playingAt(480000), 1000, 48000.0, relocated);
    EXPECT_EQ(realtimeBytes(relocated), (std::vector<float>{251, 248}));
    EXPECT_EQ(tickFrames(relocated), (std::vector<uint32_t>{500}));
}

// One block at an absurdly slow tempo (a host starting up or relocating) must not leave the groove
// waiting once the tempo is usable; a change under 24-fold keeps every tick where it was.
TEST(TransportClock, ASlowTempoBlockDoesNotStallTheClock)
{
    for (double slow : {1.0, 0.01, 1e-5, 1e-30}) {
        SCOPED_TRACE(slow);
        TransportClock clock;
        RecordingSink first;
        clock.advance(playingAt(0, slow), 256, 48000.0, first);
        RecordingSink next;
        clock.advance(playingAt(256, 120.0), 2048, 48000.0, next);
        EXPECT_EQ(tickFrames(next), (std::vector<uint32_t>{1000, 2000}));
    }
    TransportClock clock;
    RecordingSink first;
    clock.advance(playingAt(0, 60.0), 256, 48000.0, first); // next tick at 2000
    RecordingSink faster;
    clock.advance(playingAt(256, 1000.0), 2048, 48000.0, faster); // 120 samples a tick
    ASSERT_FALSE(tickFrames(faster).empty());
    EXPECT_EQ(tickFrames(faster).front(), 1744u);
}

// A refused tick ends the block's ticks; the time line still moves past the dropped ones, and an
// absurd tempo costs no more than the refusals allow.
TEST(TransportClock, RefusedTicksEndTheBlockButNotTheTimeLine)
{
    TransportClock clock;
    RecordingSink full(4);
    clock.advance(
        playingAt(0), 4096, 48000.0, full); // 255, 250, then ticks due at 0, 1000, ... 4000
    EXPECT_EQ(tickFrames(full), (std::vector<uint32_t>{0, 1000}));
    EXPECT_EQ(full.refused, 1u);
    EXPECT_EQ(clock.ticksCutInLastBlock(), 2u); // 3000 and 4000, after the refused 2000

    RecordingSink next;
    clock.advance(playingAt(4096), 4096, 48000.0, next);
    EXPECT_EQ(tickFrames(next), (std::vector<uint32_t>{904, 1904, 2904, 3904}));

    for (double absurd : {1e9, 1e30, 1e300}) {
        SCOPED_TRACE(absurd);
        TransportClock fast;
        RecordingSink pipe(100);
        fast.advance(playingAt(0, absurd), 4096, 48000.0, pipe);
        EXPECT_LE(pipe.posts.size(), 100u);
        EXPECT_LE(pipe.refused, 1u);
        RecordingSink after;
        fast.advance(playingAt(4096, 120.0), 4096, 48000.0, after);
        EXPECT_EQ(tickFrames(after).size(), 5u);
    }
}

} // namespace
