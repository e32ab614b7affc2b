// Real-time bytes, clock ticks and tempo from the host transport. Audio thread.
#include "TransportClock.h"

#include "patch/PatchInterface.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>

namespace Orvane {

namespace {

constexpr float kTicksPerBeatInverse = 0.041666668f; // the float nearest 1/24

PatchPost realtimeByte(uint8_t status, uint32_t frame) noexcept
{
    PatchPost post;
    post.receiverHash = kRealtimeReceiver;
    post.frame = frame;
    post.count = 2;
    post.values[0] = status;
    return post;
}

// Computed in 32-bit floats (1000 samples per tick at 48 kHz and 120 bpm, 918.75 at 44.1 kHz).
// A tempo of 0, below 0, NaN, infinity, or so extreme that the tick length is no finite positive
// float would stall the time line for good or never let the tick loop end: 0 then, and such
// blocks count as blocks without a position.
double samplesPerTick(const TransportInfo& transport, double sampleRate) noexcept
{
    const double bpm = transport.bbt.beatsPerMinute;
    if (!transport.playing || !transport.bbt.valid || !std::isfinite(bpm) || bpm <= 0.0)
        return 0.0;
    const double samplesPerBeat = sampleRate * 60.0 / bpm;
    if (!(samplesPerBeat > 0.0 && samplesPerBeat <= FLT_MAX))
        return 0.0;
    return static_cast<float>(samplesPerBeat) * kTicksPerBeatInverse;
}

} // namespace

bool TransportClock::advance(const TransportInfo& transport, uint32_t frames, double sampleRate,
    PatchMessageSink& sink) noexcept
{
    postTransportChange(transport, sink);
    const double tickLength = samplesPerTick(transport, sampleRate);
    fTicksCut = 0;
    if (tickLength <= 0.0)
        return false;
    // A block at an absurdly slow tempo (a host starting up, ramping or relocating) leaves the
    // next tick far away; at a usable tempo the groove must not wait for it. More than a beat
    // ahead never happens with ordinary tempo changes (under 24-fold from one block to the next).
    if (fNextTick - fBlockStart > 24.0 * tickLength)
        fNextTick = fBlockStart + tickLength;
    emitTicks(frames, tickLength, sink);
    return true;
}

void TransportClock::postTempo(double beatsPerMinute, PatchMessageSink& sink) noexcept
{
    PatchPost post;
    post.receiverHash = kTempoReceiver;
    post.count = 1;
    post.values[0] = static_cast<float>(beatsPerMinute);
    sink.post(post);
}

void TransportClock::postTransportChange(
    const TransportInfo& transport, PatchMessageSink& sink) noexcept
{
    if (transport.playing) {
        if (transport.frame == 0) {
            sink.post(realtimeByte(kMidiReset, 0));
            if (!fWasPlaying)
                sink.post(realtimeByte(kMidiStart, 0));
        } else if (!fWasPlaying) {
            sink.post(realtimeByte(kMidiContinue, 0));
        }
    } else if (fWasPlaying) {
        sink.post(realtimeByte(kMidiStop, 0));
    }
    fWasPlaying = transport.playing;
}

// Each tick lands on the frame that contains its position. Once the patch refuses a tick (its
// message pool is full), the block's remaining ticks are dropped, so even an absurd tempo costs
// bounded time; the time line still moves past them.
void TransportClock::emitTicks(uint32_t frames, double tickLength, PatchMessageSink& sink) noexcept
{
    const double end = fBlockStart + frames;
    bool accepted = true;
    while (accepted && fNextTick < end) {
        const auto frame = std::min(static_cast<uint32_t>(fNextTick - fBlockStart), frames - 1);
        accepted = sink.post(realtimeByte(kMidiClock, frame));
        fNextTick += tickLength;
    }
    if (fNextTick < end) {
        const double skipped = std::ceil((end - fNextTick) / tickLength);
        fTicksCut = skipped < double(UINT32_MAX) ? static_cast<uint32_t>(skipped) : UINT32_MAX;
        fNextTick = std::max(fNextTick + skipped * tickLength, end);
    }
    fBlockStart = end;
}

} // namespace Orvane
