// Schedules a frame-addressed message in a patch context, which counts delays in milliseconds and
// truncates them back to samples. Audio thread, after the context's input pipe was drained.
#pragma once

#include "PatchMessageSink.h"

#include <cstdint>

class KrellContext;

namespace Orvane {

// Aims at the middle of the frame: the trip through milliseconds loses a little precision, and
// from the frame's start it could truncate to the frame before.
inline double frameDelayMs(uint32_t frame, double sampleRate) noexcept
{
    return (frame + 0.5) * 1000.0 / sampleRate;
}

// [audio-thread] Lock-free: the message goes straight to the context's scheduler, with no pipe.
// False when the context refused it (its pool is full) or the message has no values.
[[nodiscard]] bool postAtFrame(
    KrellContext& context, double sampleRate, const PatchPost& message) noexcept;

} // namespace Orvane
