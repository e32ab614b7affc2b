// Acoustic character of the stroke tables: Dayan partials, ring and decay times, Baya glides.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "StrokeAnalysis.h"

namespace {

constexpr double kDayanPitchHz = 277.18;
constexpr double kDayanLowestModeHz = kDayanPitchHz * 1.06;
constexpr double kBayaPitchHz = 98.0;

std::vector<float> table(const char* name)
{
    return readTableFile(std::string(STROKE_ASSET_DIR) + "/" + name + ".f32");
}

std::vector<double> wholeSpectrum(const std::vector<float>& signal)
{
    size_t size = 1;
    while (size < signal.size())
        size *= 2;
    return magnitudeSpectrum(signal, 0, size * 2);
}

double semitones(double hz, double referenceHz)
{
    return 12.0 * std::log2(hz / referenceHz);
}

// Every period-to-period step goes the given way, allowing tracker jitter of 0.02 semitone.
void expectMonotonic(
    const std::vector<PitchPoint>& track, double fromSeconds, double toSeconds, bool rising)
{
    constexpr double kJitterSemitones = 0.02;
    double previous = 0.0;
    int points = 0;
    for (const PitchPoint& p : track) {
        if (p.seconds < fromSeconds || p.seconds > toSeconds)
            continue;
        if (points++ > 0) {
            const double step = semitones(p.hertz, previous);
            if (rising)
                EXPECT_GT(step, -kJitterSemitones) << "at " << p.seconds << " s";
            else
                EXPECT_LT(step, kJitterSemitones) << "at " << p.seconds << " s";
        }
        previous = p.hertz;
    }
    EXPECT_GT(points, 10);
}

std::vector<PitchPoint> bassTrack(const char* name)
{
    return trackPitch(table(name), 200.0, 0.8);
}

} // namespace

// Na: the rim stroke rings on partials 2 to 5 of the Dayan pitch, with the lowest mode muted.
TEST(StrokeAcoustics, NaRingsOnPartialsTwoToFive)
{
    const std::vector<double> spectrum = wholeSpectrum(table("dayan1"));
    std::vector<double> peaks = strongestPeaks(spectrum, 200.0, 3000.0, 4, 0.05);
    ASSERT_EQ(peaks.size(), 4u);
    std::sort(peaks.begin(), peaks.end());
    for (int k = 2; k <= 5; ++k)
        EXPECT_NEAR(peaks[k - 2] / (k * kDayanPitchHz), 1.0, 0.01) << "partial " << k;
    EXPECT_LT(energyShare(spectrum, kDayanLowestModeHz * 0.97, kDayanLowestModeHz * 1.03), 0.01);
}

TEST(StrokeAcoustics, TunRingsOnItsLowestModeAndTinOnItsSecondPartial)
{
    const std::vector<float> tun = table("dayan3");
    EXPECT_GT(
        energyShare(wholeSpectrum(tun), kDayanLowestModeHz * 0.97, kDayanLowestModeHz * 1.03), 0.8);
    EXPECT_GT(secondsUntilBelow(tun, 40.0), 1.2);

    const std::vector<double> tin = wholeSpectrum(table("dayan4"));
    const std::vector<double> loudest = strongestPeaks(tin, 100.0, 3000.0, 1, 0.05);
    ASSERT_EQ(loudest.size(), 1u);
    EXPECT_NEAR(loudest[0] / (2.0 * kDayanPitchHz), 1.0, 0.01);
}

// Closed strokes are choked by the hand; open ones ring on.
TEST(StrokeAcoustics, ClosedStrokesAreFortyDecibelsDownBy150Milliseconds)
{
    for (const char* name : {"dayan2", "dayan5", "baya1", "baya2"})
        EXPECT_LT(secondsUntilBelow(table(name), 40.0), 0.150) << name;
    for (const char* name :
        {"dayan1", "dayan3", "dayan4", "baya3", "baya4", "baya5", "baya6", "baya7"})
        EXPECT_GT(secondsUntilBelow(table(name), 40.0), 0.350) << name;
}

TEST(StrokeAcoustics, BayaGlidesMoveMonotonicallyOverTheirRanges)
{
    const std::vector<PitchPoint> rest = bassTrack("baya5");
    const double restHz = pitchAt(rest, 0.4);
    EXPECT_NEAR(restHz, kBayaPitchHz, 1.0);
    expectMonotonic(rest, 0.05, 0.7, true);
    expectMonotonic(rest, 0.05, 0.7, false);

    // Ghe, slow: about 7 semitones up, spread over half a second.
    const std::vector<PitchPoint> slow = bassTrack("baya3");
    expectMonotonic(slow, 0.05, 0.75, true);
    EXPECT_LT(semitones(pitchAt(slow, 0.05), restHz), 0.5);
    EXPECT_NEAR(semitones(pitchAt(slow, 0.25), restHz), 3.5, 1.5);
    EXPECT_NEAR(semitones(pitchAt(slow, 0.6), restHz), 7.0, 0.5);

    // Ghe, fast: about 4.5 semitones up, done within a quarter second.
    const std::vector<PitchPoint> fast = bassTrack("baya7");
    expectMonotonic(fast, 0.05, 0.75, true);
    EXPECT_NEAR(semitones(pitchAt(fast, 0.26), restHz), 4.5, 0.5);
    EXPECT_NEAR(semitones(pitchAt(fast, 0.6), restHz), semitones(pitchAt(fast, 0.26), restHz), 0.1);

    // Ghe released: from the pressed pitch back down to rest.
    const std::vector<PitchPoint> falling = bassTrack("baya4");
    expectMonotonic(falling, 0.05, 0.75, false);
    EXPECT_GT(semitones(pitchAt(falling, 0.05), restHz), 6.0);
    EXPECT_NEAR(semitones(pitchAt(falling, 0.6), restHz), 0.0, 0.2);

    // Ge: a hard hit starts a little sharp and droops to rest.
    const std::vector<PitchPoint> firm = bassTrack("baya6");
    expectMonotonic(firm, 0.05, 0.75, false);
    EXPECT_GT(semitones(pitchAt(firm, 0.05), restHz), 0.1);
    EXPECT_LT(semitones(pitchAt(firm, 0.05), restHz), 1.0);
    EXPECT_NEAR(semitones(pitchAt(firm, 0.3), restHz), 0.0, 0.05);
}
