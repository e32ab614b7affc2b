// The MIDI a binding hands the plug-in for one block: at most 512 messages from the host's input
// and the notes played in the editor. What does not fit is counted as dropped (Drop::MidiOverflow)
// rather than lost silently. [audio-thread] Fixed storage: never allocates, locks or waits.
#pragma once

#include "EditorNotes.h"
#include "MidiMessage.h"
#include "PluginAdapter.h"

#include <cstdint>

namespace Orvane {

class MidiInputBlock {
public:
    static constexpr uint32_t kCapacity = 512;

    // [main-thread] Drops are counted on `plugin`, which must outlive the block.
    explicit MidiInputBlock(PluginAdapter& plugin) noexcept : fPlugin(plugin) { }
    MidiInputBlock(const MidiInputBlock&) = delete;
    MidiInputBlock& operator=(const MidiInputBlock&) = delete;

    // Empties the block at the start of a host block.
    void clear() noexcept { fCount = 0; }
    // False, counting one drop, when the block is full.
    bool add(const MidiMessage& message) noexcept;
    bool add(uint32_t frame, uint8_t status, uint8_t data1, uint8_t data2) noexcept;
    // The editor's notes, each at the frame of the last message so far (0 when there is none), so
    // that the block stays in frame order. Notes that do not fit wait in the ring for the next
    // block: they are not dropped.
    void addEditorNotes(EditorNotes& notes) noexcept;
    // Messages the host offered and the binding left unread because the block was full.
    void countUnread(uint32_t count) noexcept;

    bool isFull() const noexcept { return fCount >= kCapacity; }
    uint32_t count() const noexcept { return fCount; }
    const MidiMessage* messages() const noexcept { return fMessages; }
    // For bindings that split a block into pieces and make the frames relative to each.
    MidiMessage* messages() noexcept { return fMessages; }

private:
    PluginAdapter& fPlugin;
    uint32_t fCount = 0;
    MidiMessage fMessages[kCapacity];
};

} // namespace Orvane
