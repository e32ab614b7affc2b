// A host transport that plays from bar 1 at a fixed tempo and time signature: the transport event
// of the block starting at a given frame. Pure; any thread.
#pragma once

#include "ClapEvents.h"

#include <cstdint>

class TransportTimeline {
public:
    // Beats are quarter notes; `beatsPerBar` is the time signature's numerator.
    TransportTimeline(
        double sampleRate, double beatsPerMinute, uint16_t beatsPerBar, uint16_t beatType) noexcept;

    clap_event_transport_t at(uint64_t frame) const noexcept;
    // Frames in `bars` bars, rounded up to whole frames.
    uint64_t framesInBars(uint32_t bars) const noexcept;

private:
    double fSampleRate;
    double fBeatsPerMinute;
    uint16_t fBeatsPerBar;
    uint16_t fBeatType;
};
