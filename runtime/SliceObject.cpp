// Emits part of a message, or a bang on outlet 1 when the message is too short. Audio thread only.
#include "SliceObject.h"

#include <algorithm>

#include "KrellContext.h"
#include "NumberConversions.h"
#include "ObjectMessages.h"

void SliceObject::init(int startIndex, int elementCount) noexcept
{
    start = startIndex;
    count = elementCount;
}

void SliceObject::onMessage(
    KrellContext* context, int inlet, const Message* m, SendFunction out) noexcept
{
    switch (inlet) {
    case 0: {
        const int from = std::max(start, 0);
        const int available = m->numElements - from;
        if (available <= 0) {
            sendBang(context, out, 1, m->timestamp);
            return;
        }
        int n = count > 0 ? std::min(available, count) : available;
        n = std::min(n, kMaxElements);
        MessageStorage<kMaxElements> storage;
        Message* slice = Message::init(&storage, m->timestamp, static_cast<uint16_t>(n));
        for (int i = 0; i < n; ++i)
            slice->copyElement(i, m, from + i);
        out(context, 0, slice);
        return;
    }
    case 1:
        if (!floatAt(m, 0))
            return;
        start = saturatingToInt32(m->floatAt(0));
        if (floatAt(m, 1))
            count = saturatingToInt32(m->floatAt(1));
        return;
    case 2:
        if (floatAt(m, 0))
            count = saturatingToInt32(m->floatAt(0));
        return;
    default:
        return;
    }
}
