// Plain description of one synthesised stroke: its membrane modes, noise bursts and pitch glide.
// Used by the stroke renderer only (offline, single thread).
#pragma once
#include <cstdint>
#include <vector>

#include "PitchGlide.h"

constexpr double kStrokeSampleRate = 48000.0;

// One exponentially decaying membrane mode. A non-zero split renders it as a doublet: two
// near-degenerate modes that far apart (as a fraction of the frequency), whose beating keeps
// the ring alive.
struct ModeSpec {
    double frequencyHz;
    double amplitude;
    double decaySeconds; // time constant of the amplitude envelope
    double split;
};

// Band-limited white noise with an exponential envelope: the contact of skin on skin.
struct NoiseSpec {
    double amplitude;
    double decaySeconds;
    double lowHz; // high-pass corner
    double highHz; // low-pass corner
    uint32_t seed;
};

struct StrokeRecipe {
    const char* name;
    uint32_t length; // frames
    float peak; // peak magnitude after normalisation
    std::vector<ModeSpec> modes;
    std::vector<NoiseSpec> noises;
    PitchGlide glide;
    double attackSeconds; // how quickly the modes build up after the hit
    double fadeSeconds; // closing fade, so the table ends without a click
};
