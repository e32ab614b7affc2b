// One MIDI message of an audio block, at a frame offset within the block. [audio-thread]
#pragma once

#include <cstdint>

namespace Orvane {

struct MidiMessage {
    static constexpr uint32_t kDataSize = 4;

    uint32_t frame = 0;
    uint32_t size = 0;
    uint8_t data[kDataSize] = {0, 0, 0, 0};
    // Longer messages only; unused up to kDataSize bytes.
    const uint8_t* dataExt = nullptr;
};

} // namespace Orvane
