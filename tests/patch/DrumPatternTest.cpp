// The pure cycle of a drum against the patch itself: for every Length and a few thousand Patterns
// (negative ones and those past the range included), each step of the pure cycle is the stroke
// the patch starts on that step.
#include <gtest/gtest.h>

#include <string>

#include "GrooveHarness.h"
#include "patch/DrumPattern.h"

using namespace groove_test;

namespace {

std::string bols(const DrumCycle& cycle)
{
    std::string out;
    for (int i = 0; i < cycle.length; ++i)
        out += std::string(i ? " " : "") +
            (cycle.voices[i] == kRest ? "-" : voiceBol(cycle.voices[i]));
    return out;
}

// Runs one cycle of `length` steps after setting the Pattern and returns, per step and drum, the
// stroke table the patch started (-1 for a rest). Each TickBus value 0 steps both drums.
std::vector<uint32_t> playCycle(KrellContextInterface& patch, int pattern, int length)
{
    EXPECT_TRUE(patch.postFloat(kDayanPatternReceiver, static_cast<float>(pattern)));
    EXPECT_TRUE(patch.postFloat(kBayaPatternReceiver, static_cast<float>(pattern)));
    for (int step = 0; step < length; ++step)
        EXPECT_TRUE(patch.postFormatted(kTickBus, delayForFrame(step), "f", 0.0));
    const Stereo out = render(patch, length);
    std::vector<uint32_t> started;
    for (float value : out.left)
        started.push_back(soundingTables(value));
    return started;
}

} // namespace

TEST(DrumPattern, KnownCyclesAndBols)
{
    EXPECT_EQ(bols(drumCycle(kDayan, 1, 4)), "Na Tun Tin -");
    EXPECT_EQ(bols(drumCycle(kBaya, 1, 4)), "Ka Ghe Ga -");
    EXPECT_EQ(bols(drumCycle(kDayan, 1337, 4)), "- Tun Na -");
    EXPECT_EQ(bols(drumCycle(kBaya, 2, 4)), "Ke Ge - Ghe");
    // Out-of-range Lengths are held to the cycle's bounds; a voice id out of range has no bol.
    EXPECT_EQ(drumCycle(kDayan, 1, 40).length, kMaxCycleLength);
    EXPECT_EQ(drumCycle(kDayan, 1, -3).length, 1);
    EXPECT_STREQ(voiceBol(kVoiceCount), "");
}

TEST(DrumPattern, MatchesThePatchForEveryLengthAndThousandsOfPatterns)
{
    for (int length = 4; length <= kMaxCycleLength; ++length) {
        // One patch per Length; each Pattern plays exactly one cycle, so the step counter stays
        // on a cycle boundary when the next Pattern arrives.
        PatchPtr patch = makePatch();
        installMarkers(*patch, 1);
        postParameters(*patch, static_cast<float>(length), 1, 2, static_cast<float>(length), 1, 2);
        for (int pattern = -8; pattern <= 2047; ++pattern) {
            const std::vector<uint32_t> started = playCycle(*patch, pattern, length);
            for (int drum : {kDayan, kBaya}) {
                const DrumCycle cycle = drumCycle(drum, pattern, length);
                ASSERT_EQ(cycle.length, length);
                for (int step = 0; step < length; ++step) {
                    const int voice = cycle.voices[step];
                    ASSERT_EQ(voice == kRest ? -1 : kVoiceTable[voice],
                        drumStroke(started[static_cast<size_t>(step)], drum))
                        << "drum " << drum << " pattern " << pattern << " length " << length
                        << " step " << step;
                }
            }
        }
    }
}

TEST(DrumPattern, LatestStepCellFollowsTheTicksAndStaysWhenTheyStop)
{
    PatchPtr patch = makePatch();
    // Dayan x2 (a step every 12 ticks) over 5 cells, Baya /2 (every 48 ticks) over 4.
    postParameters(*patch, 4, 9, 4, 5, 3, 0);
    render(*patch, 16);
    EXPECT_EQ(patch->latestStepCell(kDayan), -1);
    EXPECT_EQ(patch->latestStepCell(kBaya), -1);
    for (int tick = 0; tick < 300; ++tick) {
        ASSERT_TRUE(postStatus(*patch, 248.0f));
        render(*patch, 1);
        ASSERT_EQ(patch->latestStepCell(kDayan), tick / 12 % 5) << "tick " << tick;
        ASSERT_EQ(patch->latestStepCell(kBaya), tick / 48 % 4) << "tick " << tick;
    }
    // The transport stops: the cells stay; a MIDI stop realigns ticks, not cells.
    ASSERT_TRUE(postStatus(*patch, 252.0f));
    render(*patch, 4800);
    EXPECT_EQ(patch->latestStepCell(kDayan), 299 / 12 % 5);
    EXPECT_EQ(patch->latestStepCell(kBaya), 299 / 48 % 4);
    EXPECT_EQ(patch->latestStepCell(7), -1);
}
