// Frame-addressed posting into a patch context. Any thread that may post to the context.
#include "FramePosting.h"

#include "runtime/KrellContextInterface.h"

namespace Orvane {

bool postAtFrame(
    KrellContextInterface& context, double sampleRate, const PatchPost& message) noexcept
{
    const double delayMs = frameDelayMs(message.frame, sampleRate);
    const uint32_t hash = message.receiverHash;
    const float* const v = message.values;
    switch (message.count) {
    case 1:
        return context.postFormatted(hash, delayMs, "f", double(v[0]));
    case 2:
        return context.postFormatted(hash, delayMs, "ff", double(v[0]), double(v[1]));
    case 3:
        return context.postFormatted(
            hash, delayMs, "fff", double(v[0]), double(v[1]), double(v[2]));
    default:
        return false;
    }
}

} // namespace Orvane
