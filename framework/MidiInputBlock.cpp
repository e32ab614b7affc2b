// One block's MIDI input. Audio thread.
#include "MidiInputBlock.h"

namespace Orvane {

bool MidiInputBlock::add(const MidiMessage& message) noexcept
{
    if (isFull()) {
        fPlugin.countDrop(Drop::MidiOverflow);
        return false;
    }
    fMessages[fCount++] = message;
    return true;
}

bool MidiInputBlock::add(uint32_t frame, uint8_t status, uint8_t data1, uint8_t data2) noexcept
{
    MidiMessage message;
    message.frame = frame;
    message.size = 3;
    message.data[0] = status;
    message.data[1] = data1;
    message.data[2] = data2;
    return add(message);
}

void MidiInputBlock::addEditorNotes(EditorNotes& notes) noexcept
{
    uint8_t record[EditorNotes::kRecordSize];
    while (!isFull() && !notes.isEmpty() && notes.receive(record)) {
        const uint32_t frame = fCount != 0 ? fMessages[fCount - 1].frame : 0;
        add(frame, record[0], record[1], record[2]);
    }
}

void MidiInputBlock::countUnread(uint32_t count) noexcept
{
    fPlugin.countDrop(Drop::MidiOverflow, count);
}

} // namespace Orvane
