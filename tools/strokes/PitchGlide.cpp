// Pitch glide curve shared by all modes of a stroke (offline renderer).
#include "PitchGlide.h"

#include <algorithm>
#include <cmath>

double PitchGlide::ratioAt(double seconds) const
{
    double progress = 1.0;
    if (durationSeconds > 0.0)
        progress = std::clamp((seconds - startSeconds) / durationSeconds, 0.0, 1.0);
    else if (seconds < startSeconds)
        progress = 0.0;
    const double eased = 0.5 - 0.5 * std::cos(M_PI * progress);
    const double semitones = fromSemitones + (toSemitones - fromSemitones) * eased;
    return std::exp2(semitones / 12.0);
}
