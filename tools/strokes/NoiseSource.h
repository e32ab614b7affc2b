// Seeded white noise for the stroke renderer: the same seed always gives the same burst,
// on every machine (no library generator whose sequence could change).
#pragma once
#include <cstdint>

class NoiseSource {
public:
    explicit NoiseSource(uint32_t seed) : state_(seed != 0 ? seed : 1u) { }

    // Uniform in [-1, 1).
    double next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<double>(state_) / 2147483648.0 - 1.0;
    }

private:
    uint32_t state_; // xorshift32, never 0
};
