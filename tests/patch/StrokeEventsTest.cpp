// The patch's stroke events held against its audio: for random grooves, clocks and block sizes,
// the voices the events say are sounding are exactly the ones heard, frame by frame; and a block
// with more events than the log holds stays in bounds and counts what it lost.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "GrooveHarness.h"
#include "patch/StrokeEvents.h"

using namespace groove_test;

namespace {

// Marker recordings of different lengths, so that every voice ends on a frame of its own.
std::vector<uint32_t> installMarkersOfLengths(KrellContextInterface& patch, std::mt19937& random)
{
    std::vector<uint32_t> lengths(kStrokeTableCount);
    for (int t = 0; t < kStrokeTableCount; ++t) {
        lengths[t] = random() % 2 == 0 ? 1 + random() % 100 : 1000 + random() % 3000;
        EXPECT_TRUE(patch.resizeTable(kStrokeTableNames[t].hash, lengths[t]));
        float* buffer = patch.tableBuffer(kStrokeTableNames[t].hash);
        for (uint32_t i = 0; i < lengths[t]; ++i)
            buffer[i] = markerValue(t);
    }
    return lengths;
}

void expectBlockOrder(const StrokeEventLog& log)
{
    for (const StrokeEvent* e = log.begin(); e + 1 < log.end(); ++e) {
        const StrokeEvent& next = e[1];
        ASSERT_LE(e->frame, next.frame);
        if (e->frame != next.frame)
            continue;
        ASSERT_FALSE(e->kind == StrokeEventKind::Trigger && next.kind == StrokeEventKind::Release)
            << "a release after a trigger in frame " << e->frame;
        if (e->kind == StrokeEventKind::Release && next.kind == StrokeEventKind::Release) {
            ASSERT_LT(e->voice, next.voice) << "releases out of render order";
        }
    }
}

TEST(StrokeEvents, EventsSayExactlyWhichVoicesAreHeard)
{
    std::mt19937 random(21);
    for (int groove = 0; groove < 10; ++groove) {
        auto patch = makePatch();
        const std::vector<uint32_t> lengths = installMarkersOfLengths(*patch, random);
        postParameters(*patch, static_cast<float>(random() % 17),
            static_cast<float>(1 + random() % 1337), static_cast<float>(random() % 5),
            static_cast<float>(random() % 17), static_cast<float>(1 + random() % 1337),
            static_cast<float>(random() % 5));
        bool sounding[kVoiceCount] = {};
        int64_t started[kVoiceCount] = {};
        int64_t blockStart = 0;
        for (int block = 0; block < 250; ++block) {
            const int frames = 1 + static_cast<int>(random() % 300);
            // Ticks at random frames; now and then a tick, a stop and a tick in one frame, which
            // steps a drum twice there (a voice may start and be cut in that frame).
            for (int n = static_cast<int>(random() % 16); n > 0; --n) {
                const double delay = delayForFrame(static_cast<int>(random() % frames));
                ASSERT_TRUE(postStatus(*patch, 248.0f, delay));
                if (random() % 10 == 0) {
                    ASSERT_TRUE(postStatus(*patch, 252.0f, delay));
                    ASSERT_TRUE(postStatus(*patch, 248.0f, delay));
                }
            }
            const Stereo out = render(*patch, frames);
            const StrokeEventLog& log = patch->strokeEvents();
            expectBlockOrder(log);
            const StrokeEvent* e = log.begin();
            for (int i = 0; i < frames; ++i) {
                const int64_t at = blockStart + i;
                for (; e != log.end() && e->frame == static_cast<uint32_t>(i); ++e) {
                    const int v = e->voice;
                    ASSERT_LT(v, kVoiceCount);
                    if (e->kind == StrokeEventKind::Release) {
                        ASSERT_TRUE(sounding[v]) << "voice " << v << " released at " << at;
                        ASSERT_LE(at - started[v], lengths[kVoiceTable[v]]);
                    } else {
                        ASSERT_FALSE(sounding[v]) << "voice " << v << " triggered at " << at;
                        started[v] = at;
                    }
                    sounding[v] = e->kind == StrokeEventKind::Trigger;
                }
                uint32_t expected = 0;
                for (int v = 0; v < kVoiceCount; ++v)
                    expected |= sounding[v] ? 1u << kVoiceTable[v] : 0u;
                ASSERT_EQ(soundingTables(out.left[i]), expected)
                    << "groove " << groove << ", frame " << at;
            }
            ASSERT_EQ(e, log.end()) << "an event beyond the block";
            blockStart += frames;
        }
        EXPECT_EQ(patch->strokeEvents().dropped(), 0u);
    }
}

// Without Pattern values every step triggers dayan1 and baya1; with one-frame recordings each
// also ends in the next frame: four events per step.
TEST(StrokeEvents, FullLogKeepsTheFirstEventsAndCountsTheRest)
{
    auto patch = makePatch(64, 64);
    installMarkers(*patch, 1);
    constexpr int kSteps = 300;
    for (int s = 0; s < kSteps; ++s)
        ASSERT_TRUE(patch->postFormatted(kTickBus, delayForFrame(2 * s), "f", 0.0));
    render(*patch, 2 * kSteps);
    const StrokeEventLog& log = patch->strokeEvents();
    ASSERT_EQ(log.count(), StrokeEventLog::kCapacity);
    EXPECT_EQ(log.dropped(), 4u * kSteps - StrokeEventLog::kCapacity);
    expectBlockOrder(log);
    EXPECT_EQ(log.begin()[2].frame, 1u);
    EXPECT_EQ(log.begin()[2].kind, StrokeEventKind::Release);
    render(*patch, 10);
    EXPECT_EQ(patch->strokeEvents().count(), 0);
}

} // namespace
