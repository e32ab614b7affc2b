// Posts a frame-addressed message into a patch context, which counts delays in milliseconds and
// truncates them back to samples. Any thread that may post to the context.
#pragma once

#include "PatchMessageSink.h"

#include <cstdint>

class KrellContextInterface;

namespace Orvane {

// Aims at the middle of the frame: the trip through milliseconds loses a little precision, and
// from the frame's start it could truncate to the frame before.
inline double frameDelayMs(uint32_t frame, double sampleRate) noexcept
{
    return (frame + 0.5) * 1000.0 / sampleRate;
}

// False when the context refused the message.
bool postAtFrame(
    KrellContextInterface& context, double sampleRate, const PatchPost& message) noexcept;

} // namespace Orvane
