// Measurements on stroke tables for the tests: reading tables, spectra, decay and pitch tracks.
// Test thread only.
#pragma once
#include <complex>
#include <string>
#include <vector>

constexpr double kTableRate = 48000.0;

// The raw little-endian floats of a table file; empty when it cannot be read.
std::vector<float> readTableFile(const std::string& path);
std::vector<char> readBytes(const std::string& path);

// In-place radix-2 FFT (size a power of two), forward direction.
void fft(std::vector<std::complex<double>>& data);

float peakMagnitude(const std::vector<float>& signal);

// Seconds after which |signal| never again exceeds the peak lowered by the given decibels.
double secondsUntilBelow(const std::vector<float>& signal, double decibels);

// Magnitude spectrum of the frames [first, first + size) with a Hann window; size is a
// power of two and frames past the end count as 0. Bin k is k * kTableRate / size Hz.
std::vector<double> magnitudeSpectrum(const std::vector<float>& signal, size_t first, size_t size);

// Frequencies of the strongest local maxima between lowHz and highHz, loudest first; maxima
// closer than the given relative spacing to a louder one are skipped.
std::vector<double> strongestPeaks(const std::vector<double>& magnitudes, double lowHz,
    double highHz, size_t count, double minSpacing);

// Share of spectral energy (squared magnitudes) that lies between lowHz and highHz.
double energyShare(const std::vector<double>& magnitudes, double lowHz, double highHz);

struct PitchPoint {
    double seconds;
    double hertz;
};
// Fundamental over time from the zero crossings of a low-passed copy, one point per
// period, averaged over a few periods; only frames before untilSeconds are used.
std::vector<PitchPoint> trackPitch(
    const std::vector<float>& signal, double lowPassHz, double untilSeconds);
double pitchAt(const std::vector<PitchPoint>& track, double seconds);
