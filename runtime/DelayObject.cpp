// Delays messages through the scheduler, up to kSlotCount at a time. Audio thread only.
#include "DelayObject.h"

#include <algorithm>
#include <cmath>

#include "KrellContext.h"
#include "MessagePool.h"
#include "NumberConversions.h"
#include "ObjectMessages.h"

namespace {

constexpr uint32_t kFlush = hashString("flush");
constexpr uint32_t kClear = hashString("clear");

uint32_t delayFromSamples(float samples) noexcept
{
    if (!std::isfinite(samples))
        return 0;
    return std::min(
        saturatingToUint32(std::max(static_cast<double>(samples), 0.0)), kMaxDelaySamples);
}

} // namespace

void DelayObject::init(KrellContext* context, float delayMs) noexcept
{
    delaySamples = context->msToSamples(delayMs);
    std::fill(pending, pending + kSlotCount, nullptr);
}

void DelayObject::clearSlot(const Message* m) noexcept
{
    for (Message*& slot : pending) {
        if (slot == m) {
            slot = nullptr;
            return;
        }
    }
}

void DelayObject::onMessage(
    KrellContext* context, int inlet, const Message* m, SendFunction out) noexcept
{
    switch (inlet) {
    case 0:
        break;
    case 1:
        if (floatAt(m, 0))
            delaySamples = context->msToSamples(m->floatAt(0));
        return;
    case 2:
        if (floatAt(m, 0))
            delaySamples = delayFromSamples(m->floatAt(0));
        return;
    default:
        return;
    }

    const uint32_t selector = selectorAt(m, 0);
    if (selector == kFlush) {
        flush(context, m->timestamp, out);
    } else if (selector == kClear) {
        for (Message*& slot : pending) {
            if (slot != nullptr)
                context->cancelScheduled(slot, out);
            slot = nullptr;
        }
    } else {
        schedule(context, m, out);
    }
}

void DelayObject::schedule(KrellContext* context, const Message* m, SendFunction out) noexcept
{
    Message** freeSlot = std::find(pending, pending + kSlotCount, nullptr);
    if (freeSlot == pending + kSlotCount)
        return;
    // The incoming message stays untouched: the delayed timestamp goes on a copy. A message
    // larger than a pool chunk could not be queued anyway.
    alignas(8) unsigned char copyBytes[MessagePool::kLargestChunk];
    Message* copy = m->copyTo(copyBytes, sizeof copyBytes);
    if (copy == nullptr)
        return;
    copy->timestamp = m->timestamp + delaySamples;
    *freeSlot = context->scheduleForObject(copy, out, 0);
}

void DelayObject::flush(KrellContext* context, uint32_t timestamp, SendFunction out) noexcept
{
    for (Message*& slot : pending) {
        if (slot == nullptr)
            continue;
        // Take the message out of the scheduler before emitting it, so that whatever the
        // outlet sends back into this object finds a consistent queue and free slots.
        alignas(8) unsigned char copyBytes[MessagePool::kLargestChunk];
        Message* copy = slot->copyTo(copyBytes, sizeof copyBytes);
        context->cancelScheduled(slot, out);
        slot = nullptr;
        if (copy == nullptr)
            continue;
        copy->timestamp = timestamp;
        out(context, 0, copy);
    }
}
