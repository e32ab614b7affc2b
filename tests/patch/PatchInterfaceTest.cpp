// What a host sees of the patch apart from the rhythm: identity, parameter and table lookups,
// unknown receivers, empty blocks, separate instances and the three block layouts.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "GrooveHarness.h"

using namespace groove_test;

namespace {

TEST(PatchInterface, Identity)
{
    auto patch = makePatch();
    EXPECT_STREQ(patch->patchName(), "Vantorel");
    EXPECT_EQ(patch->inputChannelCount(), 0);
    EXPECT_EQ(patch->outputChannelCount(), 2);
    EXPECT_EQ(patch->sampleRate(), kSampleRate);
}

TEST(PatchInterface, ParameterInfo)
{
    auto patch = makePatch();
    struct Expected {
        const char* name;
        float minimum, maximum, defaultValue;
    };
    const Expected expected[] = {
        {"Baya_Length", 4, 16, 4},
        {"Baya_Pattern", 1, 1337, 1},
        {"Baya_Tempo", 0, 4, 2},
        {"Dayan_Length", 4, 16, 4},
        {"Dayan_Pattern", 1, 1337, 1},
        {"Dayan_Tempo", 0, 4, 2},
        {"Dayan_Tune", -12, 12, 0},
        {"Baya_Tune", -12, 12, 0},
    };
    for (int i = 0; i < 8; ++i) {
        PatchParameterInfo info{};
        ASSERT_EQ(patch->parameterInfo(i, &info), 8);
        EXPECT_STREQ(info.name, expected[i].name);
        EXPECT_EQ(info.hash, hashString(info.name));
        EXPECT_EQ(info.kind, 0u);
        EXPECT_EQ(info.minimum, expected[i].minimum);
        EXPECT_EQ(info.maximum, expected[i].maximum);
        EXPECT_EQ(info.defaultValue, expected[i].defaultValue);
    }
    for (int index : {8, -1, INT_MAX, INT_MIN}) {
        PatchParameterInfo info{"x", 1, 1, 1, 1, 1};
        ASSERT_EQ(patch->parameterInfo(index, &info), 8);
        EXPECT_STREQ(info.name, "invalid parameter index");
        EXPECT_EQ(info.hash, 0u);
        EXPECT_EQ(info.kind, 0u);
        EXPECT_EQ(info.minimum, 0.0f);
        EXPECT_EQ(info.maximum, 0.0f);
        EXPECT_EQ(info.defaultValue, 0.0f);
    }
    EXPECT_EQ(patch->parameterInfo(0, nullptr), 8);
    EXPECT_EQ(patch->parameterInfo(99, nullptr), 8);
}

TEST(PatchInterface, TablesHoldTheRecordings)
{
    auto patch = makePatch();
    const uint32_t lengths[kStrokeTableCount] = {
        24552, 6000, 96000, 24000, 24000, 19305, 24212, 49233, 48134, 46200, 48000, 48000};
    uint64_t total = 0;
    for (int t = 0; t < kStrokeTableCount; ++t) {
        const uint32_t hash = hashString(kStrokeTableNames[t].name);
        Table* table = patch->findTable(hash);
        ASSERT_NE(table, nullptr) << kStrokeTableNames[t].name;
        EXPECT_EQ(table->length(), lengths[t]);
        EXPECT_EQ(table->size(), lengths[t]);
        EXPECT_EQ(table->allocated(), lengths[t] + 1);
        EXPECT_EQ(table->buffer()[lengths[t]], 0.0f) << "guard value";
        for (int other = 0; other < t; ++other)
            EXPECT_NE(table, patch->findTable(kStrokeTableNames[other].hash));
        total += lengths[t];
    }
    EXPECT_EQ(total, 457636u);
    EXPECT_GE(patch->memorySize(), 1830544u + (10 + 6 + 2) * 1024u);
    EXPECT_EQ(patch->findTable(0), nullptr);
    EXPECT_EQ(patch->findTable(hashString("dayan6")), nullptr);
    EXPECT_EQ(patch->tableLength(hashString("baya8")), 0u);
    EXPECT_EQ(patch->tableBuffer(hashString("Dayan_Tempo")), nullptr);
    EXPECT_FALSE(patch->resizeTable(0, 4));
}

// A groove with everything a host sends: parameters, ticks at odd frames, a stop, changes; when
// tuned, both drums' Tune values and a Tune change while strokes sound.
struct Score {
    struct Event {
        int frame;
        uint32_t hash;
        float value;
    };
    std::vector<Event> events;
    double rate;
    explicit Score(double sampleRate = kSampleRate, bool tuned = false) : rate(sampleRate)
    {
        const char* names[] = {"Baya_Length", "Baya_Pattern", "Baya_Tempo", "Dayan_Length",
            "Dayan_Pattern", "Dayan_Tempo"};
        const float values[] = {7, 42, 2, 5, 1337, 0};
        for (int i = 0; i < 6; ++i)
            events.push_back({0, hashString(names[i]), values[i]});
        for (int tick = 0; tick < 400; ++tick)
            events.push_back({3 + tick * 97, kRealtimeIn, 248.0f});
        events.push_back({20000, kRealtimeIn, 252.0f});
        events.push_back({21000, hashString("Dayan_Tempo"), 1.0f});
        events.push_back({25000, hashString("Baya_Pattern"), 3.0f});
        if (tuned) {
            events.push_back({0, kDayanTuneReceiver, 3.3f});
            events.push_back({0, kBayaTuneReceiver, -7.25f});
            events.push_back({12345, kDayanTuneReceiver, -11.5f});
        }
        std::stable_sort(events.begin(), events.end(),
            [](const Event& a, const Event& b) { return a.frame < b.frame; });
    }
    // Posts the events of frames [from, to) for a block starting at blockStart.
    void post(KrellContextInterface& patch, int from, int to, int blockStart) const
    {
        for (const Event& e : events) {
            if (e.frame < from || e.frame >= to)
                continue;
            EXPECT_TRUE(patch.postFormatted(e.hash, delayForFrame(e.frame - blockStart, rate), "ff",
                static_cast<double>(e.value), 0.0));
        }
    }
    // Renders `frames` in blocks of `blockSize`, posting each event before the block it falls in.
    Stereo render(KrellContextInterface& patch, int frames, int blockSize) const
    {
        Stereo all{std::vector<float>(frames), std::vector<float>(frames)};
        for (int start = 0; start < frames; start += blockSize) {
            const int n = std::min(blockSize, frames - start);
            post(patch, start, start + n, start);
            float* outputs[2] = {all.left.data() + start, all.right.data() + start};
            EXPECT_EQ(patch.processBlock(nullptr, outputs, n), n);
        }
        return all;
    }
};

bool sameBits(const std::vector<float>& a, const std::vector<float>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

TEST(PatchInterface, BlockSizeDoesNotChangeTheOutput)
{
    constexpr int kFrames = 40000;
    // Untuned at the recordings' rate, and tuned at 44.1 kHz, where every voice interpolates.
    for (const Score& score : {Score(), Score(44100.0, true)}) {
        auto reference = makePatch(10, 6, score.rate);
        const Stereo expected = score.render(*reference, kFrames, 512);
        int sounding = 0;
        for (float v : expected.left)
            sounding += v != 0.0f;
        ASSERT_GT(sounding, kFrames / 2);
        for (int blockSize : {1, 7, 64}) {
            auto patch = makePatch(10, 6, score.rate);
            const Stereo out = score.render(*patch, kFrames, blockSize);
            EXPECT_TRUE(sameBits(out.left, expected.left))
                << "block size " << blockSize << " at " << score.rate;
            EXPECT_TRUE(sameBits(out.right, expected.right))
                << "block size " << blockSize << " at " << score.rate;
        }
    }
}

TEST(PatchInterface, UnknownReceiversChangeNothing)
{
    const Score score;
    auto reference = makePatch();
    const Stereo expected = score.render(*reference, 5000, 256);
    auto patch = makePatch();
    for (uint32_t hash :
        {kTempoReceiver, 0u, 0xFFFFFFFFu, hashString("Tempo"), hashString("dayan1")}) {
        EXPECT_TRUE(patch->postFloat(hash, 1.0f));
        EXPECT_TRUE(patch->postBang(hash));
    }
    const Stereo out = score.render(*patch, 5000, 256);
    EXPECT_TRUE(sameBits(out.left, expected.left));
    EXPECT_TRUE(sameBits(out.right, expected.right));
}

TEST(PatchInterface, EmptyBlockOnlyMovesPostsIntoTheQueue)
{
    auto patch = makePatch();
    installMarkers(*patch, 1);
    render(*patch, 10);
    float sentinel[2] = {-7.0f, -7.0f};
    float* outputs[2] = {&sentinel[0], &sentinel[1]};
    // More ticks than the input pipe holds at once: each empty block drains it.
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 60; ++i)
            ASSERT_TRUE(postStatus(*patch, 248.0f));
        EXPECT_EQ(patch->processBlock(nullptr, outputs, 0), 0);
    }
    EXPECT_EQ(patch->processBlock(nullptr, outputs, -5), 0);
    // Nowhere to write: refused like an empty block.
    float* missing[2] = {&sentinel[0], nullptr};
    EXPECT_EQ(patch->processBlock(nullptr, missing, 64), 0);
    EXPECT_EQ(patch->processBlock(nullptr, nullptr, 64), 0);
    EXPECT_EQ(patch->processContiguous(nullptr, nullptr, 64), 0);
    EXPECT_EQ(patch->processInterleaved(nullptr, nullptr, 64), 0);
    EXPECT_EQ(sentinel[0], -7.0f);
    EXPECT_EQ(sentinel[1], -7.0f);
    EXPECT_EQ(patch->blockStartSample(), 10u);
    // All 120 ticks run before frame 0 of the next block: steps on ticks 0, 24, ..., 96.
    const Stereo out = render(*patch, 4);
    EXPECT_NE(out.left[0], 0.0f);
    EXPECT_EQ(out.left[1], 0.0f);
    installMarkers(*patch, 1);
    const auto started = tickAndRecord(*patch, 24);
    EXPECT_NE(started[0], 0u) << "tick 120 steps";
    EXPECT_EQ(started[1], 0u);
    EXPECT_EQ(patch->blockStartSample(), 38u);
}

TEST(PatchInterface, InstancesAreIndependent)
{
    const Score score;
    auto a = makePatch();
    auto b = makePatch();
    auto reference = makePatch();
    EXPECT_NE(a->tableBuffer(hashString("dayan1")), b->tableBuffer(hashString("dayan1")));
    // Writing into one instance's table, or posting to it, leaves the other alone.
    float* dayan1 = a->tableBuffer(hashString("dayan1"));
    for (uint32_t i = 0; i < a->tableLength(hashString("dayan1")); ++i)
        dayan1[i] = 0.5f;
    a->postFloat(hashString("Dayan_Pattern"), 99.0f);
    const Stereo fromA = score.render(*a, 8000, 128);
    const Stereo fromB = score.render(*b, 8000, 128);
    const Stereo expected = score.render(*reference, 8000, 128);
    EXPECT_FALSE(sameBits(fromA.left, expected.left));
    EXPECT_TRUE(sameBits(fromB.left, expected.left));
    EXPECT_TRUE(sameBits(fromB.right, expected.right));
}

TEST(PatchInterface, ContiguousAndInterleavedLayouts)
{
    const Score score;
    constexpr int kFrames = 3000;
    auto reference = makePatch();
    const Stereo expected = score.render(*reference, kFrames, kFrames);

    auto contiguous = makePatch();
    std::vector<float> planar(2 * kFrames);
    score.post(*contiguous, 0, kFrames, 0);
    EXPECT_EQ(contiguous->processContiguous(nullptr, planar.data(), kFrames), kFrames);
    EXPECT_EQ(std::memcmp(planar.data(), expected.left.data(), kFrames * sizeof(float)), 0);
    EXPECT_EQ(
        std::memcmp(planar.data() + kFrames, expected.right.data(), kFrames * sizeof(float)), 0);

    auto interleaved = makePatch();
    std::vector<float> pairs(2 * kFrames);
    score.post(*interleaved, 0, kFrames, 0);
    EXPECT_EQ(interleaved->processInterleaved(nullptr, pairs.data(), kFrames), kFrames);
    for (int j = 0; j < kFrames; ++j) {
        ASSERT_EQ(std::memcmp(&pairs[2 * j], &expected.left[j], sizeof(float)), 0) << j;
        ASSERT_EQ(std::memcmp(&pairs[2 * j + 1], &expected.right[j], sizeof(float)), 0) << j;
    }
    EXPECT_EQ(interleaved->blockStartSample(), static_cast<uint32_t>(kFrames));
}

// A block far larger than any stack: rendered in fixed chunks, it neither overflows nor differs.
TEST(PatchInterface, HugeInterleavedBlock)
{
    constexpr int kFrames = 1 << 21; // 16 MiB of stereo output
    auto patch = makePatch();
    auto reference = makePatch();
    for (auto* p : {patch.get(), reference.get()}) {
        for (int tick = 0; tick < 100; ++tick)
            postStatus(*p, 248.0f, delayForFrame(tick * 20000 + 5));
    }
    std::vector<float> pairs(2 * size_t{kFrames});
    EXPECT_EQ(patch->processInterleaved(nullptr, pairs.data(), kFrames), kFrames);
    const Stereo expected = render(*reference, kFrames);
    for (int j = 0; j < kFrames; ++j) {
        if (pairs[2 * j] != expected.left[j] || pairs[2 * j + 1] != expected.right[j]) {
            FAIL() << "frame " << j;
        }
    }
    EXPECT_EQ(patch->processInterleaved(nullptr, pairs.data(), 0), 0);
}

} // namespace
