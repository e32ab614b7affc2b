// Storage of a single-writer single-reader byte ring (the notes an editor plays): positions and
// 4096 data bytes. Shared between the editor thread (writer) and the audio thread (reader) through
// RingBufferControl, which alone touches it.
#pragma once

#include <atomic>
#include <cstdint>

namespace Orvane {

struct SmallStackRingBuffer {
    static constexpr uint32_t kSize = 4096;

    // Reader's position; only the reader stores it.
    std::atomic<uint32_t> head{0};
    // Committed end of the written bytes; only the writer stores it.
    std::atomic<uint32_t> tail{0};
    // Writer's position before commit.
    uint32_t wrtn = 0;
    // Set when a write failed, so that its commit publishes nothing.
    bool invalidateCommit = false;
    uint8_t buf[kSize] = {};
};

} // namespace Orvane
