// The two-channel mix of the twelve voice slots (in render order), one frame at a time. The
// association and the fused multiply-adds are fixed so that every build renders bit-identical
// output. [audio-thread]
#pragma once

#include <cmath>

#include "StrokeTables.h"

// slots[voice][frame]: frame `frame` of every voice.
template <int Frames>
inline void mixStrokes(
    const float (&slots)[kVoiceCount][Frames], int frame, float* channel0, float* channel1) noexcept
{
    auto s = [&](VoiceId voice) { return slots[voice][frame]; };
    const float dayan = ((s(kDayan5) + s(kDayan2)) + (s(kDayan1) + s(kDayan3))) + s(kDayan4);
    const float baya =
        ((s(kBaya3) + s(kBaya4)) + (s(kBaya1) + s(kBaya2))) + ((s(kBaya5) + s(kBaya6)) + s(kBaya7));
    // The Dayan product is rounded on its own before the single-rounding multiply-add.
    const float dayan0 = 0.75f * dayan;
    const float dayan1 = 0.3f * dayan;
    *channel0 = std::fma(baya, 0.25f, dayan0);
    *channel1 = std::fma(baya, 0.7f, dayan1);
}
