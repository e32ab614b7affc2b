// Reads or writes a SmallStackRingBuffer. One writer control on the editor thread, one reader
// control on the audio thread; neither allocates, locks or waits.
#pragma once

#include "SmallStackRingBuffer.h"

#include <cstddef>
#include <cstdint>

namespace Orvane {

class RingBufferControl {
public:
    // Attaches to a buffer; with `reset` its positions are cleared (only while nobody else uses
    // it). Attaching to the buffer already attached is reported and changes nothing.
    // [main-thread]
    void setRingBuffer(SmallStackRingBuffer* buffer, bool reset) noexcept;

    // Reader side. [audio-thread]
    bool isDataAvailableForReading() const noexcept;
    uint32_t readableDataSize() const noexcept;
    // Copies `size` bytes out and consumes them; false (and nothing consumed) when fewer are
    // readable. The first failure after a success prints one line.
    [[nodiscard]] bool readCustomData(void* data, uint32_t size) noexcept;

    // Writer side, [main-thread] (the editor's): bytes written stay invisible to the reader until
    // commitWrite. One byte is always kept free, so a full buffer holds kSize - 1 bytes. The first
    // failure after a success prints one line.
    [[nodiscard]] bool writeCustomData(const void* data, uint32_t size) noexcept;
    // Publishes what was written since the last commit; false when a write failed in between
    // (the failed group is dropped as a whole).
    [[nodiscard]] bool commitWrite() noexcept;

    // [main-thread] Drops everything (reader and writer both idle).
    void clearData() noexcept;

private:
    SmallStackRingBuffer* fBuffer = nullptr;
    bool fErrorReading = false;
    bool fErrorWriting = false;
};

} // namespace Orvane
