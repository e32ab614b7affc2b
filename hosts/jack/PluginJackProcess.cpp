// The JACK process callback: transport, trigger parameters, editor notes, MIDI input with Control
// Change mapping, and the plug-in's run. Audio thread: no allocation, no lock, no wait.
#include "PluginJack.h"

#include "JackBinding.h"
#include "JackTransport.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Orvane {

namespace {

constexpr float kValueEpsilon = 1.1920929e-07f; // 2^-23
constexpr float kControlStep = 0.007874016f; // 1/127

} // namespace

void PluginJack::process(jack_nframes_t frames) noexcept
{
    jack_client_t* const client = fClient.load(std::memory_order_relaxed);
    if (client == nullptr || frames == 0)
        return;

    float* outputs[kOutputCount];
    for (uint32_t i = 0; i < kOutputCount; ++i) {
        void* const buffer =
            fPortAudioOuts[i] != nullptr ? Jack::portGetBuffer(fPortAudioOuts[i], frames) : nullptr;
        outputs[i] = buffer != nullptr ? static_cast<float*>(buffer) : nullptr;
    }

    jack_position_t position = {};
    const jack_transport_state_t state = Jack::transportQuery(client, &position);
    fPlugin.setTransportInfo(transportFromJack(state, position));

    resetTriggerParameters();

    void* const midiOut =
        fPortMidiOut != nullptr ? Jack::portGetBuffer(fPortMidiOut, frames) : nullptr;
    if (midiOut != nullptr)
        Jack::midiClearBuffer(midiOut);
    fPortMidiOutBuffer.store(midiOut, std::memory_order_relaxed);

    uint32_t eventCount = readEditorNotes();
    eventCount = readMidiInput(frames, eventCount);
    runInChunks(outputs, frames, eventCount);

    fPortMidiOutBuffer.store(nullptr, std::memory_order_relaxed);
}

void PluginJack::resetTriggerParameters() noexcept
{
    for (uint32_t i = 0; i < fCachedParameters.count; ++i) {
        if ((fPlugin.parameterHints(i) & (HintTrigger | HintBoolean)) !=
            (HintTrigger | HintBoolean))
            continue;
        const float def = fPlugin.parameterRanges(i).def;
        if (std::abs(fPlugin.parameterValue(i) - def) >= kValueEpsilon)
            fPlugin.setParameterValueInProcess(i, def);
    }
}

// Each note is three bytes at frame 0. One or two bytes left over can only be a torn write; the
// ring reports that once until the next good read.
uint32_t PluginJack::readEditorNotes() noexcept
{
    uint32_t count = 0;
    while (count < kMaxMidiEvents && fNotesReader.isDataAvailableForReading()) {
        MidiMessage& event = fMidiEvents[count];
        event = MidiMessage();
        if (!fNotesReader.readCustomData(event.data, 3))
            break;
        event.size = 3;
        ++count;
    }
    return count;
}

// Events beyond the 512 of a cycle stay unread. An event time outside the cycle (which JACK does
// not give) is held to its last frame.
uint32_t PluginJack::readMidiInput(jack_nframes_t frames, uint32_t count) noexcept
{
    void* const buffer =
        fPortEventsIn != nullptr ? Jack::portGetBuffer(fPortEventsIn, frames) : nullptr;
    if (buffer == nullptr)
        return count;
    const uint32_t available = Jack::midiGetEventCount(buffer);
    for (uint32_t i = 0; i < available && count < kMaxMidiEvents; ++i) {
        jack_midi_event_t jackEvent;
        if (!Jack::midiEventGet(&jackEvent, buffer, i) || jackEvent.buffer == nullptr)
            continue;
        MidiMessage& event = fMidiEvents[count++];
        event = MidiMessage();
        event.frame = std::min<uint32_t>(jackEvent.time, frames - 1);
        event.size = static_cast<uint32_t>(jackEvent.size);
        if (jackEvent.size <= MidiMessage::kDataSize)
            std::memcpy(event.data, jackEvent.buffer, jackEvent.size);
        else
            event.dataExt = jackEvent.buffer;
        if (event.size == 3 && event.data[0] == 0xB0)
            applyControlChange(event);
    }
    return count;
}

// Control Change on the first channel sets the first input parameter listening to the
// controller; the event still reaches the plug-in.
void PluginJack::applyControlChange(const MidiMessage& message) noexcept
{
    for (uint32_t i = 0; i < fCachedParameters.count; ++i) {
        if ((fPlugin.parameterHints(i) & HintOutput) != 0 ||
            fPlugin.parameterMidiCC(i) != message.data[1])
            continue;
        const ValueRange& range = fPlugin.parameterRanges(i);
        const uint8_t byte = message.data[2];
        float value = range.min;
        if (byte >= 127)
            value = range.max;
        else if (byte != 0)
            value = range.min + (range.max - range.min) * (byte * kControlStep);
        fPlugin.setParameterValueInProcess(i, value);
        fCachedParameters.changed[i].store(true, std::memory_order_relaxed);
        return;
    }
}

// The plug-in never gets a block longer than the buffer size it was told (JACK may deliver a
// larger cycle before its buffer-size notification) nor longer than the discard buffer that
// stands in for an unregistered port. Events are in frame order, so each piece takes a run of
// them, with frames made relative to the piece.
void PluginJack::runInChunks(float** outputs, uint32_t frames, uint32_t eventCount) noexcept
{
    const uint32_t told = fPlugin.bufferSize();
    const uint32_t limit =
        std::max<uint32_t>(1, std::min(told != 0 ? told : frames, kDiscardFrames));
    const TransportInfo start =
        fPlugin.data() != nullptr ? fPlugin.data()->transport : TransportInfo();
    uint32_t firstEvent = 0;
    for (uint32_t offset = 0; offset < frames; offset += limit) {
        const uint32_t length = std::min(limit, frames - offset);
        float* pieces[kOutputCount];
        for (uint32_t i = 0; i < kOutputCount; ++i)
            pieces[i] = outputs[i] != nullptr ? outputs[i] + offset : fDiscard;

        uint32_t endEvent = firstEvent;
        for (; endEvent < eventCount && fMidiEvents[endEvent].frame < offset + length; ++endEvent) {
            uint32_t& frame = fMidiEvents[endEvent].frame;
            frame = frame >= offset ? frame - offset : 0;
        }

        if (offset != 0) {
            TransportInfo transport = start;
            if (transport.playing)
                transport.frame += offset;
            fPlugin.setTransportInfo(transport);
        }
        fChunkOffset = offset;
        fPlugin.runCycle(nullptr, pieces, length, fMidiEvents + firstEvent, endEvent - firstEvent);
        firstEvent = endEvent;
    }
    fChunkOffset = 0;
}

} // namespace Orvane
