// Pitch glide of a synthesised stroke (offline renderer, single thread).
#pragma once

// Pitch of all modes together, moving from one offset to another with a raised-cosine
// ease (monotonic), as when the palm presses the bass head.
struct PitchGlide {
    double fromSemitones = 0.0;
    double toSemitones = 0.0;
    double startSeconds = 0.0;
    double durationSeconds = 0.0;

    double ratioAt(double seconds) const;
};
