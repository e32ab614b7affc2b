// Host MIDI to patch messages. Audio thread.
#include "MidiForwarding.h"

#include "patch/PatchInterface.h"

#include <algorithm>

namespace Orvane {

namespace {

class FramePoster {
public:
    FramePoster(PatchMessageSink& sink, uint32_t frame) noexcept : fSink(sink), fFrame(frame) { }

    void post(uint32_t receiverHash, float a, float b) noexcept
    {
        send(receiverHash, 2, a, b, 0.0f);
    }

    void post(uint32_t receiverHash, float a, float b, float c) noexcept
    {
        send(receiverHash, 3, a, b, c);
    }

private:
    PatchMessageSink& fSink;
    const uint32_t fFrame;

    void send(uint32_t receiverHash, uint32_t count, float a, float b, float c) noexcept
    {
        PatchPost message;
        message.receiverHash = receiverHash;
        message.frame = fFrame;
        message.count = count;
        message.values[0] = a;
        message.values[1] = b;
        message.values[2] = c;
        fSink.post(message);
    }
};

bool isRealtimeStatus(uint8_t status) noexcept
{
    return status == kMidiClock || status == kMidiStart || status == kMidiContinue ||
        status == kMidiStop || status == kMidiReset;
}

void forwardMessage(const MidiMessage& message, FramePoster& poster) noexcept
{
    const uint8_t status = message.data[0];
    const float channel = status & 0x0F;
    const float d1 = message.data[1];
    const float d2 = message.data[2];

    for (const uint8_t byte : message.data)
        poster.post(kRawMidiByteReceiver, byte, channel);
    if (isRealtimeStatus(status))
        poster.post(kRealtimeReceiver, status, 0.0f);

    switch (status & 0xF0) {
    case 0x80:
        poster.post(kNoteReceiver, d1, 0.0f, channel);
        break;
    case 0x90:
        poster.post(kNoteReceiver, d1, d2, channel);
        break;
    case 0xA0:
        poster.post(kPolyPressureReceiver, d2, d1, channel);
        break;
    case 0xB0:
        poster.post(kControlChangeReceiver, d2, d1, channel);
        break;
    case 0xC0:
        poster.post(kProgramChangeReceiver, d1, channel);
        break;
    case 0xD0:
        poster.post(kChannelPressureReceiver, d1, channel);
        break;
    case 0xE0:
        poster.post(kPitchBendReceiver, d2 * 128.0f + d1, channel);
        break;
    default:
        break;
    }
}

} // namespace

void forwardMidiMessages(
    const MidiMessage* messages, uint32_t count, uint32_t frames, PatchMessageSink& sink) noexcept
{
    if (messages == nullptr)
        return;
    const uint32_t lastFrame = frames > 0 ? frames - 1 : 0;
    for (uint32_t i = 0; i < count; ++i) {
        FramePoster poster(sink, std::min(messages[i].frame, lastFrame));
        forwardMessage(messages[i], poster);
    }
}

} // namespace Orvane
