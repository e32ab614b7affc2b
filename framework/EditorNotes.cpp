// The editor's notes ring: the write side on the editor's thread, the read side on the audio
// thread.
#include "EditorNotes.h"

namespace Orvane {

EditorNotes::EditorNotes() noexcept
{
    fWriter.setRingBuffer(&fRing, true);
    fReader.setRingBuffer(&fRing, false);
}

bool EditorNotes::send(uint8_t channel, uint8_t note, uint8_t velocity) noexcept
{
    const uint8_t status = static_cast<uint8_t>((velocity != 0 ? 0x90 : 0x80) | (channel & 0x0F));
    const uint8_t record[kRecordSize] = {status, note, velocity};
    // A failed write makes the commit discard the record and report it.
    static_cast<void>(fWriter.writeCustomData(record, sizeof(record)));
    return fWriter.commitWrite();
}

bool EditorNotes::receive(uint8_t (&record)[kRecordSize]) noexcept
{
    return fReader.readCustomData(record, kRecordSize);
}

} // namespace Orvane
