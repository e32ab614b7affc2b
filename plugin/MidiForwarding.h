// Offers the host's MIDI input to the patch: every data byte, real-time status bytes, and channel
// messages split into their values, each due on its message's frame. [audio-thread]
#pragma once

#include "MidiMessage.h"
#include "PatchMessageSink.h"

#include <cstdint>

namespace Orvane {

// Messages in block order; a frame beyond the block is clamped to its last frame.
void forwardMidiMessages(
    const MidiMessage* messages, uint32_t count, uint32_t frames, PatchMessageSink& sink) noexcept;

} // namespace Orvane
