// Frame-addressed scheduling into a patch context. Audio thread.
#include "FramePosting.h"

#include "runtime/KrellContext.h"
#include "runtime/Message.h"

namespace Orvane {

bool postAtFrame(KrellContext& context, double sampleRate, const PatchPost& message) noexcept
{
    if (message.count == 0 || message.count > PatchPost::kMaxValues)
        return false;
    MessageStorage<PatchPost::kMaxValues> storage;
    Message* const m = Message::init(storage.bytes, 0, static_cast<uint16_t>(message.count));
    for (uint32_t i = 0; i < message.count; ++i)
        m->setFloat(static_cast<int>(i), message.values[i]);
    return context.scheduleForReceiver(
        message.receiverHash, frameDelayMs(message.frame, sampleRate), *m);
}

} // namespace Orvane
