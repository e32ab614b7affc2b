// Renders a stroke recipe as the raw sum of its modes and noise bursts (offline, single thread).
#pragma once
#include <vector>

#include "StrokeRecipe.h"

class StrokeSynth {
public:
    explicit StrokeSynth(const StrokeRecipe& recipe);

    // Unnormalised signal of exactly recipe.length frames.
    std::vector<double> render() const;

private:
    void addMode(
        std::vector<double>& out, double frequencyHz, double amplitude, double decaySeconds) const;
    void addNoise(std::vector<double>& out, const NoiseSpec& noise) const;

    const StrokeRecipe& recipe_;
    std::vector<double> pitchRatio_; // glide ratio per frame, shared by all modes
};
