// The cycle a drum plays, as a pure function of its Pattern and Length: the same draws the
// sequencer makes after each reseed, so that an editor can show the groove without running it.
// Also the bol each voice plays. [any-thread]
#pragma once

#include "StrokeTables.h"

constexpr int kMaxCycleLength = 16;

struct DrumCycle {
    int length = 0;
    // Per step, the voice the step triggers (VoiceId), or kRest.
    int voices[kMaxCycleLength] = {};
};

// The cycle of `drum` (kDayan or kBaya) for a Pattern and a Length, both as the sequencer
// truncates them; Lengths outside 1 to 16 are held to that range.
DrumCycle drumCycle(int drum, int pattern, int length) noexcept;

// The bol a voice plays, such as "Na" or "Ghe"; "" for an id that names no voice.
const char* voiceBol(int voice) noexcept;
