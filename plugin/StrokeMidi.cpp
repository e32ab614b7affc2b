// The groove's strokes as MIDI notes. Audio thread, except endAllNotes (main thread).
#include "StrokeMidi.h"

#include "Plugin.h"

namespace Orvane {

namespace {

constexpr uint8_t kNoteOn = 0x99; // channel 10
constexpr uint8_t kNoteOff = 0x89;
constexpr uint8_t kVelocity = 100;

MidiMessage noteMessage(uint8_t status, int voice, uint8_t velocity, uint32_t frame) noexcept
{
    MidiMessage message;
    message.frame = frame;
    message.size = 3;
    message.data[0] = status;
    message.data[1] = kVoiceKeys[voice];
    message.data[2] = velocity;
    return message;
}

} // namespace

void StrokeMidi::endAllNotes() noexcept
{
    for (int v = 0; v < kVoiceCount; ++v)
        fOwed[v] = fOn[v];
}

void StrokeMidi::noteOff(int voice, uint32_t frame, Plugin& plugin) noexcept
{
    if (!fOn[voice])
        return;
    const bool sent = plugin.emitMidi(noteMessage(kNoteOff, voice, 0, frame));
    fOn[voice] = !sent;
    fOwed[voice] = !sent;
}

// While an earlier note off of the voice is still owed, its new note is left out: a second note
// on before that note off would leave the host one note off short.
void StrokeMidi::noteOn(int voice, uint32_t frame, Plugin& plugin) noexcept
{
    if (fOn[voice])
        return;
    fOn[voice] = plugin.emitMidi(noteMessage(kNoteOn, voice, kVelocity, frame));
}

void StrokeMidi::send(const StrokeEventLog* events, Plugin& plugin) noexcept
{
    for (int v = 0; v < kVoiceCount; ++v) {
        if (fOwed[v])
            noteOff(v, 0, plugin);
    }
    if (events == nullptr)
        return;
    for (const StrokeEvent& event : *events) {
        if (event.voice >= kVoiceCount)
            continue;
        if (event.kind == StrokeEventKind::Release)
            noteOff(event.voice, event.frame, plugin);
        else
            noteOn(event.voice, event.frame, plugin);
    }
}

} // namespace Orvane
