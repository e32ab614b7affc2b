// How clean the voices' interpolation is: a 1 kHz sine table (48 kHz) played at rates 0.5,
// 48/44.1 and 2, and the strongest alias or image, in dB below the sine (counter "spur_dB").
// Each iteration renders and measures once. Run by hand.
#include <benchmark/benchmark.h>

#include <cmath>
#include <complex>
#include <vector>

#include "StrokeAnalysis.h"
#include "patch/StrokeEvents.h"
#include "patch/StrokeVoice.h"
#include "runtime/Table.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kFftSize = 1 << 16;
constexpr double kSineHz = 1000.0;

std::vector<std::complex<double>> windowedSpectrum(const std::vector<double>& signal)
{
    // Four-term Blackman-Harris: leakage below -92 dB.
    std::vector<std::complex<double>> bins(kFftSize);
    for (int k = 0; k < kFftSize; ++k) {
        const double x = 2.0 * kPi * k / kFftSize;
        bins[k] = (0.35875 - 0.48829 * std::cos(x) + 0.14128 * std::cos(2 * x) -
                      0.01168 * std::cos(3 * x)) *
            signal[k];
    }
    fft(bins);
    bins.resize(kFftSize / 2 + 1);
    return bins;
}

// The strongest component of the rendering other than the sine, in dB relative to the sine. It is
// measured in what is left after the exact sine at each frame's read position is taken away, so
// that the window's own leakage of the sine does not mask it; the sine's neighbourhood (a slight
// change of its level, not an alias or image) is left out.
double spurDecibels(const std::vector<float>& out, const std::vector<double>& positions)
{
    std::vector<double> signal(kFftSize), residual(kFftSize);
    for (int k = 0; k < kFftSize; ++k) {
        signal[k] = out[k];
        residual[k] = out[k] - std::sin(2.0 * kPi * kSineHz * positions[k] / kTableRate);
    }
    const auto sine = windowedSpectrum(signal);
    const auto rest = windowedSpectrum(residual);
    size_t peak = 0;
    for (size_t k = 0; k < sine.size(); ++k) {
        if (std::abs(sine[k]) > std::abs(sine[peak]))
            peak = k;
    }
    double spur = 0.0;
    for (size_t k = 0; k < rest.size(); ++k) {
        if (k + 8 < peak || k > peak + 8)
            spur = std::max(spur, std::abs(rest[k]));
    }
    return 20.0 * std::log10(spur / std::abs(sine[peak]));
}

// Arguments: the sample rate in Hz and the Tune in semitones.
void BM_SineTableSpurs(benchmark::State& state)
{
    const auto sampleRate = static_cast<double>(state.range(0));
    std::vector<float> sine(8 * 48000);
    for (size_t i = 0; i < sine.size(); ++i)
        sine[i] =
            static_cast<float>(std::sin(2.0 * kPi * kSineHz * static_cast<double>(i) / kTableRate));
    Table table;
    table.create(static_cast<uint32_t>(sine.size()), sine.data());
    StrokeVoice voice;
    StrokeEventLog events;
    const double rate = strokePlaybackRate(sampleRate, static_cast<float>(state.range(1)));
    // Past the table's start, where the missing value before it is an edge, not a spur.
    constexpr int kSkipped = 1000;
    std::vector<float> out(kSkipped + kFftSize);
    std::vector<double> positions(kFftSize);
    double p = 0.0;
    for (int k = 0; k < kSkipped + kFftSize; p += rate, ++k) {
        if (k >= kSkipped)
            positions[k - kSkipped] = p;
    }
    double decibels = 0.0;
    for (auto _ : state) {
        voice.bind(&table, rate, 0, &events);
        events.beginBlock();
        voice.trigger();
        voice.render(out.data(), static_cast<int>(out.size()), 0);
        decibels = spurDecibels(std::vector<float>(out.begin() + kSkipped, out.end()), positions);
    }
    state.counters["playback_rate"] = rate;
    state.counters["sine_Hz"] = kSineHz * rate * sampleRate / kTableRate;
    state.counters["spur_dB"] = decibels;
}
BENCHMARK(BM_SineTableSpurs)
    ->ArgNames({"rate", "tune"})
    ->Args({48000, -12})
    ->Args({44100, 0})
    ->Args({48000, 12})
    ->Unit(benchmark::kMillisecond);

} // namespace
