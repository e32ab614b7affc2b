// The two-channel mix of the twelve voice slots (in render order). The association and the fused
// multiply-adds are fixed so that every build renders bit-identical output. Audio thread only.
#pragma once

#include <cmath>

#include "StrokeTables.h"

inline void mixStrokes(const float* slots, float* channel0, float* channel1) noexcept {
    const float dayan = ((slots[kDayan5] + slots[kDayan2]) + (slots[kDayan1] + slots[kDayan3])) + slots[kDayan4];
    const float baya = ((slots[kBaya3] + slots[kBaya4]) + (slots[kBaya1] + slots[kBaya2])) +
                       ((slots[kBaya5] + slots[kBaya6]) + slots[kBaya7]);
    // The Dayan product is rounded on its own before the single-rounding multiply-add.
    const float dayan0 = 0.75f * dayan;
    const float dayan1 = 0.3f * dayan;
    *channel0 = std::fma(baya, 0.25f, dayan0);
    *channel1 = std::fma(baya, 0.7f, dayan1);
}
