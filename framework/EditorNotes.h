// Notes played in an editor on their way to the audio thread: 3-byte MIDI records in a lock-free
// single-writer single-reader ring of 4096 bytes. The writer is the editor's thread, the reader
// the audio thread (through MidiInputBlock); neither allocates, locks or waits.
#pragma once

#include "RingBufferControl.h"
#include "SmallStackRingBuffer.h"

#include <cstdint>

namespace Orvane {

class EditorNotes {
public:
    static constexpr uint32_t kRecordSize = 3;

    // [main-thread] An empty ring.
    EditorNotes() noexcept;
    EditorNotes(const EditorNotes&) = delete;
    EditorNotes& operator=(const EditorNotes&) = delete;

    // [main-thread] The editor's note: note on (0x90 + channel) for a velocity above 0, note off
    // (0x80 + channel) for 0. False, with the note dropped and one line printed (until the next
    // note that fits), when the ring is full.
    [[nodiscard]] bool send(uint8_t channel, uint8_t note, uint8_t velocity) noexcept;

    // [audio-thread] The next record; false when none is complete (a torn record is reported
    // once until the next good read).
    [[nodiscard]] bool receive(uint8_t (&record)[kRecordSize]) noexcept;
    bool isEmpty() const noexcept { return !fReader.isDataAvailableForReading(); }

private:
    SmallStackRingBuffer fRing;
    RingBufferControl fWriter;
    RingBufferControl fReader;
};

} // namespace Orvane
