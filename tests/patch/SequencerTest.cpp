// The rhythm as a host hears it: which stroke each drum starts on which tick, for the parameter
// settings, clock events and odd values a host may send.
#include <gtest/gtest.h>

#include "GrooveHarness.h"

using namespace groove_test;

namespace {

struct Groove {
    PatchPtr patch = makePatch();
    Groove() { installMarkers(*patch, 1); }
    std::vector<uint32_t> ticks(int n) { return tickAndRecord(*patch, n); }
};

std::vector<int> repeat(const std::vector<int>& cycle, int times)
{
    std::vector<int> out;
    for (int i = 0; i < times; ++i)
        out.insert(out.end(), cycle.begin(), cycle.end());
    return out;
}

TEST(Sequencer, DefaultParametersRepeatEveryFourQuarters)
{
    Groove g;
    postParameters(*g.patch, 4, 1, 2, 4, 1, 2);
    const auto started = g.ticks(3 * 96);
    EXPECT_EQ(drumSteps(started, kDayan, 24, 12), tablesForIdx(kDayan, repeat({0, 2, 3, 6}, 3)));
    EXPECT_EQ(drumSteps(started, kBaya, 24, 12), tablesForIdx(kBaya, repeat({0, 2, 4, 8}, 3)));
    // Nothing starts between steps.
    for (size_t t = 0; t < started.size(); ++t) {
        if (t % 24 != 0) {
            EXPECT_EQ(started[t], 0u) << "tick " << t;
        }
    }
}

TEST(Sequencer, PatternOneLengthSixteen)
{
    Groove g;
    postParameters(*g.patch, 16, 1, 2, 16, 1, 2);
    const auto started = g.ticks(2 * 16 * 24);
    EXPECT_EQ(drumSteps(started, kDayan, 24, 32),
        tablesForIdx(kDayan, repeat({0, 2, 3, 6, 2, 6, 3, 3, 3, 6, 3, 4, 3, 0, 3, 6}, 2)));
    EXPECT_EQ(drumSteps(started, kBaya, 24, 32),
        tablesForIdx(kBaya, repeat({0, 2, 4, 8, 2, 8, 4, 3, 3, 8, 4, 6, 4, 0, 4, 8}, 2)));
}

TEST(Sequencer, OtherPatternsNameOtherRhythms)
{
    for (float pattern : {2.0f, 1337.0f}) {
        Groove g;
        postParameters(*g.patch, 4, pattern, 2, 4, pattern, 2);
        const auto started = g.ticks(2 * 96);
        const bool two = pattern == 2.0f;
        EXPECT_EQ(drumSteps(started, kDayan, 24, 8),
            tablesForIdx(kDayan,
                repeat(two ? std::vector<int>{1, 4, 6, 5} : std::vector<int>{7, 2, 0, 5}, 2)));
        EXPECT_EQ(drumSteps(started, kBaya, 24, 8),
            tablesForIdx(kBaya,
                repeat(two ? std::vector<int>{1, 5, 8, 6} : std::vector<int>{9, 3, 0, 6}, 2)));
    }
}

TEST(Sequencer, LengthIsTruncatedAndRestartsThePattern)
{
    Groove g;
    postParameters(*g.patch, 7.9f, 1, 2, 7.9f, 1, 2);
    const auto started = g.ticks(2 * 7 * 24);
    EXPECT_EQ(
        drumSteps(started, kDayan, 24, 14), tablesForIdx(kDayan, repeat({0, 2, 3, 6, 2, 6, 3}, 2)));
    EXPECT_EQ(
        drumSteps(started, kBaya, 24, 14), tablesForIdx(kBaya, repeat({0, 2, 4, 8, 2, 8, 4}, 2)));
}

TEST(Sequencer, EachTempoSetsItsStepLength)
{
    // Dayan x2 (12 ticks) against Baya /2 (48 ticks), then Dayan x1.5 (16 ticks).
    Groove g;
    postParameters(*g.patch, 16, 1, 4, 16, 1, 0);
    auto started = g.ticks(96);
    for (int t = 0; t < 96; ++t) {
        if (t % 12 != 0) {
            EXPECT_EQ(drumStroke(started[t], kDayan), -1) << "tick " << t;
        }
        if (t % 48 != 0) {
            EXPECT_EQ(drumStroke(started[t], kBaya), -1) << "tick " << t;
        }
    }
    EXPECT_EQ(drumSteps(started, kDayan, 12, 8), tablesForIdx(kDayan, {0, 2, 3, 6, 2, 6, 3, 3}));
    EXPECT_EQ(drumSteps(started, kBaya, 48, 2), tablesForIdx(kBaya, {0, 2}));

    Groove h;
    postParameters(*h.patch, 16, 1, 2, 16, 1, 1);
    started = h.ticks(96);
    EXPECT_EQ(drumSteps(started, kDayan, 16, 6), tablesForIdx(kDayan, {0, 2, 3, 6, 2, 6}));
    for (int t = 0; t < 96; ++t) {
        if (t % 16 != 0) {
            EXPECT_EQ(drumStroke(started[t], kDayan), -1) << "tick " << t;
        }
    }
}

TEST(Sequencer, TempoTakesOnlyExactValues)
{
    for (float ignored : {5.0f, 2.5f, -0.0f, -1.0f, 1e9f}) {
        Groove g;
        postParameters(*g.patch, 16, 1, 0, 16, 1, 0);
        g.patch->postFloat(hashString("Dayan_Tempo"), ignored);
        g.patch->postFloat(hashString("Baya_Tempo"), ignored);
        const auto started = g.ticks(48);
        // Still twelve ticks per step.
        EXPECT_EQ(drumSteps(started, kDayan, 12, 4), tablesForIdx(kDayan, {0, 2, 3, 6})) << ignored;
        EXPECT_EQ(drumSteps(started, kBaya, 12, 4), tablesForIdx(kBaya, {0, 2, 4, 8})) << ignored;
    }
}

TEST(Sequencer, TempoChangeKeepsTheTickGrid)
{
    Groove g;
    postParameters(*g.patch, 16, 1, 2, 16, 1, 2);
    g.ticks(30); // ticks 0-29: steps on 0 and 24
    g.patch->postFloat(hashString("Dayan_Tempo"), 0.0f);
    const auto started = g.ticks(40); // ticks 30-69: the Dayan steps on 36, 48 and 60
    EXPECT_EQ(drumStroke(started[6], kDayan), tableForIdx(kDayan, 3));
    EXPECT_EQ(drumStroke(started[18], kDayan), tableForIdx(kDayan, 6));
    EXPECT_EQ(drumStroke(started[30], kDayan), tableForIdx(kDayan, 2));
    EXPECT_EQ(drumStroke(started[12], kDayan), -1);
    EXPECT_EQ(drumStroke(started[6], kBaya), -1);
    EXPECT_EQ(drumStroke(started[18], kBaya), tableForIdx(kBaya, 4));
    EXPECT_EQ(drumStroke(started[30], kBaya), -1);
}

TEST(Sequencer, StopRestartsTheTickGridButNotThePattern)
{
    Groove g;
    postParameters(*g.patch, 16, 1, 2, 16, 1, 2);
    auto before = g.ticks(31); // ticks 0-30: steps on 0 and 24
    EXPECT_EQ(drumSteps(before, kDayan, 24, 2), tablesForIdx(kDayan, {0, 2}));
    ASSERT_TRUE(postStatus(*g.patch, 252.0f));
    render(*g.patch, 1);
    const auto after = g.ticks(49); // the next tick is tick 0 again
    EXPECT_EQ(drumSteps(after, kDayan, 24, 3), tablesForIdx(kDayan, {3, 6, 2}));
    EXPECT_EQ(drumSteps(after, kBaya, 24, 3), tablesForIdx(kBaya, {4, 8, 2}));
}

TEST(Sequencer, StartAndContinueChangeNothing)
{
    Groove g;
    postParameters(*g.patch, 16, 1, 2, 16, 1, 2);
    g.ticks(12);
    ASSERT_TRUE(postStatus(*g.patch, 250.0f));
    ASSERT_TRUE(postStatus(*g.patch, 251.0f));
    ASSERT_TRUE(postStatus(*g.patch, 249.0f));
    const auto started = g.ticks(37); // ticks 12-48
    EXPECT_EQ(drumStroke(started[12], kDayan), tableForIdx(kDayan, 2));
    EXPECT_EQ(drumStroke(started[36], kDayan), tableForIdx(kDayan, 3));
}

// The initial seed value 0 keeps the generators at 0: every draw is idx 0.
TEST(Sequencer, WithoutPatternEveryStepPlaysTheFirstStrokes)
{
    Groove g;
    const auto started = g.ticks(8 * 24);
    EXPECT_EQ(drumSteps(started, kDayan, 24, 8), std::vector<int>(8, kDayan1Table));
    EXPECT_EQ(drumSteps(started, kBaya, 24, 8), std::vector<int>(8, kBaya1Table));
}

TEST(Sequencer, PatternChangeReseedsAtOnce)
{
    Groove g;
    postParameters(*g.patch, 4, 1, 2, 4, 1, 2);
    g.ticks(25); // steps 0 and 1 of pattern 1
    g.patch->postFloat(hashString("Dayan_Pattern"), 2.0f);
    const auto started = g.ticks(96); // steps 2, 3 from pattern 2's start, then a full cycle
    EXPECT_EQ(drumSteps(started, kDayan, 24, 4, 23), tablesForIdx(kDayan, {1, 4, 1, 4}));
    EXPECT_EQ(drumSteps(started, kBaya, 24, 4, 23), tablesForIdx(kBaya, {4, 8, 0, 2}));
}

TEST(Sequencer, BusesReachTheDrumsDirectly)
{
    Groove g;
    postParameters(*g.patch, 16, 1, 2, 16, 1, 2);
    // TickBus steps both drums without moving the tick counter.
    g.patch->postFloat(kTickBus, 48.0f);
    const Stereo out = render(*g.patch, 1);
    EXPECT_EQ(drumStroke(soundingTables(out.left[0]), kDayan), tableForIdx(kDayan, 0));
    EXPECT_EQ(drumStroke(soundingTables(out.left[0]), kBaya), tableForIdx(kBaya, 0));
    auto started = g.ticks(1); // still tick 0: the second step
    EXPECT_EQ(drumStroke(started[0], kDayan), tableForIdx(kDayan, 2));
    g.patch->postFloat(kTickBus, 7.0f); // not a multiple of 24
    g.patch->postBang(kTickBus);
    g.patch->postSymbol(kTickBus, "stop");
    started = g.ticks(24); // ticks 1-24
    EXPECT_EQ(drumStroke(started[0], kDayan), -1);
    EXPECT_EQ(drumStroke(started[23], kDayan), tableForIdx(kDayan, 3));

    // The length bus sets L (truncated); a seed bus bang reseeds from the stored Pattern.
    Groove h;
    postParameters(*h.patch, 16, 1, 2, 16, 1, 2);
    h.patch->postFloat(kDayanLengthBus, 2.7f);
    h.patch->postFloat(kBayaSeedBus, 2.0f);
    started = h.ticks(4 * 24);
    EXPECT_EQ(drumSteps(started, kDayan, 24, 4), tablesForIdx(kDayan, {0, 2, 0, 2}));
    EXPECT_EQ(drumSteps(started, kBaya, 24, 4), tablesForIdx(kBaya, {1, 5, 8, 6}));
    h.patch->postBang(kDayanSeedBus);
    h.patch->postFloat(kDayanLengthBus, 16.0f);
    started = h.ticks(24);
    EXPECT_EQ(drumStroke(started[0], kDayan), tableForIdx(kDayan, 0));
}

TEST(Sequencer, InitialisationCanBeRunAgain)
{
    Groove g;
    postParameters(*g.patch, 16, 2, 2, 16, 2, 2);
    g.ticks(24); // step 0
    g.patch->postBang(kInitReceiver); // seed values and generators 0 again: every draw is idx 0
    const auto started = g.ticks(4 * 24);
    EXPECT_EQ(drumSteps(started, kDayan, 24, 4), std::vector<int>(4, kDayan1Table));
    EXPECT_EQ(drumSteps(started, kBaya, 24, 4), std::vector<int>(4, kBaya1Table));
    // Length 4 again: a Pattern now repeats every four steps (the step count went on to 5).
    g.patch->postFloat(hashString("Dayan_Pattern"), 1.0f);
    const auto after = g.ticks(8 * 24);
    EXPECT_EQ(drumSteps(after, kDayan, 24, 8), tablesForIdx(kDayan, {0, 2, 3, 0, 2, 3, 6, 0}));
}

} // namespace
