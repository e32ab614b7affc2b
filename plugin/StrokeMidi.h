// The groove's strokes as MIDI notes on channel 10: a trigger is a note on (velocity 100), a
// release a note off, each voice on a key of its own. It keeps the host's view paired: a note off
// goes only to a note on the host took, and a note off the host refused is sent again at the
// start of the next block, as are the note offs of a patch that was replaced. Audio thread, except
// endAllNotes (main thread, while the audio thread is not running the plug-in).
#pragma once

#include "MidiMessage.h"
#include "patch/StrokeEvents.h"

#include <cstdint>

namespace Orvane {

class Plugin;

// The MIDI key of each voice (VoiceId, render order).
constexpr uint8_t kVoiceKeys[kVoiceCount] = {60, 62, 64, 61, 63, 48, 49, 50, 51, 52, 53, 54};

class StrokeMidi {
public:
    // [audio-thread] One block's MIDI through `plugin`'s emitMidi: the note offs still owed at
    // frame 0, then the block's events in their order (within a frame note offs come first).
    void send(const StrokeEventLog* events, Plugin& plugin) noexcept;
    // [main-thread] The voices that played the notes still on are gone (the patch was replaced):
    // the next block starts with their note offs.
    void endAllNotes() noexcept;

private:
    // The host holds a note on of the voice.
    bool fOn[kVoiceCount] = {};
    // Its note off waits for the start of the next block.
    bool fOwed[kVoiceCount] = {};

    void noteOff(int voice, uint32_t frame, Plugin& plugin) noexcept;
    void noteOn(int voice, uint32_t frame, Plugin& plugin) noexcept;
};

} // namespace Orvane
