// Stroke playback and the mix as a host hears them: sample-accurate starts, restarts and
// cut-offs, and a bit-exact two-channel mix.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "GrooveHarness.h"

using namespace groove_test;

namespace {

float floatFromBits(uint32_t bits)
{
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

TEST(Playback, StrokeStartsOnTheFrameOfItsTick)
{
    auto patch = makePatch();
    installMarkers(*patch, 1);
    render(*patch, 300);
    ASSERT_TRUE(postStatus(*patch, 248.0f, delayForFrame(100)));
    const Stereo out = render(*patch, 256);
    for (int i = 0; i < 256; ++i) {
        if (i == 100) {
            EXPECT_EQ(soundingTables(out.left[i]), (1u << kDayan1Table) | (1u << kBaya1Table));
        } else {
            EXPECT_EQ(out.left[i], 0.0f) << "frame " << i;
        }
    }
}

TEST(Playback, StrokePlaysItsTableOnceThenFallsSilent)
{
    StrokePlayer p;
    const float* dayan2 = p.patch->tableBuffer(hashString("dayan2"));
    const uint32_t length = p.patch->tableLength(hashString("dayan2"));
    ASSERT_EQ(length, 6000u);
    p.play(1, -1, 10);
    const Stereo out = render(*p.patch, 6100);
    for (int i = 0; i < 6100; ++i) {
        const bool sounding = i >= 10 && i < 10 + 6000;
        const float value = sounding ? dayan2[i - 10] : 0.0f;
        ASSERT_EQ(out.left[i], 0.75f * value) << "frame " << i;
        ASSERT_EQ(out.right[i], floatFromBits(0x3E99999A) * value) << "frame " << i;
    }
}

TEST(Playback, RetriggerRestartsWithoutOverlap)
{
    StrokePlayer p;
    const float* dayan3 = p.patch->tableBuffer(hashString("dayan3"));
    p.play(2, -1, 0);
    render(*p.patch, 48000);
    p.play(2, -1, 0);
    const Stereo out = render(*p.patch, 100);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(out.left[i], 0.75f * dayan3[i]) << "frame " << i;
}

// Which marker tables sound at the end of a sequence of draws, one per frame.
uint32_t soundingAfter(int drum, const std::vector<int>& draws)
{
    StrokePlayer p;
    installMarkers(*p.patch, 64);
    for (size_t i = 0; i < draws.size(); ++i) {
        p.play(drum == kDayan ? draws[i] : -1, drum == kBaya ? draws[i] : -1, static_cast<int>(i));
    }
    const Stereo out = render(*p.patch, static_cast<int>(draws.size()));
    return soundingTables(out.left.back());
}

uint32_t tables(std::initializer_list<int> list)
{
    uint32_t mask = 0;
    for (int t : list)
        mask |= 1u << t;
    return mask;
}

TEST(Playback, StrokesCutOffTheirDrumsRingingStrokes)
{
    EXPECT_EQ(soundingAfter(kDayan, {1, 0, 2, 3}),
        tables({kDayan1Table, kDayan2Table, kDayan3Table, kDayan4Table}));
    EXPECT_EQ(soundingAfter(kDayan, {1, 0, 2, 3, 4}), tables({kDayan2Table, kDayan5Table}));
    EXPECT_EQ(soundingAfter(kDayan, {4, 3}), tables({kDayan4Table}));
    EXPECT_EQ(soundingAfter(kDayan, {2, 1}), tables({kDayan2Table}));

    EXPECT_EQ(soundingAfter(kBaya, {0, 2, 4}), tables({kBaya1Table, kBaya3Table, kBaya5Table}));
    EXPECT_EQ(soundingAfter(kBaya, {0, 2, 4, 5}), tables({kBaya1Table, kBaya3Table, kBaya6Table}));
    EXPECT_EQ(
        soundingAfter(kBaya, {0, 2, 4, 5, 6}), tables({kBaya1Table, kBaya3Table, kBaya7Table}));
    EXPECT_EQ(soundingAfter(kBaya, {0, 2, 6, 1}), tables({kBaya2Table}));
    EXPECT_EQ(soundingAfter(kBaya, {1, 2, 0}), tables({kBaya1Table}));
    // Rests cut off nothing.
    EXPECT_EQ(soundingAfter(kBaya, {5, 2, 7, 3, 8}), tables({kBaya3Table}));
    EXPECT_EQ(soundingAfter(kDayan, {2, 5, 6, 7}), tables({kDayan3Table}));
}

TEST(Playback, MixIsExact)
{
    constexpr float k07 = 0.7f;
    constexpr float k03 = 0.3f;
    static_assert(sizeof(float) == 4);
    ASSERT_EQ(std::memcmp(&k07, "\x33\x33\x33\x3F", 4), 0);
    ASSERT_EQ(std::memcmp(&k03, "\x9A\x99\x99\x3E", 4), 0);

    StrokePlayer p;
    std::mt19937 random(7);
    std::uniform_real_distribution<float> sample(-1.0f, 1.0f);
    constexpr int kFrames = 256;
    float values[kStrokeTableCount][kFrames];
    for (int t = 0; t < kStrokeTableCount; ++t) {
        ASSERT_TRUE(p.patch->resizeTable(kStrokeTableNames[t].hash, kFrames));
        for (float& v : values[t])
            v = sample(random);
        std::memcpy(p.patch->tableBuffer(kStrokeTableNames[t].hash), values[t], sizeof values[t]);
    }
    // Four Dayan and three Baya strokes overlap, each from its own start.
    const int dayanStarts[] = {1, 0, 2, 3}; // dayan2, dayan1, dayan3, dayan4
    const int bayaStarts[] = {1, 2, 4, -1}; // baya2, baya3, baya5
    for (int i = 0; i < 4; ++i)
        p.play(dayanStarts[i], bayaStarts[i], 10 * i);
    const Stereo out = render(*p.patch, 400);

    auto slot = [&](int table, int start, int frame) {
        return frame >= start && frame - start < kFrames ? values[table][frame - start] : 0.0f;
    };
    int fusedMatters = 0;
    for (int i = 0; i < 400; ++i) {
        const float d1 = slot(kDayan1Table, 10, i), d2 = slot(kDayan2Table, 0, i),
                    d3 = slot(kDayan3Table, 20, i);
        const float d4 = slot(kDayan4Table, 30, i), d5 = 0.0f;
        const float b1 = 0.0f, b2 = slot(kBaya2Table, 0, i), b3 = slot(kBaya3Table, 10, i),
                    b4 = 0.0f;
        const float b5 = slot(kBaya5Table, 20, i), b6 = 0.0f, b7 = 0.0f;
        const float d = ((d5 + d2) + (d1 + d3)) + d4;
        const float b = ((b3 + b4) + (b1 + b2)) + ((b5 + b6) + b7);
        const float product0 = 0.75f * d;
        const float product1 = k03 * d;
        const float left = std::fma(b, 0.25f, product0);
        ASSERT_EQ(std::memcmp(&out.left[i], &left, 4), 0) << "frame " << i;
        const float right = std::fma(b, k07, product1);
        ASSERT_EQ(std::memcmp(&out.right[i], &right, 4), 0) << "frame " << i;
        const float unfused = b * k07 + product1;
        fusedMatters += std::memcmp(&right, &unfused, 4) != 0;
    }
    EXPECT_GT(fusedMatters, 0) << "the data does not tell a fused multiply-add from a plain one";
}

TEST(Playback, IdleVoicesGiveExactZero)
{
    auto patch = makePatch();
    const Stereo out = render(*patch, 1024);
    for (int i = 0; i < 1024; ++i) {
        ASSERT_EQ(out.left[i], 0.0f);
        ASSERT_EQ(out.right[i], 0.0f);
        ASSERT_FALSE(std::signbit(out.left[i]) || std::signbit(out.right[i]));
    }
}

} // namespace
