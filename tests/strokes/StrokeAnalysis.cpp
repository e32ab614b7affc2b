// Small measurement toolkit for the stroke tests: a radix-2 FFT, peak picking, decay and a
// zero-crossing pitch tracker.
#include "StrokeAnalysis.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

double binHz(const std::vector<double>& magnitudes)
{
    return kTableRate / (2.0 * (magnitudes.size() - 1));
}

} // namespace

void fft(std::vector<std::complex<double>>& data)
{
    const size_t n = data.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(data[i], data[j]);
    }
    for (size_t length = 2; length <= n; length <<= 1) {
        const std::complex<double> root = std::polar(1.0, -2.0 * M_PI / length);
        for (size_t start = 0; start < n; start += length) {
            std::complex<double> w = 1.0;
            for (size_t k = 0; k < length / 2; ++k) {
                const std::complex<double> a = data[start + k];
                const std::complex<double> b = data[start + k + length / 2] * w;
                data[start + k] = a + b;
                data[start + k + length / 2] = a - b;
                w *= root;
            }
        }
    }
}

std::vector<char> readBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::vector<char>(
        std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<float> readTableFile(const std::string& path)
{
    const std::vector<char> bytes = readBytes(path);
    std::vector<float> values(bytes.size() / 4);
    for (size_t i = 0; i < values.size(); ++i) {
        uint32_t bits = 0;
        for (int b = 0; b < 4; ++b)
            bits |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[4 * i + b])) << (8 * b);
        std::memcpy(&values[i], &bits, sizeof bits);
    }
    return values;
}

float peakMagnitude(const std::vector<float>& signal)
{
    float peak = 0.0f;
    for (float v : signal)
        peak = std::max(peak, std::fabs(v));
    return peak;
}

double secondsUntilBelow(const std::vector<float>& signal, double decibels)
{
    const double threshold = peakMagnitude(signal) * std::pow(10.0, -decibels / 20.0);
    size_t last = 0;
    for (size_t i = 0; i < signal.size(); ++i)
        if (std::fabs(signal[i]) > threshold)
            last = i + 1;
    return last / kTableRate;
}

std::vector<double> magnitudeSpectrum(const std::vector<float>& signal, size_t first, size_t size)
{
    std::vector<std::complex<double>> data(size);
    for (size_t i = 0; i < size && first + i < signal.size(); ++i) {
        const double window = 0.5 - 0.5 * std::cos(2.0 * M_PI * i / size);
        data[i] = signal[first + i] * window;
    }
    fft(data);
    std::vector<double> magnitudes(size / 2 + 1);
    for (size_t k = 0; k < magnitudes.size(); ++k)
        magnitudes[k] = std::abs(data[k]);
    return magnitudes;
}

std::vector<double> strongestPeaks(const std::vector<double>& magnitudes, double lowHz,
    double highHz, size_t count, double minSpacing)
{
    const double bin = binHz(magnitudes);
    std::vector<std::pair<double, double>> maxima; // (magnitude, interpolated Hz)
    for (size_t k = std::max<size_t>(1, lowHz / bin);
         k + 1 < magnitudes.size() && k * bin <= highHz; ++k) {
        const double a = magnitudes[k - 1], b = magnitudes[k], c = magnitudes[k + 1];
        if (b > a && b >= c) {
            const double offset = 0.5 * (a - c) / (a - 2.0 * b + c);
            maxima.push_back({b, (k + offset) * bin});
        }
    }
    std::sort(maxima.begin(), maxima.end(), [](auto& x, auto& y) { return x.first > y.first; });
    std::vector<double> peaks;
    for (const auto& [magnitude, hz] : maxima) {
        const bool nearLouder = std::any_of(peaks.begin(), peaks.end(),
            [&](double louder) { return std::fabs(hz - louder) < minSpacing * louder; });
        if (!nearLouder)
            peaks.push_back(hz);
        if (peaks.size() == count)
            break;
    }
    return peaks;
}

double energyShare(const std::vector<double>& magnitudes, double lowHz, double highHz)
{
    const double bin = binHz(magnitudes);
    double inside = 0.0, total = 0.0;
    for (size_t k = 0; k < magnitudes.size(); ++k) {
        const double energy = magnitudes[k] * magnitudes[k];
        total += energy;
        if (k * bin >= lowHz && k * bin <= highHz)
            inside += energy;
    }
    return total > 0.0 ? inside / total : 0.0;
}

std::vector<PitchPoint> trackPitch(
    const std::vector<float>& signal, double lowPassHz, double untilSeconds)
{
    constexpr int kPoles = 4;
    constexpr size_t kPeriodsAveraged = 4;
    const double coefficient = 1.0 - std::exp(-2.0 * M_PI * lowPassHz / kTableRate);
    const size_t end = std::min(signal.size(), static_cast<size_t>(untilSeconds * kTableRate));
    double state[kPoles] = {};
    double previous = 0.0;
    std::vector<double> crossings;
    for (size_t i = 0; i < end; ++i) {
        double x = signal[i];
        for (double& s : state)
            x = s += coefficient * (x - s);
        if (previous < 0.0 && x >= 0.0)
            crossings.push_back(i - 1 + previous / (previous - x));
        previous = x;
    }
    std::vector<PitchPoint> track;
    for (size_t k = 0; k + kPeriodsAveraged < crossings.size(); ++k) {
        const double span = crossings[k + kPeriodsAveraged] - crossings[k];
        track.push_back(
            {(crossings[k] + span / 2.0) / kTableRate, kPeriodsAveraged * kTableRate / span});
    }
    return track;
}

double pitchAt(const std::vector<PitchPoint>& track, double seconds)
{
    const auto after = std::find_if(
        track.begin(), track.end(), [&](const PitchPoint& p) { return p.seconds >= seconds; });
    if (after == track.end())
        return track.empty() ? 0.0 : track.back().hertz;
    if (after == track.begin())
        return after->hertz;
    const PitchPoint& before = *(after - 1);
    const double t = (seconds - before.seconds) / (after->seconds - before.seconds);
    return before.hertz + t * (after->hertz - before.hertz);
}
