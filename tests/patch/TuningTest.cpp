// Tuned playback as a host hears it: a stroke keeps its pitch and length at every sample rate,
// Tune moves both by semitones, and every voice follows the interpolation rule to the bit, across
// Tune changes while it sounds. Compiled without floating-point contraction, like the voices.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "GrooveHarness.h"

using namespace groove_test;

namespace {

constexpr double kPi = 3.14159265358979323846;

double playbackRate(double sampleRate, double tune)
{
    return (48000.0 / sampleRate) * std::exp2(tune / 12.0);
}

// The playback rule written out on its own: a read position that moves by the rate each frame,
// the table value itself at rate 1, otherwise the Catmull-Rom value of the four around it.
struct ModelVoice {
    std::vector<float> x;
    double p = 0.0;
    bool playing = false;

    float at(double index) const
    {
        return index >= 0.0 && index < static_cast<double>(x.size()) ? x[static_cast<size_t>(index)]
                                                                     : 0.0f;
    }
    float next(double r)
    {
        const double i = std::floor(p);
        if (!playing || i >= static_cast<double>(x.size())) {
            playing = false;
            return 0.0f;
        }
        float out = at(i);
        if (r != 1.0) {
            const float xm1 = at(i - 1), x0 = at(i), x1 = at(i + 1), x2 = at(i + 2);
            const float f = static_cast<float>(p - i);
            const float c1 = 0.5f * (x1 - xm1);
            const float c2 = ((xm1 - 2.5f * x0) + 2.0f * x1) - 0.5f * x2;
            const float c3 = 0.5f * (x2 - xm1) + 1.5f * (x0 - x1);
            out = ((c3 * f + c2) * f + c1) * f + x0;
        }
        p += r;
        return out;
    }
};

std::vector<float> tableOf(KrellContextInterface& patch, const char* name)
{
    const float* values = patch.tableBuffer(hashString(name));
    return std::vector<float>(values, values + patch.tableLength(hashString(name)));
}

struct TuneEvent {
    int frame;
    uint32_t receiver;
    float tune;
};

// A Dayan Na and a Baya Ka start together at frame 10 while both drums' Tunes change; channel 0
// must be the exact mix of the two model voices, each at its own drum's rate.
void expectRuleAcrossTuneChanges(double sampleRate, const std::vector<TuneEvent>& events)
{
    StrokePlayer p(sampleRate);
    for (const TuneEvent& e : events)
        p.post(e.receiver, e.tune, e.frame);
    constexpr int kStart = 10;
    p.play(0, 0, kStart);
    ModelVoice dayan{tableOf(*p.patch, "dayan1")};
    ModelVoice baya{tableOf(*p.patch, "baya1")};
    constexpr int frames = 60000;
    const Stereo out = render(*p.patch, frames);

    double dayanRate = playbackRate(sampleRate, 0.0), bayaRate = dayanRate;
    for (int i = 0; i < frames; ++i) {
        for (const TuneEvent& e : events) {
            if (e.frame == i && std::isfinite(e.tune)) {
                (e.receiver == kDayanTuneReceiver ? dayanRate : bayaRate) =
                    playbackRate(sampleRate, e.tune);
            }
        }
        dayan.playing = dayan.playing || i == kStart;
        baya.playing = baya.playing || i == kStart;
        const float d = dayan.next(dayanRate), b = baya.next(bayaRate);
        ASSERT_EQ(out.left[i], std::fma(b, 0.25f, 0.75f * d))
            << "frame " << i << " at " << sampleRate;
    }
    EXPECT_FALSE(dayan.playing || baya.playing) << "both strokes end within the render";
}

TEST(TunedPlayback, VoicesFollowTheRuleAcrossTuneChanges)
{
    const float kNotANumber = std::nanf("");
    // At 44.1 kHz every frame interpolates; the Tunes change while both strokes sound, and a
    // non-finite Tune changes nothing.
    expectRuleAcrossTuneChanges(44100.0,
        {{0, kDayanTuneReceiver, 2.5f}, {0, kBayaTuneReceiver, -4.0f},
            {3000, kDayanTuneReceiver, -3.75f}, {5000, kDayanTuneReceiver, kNotANumber},
            {7001, kBayaTuneReceiver, 12.0f}, {9000, kDayanTuneReceiver, 11.9f}});
    // At 48 kHz Tune 0 reads whole table values again, also from the fractional position an
    // earlier Tune left.
    expectRuleAcrossTuneChanges(48000.0,
        {{1000, kDayanTuneReceiver, 0.5f}, {1000, kBayaTuneReceiver, -0.5f},
            {2001, kDayanTuneReceiver, 0.0f}, {2001, kBayaTuneReceiver, 0.0f},
            {4000, kDayanTuneReceiver, -12.0f}});
}

// The Hann-windowed spectrum of a signal, at any frequency.
struct Spectrum {
    std::vector<double> windowed;
    double sampleRate;

    Spectrum(const std::vector<float>& signal, double rate)
        : windowed(signal.size()), sampleRate(rate)
    {
        const double n = static_cast<double>(signal.size());
        for (size_t k = 0; k < signal.size(); ++k)
            windowed[k] =
                (0.5 - 0.5 * std::cos(2.0 * kPi * static_cast<double>(k) / n)) * signal[k];
    }
    double magnitude(double hz) const
    {
        // A phasor turned by one frame's phase step at a time.
        const double step = 2.0 * kPi * hz / sampleRate;
        const double stepRe = std::cos(step), stepIm = -std::sin(step);
        double phasorRe = 1.0, phasorIm = 0.0, re = 0.0, im = 0.0;
        for (double v : windowed) {
            re += v * phasorRe;
            im += v * phasorIm;
            const double turnedRe = phasorRe * stepRe - phasorIm * stepIm;
            phasorIm = phasorRe * stepIm + phasorIm * stepRe;
            phasorRe = turnedRe;
        }
        return std::hypot(re, im);
    }
    // The frequency of the strongest peak between lowHz and highHz: a 1 Hz scan, then a
    // golden-section search around the loudest point.
    double peak(double lowHz, double highHz) const
    {
        double best = lowHz, bestMagnitude = -1.0;
        for (double hz = lowHz; hz <= highHz; hz += 1.0) {
            const double m = magnitude(hz);
            if (m > bestMagnitude) {
                best = hz;
                bestMagnitude = m;
            }
        }
        const double golden = (std::sqrt(5.0) - 1.0) / 2.0;
        double a = best - 1.0, b = best + 1.0;
        while (b - a > 1e-3) {
            const double c = b - golden * (b - a), d = a + golden * (b - a);
            if (magnitude(c) > magnitude(d))
                b = d;
            else
                a = c;
        }
        return (a + b) / 2.0;
    }
};

// The Tun (dayan3), alone, from frame 0: the channel-0 output.
std::vector<float> renderTun(double sampleRate, float tune, int frames, bool constant)
{
    StrokePlayer p(sampleRate);
    if (constant) {
        const uint32_t length = p.patch->tableLength(hashString("dayan3"));
        float* values = p.patch->tableBuffer(hashString("dayan3"));
        std::fill(values, values + length, 1.0f);
    }
    p.post(kDayanTuneReceiver, tune, 0);
    p.play(2, -1, 0);
    return render(*p.patch, frames).left;
}

TEST(TunedPlayback, PitchAndLengthFollowTuneAndNotTheSampleRate)
{
    constexpr double kTunSeconds = 96000 / 48000.0;
    // Measured from 50 ms after the stroke's start for 0.5 s, in the stroke's own time.
    auto excerpt = [](const std::vector<float>& all, double sampleRate, double timeScale) {
        const auto first = static_cast<size_t>(0.05 * timeScale * sampleRate);
        const auto count = static_cast<size_t>(0.5 * timeScale * sampleRate);
        return std::vector<float>(all.begin() + first, all.begin() + first + count);
    };
    const std::vector<float> recorded = renderTun(48000.0, 0.0f, 48000, false);
    const double tunHz = Spectrum(excerpt(recorded, 48000.0, 1.0), 48000.0).peak(100.0, 1000.0);
    ASSERT_GT(tunHz, 250.0);

    struct Case {
        double sampleRate;
        float tune;
        double pitchFactor;
    };
    for (const Case c :
        {Case{44100.0, 0.0f, 1.0}, Case{96000.0, 0.0f, 1.0}, Case{48000.0, 12.0f, 2.0},
            Case{48000.0, -12.0f, 0.5}, Case{44100.0, 12.0f, 2.0}, Case{96000.0, -12.0f, 0.5}}) {
        const double seconds = kTunSeconds / c.pitchFactor;
        const int frames = static_cast<int>(seconds * c.sampleRate) + 100;
        const std::vector<float> tun = renderTun(c.sampleRate, c.tune, frames, false);
        const double expectedHz = tunHz * c.pitchFactor;
        const double hz = Spectrum(excerpt(tun, c.sampleRate, 1.0 / c.pitchFactor), c.sampleRate)
                              .peak(expectedHz * 0.97, expectedHz * 1.03);
        EXPECT_NEAR(hz / expectedHz, 1.0, 0.001) << c.sampleRate << " Hz, Tune " << c.tune;

        // A table of ones sounds, interpolated or not, on exactly the frames the voice plays.
        const std::vector<float> ones = renderTun(c.sampleRate, c.tune, frames, true);
        int sounding = 0;
        for (float v : ones)
            sounding += v != 0.0f;
        EXPECT_NEAR(sounding / c.sampleRate, seconds, 1.0 / c.sampleRate)
            << c.sampleRate << " Hz, Tune " << c.tune;
    }
}

} // namespace
