// One groove played two ways for the comparison tests: the same transport (segments of playing
// or stopped at a tempo), parameter change and MIDI, rendered by the CLAP module in blocks cut at
// every transport change, and by the LV2 plug-in with positions sent the way different LV2 hosts
// send them. Test thread only.
#pragma once

#include "Lv2TestHost.h"

#include <cstdint>
#include <string>
#include <vector>

struct TransportSegment {
    uint64_t start;
    bool playing;
    double beatsPerMinute;
};

struct TimedMidi {
    uint64_t frame;
    std::vector<uint8_t> bytes;
    bool operator==(const TimedMidi& other) const
    {
        return frame == other.frame && bytes == other.bytes;
    }
};

struct GrooveScenario {
    double sampleRate = 44100.0;
    uint64_t frames = 0;
    std::vector<TransportSegment> segments; // the first starts at 0
    std::vector<TimedMidi> midi; // in frame order
    // One parameter set before the first block, one changed at a block start.
    std::string startSymbol;
    float startValue = 0.0f;
    std::string changeSymbol;
    float changeValue = 0.0f;
    uint64_t changeFrame = UINT64_MAX;
};

// The audio and the MIDI a plug-in gave out, MIDI at frames from the start.
struct StereoSignal {
    std::vector<float> left;
    std::vector<float> right;
    std::vector<TimedMidi> midi;
};

// How an LV2 host sends the transport: a position at the start of every block (blocks then
// also end at every transport change), or one only where the transport changes, inside a block.
enum class PositionStyle {
    EveryBlock,
    OnChange
};

// The CLAP module's output, in blocks of at most `block` frames; empty with a failure recorded
// when the module cannot be loaded.
StereoSignal renderWithClap(const GrooveScenario& scenario, uint32_t block);
StereoSignal renderWithLv2(
    const GrooveScenario& scenario, uint32_t block, PositionStyle style, bool withOptions = true);
