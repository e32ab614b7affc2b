// Modal synthesis of one stroke: decaying sinusoids that glide together, plus noise bursts.
#include "StrokeSynth.h"

#include <cmath>

#include "Biquad.h"
#include "NoiseSource.h"

namespace {
// Share of a split mode's energy in its lower twin; unequal so the beating never cancels.
constexpr double kLowerTwinShare = 0.6;
} // namespace

StrokeSynth::StrokeSynth(const StrokeRecipe& recipe) : recipe_(recipe), pitchRatio_(recipe.length)
{
    for (uint32_t i = 0; i < recipe.length; ++i)
        pitchRatio_[i] = recipe.glide.ratioAt(i / kStrokeSampleRate);
}

std::vector<double> StrokeSynth::render() const
{
    std::vector<double> out(recipe_.length, 0.0);
    for (const ModeSpec& mode : recipe_.modes) {
        if (mode.split == 0.0) {
            addMode(out, mode.frequencyHz, mode.amplitude, mode.decaySeconds);
            continue;
        }
        // The upper twin loses energy a little faster, so the beat pattern drifts over the ring.
        addMode(out, mode.frequencyHz * (1.0 - mode.split / 2.0), mode.amplitude * kLowerTwinShare,
            mode.decaySeconds);
        addMode(out, mode.frequencyHz * (1.0 + mode.split / 2.0),
            mode.amplitude * (1.0 - kLowerTwinShare), mode.decaySeconds * 0.85);
    }
    for (const NoiseSpec& noise : recipe_.noises)
        addNoise(out, noise);
    return out;
}

void StrokeSynth::addMode(
    std::vector<double>& out, double frequencyHz, double amplitude, double decaySeconds) const
{
    const double step = 2.0 * M_PI * frequencyHz / kStrokeSampleRate;
    const double decay = std::exp(-1.0 / (decaySeconds * kStrokeSampleRate));
    const double attack = std::exp(-1.0 / (recipe_.attackSeconds * kStrokeSampleRate));
    double phase = 0.0;
    double envelope = amplitude;
    double attackRemainder = 1.0;
    for (size_t i = 0; i < out.size(); ++i) {
        out[i] += envelope * (1.0 - attackRemainder) * std::sin(phase);
        phase = std::fmod(phase + step * pitchRatio_[i], 2.0 * M_PI);
        envelope *= decay;
        attackRemainder *= attack;
    }
}

void StrokeSynth::addNoise(std::vector<double>& out, const NoiseSpec& noise) const
{
    NoiseSource source(noise.seed);
    Biquad highPass = Biquad::highPass(noise.lowHz, kStrokeSampleRate);
    Biquad lowPass = Biquad::lowPass(noise.highHz, kStrokeSampleRate);
    const double decay = std::exp(-1.0 / (noise.decaySeconds * kStrokeSampleRate));
    double envelope = noise.amplitude;
    for (double& value : out) {
        value += envelope * lowPass.process(highPass.process(source.next()));
        envelope *= decay;
    }
}
