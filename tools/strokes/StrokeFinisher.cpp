// Closing fade, DC removal and normalisation of a rendered stroke.
#include "StrokeFinisher.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

// Gain per frame: 1, then a raised-cosine fall that reaches 0 just after the last frame.
std::vector<double> fadeGains(size_t length, double fadeSeconds)
{
    std::vector<double> gains(length, 1.0);
    const size_t fade = std::min(length, static_cast<size_t>(fadeSeconds * kStrokeSampleRate));
    for (size_t i = 0; i < fade; ++i)
        gains[length - fade + i] = 0.5 + 0.5 * std::cos(M_PI * (i + 1) / (fade + 1.0));
    return gains;
}

// Every mode starts in sine phase and so leaves a net offset behind it; a 10 Hz one-pole
// high-pass lets that offset die out within tens of milliseconds instead of lingering.
void blockDc(std::vector<double>& signal)
{
    const double pole = std::exp(-2.0 * M_PI * 10.0 / kStrokeSampleRate);
    double previousIn = 0.0, previousOut = 0.0;
    for (double& value : signal) {
        previousOut = value - previousIn + pole * previousOut;
        previousIn = value;
        value = previousOut;
    }
}

// Removes what offset is left, in the shape of the fade, so the faded end stays silent and the
// first frame keeps its attack.
void removeDc(std::vector<double>& signal, const std::vector<double>& gains)
{
    double sum = 0.0, gainSum = 0.0;
    for (size_t i = 0; i < signal.size(); ++i) {
        sum += signal[i];
        gainSum += gains[i];
    }
    const double offset = sum / gainSum;
    for (size_t i = 0; i < signal.size(); ++i)
        signal[i] -= offset * gains[i];
}

} // namespace

std::vector<float> finishStroke(std::vector<double> raw, const StrokeRecipe& recipe)
{
    blockDc(raw);
    const std::vector<double> gains = fadeGains(raw.size(), recipe.fadeSeconds);
    for (size_t i = 0; i < raw.size(); ++i)
        raw[i] *= gains[i];
    removeDc(raw, gains);

    std::vector<float> out(raw.size());
    if (raw.empty())
        return out;
    const auto loudest = std::max_element(
        raw.begin(), raw.end(), [](double a, double b) { return std::fabs(a) < std::fabs(b); });
    const double scale = static_cast<double>(recipe.peak) / std::fabs(*loudest);
    for (size_t i = 0; i < raw.size(); ++i)
        out[i] = std::clamp(static_cast<float>(raw[i] * scale), -recipe.peak, recipe.peak);
    // Rounding must not move the peak off its exact level.
    out[loudest - raw.begin()] = std::copysign(recipe.peak, static_cast<float>(*loudest));
    return out;
}
