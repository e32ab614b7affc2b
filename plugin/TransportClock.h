// Turns the host transport into what the groove follows: MIDI real-time bytes when the transport
// starts, continues or stops, one MIDI clock tick (24 per quarter note) on each frame where a tick
// falls, and the host tempo. [audio-thread]
#pragma once

#include "PatchMessageSink.h"
#include "TransportInfo.h"

#include <cstdint>

namespace Orvane {

class TransportClock {
public:
    // One block of `frames` frames: the real-time bytes, then the clock ticks. Ticks follow a
    // private time line that only moves in playing blocks with a usable tempo and bar/beat
    // position; stops and relocations leave it alone, so the groove keeps its phase. A tick more
    // than a beat ahead of the block (left by a block at a far slower tempo) is brought to one
    // tick after the block's start. True when the time line moved: only then is the host tempo
    // worth offering.
    bool advance(const TransportInfo& transport, uint32_t frames, double sampleRate,
        PatchMessageSink& sink) noexcept;

    static void postTempo(double beatsPerMinute, PatchMessageSink& sink) noexcept;

    // Ticks of the last block that were not posted because the sink had refused one before them.
    uint32_t ticksCutInLastBlock() const noexcept { return fTicksCut; }

private:
    // Invariant: fBlockStart <= fNextTick; both start at 0 and only grow.
    bool fWasPlaying = false;
    double fNextTick = 0.0;
    double fBlockStart = 0.0;
    uint32_t fTicksCut = 0;

    void postTransportChange(const TransportInfo& transport, PatchMessageSink& sink) noexcept;
    void emitTicks(uint32_t frames, double samplesPerTick, PatchMessageSink& sink) noexcept;
};

} // namespace Orvane
