// The table player: start, count, end bang, guard read, stop, and missing tables.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "RecordingContext.h"
#include "runtime/TablePlayer.h"

namespace {

constexpr auto record = RecordingContext::record;

struct TablePlayerFixture : ::testing::Test {
    TablePlayerFixture()
    {
        std::vector<float> values(6000);
        for (size_t i = 0; i < values.size(); ++i)
            values[i] = 1000.0f + static_cast<float>(i);
        EXPECT_TRUE(context.longTable.create(6000, values.data()));
        const float small[] = {0.5f, -0.5f};
        EXPECT_TRUE(context.smallTable.create(2, small));
        player.init(&context.longTable, false);
    }
    std::vector<float> play(int frames)
    {
        std::vector<float> out;
        for (int i = 0; i < frames; ++i)
            out.push_back(player.process(&context, record));
        return out;
    }
    int bangsOnOutlet2() const
    {
        int n = 0;
        for (const Recorded& r : context.sent)
            n += r.outlet == 2 && r.isBang();
        return n;
    }
    RecordingContext context;
    TablePlayer player;
};

TEST_F(TablePlayerFixture, StartAndCountPlayTheRangeThenBangOnce)
{
    EXPECT_EQ(play(3), std::vector<float>(3, 0.0f)) << "idle until started";
    player.onMessage(&context, 0, floats(42, {100.0f}), record);
    // The head is announced before any sample of the new playback.
    ASSERT_EQ(context.sent.size(), 1u);
    EXPECT_EQ(context.sent[0].outlet, 1);
    EXPECT_TRUE(context.sent[0].isFloat(100.0f));
    EXPECT_EQ(context.sent[0].timestamp, 42u);

    player.onMessage(&context, 2, floats(42, {10.0f}), record);
    const std::vector<float> samples = play(12);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(samples[i], 1100.0f + i) << i;
    EXPECT_EQ(samples[10], 0.0f);
    EXPECT_EQ(samples[11], 0.0f);
    EXPECT_EQ(bangsOnOutlet2(), 1);
    EXPECT_EQ(context.sent.back().outlet, 2);
    EXPECT_EQ(context.sent.size(), 2u) << "the bang came on the eleventh frame, once";
}

TEST_F(TablePlayerFixture, NegativeStartCountsFromTheEnd)
{
    player.onMessage(&context, 0, floats(0, {-10.0f}), record);
    EXPECT_TRUE(context.sent[0].isFloat(5990.0f));
    const std::vector<float> samples = play(11);
    EXPECT_EQ(samples[0], 6990.0f);
    EXPECT_EQ(samples[9], 6999.0f);
    EXPECT_EQ(samples[10], 0.0f);
    EXPECT_EQ(bangsOnOutlet2(), 1);

    // A start further back than the table stops at once, silently.
    player.onMessage(&context, 0, floats(0, {-7000.0f}), record);
    EXPECT_EQ(play(3), std::vector<float>(3, 0.0f));
    EXPECT_EQ(bangsOnOutlet2(), 1);
}

TEST_F(TablePlayerFixture, EndBeyondTheTableReadsTheGuardAndStopsWithoutBang)
{
    player.onMessage(&context, 0, floats(0, {5995.0f}), record);
    player.onMessage(&context, 2, floats(0, {100.0f}), record);
    std::vector<float> samples = play(8);
    EXPECT_EQ(samples[4], 6999.0f);
    EXPECT_EQ(samples[5], 0.0f) << "the guard value";
    EXPECT_FALSE(player.playing);
    EXPECT_EQ(bangsOnOutlet2(), 0);

    // A count so large that head + count would wrap saturates instead, with the same result.
    player.onMessage(&context, 0, floats(0, {5999.0f}), record);
    player.onMessage(&context, 2, floats(0, {1e30f}), record);
    samples = play(4);
    EXPECT_EQ(samples[0], 6999.0f);
    EXPECT_EQ(samples[1], 0.0f);
    EXPECT_EQ(bangsOnOutlet2(), 0);
}

TEST_F(TablePlayerFixture, StopNeedsTheSymbolAndSilencesWithoutBang)
{
    player.onMessage(&context, 0, bang(0), record);
    EXPECT_EQ(play(2), (std::vector<float>{1000.0f, 1001.0f}));
    player.onMessage(&context, 0, hashed(0, "stop"), record);
    EXPECT_EQ(play(1)[0], 1002.0f) << "a pre-hashed stop is not a stop";
    player.onMessage(&context, 0, symbol(0, "stop"), record);
    EXPECT_EQ(play(3), std::vector<float>(3, 0.0f));
    EXPECT_EQ(bangsOnOutlet2(), 0);
}

TEST_F(TablePlayerFixture, MissingOrUnknownTableIsSilentAndIgnoresMessages)
{
    TablePlayer empty;
    empty.init(nullptr, false);
    empty.onMessage(&context, 0, floats(0, {1.0f}), record);
    empty.onMessage(&context, 2, floats(0, {1.0f}), record);
    EXPECT_EQ(empty.process(&context, record), 0.0f);

    player.onMessage(&context, 0, bang(0), record);
    player.onMessage(&context, 1, hashed(0, "nowhere"), record);
    EXPECT_EQ(player.table, nullptr);
    player.onMessage(&context, 0, bang(0), record);
    EXPECT_EQ(play(2), std::vector<float>(2, 0.0f));
    EXPECT_TRUE(context.sent.empty());

    // Naming a real table (as text) makes it playable again, from its start.
    player.onMessage(&context, 1, symbol(0, "small"), record);
    player.onMessage(&context, 0, bang(0), record);
    EXPECT_EQ(play(3), (std::vector<float>{0.5f, -0.5f, 0.0f}));
    EXPECT_EQ(bangsOnOutlet2(), 1);
}

} // namespace
