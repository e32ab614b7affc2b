// Plays a table once, one value per frame, between a start and an end index. Audio thread only.
#include "TablePlayer.h"

#include <cmath>

#include "KrellContext.h"
#include "NumberConversions.h"
#include "ObjectMessages.h"
#include "Table.h"

namespace {

uint32_t truncatedMagnitude(float x) noexcept
{
    return saturatingToUint32(std::fabs(static_cast<double>(x)));
}

} // namespace

void TablePlayer::init(Table* initialTable, bool aligned) noexcept
{
    table = initialTable;
    head = 0;
    end = table != nullptr ? table->size() : 0;
    alignedReads = aligned;
    playing = false;
}

void TablePlayer::onMessage(
    KrellContext* context, int inlet, const Message* m, SendFunction out) noexcept
{
    if (inlet == 1) {
        if (!hashLikeAt(m, 0))
            return;
        // A name that finds no table leaves the player without one: silent, ignoring messages.
        table = context->findTable(m->hashAt(0));
        head = 0;
        end = table != nullptr ? table->size() : 0;
        if (table == nullptr)
            playing = false;
        return;
    }
    if (table == nullptr || m->numElements == 0)
        return;
    if (inlet == 2) {
        if (!floatAt(m, 0))
            return;
        // Saturates instead of wrapping below head: a huge count plays to the guard.
        const uint32_t count = truncatedMagnitude(m->floatAt(0));
        end = count > UINT32_MAX - head ? UINT32_MAX : head + count;
        return;
    }
    if (inlet != 0)
        return;
    end = table->size();
    switch (m->type(0)) {
    case ElementType::Float: {
        const float x = m->floatAt(0);
        const uint32_t offset = truncatedMagnitude(x);
        head = x < 0.0f ? table->size() - offset : offset;
        playing = true;
        sendFloat(context, out, 1, m->timestamp, static_cast<float>(head));
        return;
    }
    case ElementType::Bang:
        head = 0;
        playing = true;
        return;
    case ElementType::Symbol:
        // Only the text "stop": a pre-hashed "stop" is deliberately not recognised.
        if (m->matches(0, "stop")) {
            head = 0;
            playing = false;
        }
        return;
    default:
        return;
    }
}

float TablePlayer::process(KrellContext* context, SendFunction out) noexcept
{
    if (table == nullptr || head >= table->allocated()) {
        playing = false;
        return 0.0f;
    }
    if (!playing)
        return 0.0f;
    if (head < end)
        return table->buffer()[head++];
    playing = false;
    // The player does not know its frame within the block; the end bang carries the block start.
    sendBang(context, out, 2, context->blockStartSample());
    return 0.0f;
}
