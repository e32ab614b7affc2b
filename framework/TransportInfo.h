// The host transport as seen by one audio block. Written by the host binding on the audio thread
// just before the block, read by the plug-in during it.
#pragma once

#include <cstdint>

namespace Orvane {

struct TransportInfo {
    bool playing = false;
    uint64_t frame = 0;

    struct BarBeatTick {
        bool valid = false;
        int32_t bar = 1;
        int32_t beat = 1;
        double tick = 0.0;
        double barStartTick = 0.0;
        float beatsPerBar = 4.0f;
        float beatType = 4.0f;
        double ticksPerBeat = 1920.0;
        double beatsPerMinute = 120.0;
    } bbt;
};

} // namespace Orvane
